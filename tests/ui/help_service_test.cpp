#include "ui/help_service.h"

#include "support/recording_help.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "ui/help_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

namespace {

// A small help on disk: the contents, two topics linked to each other, and
// a context table with a comment, a broken line and a topic that is missing.
class HelpFolder {
public:
    HelpFolder()
    {
        Write("contents.html", "Contents", R"(<a href="first.html">First</a> <a href="second.html">Second</a>)");
        Write("first.html", "First topic", R"(<p>See <a href="second.html">the second topic</a>.</p>)");
        Write("second.html", "Second topic", R"(<p>Back to <a href="contents.html">the contents</a>.</p>)");
        WriteAll(dir.file("contexts.txt"),
                 "# context topic\n10000 first.html\n20000 second.html  # the second\n"
                 "30000 missing.html\nnot a line\n40000\n");
    }
    QString Folder() const { return QString::fromStdString(dir.path().string()); }

private:
    void Write(const std::string& name, const std::string& title, const std::string& body)
    {
        WriteAll(dir.file(name), "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>");
    }
    TempDir dir;
};

QString Shown(const THelpWindow& window) { return QFileInfo(window.Browser().source().toLocalFile()).fileName(); }

}  // namespace

TEST(HelpService, TheContextTableGivesTheTopicsAndAnyOtherNumberTheContents)
{
    const HelpFolder folder;
    const TTopicHelp help(folder.Folder());
    ASSERT_EQ(help.Topics().size(), 2u);
    EXPECT_EQ(help.TopicUrl(10000).fileName(), "first.html");
    EXPECT_EQ(help.TopicUrl(20000).fileName(), "second.html");
    for (const int context : {kHelpContents, 30000, 40000, 12345})
        EXPECT_EQ(help.TopicUrl(context), help.ContentsUrl()) << context;
    EXPECT_EQ(help.ContentsUrl().fileName(), "contents.html");

    // A help without any table or topic still answers with its contents.
    EXPECT_TRUE(TTopicHelp(":/no/such/help").Topics().empty());
    EXPECT_EQ(TTopicHelp(":/no/such/help").TopicUrl(10000), QUrl("qrc:/no/such/help/contents.html"));
}

// The help window opens modally at the topic; links are followed from the
// keyboard, Back and Forward walk the topics seen, Contents goes home.
TEST(HelpService, TheHelpWindowShowsTheTopicAndFollowsItsLinks)
{
    const HelpFolder folder;
    TWindowHelpService service(folder.Folder());
    TScopedHelpService installed(service);
    ScriptedModals modals(true);
    modals.steps.push_back([](QDialog& dialog) {
        auto& window = dynamic_cast<THelpWindow&>(dialog);
        EXPECT_EQ(Shown(window), "first.html");
        EXPECT_EQ(window.windowTitle(), "Help - First topic");
        EXPECT_FALSE(window.BackButton().isEnabled());
        // Tab to the topic's one link, Enter follows it.
        window.activateWindow();
        window.Browser().setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(Shown(window), "second.html");
        EXPECT_EQ(window.windowTitle(), "Help - Second topic");
        EXPECT_TRUE(window.Browser().toPlainText().contains("Back to the contents"));
        window.BackButton().click();
        EXPECT_EQ(Shown(window), "first.html");
        window.ForwardButton().click();
        EXPECT_EQ(Shown(window), "second.html");
        window.ContentsButton().click();
        EXPECT_EQ(Shown(window), "contents.html");
        return TModalResult::Cancel;
    });
    HelpService().ShowHelp(nullptr, 10000);
    EXPECT_TRUE(modals.steps.empty());

    // A number without a topic opens the contents, never an error.
    modals.steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Shown(dynamic_cast<THelpWindow&>(dialog)), "contents.html");
        return TModalResult::Cancel;
    });
    HelpService().ShowHelp(nullptr, 99999);
    EXPECT_EQ(modals.shown, (std::vector<QString>{"Help - First topic", "Help - Contents"}));
}

TEST(HelpService, AnInstalledServiceTakesTheCallsUntilItGoes)
{
    std::vector<int> contexts;
    {
        RecordingHelp recorder;
        HelpService().ShowHelp(nullptr, 20000);
        contexts = recorder.contexts;
    }
    EXPECT_EQ(contexts, std::vector<int>{20000});
    // Then the program's own help answers, in its help window.
    const HelpFolder folder;
    SetProgramHelp(folder.Folder());
    ScriptedModals modals(true);
    modals.steps.push_back([](QDialog& dialog) {
        EXPECT_EQ(Shown(dynamic_cast<THelpWindow&>(dialog)), "second.html");
        return TModalResult::Cancel;
    });
    HelpService().ShowHelp(nullptr, 20000);
    EXPECT_TRUE(modals.steps.empty());
    SetProgramHelp(QString());
}
