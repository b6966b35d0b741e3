#include "stage_ui/general_form.h"

#include "core/messages.h"
#include "stage/general_info.h"
#include "stage_ui/model_text.h"
#include "ui/dialog_buttons.h"
#include "ui/edit_ranges.h"
#include "ui/modal_dialogs.h"
#include "ui/spin_edit_ex.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Lines as the user sees them (a line break within a paragraph counts too).
int LineCount(const QPlainTextEdit& memo) { return static_cast<int>(memo.toPlainText().count(QLatin1Char('\n'))) + 1; }

}  // namespace

TGeneralForm::TGeneralForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("General Information"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* fields = new QGridLayout;
    titleEdit_ = new QLineEdit(this);
    titleEdit_->setObjectName(QStringLiteral("TitleEdit"));
    titleEdit_->setMinimumWidth(420);
    commentsMemo_ = new QPlainTextEdit(this);
    commentsMemo_->setObjectName(QStringLiteral("CommentsMemo"));
    commentsMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    commentsMemo_->setTabChangesFocus(true);
    {
        const QFontMetrics metrics(commentsMemo_->font());
        const int frame = 2 * commentsMemo_->frameWidth() + 2 * static_cast<int>(commentsMemo_->document()->documentMargin());
        // Four lines stay in view beside a horizontal scroll bar for long ones.
        commentsMemo_->setFixedHeight(kCommentLines * metrics.lineSpacing() + frame +
                                      commentsMemo_->horizontalScrollBar()->sizeHint().height() + 4);
    }
    replications_ = new TSpinEditEx(this);
    replications_->setObjectName(QStringLiteral("ReplicationsSpinEdit"));
    duration_ = new TSpinEditEx(this);
    duration_->setObjectName(QStringLiteral("DurationSpinEdit"));
    auto addField = [&](const QString& caption, QWidget* field, int row, Qt::Alignment align = {}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
        fields->addWidget(field, row, 1, align);
    };
    addField(QStringLiteral("&Title:"), titleEdit_, 0);
    addField(QStringLiteral("&Comments:"), commentsMemo_, 1);
    addField(QStringLiteral("&Replications:"), replications_, 2, Qt::AlignLeft);
    addField(QStringLiteral("&Duration:"), duration_, 3, Qt::AlignLeft);
    layout->addLayout(fields);

    demogStoch_ = new QCheckBox(QStringLiteral("&Use demographic stochasticity"), this);
    demogStoch_->setObjectName(QStringLiteral("UseDemographicStochasticityCheckBox"));
    constraints_ = new QCheckBox(QStringLiteral("&Ignore constraints"), this);
    constraints_->setObjectName(QStringLiteral("ConstraintsCheckBox"));
    layout->addWidget(demogStoch_);
    layout->addWidget(constraints_);

    const TDialogButtons buttons = AddDialogButtons(*this, *layout, kHelpContext);
    ok_ = buttons.Ok;
    cancel_ = buttons.Cancel;
    help_ = buttons.Help;

    commentsMemo_->installEventFilter(this);
    connect(commentsMemo_, &QPlainTextEdit::textChanged, this, &TGeneralForm::CommentsChanged);
    connect(replications_, &QSpinBox::valueChanged, this, [this](int value) { demogStoch_->setEnabled(value > 0); });
    connect(ok_, &QPushButton::clicked, this, &TGeneralForm::OkButtonClick);
    ApplyLimits();
}

void TGeneralForm::ApplyLimits()
{
    // Set on the spin box itself: equal limits (a duration limit of 1) must
    // still be limits, not "any number".
    SetSpinEditRange(*replications_, 0, Info.Limits().replications);
    SetSpinEditRange(*duration_, 1, Info.Limits().duration);
}

bool TGeneralForm::Execute()
{
    LoadFromModel();
    return ShowModal(*this) == TModalResult::Ok;
}

void TGeneralForm::LoadFromModel()
{
    ApplyLimits();
    const TGeneralInfo info = GeneralInfoOf(Info);
    titleEdit_->setText(ModelText(info.title));
    QStringList lines;
    for (const std::string& line : ShownCommentLines(info))
        lines.push_back(ModelText(line));
    {
        const QSignalBlocker block(commentsMemo_);
        commentsMemo_->setPlainText(lines.join(QLatin1Char('\n')));
    }
    commentsMemo_->moveCursor(QTextCursor::Start);
    KeepCommentsAccepted();
    replications_->SetValue(info.replications);
    duration_->SetValue(info.duration);
    demogStoch_->setChecked(info.demogstoch);
    constraints_->setChecked(info.ignoreconstraints);
    demogStoch_->setEnabled(replications_->Value() > 0);
}

void TGeneralForm::StoreToModel()
{
    TGeneralInfo info;
    info.title = ModelBytes(titleEdit_->text());
    const QStringList lines = commentsMemo_->toPlainText().split(QLatin1Char('\n'));
    for (int i = 0; i < kCommentLines && i < lines.size(); ++i)
        info.comments[static_cast<std::size_t>(i)] = ModelBytes(lines[i]);
    info.replications = replications_->Value();
    info.duration = duration_->Value();
    info.demogstoch = demogStoch_->isChecked();
    info.ignoreconstraints = constraints_->isChecked();
    StoreGeneralInfo(Info, info);
}

void TGeneralForm::OkButtonClick()
{
    // What is typed into a spin edit counts once it is left.
    ok_->setFocus();
    replications_->interpretText();
    duration_->interpretText();
    StoreToModel();
    accept();
}

void TGeneralForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    titleEdit_->setFocus();
}

bool TGeneralForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == commentsMemo_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && LineCount(*commentsMemo_) >= kCommentLines) {
            WarningBeep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TGeneralForm::CommentsChanged()
{
    if (restoring_)
        return;
    if (LineCount(*commentsMemo_) <= kCommentLines) {
        KeepCommentsAccepted();
        return;
    }
    // A paste (or any other change) that gives more lines is taken back.
    restoring_ = true;
    commentsMemo_->setPlainText(acceptedComments_);
    QTextCursor cursor = commentsMemo_->textCursor();
    cursor.setPosition(std::min(acceptedCursor_, static_cast<int>(acceptedComments_.size())));
    commentsMemo_->setTextCursor(cursor);
    restoring_ = false;
    WarningBeep();
}

void TGeneralForm::KeepCommentsAccepted()
{
    acceptedComments_ = commentsMemo_->toPlainText();
    acceptedCursor_ = commentsMemo_->textCursor().position();
}
