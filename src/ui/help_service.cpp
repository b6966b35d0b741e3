#include "ui/help_service.h"

#include "core/file_io.h"
#include "ui/dialog_services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
THelpService* installed = nullptr;
}

QString HelpFileName()
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const QString name = program.completeBaseName() + QStringLiteral(".hlp");
    const std::string found = FindFileNoCase(program.absolutePath().toStdString(), name.toStdString());
    return found.empty() ? program.absoluteDir().filePath(name) : QString::fromStdString(found);
}

void TFileHelpService::ShowHelp(QWidget* parent, int helpContext)
{
    const QString file = HelpFileName();
    const QString text =
        QFileInfo::exists(file)
            ? QStringLiteral("Help topic %1 is in the help file %2, but no viewer for that help file is installed.")
                  .arg(helpContext)
                  .arg(QDir::toNativeSeparators(file))
            : QStringLiteral("Help topic %1 cannot be shown: the help file %2 was not found.")
                  .arg(helpContext)
                  .arg(QDir::toNativeSeparators(file));
    DialogServices().ShowMessageBox(parent, TBoxIcon::Information, QStringLiteral("Help"), text, TBoxButtons::Ok);
}

THelpService& HelpService()
{
    static TFileHelpService fileHelp;
    return installed ? *installed : fileHelp;
}

TScopedHelpService::TScopedHelpService(THelpService& service) : previous_(installed) { installed = &service; }

TScopedHelpService::~TScopedHelpService() { installed = previous_; }
