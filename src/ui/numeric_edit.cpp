#include "ui/numeric_edit.h"

#include "core/messages.h"
#include "ui/field_name.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <climits>
#include <stdexcept>

namespace {

const char* const kCancelProperty = "numericEditCancel";

char LocaleSeparator()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 0x80)
        return static_cast<char>(point[0].unicode());
    return '.';
}

}  // namespace

void MarkAsCancelButton(QAbstractButton& button) { button.setProperty(kCancelProperty, true); }

bool IsCancelButton(QAbstractButton& button)
{
    if (button.property(kCancelProperty).toBool())
        return true;
    auto* box = qobject_cast<QDialogButtonBox*>(button.parentWidget());
    return box && box->buttonRole(&button) == QDialogButtonBox::RejectRole;
}

TFnpNumericEdit::TFnpNumericEdit(QWidget* parent) : TRuledLineEdit(parent), separator_(LocaleSeparator())
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resize(73, sizeHint().height());
    SetValue(0);
}

void TFnpNumericEdit::SetDecimals(int decimals)
{
    const double value = ReadNumberText(text().toStdString()).value_or(0);
    decimals_ = ClampDecimals(decimals);
    SetValue(value);
}

TTypedNumber TFnpNumericEdit::Reading() const
{
    TNumberField field;
    // A field shows no decimals for whole numbers; a stored fraction shown
    // with its decimals is no whole number the user typed.
    field.whole = shownDecimals_ == 0;
    field.minValue = minValue_;
    field.maxValue = maxValue_;
    field.maxDecimals = 9;
    return ReadTypedNumber(text().toLatin1().toStdString(), field);
}

std::string TFnpNumericEdit::RefusalMessage() const
{
    const TTypedNumber reading = Reading();
    if (reading.Accepted() || reading.refusal == TNumberRefusal::OutOfRange)
        return {};
    return NumberRefusalMessage(reading.refusal, FieldName(*this), text().toLatin1().toStdString());
}

double TFnpNumericEdit::Value() const
{
    const TTypedNumber reading = Reading();
    if (reading.refusal == TNumberRefusal::NotANumber)
        throw std::invalid_argument("'" + text().toStdString() + "' is not a valid number");
    return reading.value;
}

double TFnpNumericEdit::ShownValue() const
{
    const TTypedNumber reading = Reading();
    return reading.refusal == TNumberRefusal::NotANumber ? 0 : reading.value;
}

void TFnpNumericEdit::SetValue(double value)
{
    shownDecimals_ = decimals_;
    setText(QString::fromStdString(FormatNumericValue(value, decimals_, separator_)));
}

void TFnpNumericEdit::SetValueExactly(double value)
{
    shownDecimals_ = ExactDecimals(value, decimals_);
    setText(QString::fromStdString(FormatNumericValue(value, shownDecimals_, separator_)));
}

int TFnpNumericEdit::AsInteger() const
{
    const double value = std::trunc(Value());
    if (value >= INT_MAX)
        return INT_MAX;
    if (value <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool TFnpNumericEdit::IsValid()
{
    if (Reading().Accepted())
        return true;
    emit OnInvalidEntry();
    return false;
}

bool TFnpNumericEdit::ClickButton(bool cancel)
{
    QWidget* form = parentWidget();
    while (form && !form->isWindow())
        form = form->parentWidget();
    if (!form) {
        ErrorMessage("TFnpNumericEdit: could not find parent form");
        return false;
    }
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        if (button->window() != form || !button->isVisibleTo(form))
            continue;
        if (cancel ? IsCancelButton(*button) : button->isDefault()) {
            button->click();
            return true;
        }
    }
    return false;
}

bool TFnpNumericEdit::ClickDefaultButton() { return ClickButton(false); }
bool TFnpNumericEdit::ClickCancelButton() { return ClickButton(true); }

TNumericEditState TFnpNumericEdit::State() const
{
    TNumericEditState state;
    state.text = text().toLatin1().toStdString();
    state.caret = cursorPosition();
    if (hasSelectedText()) {
        state.selStart = selectionStart();
        state.selLength = static_cast<int>(selectedText().size());
    }
    return state;
}

TNumericEditSettings TFnpNumericEdit::Settings() const
{
    TNumericEditSettings settings;
    settings.decimals = shownDecimals_;
    settings.separator = separator_;
    settings.readOnly = isReadOnly();
    return settings;
}

void TFnpNumericEdit::Show(const TNumericEditState& state)
{
    const QString shown = QString::fromLatin1(state.text);
    if (shown != text())
        setText(shown);
    else
        deselect();
    setCursorPosition(state.caret);
}

void TFnpNumericEdit::ShowReadNumber()
{
    if (NumericTextInLayout(text().toLatin1().toStdString(), Settings()))
        return;
    const TTypedNumber reading = Reading();
    if (!reading.Accepted())
        return;
    const int decimals = decimals_;
    shownDecimals_ = ExactDecimals(reading.value, std::max(decimals, shownDecimals_));
    setText(QString::fromStdString(FormatNumericValue(reading.value, shownDecimals_, separator_)));
}

void TFnpNumericEdit::TypeText(const QString& typed)
{
    TNumericEditState state = State();
    const TNumericEditSettings settings = Settings();
    for (const QChar c : typed) {
        if (c.unicode() < 0x20)
            continue;
        // A character beyond Latin-1 is kept as a mark that no number holds.
        const char key = c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?';
        state = NumericKeyPress(state, key, settings);
    }
    Show(state);
}

void TFnpNumericEdit::PasteText(const QString& pasted)
{
    if (isReadOnly())
        return;
    Show(NumericPaste(State(), pasted.toLatin1().toStdString(), Settings()));
    ShowReadNumber();
}

void TFnpNumericEdit::Cut()
{
    if (isReadOnly() || !hasSelectedText())
        return;
    copy();
    Show(NumericDeleteSelection(State(), Settings()));
}

void TFnpNumericEdit::DeleteSelection() { Show(NumericDeleteSelection(State(), Settings())); }

void TFnpNumericEdit::keyPressEvent(QKeyEvent* event)
{
    if (isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    event->accept();
    if (event->text() == QLatin1String("\n")) {  // a bare line feed
        QApplication::beep();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (IsValid()) {
            ShowReadNumber();
            ClickDefaultButton();
        }
    } else if (key == Qt::Key_Escape) {
        ClickCancelButton();
    } else if (key == Qt::Key_Delete && !(mods & ~Qt::ShiftModifier)) {
        Show(NumericDeleteKey(State(), Settings()));
    } else if (key == Qt::Key_Backspace && !(mods & ~Qt::ShiftModifier)) {
        Show(NumericKeyPress(State(), kBackspaceKey, Settings()));
    } else if (event->matches(QKeySequence::Paste)) {
        Paste();
    } else if (event->matches(QKeySequence::Cut)) {
        Cut();
    } else if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll) ||
               key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End) {
        // Moving and selecting change no text.
        QLineEdit::keyPressEvent(event);
    } else if (!event->text().isEmpty() && event->text()[0].unicode() >= 0x20 &&
               !(mods & (Qt::ControlModifier | Qt::MetaModifier))) {
        TypeText(event->text());
    } else {
        // Every other key (undo, line-editing shortcuts, function keys) edits
        // nothing here; the window may use it.
        event->ignore();
    }
}

void TFnpNumericEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason)
        return;
    if (autoSelect_)
        selectAll();
    else
        deselect();
}

void TFnpNumericEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (the context menu) or another window taking over is no leaving.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (Reading().Accepted())
        ShowReadNumber();
    else
        emit OnInvalidEntry();
}
