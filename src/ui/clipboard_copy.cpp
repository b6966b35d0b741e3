#include "ui/clipboard_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

QString CrlfLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

// Any line end (including the paragraph mark of a text selection) as CR LF.
QString WithCrlf(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

}  // namespace

std::unique_ptr<QMimeData> MakeClipboardData(const QString& plainText, const QStringList& csvLines)
{
    auto data = std::make_unique<QMimeData>();
    if (!plainText.isEmpty())
        data->setText(plainText);
    if (!csvLines.isEmpty()) {
        const QByteArray csv = CrlfLines(csvLines).toUtf8();
        data->setData(QString::fromLatin1(kCsvMimeType), csv);
#ifdef Q_OS_WIN
        // Spreadsheets there look for the registered clipboard format "CSV".
        data->setData(QStringLiteral("application/x-qt-windows-mime;value=\"CSV\""), csv);
#endif
    }
    return data;
}

void SetClipboardData(std::unique_ptr<QMimeData> data)
{
    QApplication::clipboard()->setMimeData(data.release());
}

bool CopyMemoToClipboard(const QPlainTextEdit& memo, bool copyAll)
{
    const QTextCursor cursor = memo.textCursor();
    QString text;
    if (cursor.hasSelection())
        text = cursor.selectedText();
    else if (copyAll)
        text = memo.toPlainText();
    if (text.isEmpty())
        return false;
    SetClipboardData(MakeClipboardData(WithCrlf(text), {}));
    return true;
}

void CopyListToClipboardAsCsv(const QStringList& list, const QString& plainText)
{
    SetClipboardData(MakeClipboardData(plainText.isEmpty() ? CrlfLines(list) : WithCrlf(plainText), list));
}
