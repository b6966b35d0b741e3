#pragma once
// The text result window: results that are only text (the stage-matrix
// analysis reports) in a read-only text area, with print, save, copy and
// help. Like the chart window it holds a result kind and asks the program's
// result producer for the text, with the producer's messages on at every
// showing.

#include "chart/scale_info.h"
#include "ui/modal_dialogs.h"
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

class TResultTextTemplateForm : public QDialog {
    Q_OBJECT
public:
    // The kind must be one of the running program's table.
    TResultTextTemplateForm(TResultProducer& producer, const TResultWindowSetup& setup, QWidget* parent = nullptr);
    ~TResultTextTemplateForm() override;

    // Opens a window of class TWindow, built from `args`, modally and frees
    // it; no check comes first.
    template <class TWindow = TResultTextTemplateForm, class... TArgs>
    static TModalResult Execute(TArgs&&... args)
    {
        auto window = std::make_unique<TWindow>(std::forward<TArgs>(args)...);
        return ShowModal(*window);
    }

    int ResultKind() const { return kind_; }
    int HelpContext() const { return helpContext_; }
    QPlainTextEdit& Memo() const { return *memo_; }
    QToolButton& CopyButton() const { return *copyBtn_; }
    // The text as the producer gave it.
    const std::vector<std::string>& Lines() const { return lines_; }
    // Whether the producer gave the text at the last showing.
    bool Produced() const { return produced_; }

    void CopyBtnClick();
    void SaveBtnClick();
    void PrintBtnClick();
    void HelpBtnClick();

protected:
    // Produces the text with the producer's messages on.
    void showEvent(QShowEvent* event) override;

    // Where descendants add their own controls.
    QHBoxLayout& ToolPanel() const { return *toolPanel_; }

    // One producer call with the window's settings and kind, passing WarnFlag.
    bool Produce(int mode, std::vector<std::string>* lines);

    bool WarnFlag = false;

private:
    void UpdateCopyHint();

    TResultProducer& producer_;
    const int kind_;
    const int helpContext_;
    // Passed to the producer but never loaded: all zero and empty.
    TScaleInfo scaleInfo_;
    std::vector<std::string> lines_;
    bool produced_ = false;

    QHBoxLayout* toolPanel_;
    QToolButton* copyBtn_;
    QPlainTextEdit* memo_;
};
