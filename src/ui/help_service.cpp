#include "ui/help_service.h"

#include "ui/help_window.h"
#include "ui/modal_dialogs.h"

#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <memory>

namespace {
THelpService* installed = nullptr;
QString programHelp;
}  // namespace

TTopicHelp::TTopicHelp(QString folder) : folder_(std::move(folder))
{
    QFile file(folder_ + QStringLiteral("/contexts.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).section(QLatin1Char('#'), 0, 0).trimmed();
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool number = false;
        const int context = fields.size() == 2 ? fields[0].toInt(&number) : 0;
        if (number && QFile::exists(folder_ + QLatin1Char('/') + fields[1]))
            topics_[context] = fields[1];
    }
}

// A file of the help folder: a resource (":/help/...") or, for tests, a
// folder on disk.
QUrl TTopicHelp::FileUrl(const QString& file) const
{
    const QString path = folder_ + QLatin1Char('/') + file;
    return path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path) : QUrl::fromLocalFile(path);
}

QUrl TTopicHelp::ContentsUrl() const { return FileUrl(QStringLiteral("contents.html")); }

QUrl TTopicHelp::TopicUrl(int helpContext) const
{
    const auto topic = topics_.find(helpContext);
    if (helpContext == kHelpContents || topic == topics_.end())
        return ContentsUrl();
    return FileUrl(topic->second);
}

void TWindowHelpService::ShowHelp(QWidget* parent, int helpContext)
{
    THelpWindow window(parent, help_.ContentsUrl());
    window.ShowTopic(help_.TopicUrl(helpContext));
    ShowModal(window);
}

void SetProgramHelp(const QString& folder) { programHelp = folder; }

THelpService& HelpService()
{
    if (installed)
        return *installed;
    static std::unique_ptr<TWindowHelpService> programService;
    if (!programService || programService->Help().Folder() != programHelp)
        programService = std::make_unique<TWindowHelpService>(programHelp);
    return *programService;
}

void AddHelpKey(QWidget& window, int helpContext)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setContext(Qt::WindowShortcut);
    QWidget* target = &window;
    QObject::connect(key, &QShortcut::activated, target,
                     [target, helpContext] { HelpService().ShowHelp(target, helpContext); });
}

TScopedHelpService::TScopedHelpService(THelpService& service) : previous_(installed) { installed = &service; }

TScopedHelpService::~TScopedHelpService() { installed = previous_; }
