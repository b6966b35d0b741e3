#include "ui/result_window.h"

#include "chart/recording_canvas.h"
#include "core/config.h"
#include "core/file_io.h"
#include "metafile_player.h"
#include "support/fake_producer.h"
#include "support/real_modals.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "support/screen_driver.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "support/user_input.h"
#include "ui/clipboard_copy.h"
#include "ui/numeric_edit.h"
#include "ui/picture_files.h"
#include "ui/result_chart.h"
#include "ui/scale_form.h"

#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr int kTrajectory = 19;   // "Trajectory summary"
const TResultWindowSetup kSetup{kTrajectory, "Trajectory Summary", 30000};

const QString kCsv = QString::fromLatin1(kCsvMimeType);

// A shown window in chart view, as Execute leaves it.
struct ShownWindow {
    FakeProducer producer;
    TResultTemplateForm window{producer, kSetup};
    ShownWindow() { GrabWindow(window); }
};

TModalResult ResultOf(QDialog& dialog)
{
    return dialog.result() == QDialog::Accepted ? TModalResult::Ok : TModalResult::Cancel;
}

std::vector<std::string> Texts(const std::vector<TCanvasCall>& calls)
{
    std::vector<std::string> texts;
    for (const TCanvasCall& c : calls)
        if (c.Op == TCanvasCall::Kind::TextOut)
            texts.push_back(c.Text);
    return texts;
}

}  // namespace

TEST(ResultWindow, ExecuteChecksWithWarningsOnceAndOpensOnlyWhenTheResultExists)
{
    for (const bool exists : {false, true}) {
        RecordingSink sink;
        FakeProducer producer;
        producer.checkPasses = exists;
        ScriptedModals modals(true);
        if (exists)
            modals.steps.push_back([&](QDialog& dialog) {
                auto& window = static_cast<TResultTemplateForm&>(dialog);
                EXPECT_EQ(window.windowTitle(), "Trajectory Summary");
                EXPECT_FALSE(window.ShowingNumbers());
                EXPECT_EQ(window.ScaleInfo().Title, "Trajectory summary");
                GrabWindow(window);   // painted
                return TModalResult::Cancel;
            });
        const TModalResult result = TResultTemplateForm::Execute(producer, kSetup);

        EXPECT_EQ(result, exists ? TModalResult::Cancel : TModalResult::Abort);
        EXPECT_EQ(modals.shown.size(), exists ? 1u : 0u);
        ASSERT_FALSE(producer.calls.empty());
        EXPECT_EQ(producer.calls[0].mode, kModeCheck);
        EXPECT_TRUE(producer.calls[0].warn);
        EXPECT_EQ(producer.calls[0].kind, kTrajectory);
        // The producer's message (why not, or a warning) appears once.
        EXPECT_EQ(sink.boxes.size(), 1u);
        if (!exists) {
            EXPECT_EQ(producer.calls.size(), 1u);
            continue;
        }
        EXPECT_GE(producer.CallsOf(kModeText), 1);
        EXPECT_GE(producer.CallsOf(kModeChart), 1);
        for (size_t i = 1; i < producer.calls.size(); ++i)
            EXPECT_FALSE(producer.calls[i].warn) << i;
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    FakeProducer producer;
    EXPECT_THROW(TResultTemplateForm(producer, {0, "No kind", 0}), std::invalid_argument);
    EXPECT_THROW(TResultTemplateForm(producer, {34, "Beyond the table", 0}), std::invalid_argument);
}

TEST(ResultWindow, CopyPutsTheViewOnTheClipboardReplacingEveryOlderFormat)
{
    ShownWindow w;
    EXPECT_EQ(w.window.CopyButton().toolTip(), "Copy");
    EXPECT_EQ(w.window.CopyButton().statusTip(), "Copy graph to clipboard");

    // Chart view: a picture of the view's size, and nothing else.
    SetClipboardData(MakeClipboardData("old", {"old,csv"}));
    w.window.CopyBtnClick();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), w.window.PaintBox().size());
    EXPECT_FALSE(data->hasText());
    EXPECT_FALSE(data->hasFormat(kCsv));

    // Numbers view, nothing selected: all the text and the CSV lines.
    w.window.NumbersBtnClick();
    EXPECT_TRUE(w.window.ShowingNumbers());
    EXPECT_EQ(w.window.CopyButton().statusTip(), "Copy all results to clipboard");
    w.window.CopyBtnClick();
    data = QApplication::clipboard()->mimeData();
    EXPECT_EQ(data->text(), "Time     Mean\r\n   0     10.0\r\n   1     12.5");
    EXPECT_EQ(QString::fromUtf8(data->data(kCsv)), "Time,Mean\r\n0,10.0\r\n1,12.5\r\n");
    EXPECT_FALSE(data->hasImage());

    // A selection is copied alone, and the hint says so.
    QTextCursor cursor = w.window.Memo().textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);
    cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    w.window.Memo().setTextCursor(cursor);
    EXPECT_EQ(w.window.CopyButton().statusTip(), "Copy selected results to clipboard");
    w.window.CopyBtnClick();
    EXPECT_EQ(QApplication::clipboard()->text(), "Time     Mean\r\n   0     10.0");

    // No comma-separated lines: the old ones do not stay for a spreadsheet.
    w.producer.csv.clear();
    w.window.CopyBtnClick();
    data = QApplication::clipboard()->mimeData();
    EXPECT_EQ(data->text(), "Time     Mean\r\n   0     10.0");
    EXPECT_FALSE(data->hasFormat(kCsv));

    w.window.PlotBtnClick();
    EXPECT_FALSE(w.window.ShowingNumbers());
    EXPECT_FALSE(w.window.PaintBox().isHidden());
    EXPECT_TRUE(w.window.Memo().isHidden());
    EXPECT_EQ(w.window.CopyButton().statusTip(), "Copy graph to clipboard");
}

