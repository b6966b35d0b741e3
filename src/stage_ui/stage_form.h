#pragma once
// Stages: the names and average weights of the model's stages, their number
// (3 up to the stages allocated) and their order. OK moves every value that
// a stage indexes (matrix rows and columns, initial abundances, the stage
// ranges of management actions) along with its stage.
//
// Every showing starts with the keyboard in the grid at its first stage's
// name, and Add leaves it in the new stage's name, editing. A name is typed
// in at most the 10 characters a stage keeps, and its column shows them all.
// Delete removes the current row: a click on a row's number makes it so.
//
// The main window creates it once and calls Execute: true means OK stored the
// stages into the model, and the model is then modified. OK sets the
// inputs-changed flag when stages were added, deleted or moved, or a weight
// changed; a new name alone changes no result.

#include <QDialog>

class QPushButton;
class TMinMax;
class TStage;
class TStringAlignGrid;

class TStageForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 10100;
    static constexpr int kMinStages = 3;
    // Columns of the grid.
    static constexpr int kNameCol = 1;
    static constexpr int kWeightCol = 2;

    explicit TStageForm(QWidget* parent = nullptr);

    // Loads the model, shows the dialog modally and tells whether OK closed it.
    bool Execute();
    void LoadFromModel();

    TStringAlignGrid& Grid() const { return *grid_; }
    QPushButton& AddButton() const { return *add_; }
    QPushButton& DeleteButton() const { return *delete_; }
    QPushButton& MoveUpButton() const { return *moveUp_; }
    QPushButton& MoveDownButton() const { return *moveDown_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& CancelButton() const { return *cancel_; }
    QPushButton& HelpButton() const { return *help_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TStage* StageOf(int row) const;
    void NumberRows();
    void UpdateButtons();
    void AddButtonClick();
    void DeleteButtonClick();
    void MoveRow(int by);
    void EditOpened(int col, int row);
    void CheckWeight(int col, int row);
    bool ValidateWeights();
    void OkButtonClick();
    void StoreToModel();

    TStringAlignGrid* grid_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* moveUp_;
    QPushButton* moveDown_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* help_;
    TMinMax* minMax_;

    // The cell in edit and its text when the edit began, which a weight that
    // is no number gets back.
    int editCol_ = -1;
    int editRow_ = -1;
    QString editText_;
};
