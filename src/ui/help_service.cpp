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
    const QString file = QDir::toNativeSeparators(HelpFileName());
    const QString topic = helpContext == kHelpContents ? QStringLiteral("The help contents")
                                                       : QStringLiteral("Help topic %1").arg(helpContext);
    const QString text =
        QFileInfo::exists(file)
            ? QStringLiteral("%1 %2 in the help file %3, but no viewer for that help file is installed.")
                  .arg(topic, helpContext == kHelpContents ? QStringLiteral("are") : QStringLiteral("is"), file)
            : QStringLiteral("%1 cannot be shown: the help file %2 was not found.").arg(topic, file);
    DialogServices().ShowMessageBox(parent, TBoxIcon::Information, QStringLiteral("Help"), text, TBoxButtons::Ok);
}

THelpService& HelpService()
{
    static TFileHelpService fileHelp;
    return installed ? *installed : fileHelp;
}

TScopedHelpService::TScopedHelpService(THelpService& service) : previous_(installed) { installed = &service; }

TScopedHelpService::~TScopedHelpService() { installed = previous_; }