TEST(ResultWindow, SavesTheChartInTheChosenFormatAndTheNumbersAsText)
{
    ShownWindow w;
    TempDir dir;
    ScriptedDialogs dialogs;
    RecordingSink sink;
    const QSize size = w.window.PaintBox().size();
    ASSERT_GT(size.width(), 100);

    // What the same chart call records at the view's size.
    RecordingCanvas recorded({0, 0, size.width(), size.height()});
    TScaleInfo settings = w.window.ScaleInfo();
    TGraph graph;
    DrawResultChart(w.producer, graph, settings, kTrajectory, recorded);
    const std::vector<std::string> texts = Texts(recorded.Calls());
    ASSERT_FALSE(texts.empty());

    dialogs.fileNames = {QString::fromStdString(dir.file("chart.bmp")), QString::fromStdString(dir.file("chart.emf")),
                         QString::fromStdString(dir.file("chart.wmf"))};
    for (int i = 0; i < 3; ++i)
        w.window.SaveBtnClick();
    EXPECT_TRUE(sink.boxes.empty());

    const QImage bitmap(QString::fromStdString(dir.file("chart.bmp")), "BMP");
    EXPECT_EQ(bitmap.size(), size);
    EXPECT_TRUE(HasSeveralColours(bitmap));

    const TPlayedPicture emf = PlayEmf(ReadAll(dir.file("chart.emf")));
    EXPECT_TRUE(emf.Errors.empty());
    EXPECT_EQ(emf.Bounds, (TRect{0, 0, size.width() - 1, size.height() - 1}));
    EXPECT_EQ(emf.Texts(), texts);
    EXPECT_EQ(emf.Description, (std::vector<std::string>{"Trajectory summary", "Voran Pelivo: Test"}));
    const TPlayedPicture wmf = PlayWmf(ReadAll(dir.file("chart.wmf")));
    EXPECT_TRUE(wmf.Errors.empty());
    EXPECT_EQ(wmf.Texts(), texts);
    for (const auto kind : {TCanvasCall::Kind::Polyline, TCanvasCall::Kind::Line}) {
        EXPECT_EQ(emf.CallsOf(kind).size(), recorded.CallsOf(kind).size());
        EXPECT_EQ(wmf.CallsOf(kind).size(), recorded.CallsOf(kind).size());
    }

    // Cancel writes nothing; a type the dialog does not offer is refused.
    dialogs.fileNames = {QString(), QString::fromStdString(dir.file("chart.png"))};
    w.window.SaveBtnClick();
    w.window.SaveBtnClick();
    EXPECT_FALSE(std::filesystem::exists(dir.file("chart.png")));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "Unsupported output type");

    // The numbers as the view shows them, each line ended by CR LF.
    w.window.NumbersBtnClick();
    dialogs.fileNames = {QString::fromStdString(dir.file("numbers.txt")), QString()};
    w.window.SaveBtnClick();
    EXPECT_EQ(ReadAll(dir.file("numbers.txt")), JoinCrlf(w.producer.text));
    w.window.SaveBtnClick();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
}

