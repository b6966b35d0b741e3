#include "stage_ui/stage_result_windows.h"

#include "stage/model_store.h"
#include "core/str_utilx.h"
#include "stage_tool.h"
#include "stage_ui/population_display_menu.h"
#include "stage_ui/rate_of_increase_form.h"
#include "stage_ui/stage_display_menu.h"
#include "support/copied_tables.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "support/scripted_modals.h"
#include "ui/result_text_window.h"
#include "ui/result_window.h"
#include "chart/recording_canvas.h"
#include "stage_ui/stage_result_producer.h"
#include "ui/picture_files.h"
#include "ui/result_chart.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const std::string kModel = std::string(PV_EXAMPLES) + "/meadow_herb.st";

void LoadSample()
{
    PrepareStageModelStore();
    ASSERT_TRUE(LoadStageModel("test", kModel));
}

void RunSample()
{
    LoadSample();
    Info.replications = 20;
    ASSERT_TRUE(RunStageModel("test", kModel, "4242"));
}

// The window shown by a scripted modal step: which class, caption, kind and
// help context.
struct ShownWindow {
    bool text = false;
    bool rateButton = false;
    QString caption;
    int kind = 0;
    int help = 0;
};

ShownWindow Describe(QDialog& dialog)
{
    ShownWindow shown;
    shown.caption = dialog.windowTitle();
    if (auto* chart = qobject_cast<TResultTemplateForm*>(&dialog)) {
        shown.kind = chart->ResultKind();
        shown.help = chart->HelpContext();
    } else if (auto* text = qobject_cast<TResultTextTemplateForm*>(&dialog)) {
        shown.text = true;
        shown.kind = text->ResultKind();
        shown.help = text->HelpContext();
        shown.rateButton = qobject_cast<TRateOfIncreaseForm*>(&dialog) != nullptr;
    }
    return shown;
}

}  // namespace

// Every window the program opens by kind, with its caption, help context and
// base. Kinds 11 and 12 need two populations, which the sample has not: the
// producer says so and no window opens.
TEST(StageResultWindows, EachKindOpensItsOwnWindow)
{
    struct Case {
        int kind;
        const char* caption;
        int help;
        TResultWindowBase base;
    };
    using enum TResultWindowBase;
    const Case cases[] = {
        {1, "Density Dependence in R", 20800, Chart},
        {2, "Replacement Curve", 20900, Chart},
        {9, "Sensitivities And Elasticities", 20500, Text},
        {14, "Finite Rate of Increase (lambda)", 20000, Text},
        {15, "Reproductive Value", 20300, Chart},
        {16, "Initial Distributions", 20100, Chart},
        {17, "Stable Distribution", 20200, Chart},
        {18, "Average Residence", 20400, Chart},
        {19, "Trajectory Summary", 30000, Chart},
        {20, "Harvest Summary", 30100, Chart},
        {22, "Final Age/Stage Abundances", 30300, Chart},
        {26, "Extinction/Decline", 30700, Chart},
        {28, "Explosion/Increase", 30900, Chart},
        {11, "Dispersal Function", 21200, Chart},
        {12, "Correlation Function", 21300, Chart},
    };
    ASSERT_EQ(StageResultWindows().size(), std::size(cases));
    RunSample();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.caption);
        const TStageResultWindow& window = StageResultWindows()[i];
        EXPECT_EQ(window.Setup.Kind, c.kind);
        EXPECT_EQ(window.Setup.Caption, c.caption);
        EXPECT_EQ(window.Setup.HelpContext, c.help);
        EXPECT_EQ(window.Base, c.base);

        const bool opens = c.kind != 11 && c.kind != 12;
        RecordingSink sink;
        ScriptedModals modals(true);
        ShownWindow shown;
        if (opens)
            modals.steps.push_back([&](QDialog& dialog) {
                shown = Describe(dialog);
                return TModalResult::Cancel;
            });
        const TModalResult result = OpenStageResultWindow(nullptr, c.kind);
        if (!opens) {
            EXPECT_EQ(result, TModalResult::Abort);
            ASSERT_EQ(sink.boxes.size(), 1u);
            EXPECT_EQ(sink.boxes[0].text, "At least 2 populations are needed to calculate distances!");
            continue;
        }
        EXPECT_EQ(result, TModalResult::Cancel);
        EXPECT_EQ(shown.caption, c.caption);
        EXPECT_EQ(shown.kind, c.kind);
        EXPECT_EQ(shown.help, c.help);
        EXPECT_EQ(shown.text, c.base == Text);
        EXPECT_EQ(shown.rateButton, c.kind == 14);
    }
    EXPECT_THROW(OpenStageResultWindow(nullptr, 21), std::invalid_argument);
}

