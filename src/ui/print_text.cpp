#include "ui/print_text.h"

#include "core/messages.h"
#include "ui/dialog_services.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>

#include <algorithm>

bool PrintLines(QPrinter& printer, const QStringList& lines, const QFont& font)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const int pageHeight = painter.viewport().height();
    const int lineHeight = std::max(1, metrics.lineSpacing());
    int y = 0;
    for (const QString& line : lines) {
        if (y > 0 && y + lineHeight > pageHeight) {
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += lineHeight;
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

bool PrintStrings(QWidget* parent, const QStringList& lines, const QFont& font)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!DialogServices().ChoosePrinter(parent, printer))
        return false;
    if (PrintLines(printer, lines, font))
        return true;
    ErrorMessage("Printing failed.");
    return false;
}

bool PrintMemo(QWidget* parent, const QPlainTextEdit& memo)
{
    return PrintStrings(parent, memo.toPlainText().split(QLatin1Char('\n')), memo.font());
}
