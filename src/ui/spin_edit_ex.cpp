#include "ui/spin_edit_ex.h"

#include "core/messages.h"
#include "ui/field_name.h"
#include "ui/range_message.h"
#include "ui/refused_separator.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace {

// Set while a refusal is told: the focus that the message moves is no
// leaving by the user.
bool telling = false;

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
    // Kept for the layout only: a longer number is typed (or pasted) in
    // full and refused by the range, never cut to its first digits.
    maxLength_ = std::max(length, 0);
}

TTypedNumber TSpinEditEx::ReadingOf(QString text) const
{
    if (text.startsWith(prefix()))
        text.remove(0, prefix().size());
    if (!suffix().isEmpty() && text.endsWith(suffix()))
        text.chop(suffix().size());
    TNumberField field;
    field.whole = true;
    field.minValue = minimum();
    field.maxValue = maximum();
    return ReadTypedNumber(text.toLatin1().toStdString(), field);
}

TTypedNumber TSpinEditEx::Reading() const { return ReadingOf(lineEdit()->text()); }

bool TSpinEditEx::TextInRange() const { return Reading().Accepted(); }

std::string TSpinEditEx::RefusalMessage() const
{
    const TTypedNumber reading = Reading();
    if (reading.Accepted() || reading.refusal == TNumberRefusal::OutOfRange)
        return {};
    return NumberRefusalMessage(reading.refusal, FieldName(*this), cleanText().toLatin1().toStdString());
}

std::string TSpinEditEx::RefusalOrRangeMessage() const
{
    const std::string why = RefusalMessage();
    return why.empty() ? RangeMessageText(std::to_string(minimum()), std::to_string(maximum())) : why;
}

bool TSpinEditEx::TellRefusal()
{
    if (TextInRange())
        return true;
    const std::string text = RefusalOrRangeMessage();
    telling = true;
    ErrorMessage(text);
    setFocus();
    selectAll();
    telling = false;
    return false;
}

void TSpinEditEx::TellRefusalOnLeaving(std::function<bool(QWidget* now)> wanted)
{
    SetCheckOnExit(true);
    connect(this, &TSpinEditEx::OnInvalidEntry, this, [this, wanted] {
        if (telling)
            return;
        // Told once the focus has moved, not inside the leave itself.
        QTimer::singleShot(0, this, [this, wanted] {
            QWidget* now = QApplication::focusWidget();
            if (!window()->isVisible() || now == this || (now && isAncestorOf(now)) || !wanted(now))
                return;
            TellRefusal();
        });
    });
}

QValidator::State TSpinEditEx::validate(QString& input, int& pos) const
{
    if (!checkOnExit_)
        return QSpinBox::validate(input, pos);
    // Whatever is typed or pasted stays, for the user to mend: it is read
    // on leaving, and refused there when it is no whole number in range.
    // The spin box takes as its value only what the rule reads.
    (void)pos;
    return ReadingOf(input).Accepted() ? QValidator::Acceptable : QValidator::Intermediate;
}

int TSpinEditEx::valueFromText(const QString& text) const
{
    if (!checkOnExit_)
        return QSpinBox::valueFromText(text);
    const TTypedNumber reading = ReadingOf(text);
    return reading.Accepted() ? static_cast<int>(reading.value) : value();
}

void TSpinEditEx::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!checkOnExit_ && !isReadOnly() &&
        (text == QLatin1String(".") || text == QLatin1String(",") || text == locale().decimalPoint())) {
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