// The save dialogs open in the model's folder, and a file the user keeps
// read-only is not replaced by an export: the message says why.
TEST(ResultWindow, SaveDialogsOpenInTheModelsFolderAndKeepReadOnlyFiles)
{
    ShownWindow w;
    TempDir dir;
    ScriptedDialogs dialogs;
    RecordingSink sink;
    const std::string savedName = ModelFileName;
    std::filesystem::create_directory(dir.file("runs"));
    ModelFileName = dir.file("runs/f_R1.1.sp");
    const std::string picture = dir.file("chart.bmp"), text = dir.file("numbers.txt");
    for (const std::string& path : {picture, text}) {
        WriteAll(path, "kept");
        ::chmod(path.c_str(), 0444);
    }
    dialogs.fileNames = {QString::fromStdString(picture)};
    w.window.SaveBtnClick();
    w.window.NumbersBtnClick();
    dialogs.fileNames = {QString::fromStdString(text)};
    w.window.SaveBtnClick();
    ModelFileName = savedName;

    const QString folder = QString::fromStdString(dir.file("runs"));
    EXPECT_EQ(dialogs.fileFolders, (std::vector<QString>{folder, folder}));
    ASSERT_EQ(sink.boxes.size(), 2u);
    EXPECT_EQ(sink.boxes[0].text, "Cannot save to " + picture + ": the file is read-only.");
    EXPECT_EQ(sink.boxes[1].text, "Cannot save to " + text + ": the file is read-only.");
    for (const std::string& path : {picture, text}) {
        EXPECT_EQ(ReadAll(path), "kept");
        ::chmod(path.c_str(), 0644);
    }
}

TEST(ResultWindow, PrintsOnAGreyScalePrinterInBlackAndCancelPrintsNothing)
{
    // A printer that prints in grey scale only.
    struct GreyPrinter : ScriptedDialogs {
        bool ChoosePrinter(QWidget* parent, QPrinter& printer) override
        {
            const bool chosen = ScriptedDialogs::ChoosePrinter(parent, printer);
            printer.setColorMode(QPrinter::GrayScale);
            return chosen;
        }
    } dialogs;
    ShownWindow w;
    TempDir dir;
    const QString chart = QString::fromStdString(dir.file("chart.pdf"));
    const QString numbers = QString::fromStdString(dir.file("numbers.pdf"));

    dialogs.printFiles = {QString(), chart};
    w.producer.calls.clear();
    w.window.PrintBtnClick();   // cancelled
    EXPECT_EQ(w.producer.CallsOf(kModeChart), 0);
    EXPECT_FALSE(std::filesystem::exists(chart.toStdString()));
    w.window.PrintBtnClick();
    ASSERT_EQ(w.producer.CallsOf(kModeChart), 1);
    EXPECT_TRUE(w.producer.calls.back().monochrome);
    EXPECT_GT(std::filesystem::file_size(chart.toStdString()), 500u);

    w.window.NumbersBtnClick();
    dialogs.printFiles = {numbers};
    w.window.PrintBtnClick();
    EXPECT_GT(std::filesystem::file_size(numbers.toStdString()), 500u);
    EXPECT_EQ(dialogs.printDialogs, 3);
}

TEST(ResultWindow, ChartPropertiesChangeTheWindowAndLaterWindowsOfItsKind)
{
    ShownWindow w;
    ScriptedModals modals(true);
    RecordingSink sink;

    // Cancel changes nothing.
    modals.steps.push_back([](QDialog& dialog) {
        static_cast<TScaleForm&>(dialog).TitleEdit().setText("Discarded");
        static_cast<TScaleForm&>(dialog).CancelButton().click();
        return ResultOf(dialog);
    });
    w.window.ScaleBtnClick();
    EXPECT_EQ(w.window.ScaleInfo().Title, "Trajectory summary");
    EXPECT_EQ(DefaultScaleInfo[kTrajectory].Title, "Trajectory summary");

    const int textCalls = w.producer.CallsOf(kModeText);
    modals.steps.push_back([](QDialog& dialog) {
        auto& form = static_cast<TScaleForm&>(dialog);
        EXPECT_EQ(form.TitleEdit().text(), "Trajectory summary");
        form.TitleEdit().setText("Meadow herb, 50 years");
        form.AutoscaleCheckBox().setChecked(false);
        form.XAxisMaxEdit().SetValue(50);
        form.YAxisMaxEdit().SetValue(5000);
        form.OkButton().click();
        return ResultOf(dialog);
    });
    w.window.ScaleBtnClick();
    EXPECT_EQ(w.window.ScaleInfo().Title, "Meadow herb, 50 years");
    EXPECT_FALSE(w.window.ScaleInfo().AutoScale);
    EXPECT_EQ(w.window.ScaleInfo().YMaximum, 5000);
    EXPECT_EQ(DefaultScaleInfo[kTrajectory], w.window.ScaleInfo());
    EXPECT_EQ(w.producer.CallsOf(kModeText), textCalls + 1);   // the numbers follow
    EXPECT_TRUE(sink.boxes.empty());

    // The next window of the kind starts from the edited settings.
    FakeProducer producer;
    TResultTemplateForm next(producer, kSetup);
    GrabWindow(next);
    EXPECT_EQ(next.ScaleInfo().Title, "Meadow herb, 50 years");
    SelectKindTable(TKindTable::Strativa);
}

