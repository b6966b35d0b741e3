#include "ui/spin_edit_ex.h"

#include "ui/refused_separator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <climits>

namespace {

// A whole number as typed: an optional minus sign and at least one digit.
bool IsWholeNumberText(const QString& text)
{
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() <= start)
        return false;
    for (qsizetype i = start; i < text.size(); ++i)
        if (!text[i].isDigit())
            return false;
    return true;
}

}  // namespace

TSpinEditEx::TSpinEditEx(QWidget* parent) : QSpinBox(parent) { ApplyRange(); }

void TSpinEditEx::SetMinValue(int value)
{
    minValue_ = value;
    ApplyRange();
}

void TSpinEditEx::SetMaxValue(int value)
{
    maxValue_ = value;
    ApplyRange();
}

void TSpinEditEx::ApplyRange()
{
    if (minValue_ == maxValue_)
        setRange(INT_MIN, INT_MAX);
    else
        setRange(std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

void TSpinEditEx::SetMaxLength(int length)
{
    maxLength_ = std::max(length, 0);
    lineEdit()->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

bool TSpinEditEx::TextInRange() const
{
    bool ok = false;
    const qlonglong value = cleanText().toLongLong(&ok);
    return ok && value >= minimum() && value <= maximum();
}

QValidator::State TSpinEditEx::validate(QString& input, int& pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (!checkOnExit_ || state != QValidator::Invalid)
        return state;
    // A whole number beyond the range is the user's to mend: kept while
    // typing, refused on leaving.
    QString text = input;
    if (text.startsWith(prefix()))
        text.remove(0, prefix().size());
    if (!suffix().isEmpty() && text.endsWith(suffix()))
        text.chop(suffix().size());
    text = text.trimmed();
    return IsWholeNumberText(text) ? QValidator::Intermediate : state;
}

void TSpinEditEx::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!isReadOnly() && (text == QLatin1String(".") || text == QLatin1String(",") || text == locale().decimalPoint())) {
        event->accept();
        RefuseSeparator(*this);
        return;
    }
    // Enter would put the last value back over a number out of range: it
    // goes to the window (its default button) with the text as typed.
    if (checkOnExit_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !TextInRange()) {
        event->ignore();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void TSpinEditEx::focusOutEvent(QFocusEvent* event)
{
    if (!checkOnExit_ || TextInRange()) {
        QSpinBox::focusOutEvent(event);
        return;
    }
    // The spin box would put its last value back: the typed text stays.
    const QString typed = lineEdit()->text();
    QSpinBox::focusOutEvent(event);
    lineEdit()->setText(typed);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
        emit OnInvalidEntry();
}