TEST(StageResultWindows, NoResultWindowOpensBeforeARun)
{
    LoadSample();
    RecordingSink sink;
    ScriptedModals modals(true);   // fails on any window shown
    EXPECT_EQ(OpenStageResultWindow(nullptr, 19), TModalResult::Abort);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Error);
    EXPECT_EQ(sink.boxes[0].text, "Graph not available (no simulation results)" + std::string(79, ' '));
}

// The button copies lambda alone, in the user's locale, as the report gives
// it; when the report cannot be made there is nothing to copy.
TEST(StageResultWindows, RateOfIncreaseCopiesLambdaInTheLocale)
{
    LoadSample();
    const TLocaleFormat previous = CurrentLocale();
    TLocaleFormat comma;
    comma.decimalPoint = ",";
    comma.listSeparator = ";";
    SetLocaleFormat(comma);

    RecordingSink sink;
    TRateOfIncreaseForm window;
    window.show();
    ASSERT_TRUE(window.CopyRateButton().isEnabled());
    double reported = -1;
    for (const std::string& line : window.Lines())
        if (line.rfind("Growth rate (lambda)= ", 0) == 0)
            reported = std::atof(line.c_str() + 22);
    ASSERT_GT(reported, 0.5);
    window.CopyRateButton().click();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QLatin1Char(','))) << copied.toStdString();
    QString asNumber = copied;
    asNumber.replace(QLatin1Char(','), QLatin1Char('.'));
    EXPECT_NEAR(asNumber.toDouble(), reported, 5e-5);
    window.hide();

    // One stage: the report fails and lambda of the last window must not be
    // offered as this model's.
    Info.stages = 1;
    QApplication::clipboard()->setText(QStringLiteral("before"));
    sink.boxes.clear();
    window.show();
    EXPECT_FALSE(window.Produced());
    EXPECT_EQ(sink.boxes.size(), 1u);
    EXPECT_FALSE(window.CopyRateButton().isEnabled());
    window.CopyRateBtnClick();
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
    SetLocaleFormat(previous);
}

// Copy in the numbers view of a risk curve: the comma-separated lines give
// every number the window shows with at least its decimals (30 replications
// make shares such as 0.0333), and their header names each column once.
TEST(StageResultWindows, ACopiedRiskCurveHoldsTheNumbersTheWindowShows)
{
    LoadSample();
    Info.replications = 30;
    ASSERT_TRUE(RunStageModel("test", kModel, "4242"));
    for (const int kind : {26, 28}) {
        SCOPED_TRACE(kind);
        ScriptedModals modals(true);
        QString text, csv;
        modals.steps.push_back([&](QDialog& window) {
            window.findChild<QToolButton*>("NumbersBtn")->click();
            window.findChild<QToolButton*>("CopyBtn")->click();
            const QMimeData* data = QApplication::clipboard()->mimeData();
            text = data->text();
            csv = QString::fromUtf8(data->data(QStringLiteral("text/csv")));
            return TModalResult::Cancel;
        });
        ASSERT_EQ(OpenStageResultWindow(nullptr, kind), TModalResult::Cancel);

        const QStringList textRows = LinesAfter(CopiedLines(text), QStringLiteral("95% confidence interval"));
        const QStringList csvLines = CopiedLines(csv);
        const QStringList csvRows = LinesAfter(csvLines, QStringLiteral("95% confidence interval"));
        ExpectSameNumbers(textRows, csvRows);
        EXPECT_TRUE(std::any_of(textRows.begin(), textRows.end(), [](const QString& row) {
            return row.contains(QRegularExpression(QStringLiteral("\\.\\d\\d\\d[1-9]")));
        })) << "no number needs four decimals";

        const auto header = std::find_if(csvLines.begin(), csvLines.end(), [](const QString& l) {
            return l.contains(QStringLiteral("95% confidence interval"));
        });
        ASSERT_NE(header, csvLines.end());
        ASSERT_FALSE(csvRows.isEmpty());
        EXPECT_EQ(header->split(QLatin1Char(',')).size(), csvRows.front().split(QLatin1Char(',')).size())
            << header->toStdString();
    }
}

