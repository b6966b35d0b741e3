#pragma once
// The chart-and-numbers result window of all three programs. It knows
// nothing about results: it holds a result kind and asks the program's
// result producer to check, draw, list or export it. A chart view and a
// numbers view; copy, print and save of either; Chart Properties; help.
//
// A window lives for one Execute: built, checked, shown modally, freed.
// Windows of one program differ only in their kind, caption and help
// context (a TResultWindowSetup), and some add controls to the tool panel.

#include "chart/graph.h"
#include "chart/scale_info.h"
#include "ui/modal_dialogs.h"
#include "ui/picture_files.h"
#include "ui/result_producer.h"
#include "ui/result_window_parts.h"

#include <QDialog>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class QHBoxLayout;
class QPlainTextEdit;
class QToolButton;
class TPaintBox;

class TResultTemplateForm : public QDialog {
    Q_OBJECT
public:
    // The kind must be one of the running program's table.
    TResultTemplateForm(TResultProducer& producer, const TResultWindowSetup& setup, QWidget* parent = nullptr);
    ~TResultTemplateForm() override;

    // Opens a window of class TWindow, built from `args`: the hourglass
    // while it is built, then a check of the result with the producer's
    // messages on; when the result can be shown the window is shown
    // modally, else the answer is Abort and no window appears. The window
    // is freed in both cases.
    template <class TWindow = TResultTemplateForm, class... TArgs>
    static TModalResult Execute(TArgs&&... args)
    {
        std::unique_ptr<TWindow> window;
        {
            TWaitCursor wait;
            window = std::make_unique<TWindow>(std::forward<TArgs>(args)...);
        }
        return window->CheckAndShow();
    }

    int ResultKind() const { return kind_; }
    int HelpContext() const { return helpContext_; }
    // The window's own chart settings (the producer updates them).
    const TScaleInfo& ScaleInfo() const { return scaleInfo_; }
    bool ShowingNumbers() const;
    TPaintBox& PaintBox() const { return *paintBox_; }
    QPlainTextEdit& Memo() const { return *memo_; }
    QToolButton& CopyButton() const { return *copyBtn_; }

    // The tool panel's buttons.
    void PlotBtnClick();
    void NumbersBtnClick();
    void CopyBtnClick();
    void PrintBtnClick();
    void SaveBtnClick();
    void ScaleBtnClick();
    void HelpBtnClick();

    // The numbers view's text, produced again.
    void FillNumbers();
    // The copy button's hint for the view and the selection.
    void UpdateCopyHint();

protected:
    // Starts from the kind's default settings and fills the numbers.
    void showEvent(QShowEvent* event) override;

    // Where descendants add their own controls.
    QHBoxLayout& ToolPanel() const { return *toolPanel_; }
    // The window's chart settings, for descendants whose controls change
    // them (a selector's index).
    TScaleInfo& ChangeableScaleInfo() { return scaleInfo_; }

    // One producer call with the window's settings and kind. It passes the
    // window's WarnFlag, which every call resets, so the producer's
    // messages appear once.
    bool Produce(int mode, TGraph* graph, std::vector<std::string>* lines);

    bool WarnFlag = false;

private:
    TModalResult CheckAndShow();
    void PaintChart(TCanvas& canvas);
    TDrawPicture ChartPicture();

    TResultProducer& producer_;
    const int kind_;
    const int helpContext_;
    TGraph graph_;
    TScaleInfo scaleInfo_;
    std::vector<std::string> lines_;   // the numbers view's text

    QHBoxLayout* toolPanel_;
    QToolButton* plotBtn_;
    QToolButton* numbersBtn_;
    QToolButton* copyBtn_;
    TPaintBox* paintBox_;
    QPlainTextEdit* memo_;
};
