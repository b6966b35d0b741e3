#pragma once
// General Information: the model's title, up to four comment lines,
// replications, duration, demographic stochasticity and "Ignore
// constraints".
//
// The main window creates it once and calls Execute; true means OK stored
// the dialog into the model, and the model is then modified (also when the
// dialog follows File, New). OK sets the inputs-changed flag when a value
// that affects results changed.

#include "ui/general_form_base.h"

class QCheckBox;

class TGeneralForm : public TGeneralFormBase {
    Q_OBJECT
public:
    explicit TGeneralForm(QWidget* parent = nullptr);

    void LoadFromModel() override;
    bool StoreToModel() override;

    QCheckBox& ConstraintsCheckBox() const { return *constraints_; }

private:
    void ApplyLimits();

    QCheckBox* constraints_;
};
