#pragma once
// Help by context number. Every window asks this one service for the topic
// of its help context; the program shows its own help topics (compiled into
// it as resources) in the help window, tests install a service that records
// the numbers asked for.

#include <QString>
#include <QUrl>

#include <map>

class QWidget;

// The help context of the help contents (a program's Help Topics).
inline constexpr int kHelpContents = 0;

class THelpService {
public:
    virtual ~THelpService() = default;
    virtual void ShowHelp(QWidget* parent, int helpContext) = 0;
};

// A program's help: the HTML topics in one folder, a resource folder such as
// ":/help/strativa" in the programs, with "contents.html" and "contexts.txt",
// whose lines pair a help context with its topic file
// ("10400 density_dependence.html"; "#" starts a comment). A line that names
// no existing file gives no topic.
class TTopicHelp {
public:
    explicit TTopicHelp(QString folder);

    // The topic of a help context; the contents for the contents' context, a
    // number without a topic or a help that has no topics at all.
    QUrl TopicUrl(int helpContext) const;
    QUrl ContentsUrl() const;
    // Every help context with a topic, and the topic's file name.
    const std::map<int, QString>& Topics() const { return topics_; }
    const QString& Folder() const { return folder_; }

private:
    QUrl FileUrl(const QString& file) const;

    QString folder_;
    std::map<int, QString> topics_;
};

// Shows the topic in the help window, over the window that asked.
class TWindowHelpService : public THelpService {
public:
    explicit TWindowHelpService(QString folder) : help_(std::move(folder)) {}
    void ShowHelp(QWidget* parent, int helpContext) override;
    const TTopicHelp& Help() const { return help_; }

private:
    TTopicHelp help_;
};

// The resource folder of each program's help.
inline const QString kStrativaHelp = QStringLiteral(":/help/strativa");
inline const QString kPlurimodHelp = QStringLiteral(":/help/plurimod");
inline const QString kMonovaraHelp = QStringLiteral(":/help/monovara");

// Chooses the running program's help (one of the folders above); a program
// calls it once at start, before its first window.
void SetProgramHelp(const QString& folder);

// The service in use: the one installed, else the program's help.
THelpService& HelpService();

// F1 in `window` asks the help service for `helpContext`, as its Help
// button does.
void AddHelpKey(QWidget& window, int helpContext);

// Installs a service for its own lifetime and then puts the previous one back.
class TScopedHelpService {
public:
    explicit TScopedHelpService(THelpService& service);
    ~TScopedHelpService();
    TScopedHelpService(const TScopedHelpService&) = delete;
    TScopedHelpService& operator=(const TScopedHelpService&) = delete;

private:
    THelpService* previous_;
};
