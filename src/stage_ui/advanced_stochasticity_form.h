#pragma once
// Advanced Stochasticity Settings: the choice between no special variation
// of survival rates, pooled variance for survivals, and negative correlation
// for survivals above 0.5. The two special choices need the constraints in
// effect and at least 3 stages. No menu item opens it; the choice is model
// data that the model file reads and writes.

#include "stage/model_store.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

class TAdvancedStochasticityForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 11100;

    explicit TAdvancedStochasticityForm(TCoravel& model, QWidget* parent = nullptr);

    // Shows the dialog modally over `parent`. True when it closed with OK,
    // the choice then stored (a changed choice sets the inputs-changed flag).
    static bool Execute(QWidget* parent, TCoravel& model);

    // Shows the model's choice and enables what the model allows.
    void LoadFromModel();
    void OkButtonClick();

    QRadioButton& NoneRadioButton() const { return *none_; }
    QRadioButton& PooledVarianceRadioButton() const { return *pooled_; }
    QRadioButton& NegativeCorrelationRadioButton() const { return *negative_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TCoravel& model_;
    QRadioButton* none_;
    QRadioButton* pooled_;
    QRadioButton* negative_;
    QLabel* pooledNote_;
    QLabel* negativeNote_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
};
