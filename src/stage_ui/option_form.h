#pragma once
// Options: the owner of Strativa's options in the user's settings (whether
// the main window shows its toolbar and its status bar). Its one page holds
// no controls; the main window reads and writes the two options through it,
// each use going to the settings. The main window makes it once; no menu
// command shows it.

#include "stage/stage_options.h"

#include <QDialog>

class QPushButton;
class QTabWidget;
class TSettingsStore;

class TOptionForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 40200;

    // The options are kept in `store`, which must outlive the dialog.
    explicit TOptionForm(TSettingsStore& store, QWidget* parent = nullptr);

    TStageOptions& Options() { return options_; }

    // Shows the dialog modally; true when it closed with OK. Nothing is
    // stored either way: the options are stored as they are used.
    bool Execute();

    QTabWidget& Pages() const { return *pages_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

private:
    TStageOptions options_;
    QTabWidget* pages_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
};
