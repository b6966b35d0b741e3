// Every help context a program's windows use has a topic in that program's
// help; every link of every topic leads to a topic of the same help; every
// topic can be reached from the contents.

#include "ui/help_service.h"

#include "multi_ui/dispersal_form.h"
#include "unstructured_ui/general_form.h"
#include "multi_ui/multi_result_windows.h"
#include "unstructured_ui/option_form.h"
#include "multi_ui/population_display_menu.h"
#include "multi_ui/population_form.h"
#include "single_ui/population_display_menu.h"
#include "single_ui/population_form.h"
#include "single_ui/single_result_windows.h"
#include "stage_ui/abundance_form.h"
#include "stage_ui/advanced_stochasticity_form.h"
#include "stage_ui/general_form.h"
#include "stage_ui/population_display_menu.h"
#include "stage_ui/population_form.h"
#include "stage_ui/population_management_form.h"
#include "stage_ui/stage_display_menu.h"
#include "stage_ui/stage_form.h"
#include "stage_ui/stage_matrix_form.h"
#include "stage_ui/stage_result_windows.h"
#include "stage_ui/std_dev_matrix_form.h"
#include "ui/run_window.h"
#include "ui/scale_form.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>

namespace {

struct Program {
    const char* name;
    QString folder;
    std::set<int> contexts;  // every help context its windows ask for
};

template <class TWindows>
void AddResultWindows(std::set<int>& contexts, const TWindows& windows)
{
    for (const auto& window : windows)
        contexts.insert(window.Setup.HelpContext);
}

std::vector<Program> Programs()
{
    Program strativa{"Strativa", kStrativaHelp,
                     {kHelpContents, TGeneralForm::kHelpContext, TStageForm::kHelpContext,
                      TStageMatrixForm::kHelpContext, TStdDevMatrixForm::kHelpContext, TPopulationForm::kHelpContext,
                      TAbundanceForm::kHelpContext, TPopulationManagementForm::kHelpContext,
                      TAdvancedStochasticityForm::kHelpContext, TPopulationDisplayMenuForm::kHelpContext,
                      TStageDisplayMenuForm::kHelpContext, TRunWindow::kHelpContext, TScaleForm::kHelpContext}};
    AddResultWindows(strativa.contexts, StageResultWindows());
    Program plurimod{"Plurimod", kPlurimodHelp,
                     {kHelpContents, unstructured_ui::TGeneralForm::kHelpContext, multi::TPopulationForm::kHelpContext,
                      multi::TDispersalForm::kHelpContext, unstructured_ui::TOptionForm::kHelpContext,
                      multi::TPopulationDisplayMenuForm::kHelpContext, TRunWindow::kHelpContext,
                      TScaleForm::kHelpContext}};
    AddResultWindows(plurimod.contexts, multi::MultiResultWindows());
    Program monovara{"Monovara", kMonovaraHelp,
                     {kHelpContents, unstructured_ui::TGeneralForm::kHelpContext, single_ui::TPopulationForm::kHelpContext,
                      unstructured_ui::TOptionForm::kHelpContext, single_ui::TPopulationDisplayMenuForm::kHelpContext,
                      TRunWindow::kHelpContext, TScaleForm::kHelpContext}};
    AddResultWindows(monovara.contexts, single_ui::SingleResultWindows());
    return {strativa, plurimod, monovara};
}

QString ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The link targets of a topic (href values), in order.
QStringList Links(const QString& html)
{
    QStringList links;
    static const QRegularExpression href(QStringLiteral(R"re(href\s*=\s*"([^"]*)")re"));
    for (auto it = href.globalMatch(html); it.hasNext();)
        links << it.next().captured(1);
    return links;
}

}  // namespace

TEST(HelpTopics, EveryHelpContextOfAProgramHasATopicWithATitle)
{
    for (const Program& program : Programs()) {
        SCOPED_TRACE(program.name);
        const TTopicHelp help(program.folder);
        for (const int context : program.contexts) {
            if (context == kHelpContents)
                continue;
            const auto topic = help.Topics().find(context);
            ASSERT_NE(topic, help.Topics().end()) << "no topic for help context " << context;
            EXPECT_NE(help.TopicUrl(context), help.ContentsUrl()) << context;
            QTextDocument document;
            document.setHtml(ReadAll(program.folder + "/" + topic->second));
            EXPECT_FALSE(document.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << topic->second.toStdString();
            EXPECT_GT(document.toPlainText().size(), 200) << topic->second.toStdString() << " says too little";
        }
        // The contents answer the contents' context and any number without a topic.
        EXPECT_EQ(help.TopicUrl(kHelpContents), help.ContentsUrl());
        EXPECT_EQ(help.TopicUrl(12345), help.ContentsUrl());
        EXPECT_EQ(help.TopicUrl(-1), help.ContentsUrl());
        EXPECT_TRUE(QFile::exists(program.folder + "/contents.html"));
        // The table names no context the program does not use.
        for (const auto& [context, file] : help.Topics())
            EXPECT_TRUE(program.contexts.count(context)) << context << " " << file.toStdString();
    }
}

TEST(HelpTopics, LinksLeadToTopicsOfTheSameHelpAndEveryTopicIsReachedFromTheContents)
{
    for (const Program& program : Programs()) {
        SCOPED_TRACE(program.name);
        const QStringList topics = QDir(program.folder).entryList({"*.html"}, QDir::Files);
        ASSERT_GT(topics.size(), 5);
        for (const QString& topic : topics) {
            const QString html = ReadAll(program.folder + "/" + topic);
            EXPECT_TRUE(html.contains("href=\"contents.html\"") || topic == "contents.html") << topic.toStdString();
            for (const QString& link : Links(html)) {
                const QString file = link.section('#', 0, 0);
                EXPECT_FALSE(link.contains(':')) << topic.toStdString() << " links outside the help: " << link.toStdString();
                EXPECT_TRUE(file.isEmpty() || topics.contains(file)) << topic.toStdString() << " links to " << link.toStdString();
            }
        }
        // Every topic can be found by following links from the contents.
        std::set<QString> reached{"contents.html"};
        std::deque<QString> open{"contents.html"};
        while (!open.empty()) {
            const QString topic = open.front();
            open.pop_front();
            for (const QString& link : Links(ReadAll(program.folder + "/" + topic))) {
                const QString file = link.section('#', 0, 0);
                if (topics.contains(file) && reached.insert(file).second)
                    open.push_back(file);
            }
        }
        for (const QString& topic : topics)
            EXPECT_TRUE(reached.count(topic)) << topic.toStdString() << " cannot be reached from the contents";
    }
}

// A help context added to any window of the sources has a topic in some
// program's help (the test above then says whether it is the right one).
TEST(HelpTopics, EveryHelpContextInTheSourcesHasATopic)
{
    std::set<int> topics;
    for (const Program& program : Programs()) {
        const TTopicHelp help(program.folder);
        for (const auto& topic : help.Topics())
            topics.insert(topic.first);
    }
    // Help context constants, and the result-window tables' entries
    // {{kind, QStringLiteral("Caption"), context}, ...}.
    const QRegularExpression patterns[] = {
        QRegularExpression(R"re(kHelpContext\s*=\s*(\d+))re"),
        QRegularExpression(R"re(QStringLiteral\("[^"]*"\),\s*(\d{5})\})re"),
    };
    int found = 0;
    for (QDirIterator it(PV_SOURCE_DIR, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        const QString text = ReadAll(path);
        for (const QRegularExpression& pattern : patterns)
            for (auto match = pattern.globalMatch(text); match.hasNext();) {
                const int context = match.next().captured(1).toInt();
                ++found;
                EXPECT_TRUE(topics.count(context)) << path.toStdString() << ": help context " << context;
            }
    }
    EXPECT_GT(found, 30);
}
