#include "ui/result_window_parts.h"

#include "chart/scale_info.h"
#include "core/config.h"
#include "core/file_io.h"
#include "core/messages.h"
#include "ui/clipboard_copy.h"
#include "ui/dialog_services.h"
#include "ui/hints.h"
#include "ui/main_window_parts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QToolButton>

#include <stdexcept>

void RequireResultKind(int kind, const char* window)
{
    if (kind < 1 || kind >= static_cast<int>(DefaultScaleInfo.size()))
        throw std::invalid_argument(std::string("Assertion failure: ") + window + " has no result kind (" +
                                    std::to_string(kind) + ")");
}

TResultWindowFrame MakeResultWindowFrame(QDialog& window, const QString& caption, const QString& defaultCaption)
{
    window.setWindowTitle(caption.isEmpty() ? defaultCaption : caption);
    window.resize(640, 480);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* panel = new QWidget(&window);
    panel->setObjectName(QStringLiteral("ToolPanel"));
    auto* toolPanel = new QHBoxLayout(panel);
    toolPanel->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(panel);
    return {toolPanel, layout};
}

QToolButton* AddToolButton(QBoxLayout& panel, const char* name, const QString& text, const QString& hint)
{
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setAutoRaise(true);
    SetHint(*button, hint);
    panel.addWidget(button);
    return button;
}

QPlainTextEdit* MakeResultMemo(QWidget* parent, bool wordWrap)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return memo;
}

QStringList ResultLines(const std::vector<std::string>& lines)
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        result.push_back(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    return result;
}

void CopyResultText(const QPlainTextEdit& memo, const std::vector<std::string>& csvLines)
{
    const QTextCursor cursor = memo.textCursor();
    const QString text = cursor.hasSelection() ? cursor.selectedText() : memo.toPlainText();
    CopyListToClipboardAsCsv(ResultLines(csvLines), text);
}

QString ResultSaveFolder() { return ModelFolder(ModelFileName); }

bool SaveResultText(QWidget* parent, const std::vector<std::string>& lines)
{
    const TSaveChoice choice =
        DialogServices().SaveFileNameAndType(parent, QStringLiteral("Save As"), ResultSaveFolder(),
                                             QStringLiteral("Text files (*.txt *.TXT);;All files (*)"));
    if (choice.FileName.isEmpty())
        return false;
    const std::string path = FileNameBytes(choice.FileName);
    if (WriteFileSafely(path, JoinCrlf(lines)))
        return true;
    ErrorMessage(SaveFailureMessage(path));
    return false;
}