TEST(StageResultWindows, StageDisplayMenuNeedsMoreThanOneStage)
{
    LoadSample();
    for (const int stages : {1, 3}) {
        SCOPED_TRACE(stages);
        Info.stages = stages;
        std::vector<int> opened;
        RecordingHelp help;
        TStageDisplayMenuForm menu(nullptr, [&](QWidget* parent, int kind) {
            EXPECT_EQ(parent, &menu);
            opened.push_back(kind);
        });
        ScriptedModals modals(true);
        modals.steps.push_back([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Stage Display");
            for (const auto& b : menu.ResultButtons()) {
                EXPECT_EQ(b.Button->isEnabled(), stages > 1) << b.Button->text().toStdString();
                b.Button->click();
            }
            dialog.findChild<QPushButton*>(QStringLiteral("HelpButton"))->click();
            return TModalResult::Cancel;
        });
        menu.Execute();
        EXPECT_EQ(opened, stages > 1 ? std::vector<int>({14, 16, 17, 15, 18, 9}) : std::vector<int>{});
        EXPECT_EQ(help.contexts, std::vector<int>{40400});
    }
}

TEST(StageResultWindows, PopulationDisplayMenuOpensTheDensityCurves)
{
    std::vector<int> opened;
    RecordingHelp help;
    TPopulationDisplayMenuForm menu(nullptr, [&](QWidget*, int kind) { opened.push_back(kind); });
    ScriptedModals modals(true);
    modals.steps.push_back([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Population Display");
        menu.DensityDependenceButton().click();
        menu.ReplacementCurveButton().click();
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("OkButton"))->isVisible());
        dialog.findChild<QPushButton*>(QStringLiteral("HelpButton"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
        EXPECT_FALSE(dialog.isVisible());
        return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
    });
    EXPECT_EQ(menu.Execute(), TModalResult::Cancel);
    EXPECT_EQ(opened, std::vector<int>({1, 2}));
    EXPECT_EQ(help.contexts, std::vector<int>{40100});
}

namespace {

// The chart the window shows, drawn with its settings by the same call on a
// recording canvas of its paint box's size.
RecordingCanvas RecordChart(QDialog& dialog)
{
    auto& window = dynamic_cast<TResultTemplateForm&>(dialog);
    const QSize size = window.PaintBox().size();
    RecordingCanvas canvas({0, 0, size.width(), size.height()});
    TScaleInfo settings = window.ScaleInfo();
    TGraph graph;
    DrawResultChart(StageResultProducer(), graph, settings, window.ResultKind(), canvas);
    return canvas;
}

// The trajectory summary (result 19) as its window draws it at the given
// size, with the labels' and titles' font set on the canvas for measuring.
RecordingCanvas RecordTrajectoryChartAt(int width, int height)
{
    ScriptedModals modals(true);
    RecordingCanvas canvas;
    modals.steps.push_back([&](QDialog& dialog) {
        dialog.resize(width, height);
        QApplication::processEvents();
        canvas = RecordChart(dialog);
        return TModalResult::Cancel;
    });
    OpenStageResultWindow(nullptr, 19);
    canvas.SetFontSize(10);   // as the labels and the title
    return canvas;
}

// The tic labels of the y axis (right-aligned, left of it) and of the x axis
// (centred below it), in the order drawn.
std::vector<std::string> AxisLabels(const RecordingCanvas& canvas, int align)
{
    std::vector<std::string> labels;
    for (const TCanvasCall& call : canvas.CallsOf(TCanvasCall::Kind::TextOut))
        if (call.Align == align && call.Font.Size == 10 && call.Font.Angle == 0)
            labels.push_back(call.Text);
    return labels;
}

}  // namespace

