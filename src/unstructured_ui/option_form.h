#pragma once
// Options: the program's settings in the user's settings store, among
// them how numbers are shown (precision, decimals, and two check boxes that
// say whether unnecessary decimal digits and decimal points are shown, the
// inverse of the settings they edit). The main window makes it once; its
// making applies the number settings to the number-text switches, and the
// main window reads and writes the toolbar, status-bar and view settings
// through it. No menu command shows it.

#include "multi/multi_options.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QPushButton;
class TSettingsStore;
class TSpinEditEx;

namespace unstructured_ui {

class TOptionForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40200;

    // The settings under `keyName` in `store`, which must outlive the dialog.
    explicit TOptionForm(TSettingsStore& store, const std::string& keyName = multi::kMultiSettingsKey,
                         QWidget* parent = nullptr);

    multi::TMultiOptions& Options() { return options_; }

    // Shows the dialog modally; true when OK stored it.
    bool Execute();
    void LoadFromSettings();
    // The spin values and the inverted check boxes into the settings; false
    // (after saying why) when the store refused one.
    bool StoreToSettings();
    void ApplyNumberFormat();

    TSpinEditEx& PrecisionSpinEdit() const { return *precision_; }
    TSpinEditEx& DecimalsSpinEdit() const { return *decimals_; }
    QCheckBox& ShowDecimalDigitsCheckBox() const { return *showDigits_; }
    QCheckBox& ShowDecimalPointCheckBox() const { return *showPoint_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();

    multi::TMultiOptions options_;
    TSpinEditEx* precision_;
    TSpinEditEx* decimals_;
    QCheckBox* showDigits_;
    QCheckBox* showPoint_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
};

}  // namespace unstructured_ui
