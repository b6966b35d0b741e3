#pragma once
// What both population editors (the map program's and the single-population
// program's) lay out alike: the density-dependence combo box and the rows of
// labelled fields.

class QGridLayout;
class QLabel;
class QWidget;
class TComboBoxEx;

namespace unstructured_ui {

// The density-dependence combo box on `parent`, named
// "DensityDependenceComboBox", with the shared type table's names.
TComboBoxEx* NewDensityTypeComboBox(QWidget& parent);

// The rows of an editor's grid, top down: each a label, the buddy of its
// field, and the field.
class TFieldRows {
public:
    explicit TFieldRows(QGridLayout& grid) : grid_(grid) {}
    void Add(QLabel* label, QWidget* field);

private:
    QGridLayout& grid_;
    int row_ = 0;
};

}  // namespace unstructured_ui