// Limits in the wrong order, typed and left by Tab: one message, the
// keyboard back in the limit left; a click to the other limit to mend it
// brings no second message, and what is typed goes there.
TEST(ResultWindow, ChartPropertiesTellAMistakeInTheLimitsOnceWhenTheyAreLeft)
{
    ShownWindow w;
    RecordingSink sink;
    RealModals modals;
    auto& scaleButton = *w.window.findChild<QToolButton*>("ScaleBtn");
    modals.steps.push_back([](QDialog& d) { Click(static_cast<TScaleForm&>(d).CancelButton()); });
    modals.steps.push_back([&](QDialog& d) {
        auto& form = static_cast<TScaleForm&>(d);
        if (form.AutoscaleCheckBox().isChecked())
            Click(form.AutoscaleCheckBox(), QPoint(8, form.AutoscaleCheckBox().height() / 2));
        Click(form.XAxisMaxEdit());
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("50");
        Click(form.YAxisMaxEdit());
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("1000");
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        Type("500");
        Press(Qt::Key_Tab);
        EXPECT_TRUE(sink.boxes.empty());
        Type("100");
        Press(Qt::Key_Tab);  // on to OK
        ASSERT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(sink.boxes[0].text, "Maximum y-axis value must be greater than minimum value.");
        EXPECT_EQ(QApplication::focusWidget(), &form.YAxisMaxEdit());

        Click(form.YAxisMinEdit());
        EXPECT_EQ(sink.boxes.size(), 1u);
        EXPECT_EQ(QApplication::focusWidget(), &form.YAxisMinEdit());
        Press(Qt::Key_A, Qt::ControlModifier);
        Type("50");
        Press(Qt::Key_Tab);
        Click(form.OkButton());
        EXPECT_EQ(sink.boxes.size(), 1u);
        EXPECT_FALSE(d.isVisible());
    });
    Click(scaleButton);
    Click(scaleButton);
    EXPECT_EQ(modals.showings, 2);
    EXPECT_FALSE(w.window.ScaleInfo().AutoScale);
    EXPECT_EQ(w.window.ScaleInfo().YMinimum, 50);
    EXPECT_EQ(w.window.ScaleInfo().YMaximum, 100);
}

TEST(ResultWindow, ARepaintDuringAProductionWaitsForItsEnd)
{
    ShownWindow w;
    int chartsDuring = -1;
    // A producer message box's event loop repaints the window while the
    // numbers are being produced.
    w.producer.during = [&](int mode) {
        if (mode != kModeText)
            return;
        const int before = w.producer.CallsOf(kModeChart);
        w.window.PaintBox().repaint();
        QApplication::processEvents();
        chartsDuring = w.producer.CallsOf(kModeChart) - before;
    };
    const int before = w.producer.CallsOf(kModeChart);
    w.window.FillNumbers();
    w.producer.during = nullptr;
    EXPECT_EQ(chartsDuring, 0);
    // Drawn once the production has ended.
    QApplication::processEvents();
    EXPECT_EQ(w.producer.CallsOf(kModeChart), before + 1);
}

TEST(ResultWindow, HelpAsksForTheWindowsContext)
{
    RecordingHelp recorder;
    ShownWindow w;
    w.window.findChild<QToolButton*>("HelpBtn")->click();
    EXPECT_EQ(recorder.contexts, std::vector<int>{30000});
    // F1 anywhere in the window asks for the same topic.
    QApplication::setActiveWindow(&w.window);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w.window, Qt::Key_F1);
    EXPECT_EQ(recorder.contexts, (std::vector<int>{30000, 30000}));
}
