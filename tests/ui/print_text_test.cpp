#include "ui/print_text.h"

#include "support/scripted_dialogs.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <QPlainTextEdit>
#include <QRegularExpression>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

int PdfPages(const std::string& path)
{
    const QString pdf = QString::fromLatin1(QByteArray::fromStdString(ReadAll(path)));
    return static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

QStringList NumberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString("Line %1").arg(i);
    return lines;
}

TEST(PrintText, LinesRunOverPagesOfAPdfPrinter)
{
    TempDir dir;
    ScriptedDialogs dialogs;
    const struct {
        int lines;
        int minPages, maxPages;
    } cases[] = {{3, 1, 1}, {200, 2, 10}};
    for (const auto& c : cases) {
        const std::string file = dir.file("out" + std::to_string(c.lines) + ".pdf");
        dialogs.printFiles.push_back(QString::fromStdString(file));
        ASSERT_TRUE(PrintStrings(nullptr, NumberedLines(c.lines), QFont("DejaVu Sans Mono", 10)));
        const int pages = PdfPages(file);
        EXPECT_GE(pages, c.minPages) << c.lines;
        EXPECT_LE(pages, c.maxPages) << c.lines;
    }
}

TEST(PrintText, CancelInThePrintDialogPrintsNothing)
{
    TempDir dir;
    const std::string file = dir.file("memo.pdf");
    ScriptedDialogs dialogs;
    dialogs.printFiles = {"", QString::fromStdString(file)};

    QPlainTextEdit memo;
    memo.setPlainText("first\nsecond");
    EXPECT_FALSE(PrintMemo(nullptr, memo));
    EXPECT_FALSE(std::filesystem::exists(file));

    EXPECT_TRUE(PrintMemo(nullptr, memo));
    EXPECT_EQ(PdfPages(file), 1);
    EXPECT_EQ(dialogs.printDialogs, 2);
}

TEST(PrintText, AFailingPrinterIsReportedNotTakenForDone)
{
    RecordingSink sink;
    ScriptedDialogs dialogs;
    dialogs.printFiles = {"/no/such/folder/out.pdf"};
    EXPECT_FALSE(PrintStrings(nullptr, {"x"}));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, TBoxKind::Error);
}

}  // namespace