// The sample's stage distributions: the labels are the tics' own values,
// 0.14 and 0.16 apart, not 0.1, 0.3, 0.4, ...
TEST(StageResultWindows, DistributionChartsLabelTheirTicsWithTheirValues)
{
    LoadSample();
    const struct {
        int kind;
        std::vector<std::string> y;
    } cases[] = {
        {17, {"0.14", "0.28", "0.42", "0.56", "0.70"}},
        {16, {"0.16", "0.32", "0.48", "0.64", "0.80"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ScriptedModals modals(true);
        std::vector<std::string> y, x;
        modals.steps.push_back([&](QDialog& dialog) {
            const RecordingCanvas canvas = RecordChart(dialog);
            y = AxisLabels(canvas, kAlignRight | kAlignBottom);
            x = AxisLabels(canvas, kAlignCenter | kAlignTop);
            return TModalResult::Cancel;
        });
        OpenStageResultWindow(nullptr, c.kind);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(x, (std::vector<std::string>{"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"}));
    }
}

// However low the user makes the trajectory window, its x-axis title "Time"
// stays clear of the tic labels above it, or is left out when the chart has
// no room below them.
TEST(StageResultWindows, TheTimeTitleStaysBelowTheTicLabels)
{
    RunSample();
    for (const int height : {480, 320, 280, 240, 200}) {
        SCOPED_TRACE(height);
        RecordingCanvas canvas = RecordTrajectoryChartAt(400, height);
        const TFontMetrics font = canvas.FontMetrics();
        int labelsBottom = -1;
        std::vector<TCanvasCall> titles;
        for (const TCanvasCall& call : canvas.CallsOf(TCanvasCall::Kind::TextOut)) {
            if (call.Align == (kAlignCenter | kAlignTop) && call.Font.Size == 10 && call.Font.Angle == 0)
                labelsBottom = std::max(labelsBottom, call.Points[0].y + font.Height());
            if (call.Text == "Time")
                titles.push_back(call);
        }
        ASSERT_GT(labelsBottom, 0);
        const int area = canvas.DeviceRect().Bottom;
        if (titles.empty()) {
            // Left out only when there is no room for it below the labels.
            EXPECT_GT(labelsBottom + font.Height(), area);
            continue;
        }
        ASSERT_EQ(titles.size(), 1u);
        EXPECT_EQ(titles[0].Align, kAlignCenter | kAlignBaseline);
        EXPECT_GE(titles[0].Points[0].y - font.Ascent, labelsBottom);
        EXPECT_LE(titles[0].Points[0].y + font.Descent, area);
    }
}

// However narrow the user makes the trajectory window, its y-axis title
// "Abundance" stays clear of the tic labels right of it.
TEST(StageResultWindows, TheAbundanceTitleStaysLeftOfTheTicLabels)
{
    RunSample();
    for (const int width : {640, 400, 384}) {   // 384: as narrow as it goes
        SCOPED_TRACE(width);
        RecordingCanvas canvas = RecordTrajectoryChartAt(width, 480);
        const TFontMetrics font = canvas.FontMetrics();
        // The labels' boxes, right-aligned at their anchors and bottom-aligned
        // a half height below them.
        std::vector<TRect> labels;
        std::vector<TCanvasCall> titles;
        for (const TCanvasCall& call : canvas.CallsOf(TCanvasCall::Kind::TextOut)) {
            const TPoint at = call.Points[0];
            if (call.Align == (kAlignRight | kAlignBottom) && call.Font.Size == 10 && call.Font.Angle == 0)
                labels.push_back({at.x - canvas.TextExtent(call.Text).cx, at.y - font.Height(), at.x, at.y});
            if (call.Text == "Abundance")
                titles.push_back(call);
        }
        ASSERT_FALSE(labels.empty());
        ASSERT_EQ(titles.size(), 1u);
        // Turned to read upward with its top edge at the anchor: it takes the
        // font's height to the right and half its length up and down.
        const TPoint at = titles[0].Points[0];
        const int half = canvas.TextExtent("Abundance").cx / 2;
        const TRect title{at.x, at.y - half, at.x + font.Height(), at.y + half};
        EXPECT_GE(title.Left, 0);
        for (const TRect& r : labels)
            EXPECT_TRUE(title.Right <= r.Left || r.Right <= title.Left || title.Bottom <= r.Top ||
                        r.Bottom <= title.Top)
                << "title " << title.Left << ".." << title.Right << " label " << r.Left << ".." << r.Right;
    }
}
