#include "ui/result_window.h"

#include "core/file_io.h"
#include "core/messages.h"
#include "ui/clipboard_copy.h"
#include "ui/dialog_services.h"
#include "ui/help_service.h"
#include "ui/hints.h"
#include "ui/main_window_parts.h"
#include "ui/print_text.h"
#include "ui/result_chart.h"
#include "ui/scale_form.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kGraphFilter =
    "Windows Bitmap (*.bmp *.BMP);;Enhanced Windows Metafile (*.emf *.EMF);;Windows Metafile (*.wmf *.WMF)";

}  // namespace

TResultTemplateForm::TResultTemplateForm(TResultProducer& producer, const TResultWindowSetup& setup, QWidget* parent)
    : QDialog(parent), producer_(producer), kind_(setup.Kind), helpContext_(setup.HelpContext)
{
    RequireResultKind(kind_, "the result window");
    scaleInfo_ = DefaultScaleInfo[static_cast<std::size_t>(kind_)];
    const TResultWindowFrame frame = MakeResultWindowFrame(*this, setup.Caption, QStringLiteral("Results Template"));
    toolPanel_ = frame.toolPanel;

    QToolButton* printBtn = AddToolButton(*toolPanel_, "PrintBtn", QStringLiteral("Print"),
                                          QStringLiteral("Print|Print the results"));
    plotBtn_ = AddToolButton(*toolPanel_, "PlotBtn", QStringLiteral("Plot"), QStringLiteral("Show Plot|"));
    numbersBtn_ = AddToolButton(*toolPanel_, "NumbersBtn", QStringLiteral("Numbers"), QStringLiteral("Show Numbers|"));
    QToolButton* saveBtn = AddToolButton(*toolPanel_, "SaveBtn", QStringLiteral("Save"),
                                         QStringLiteral("Save|Save the results to a file"));
    QToolButton* scaleBtn = AddToolButton(*toolPanel_, "ScaleBtn", QStringLiteral("Scale"),
                                          QStringLiteral("Scale|Set chart scale and titles"));
    QToolButton* helpBtn = AddToolButton(*toolPanel_, "HelpBtn", QStringLiteral("Help"),
                                         QStringLiteral("Help|Get help for this window"));
    copyBtn_ = AddToolButton(*toolPanel_, "CopyBtn", QStringLiteral("Copy"),
                             QStringLiteral("Copy|Copy selected results to clipboard"));
    toolPanel_->addStretch();

    auto* views = new QButtonGroup(this);
    for (QToolButton* b : {plotBtn_, numbersBtn_}) {
        b->setCheckable(true);
        views->addButton(b);
    }
    plotBtn_->setChecked(true);

    paintBox_ = new TPaintBox(this);
    paintBox_->setObjectName(QStringLiteral("PaintBox"));
    paintBox_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    paintBox_->SetOnPaint([this](TCanvas& canvas) { PaintChart(canvas); });
    memo_ = MakeResultMemo(this, false);
    memo_->hide();
    frame.views->addWidget(paintBox_, 1);
    frame.views->addWidget(memo_, 1);

    connect(printBtn, &QToolButton::clicked, this, &TResultTemplateForm::PrintBtnClick);
    connect(plotBtn_, &QToolButton::clicked, this, &TResultTemplateForm::PlotBtnClick);
    connect(numbersBtn_, &QToolButton::clicked, this, &TResultTemplateForm::NumbersBtnClick);
    connect(saveBtn, &QToolButton::clicked, this, &TResultTemplateForm::SaveBtnClick);
    connect(scaleBtn, &QToolButton::clicked, this, &TResultTemplateForm::ScaleBtnClick);
    connect(helpBtn, &QToolButton::clicked, this, &TResultTemplateForm::HelpBtnClick);
    AddHelpKey(*this, helpContext_);
    connect(copyBtn_, &QToolButton::clicked, this, &TResultTemplateForm::CopyBtnClick);
    connect(memo_, &QPlainTextEdit::selectionChanged, this, &TResultTemplateForm::UpdateCopyHint);
}

TResultTemplateForm::~TResultTemplateForm() = default;

TModalResult TResultTemplateForm::CheckAndShow()
{
    std::vector<std::string> unused;
    if (!producer_.Produce(scaleInfo_, &graph_, &unused, kind_, kModeCheck, true))
        return TModalResult::Abort;
    return ShowModal(*this);
}

bool TResultTemplateForm::Produce(int mode, TGraph* graph, std::vector<std::string>* lines)
{
    const bool warn = WarnFlag;
    WarnFlag = false;
    return producer_.Produce(scaleInfo_, graph, lines, kind_, mode, warn);
}

void TResultTemplateForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    scaleInfo_ = DefaultScaleInfo[static_cast<std::size_t>(kind_)];
    WarnFlag = false;
    FillNumbers();
    UpdateCopyHint();
}

void TResultTemplateForm::PaintChart(TCanvas& canvas)
{
    // A message box of a production in progress runs its own event loop,
    // which can repaint this window: draw once the production is over.
    if (ProductionInProgress()) {
        RepaintAfterProduction(paintBox_);
        return;
    }
    const bool warn = WarnFlag;
    WarnFlag = false;
    DrawResultChart(producer_, graph_, scaleInfo_, kind_, canvas, warn);
}

TDrawPicture TResultTemplateForm::ChartPicture()
{
    return [this](TCanvas& canvas) {
        TGraph graph;
        const bool warn = WarnFlag;
        WarnFlag = false;
        DrawResultChart(producer_, graph, scaleInfo_, kind_, canvas, warn);
    };
}

bool TResultTemplateForm::ShowingNumbers() const { return numbersBtn_->isChecked(); }

void TResultTemplateForm::FillNumbers()
{
    lines_.clear();
    Produce(kModeText, nullptr, &lines_);
    memo_->setPlainText(ResultLines(lines_).join(QLatin1Char('\n')));
}

void TResultTemplateForm::PlotBtnClick()
{
    plotBtn_->setChecked(true);
    memo_->hide();
    paintBox_->show();
    paintBox_->update();
    UpdateCopyHint();
}

void TResultTemplateForm::NumbersBtnClick()
{
    numbersBtn_->setChecked(true);
    paintBox_->hide();
    memo_->show();
    UpdateCopyHint();
}

void TResultTemplateForm::UpdateCopyHint()
{
    if (!ShowingNumbers())
        SetHint(*copyBtn_, QStringLiteral("Copy|Copy graph to clipboard"));
    else if (memo_->textCursor().hasSelection())
        SetHint(*copyBtn_, QStringLiteral("Copy|Copy selected results to clipboard"));
    else
        SetHint(*copyBtn_, QStringLiteral("Copy|Copy all results to clipboard"));
}

void TResultTemplateForm::CopyBtnClick()
{
    if (!ShowingNumbers()) {
        auto data = std::make_unique<QMimeData>();
        data->setImageData(PictureImage(paintBox_->width(), paintBox_->height(), ChartPicture()));
        SetClipboardData(std::move(data));
        return;
    }
    std::vector<std::string> csv;
    Produce(kModeCsv, nullptr, &csv);
    CopyResultText(*memo_, csv);
}

void TResultTemplateForm::PrintBtnClick()
{
    if (ShowingNumbers())
        PrintMemo(this, *memo_);
    else
        PrintPicture(this, ChartPicture(), QString::fromLatin1(scaleInfo_.Title));
}

void TResultTemplateForm::SaveBtnClick()
{
    if (ShowingNumbers()) {
        SaveResultText(this, lines_);
        return;
    }
    const TSaveChoice choice = DialogServices().SaveFileNameAndType(this, QStringLiteral("Save As"), ResultSaveFolder(),
                                                                    QString::fromLatin1(kGraphFilter));
    if (choice.FileName.isEmpty())
        return;
    TPictureFormat format = TPictureFormat::Bitmap;
    switch (choice.FilterIndex) {
    case 0: format = TPictureFormat::Bitmap; break;
    case 1: format = TPictureFormat::EnhancedMetafile; break;
    case 2: format = TPictureFormat::WindowsMetafile; break;
    default: ErrorMessage("Unsupported output type"); return;
    }
    const std::string path = FileNameBytes(choice.FileName);
    const TPictureComment comment{scaleInfo_.Title, producer_.ProgramTitle()};
    if (!SavePicture(path, format, paintBox_->width(), paintBox_->height(), ChartPicture(), kWhite, comment))
        ErrorMessage(SaveFailureMessage(path));
}

void TResultTemplateForm::ScaleBtnClick()
{
    TScaleForm form(this);
    form.LoadScaleInfo(scaleInfo_);
    if (ShowModal(form) != TModalResult::Ok)
        return;
    // The dialog does not hold the tic spacings: they start from an empty
    // record and so come back as automatic.
    TScaleInfo edited;
    form.StoreScaleInfo(edited);
    scaleInfo_ = edited;
    // Later windows of this kind, and the next chart-settings file, start
    // from the edited settings.
    DefaultScaleInfo[static_cast<std::size_t>(kind_)] = edited;
    FillNumbers();
    paintBox_->update();
}

void TResultTemplateForm::HelpBtnClick() { HelpService().ShowHelp(this, helpContext_); }
