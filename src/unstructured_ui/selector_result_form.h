#pragma once
// A result window of Plurimod and Monovara with a selector on its tool
// panel, beside the Help and Copy buttons: a caption and a spin edit whose
// value chooses what the window shows (a population, a time step).
//
// A change is applied only once no production is in progress. A message box
// of the producer runs its own event loop, in which the spin's repeat can
// change the value again while the producer still reads the window's
// settings and the selected population; such a change waits until the
// producer's call has ended.

#include "ui/result_producer.h"
#include "ui/result_window.h"

#include <QString>

class QLabel;
class TSpinEditEx;

namespace unstructured_ui {

// The selector's name, caption and hint.
struct TSelectorSetup {
    const char* Name;
    QString Caption;
    QString Hint;
};

// The population selector of the windows that show one population.
TSelectorSetup PopulationSelector();

class TSelectorResultForm : public TResultTemplateForm {
    Q_OBJECT
public:
    TSpinEditEx& Selector() const { return *selector_; }
    QLabel& SelectorLabel() const { return *label_; }

protected:
    TSelectorResultForm(TResultProducer& producer, const TResultWindowSetup& setup, const TSelectorSetup& selector,
                        QWidget* parent);

    // Sets the selector's range and value without applying them.
    void SetSelector(int minimum, int maximum, int value);
    // Applies a value the user chose; called when no production is in
    // progress.
    virtual void SelectorChange(int value) = 0;
    // The numbers and the chart produced again.
    void Refresh();
    // The value as the index of the window's chart settings and of the
    // kind's defaults, so that the next window of the kind opens on it; then
    // Refresh.
    void SelectIndex(int value);

private:
    QLabel* label_;
    TSpinEditEx* selector_;
};

}  // namespace unstructured_ui
