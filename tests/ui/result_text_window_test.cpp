#include "ui/result_text_window.h"

#include "core/file_io.h"
#include "support/fake_producer.h"
#include "support/recording_sink.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_modals.h"
#include "support/temp_dir.h"
#include "ui/clipboard_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const TResultWindowSetup kSetup{14, "Finite Rate of Increase (lambda)", 20000};

}  // namespace

TEST(ResultTextWindow, ShowsTheProducersTextAndItsWarningsAtEveryOpening)
{
    RecordingSink sink;
    FakeProducer producer;
    ScriptedModals modals(true);
    for (int i = 0; i < 2; ++i)
        modals.steps.push_back([&](QDialog& dialog) {
            auto& window = static_cast<TResultTextTemplateForm&>(dialog);
            EXPECT_EQ(window.windowTitle(), "Finite Rate of Increase (lambda)");
            EXPECT_EQ(window.Memo().toPlainText(), "Time     Mean\n   0     10.0\n   1     12.5");
            return TModalResult::Cancel;
        });
    EXPECT_EQ(TResultTextTemplateForm::Execute(producer, kSetup), TModalResult::Cancel);
    EXPECT_EQ(TResultTextTemplateForm::Execute(producer, kSetup), TModalResult::Cancel);

    ASSERT_EQ(producer.calls.size(), 2u);
    for (const ProducerCall& call : producer.calls) {
        EXPECT_EQ(call.mode, kModeText);
        EXPECT_TRUE(call.warn);
    }
    ASSERT_EQ(sink.boxes.size(), 2u);
    EXPECT_EQ(sink.boxes[1].kind, TBoxKind::Warning);
    EXPECT_THROW(TResultTextTemplateForm(producer, {0, "", 0}), std::invalid_argument);
}

TEST(ResultTextWindow, CopiesAndSavesWhatItShows)
{
    FakeProducer producer;
    TResultTextTemplateForm window(producer, kSetup);
    window.show();
    QApplication::processEvents();

    window.CopyBtnClick();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    EXPECT_EQ(data->text(), "Time     Mean\r\n   0     10.0\r\n   1     12.5");
    EXPECT_EQ(QString::fromUtf8(data->data(QString::fromLatin1(kCsvMimeType))), "Time,Mean\r\n0,10.0\r\n1,12.5\r\n");
    EXPECT_FALSE(producer.calls.back().warn);

    QTextCursor cursor = window.Memo().textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    window.Memo().setTextCursor(cursor);
    EXPECT_EQ(window.CopyButton().toolTip(), "Copy selected results to clipboard");
    window.CopyBtnClick();
    EXPECT_EQ(QApplication::clipboard()->text(), "Time");
    window.Memo().setTextCursor(QTextCursor(window.Memo().document()));
    EXPECT_EQ(window.CopyButton().toolTip(), "Copy all results to clipboard");

    TempDir dir;
    ScriptedDialogs dialogs;
    dialogs.fileNames = {QString::fromStdString(dir.file("lambda.txt")), QString()};
    window.SaveBtnClick();
    window.SaveBtnClick();   // cancelled
    EXPECT_EQ(ReadAll(dir.file("lambda.txt")), JoinCrlf(window.Lines()));
    EXPECT_EQ(window.Lines(), producer.text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
