#pragma once
// The frame of the editors that edit model numbers in a grid (the stage
// matrix, the standard-deviation matrix, the initial abundances): the grid
// with its editor always open, OK, Cancel and Help on one line below it, a
// size limit, and the rules of its number cells: every key goes in as typed
// (a "," as "."); a cell that is left, by Enter, for another cell or for a
// button other than Cancel, must hold a number from 0 to the maximum (an
// emptied cell holds none), or the user is told why, naming the grid by the
// dialog's caption, and stays in the cell with its text as typed.
//
// Every showing starts with the keyboard in the grid, its current cell in
// edit. Esc ends the edit of a cell (its text as it was); Esc outside an edit
// cancels the dialog.
//
// OK checks every cell before anything is stored, so a dialog closes with OK
// only after all of it was stored. The cells show what the model holds
// (stage/editor_cells.h), so every cell is stored as it stands.
//
// The main window creates each dialog once and calls Execute: true means OK
// stored the grid into the model, and the model is then modified. OK sets the
// inputs-changed flag when a value changed.

#include <QDialog>

#include <cstddef>

class QBoxLayout;
class QPushButton;
class TMinMax;
class TStringAlignGrid;

struct TNumberGridSetup {
    QString caption;
    int helpContext = 0;
    double maxValue = 0;          // cells hold 0..maxValue
    std::size_t maxLength = 0;    // the usual longest text of a cell (its width); longer ones are typed in full
    bool drawFocusSelected = false;
};

class TNumberGridForm : public QDialog {
    Q_OBJECT
public:
    // Loads the model, shows the dialog modally and tells whether OK closed it.
    bool Execute();
    // Fills the grid from the model (as when the dialog is shown).
    virtual void LoadFromModel() = 0;

    const TNumberGridSetup& Setup() const { return setup_; }
    TStringAlignGrid& Grid() const { return *grid_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

protected:
    TNumberGridForm(const TNumberGridSetup& setup, QWidget* parent);

    // The line of buttons, for a button of a subclass (placed first, and
    // first in the tab order after the grid).
    void AddLeadingButton(QPushButton& button);
    // Fit the columns and make the window as large as its grid needs.
    void FinishLoading();

    // True when every cell holds a number in range. Otherwise the first cell
    // that does not is refused: the message, the cell current, its editor open.
    bool ValidateCells();
    // Stores every cell into the model (after ValidateCells).
    virtual void StoreCells() = 0;
    // What Cancel (also Esc or closing the window) puts back.
    virtual void CancelEdits() {}

    void reject() override;
    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();
    void CellLeft(int col, int row);
    void RefuseCell(int col, int row);

    TNumberGridSetup setup_;
    TStringAlignGrid* grid_;
    QBoxLayout* buttonLine_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
    TMinMax* minMax_;
    bool refusing_ = false;  // a cell was refused just now
};
