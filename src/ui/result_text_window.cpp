#include "ui/result_text_window.h"

#include "ui/help_service.h"
#include "ui/hints.h"
#include "ui/print_text.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

TResultTextTemplateForm::TResultTextTemplateForm(TResultProducer& producer, const TResultWindowSetup& setup,
                                                 QWidget* parent)
    : QDialog(parent), producer_(producer), kind_(setup.Kind), helpContext_(setup.HelpContext)
{
    RequireResultKind(kind_, "the text result window");
    scaleInfo_.AutoScale = false;
    scaleInfo_.ShowAll = false;
    const TResultWindowFrame frame =
        MakeResultWindowFrame(*this, setup.Caption, QStringLiteral("Text Results Template"));
    toolPanel_ = frame.toolPanel;

    QToolButton* printBtn = AddToolButton(*toolPanel_, "PrintBtn", QStringLiteral("Print"),
                                          QStringLiteral("Print|Print the results"));
    QToolButton* saveBtn = AddToolButton(*toolPanel_, "SaveBtn", QStringLiteral("Save"),
                                         QStringLiteral("Save|Save the results to a text file"));
    copyBtn_ = AddToolButton(*toolPanel_, "CopyBtn", QStringLiteral("Copy"),
                             QStringLiteral("Copy|Copy selected results to clipboard"));
    QToolButton* helpBtn = AddToolButton(*toolPanel_, "HelpBtn", QStringLiteral("Help"),
                                         QStringLiteral("Help|Get help for this window"));
    toolPanel_->addStretch();

    memo_ = MakeResultMemo(this, true);
    frame.views->addWidget(memo_, 1);

    connect(printBtn, &QToolButton::clicked, this, &TResultTextTemplateForm::PrintBtnClick);
    connect(saveBtn, &QToolButton::clicked, this, &TResultTextTemplateForm::SaveBtnClick);
    connect(copyBtn_, &QToolButton::clicked, this, &TResultTextTemplateForm::CopyBtnClick);
    connect(helpBtn, &QToolButton::clicked, this, &TResultTextTemplateForm::HelpBtnClick);
    AddHelpKey(*this, helpContext_);
    // Selecting with the mouse or the keyboard.
    connect(memo_, &QPlainTextEdit::selectionChanged, this, &TResultTextTemplateForm::UpdateCopyHint);
}

TResultTextTemplateForm::~TResultTextTemplateForm() = default;

bool TResultTextTemplateForm::Produce(int mode, std::vector<std::string>* lines)
{
    const bool warn = WarnFlag;
    WarnFlag = false;
    return producer_.Produce(scaleInfo_, nullptr, lines, kind_, mode, warn);
}

void TResultTextTemplateForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    WarnFlag = true;
    lines_.clear();
    produced_ = Produce(kModeText, &lines_);
    memo_->setPlainText(ResultLines(lines_).join(QLatin1Char('\n')));
}

void TResultTextTemplateForm::UpdateCopyHint()
{
    SetHint(*copyBtn_, memo_->textCursor().hasSelection() ? QStringLiteral("Copy selected results to clipboard")
                                                          : QStringLiteral("Copy all results to clipboard"));
}

void TResultTextTemplateForm::CopyBtnClick()
{
    std::vector<std::string> csv;
    Produce(kModeCsv, &csv);
    CopyResultText(*memo_, csv);
}

void TResultTextTemplateForm::SaveBtnClick() { SaveResultText(this, lines_); }

void TResultTextTemplateForm::PrintBtnClick() { PrintMemo(this, *memo_); }

void TResultTextTemplateForm::HelpBtnClick() { HelpService().ShowHelp(this, helpContext_); }
