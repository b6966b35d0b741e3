#pragma once
// What the editors' text grid holds, free of any window code: its shape
// (columns and rows, the first of them fixed header lines), the cell texts,
// one object per row (the editors keep a record of their own there), and
// the attributes a cell is drawn and edited with. Inserting, deleting and
// moving rows or columns carries texts, row objects and every attribute
// store with them. The window layer observes the changes to keep its view
// in step.

#include "core/grid_attribute.h"

#include <any>
#include <string>
#include <vector>

struct TGridCell {
    int col = 0;
    int row = 0;
    bool operator==(const TGridCell&) const = default;
};

enum class TMyAlign { alRight, alLeft, alCenter };

// One change of the grid's lines, reported before and after it happens.
// Inserted and deleted lines are from..to (inclusive); a moved line goes
// from `from` to `to`. Shape means any other change of counts or fixed
// lines.
struct TGridChange {
    enum Kind { InsertRow, DeleteRow, MoveRow, InsertColumn, DeleteColumn, MoveColumn, Shape };
    Kind kind = Shape;
    int from = 0;
    int to = 0;
};

class TGridObserver {
public:
    virtual ~TGridObserver() = default;
    virtual void BeforeChange(const TGridChange& change) = 0;
    virtual void AfterChange(const TGridChange& change) = 0;
    virtual void CellChanged(int col, int row) = 0;
    // A default or an attribute entry changed: cells may look different.
    virtual void AttributesChanged() = 0;
};

// The lines of a cell's text: split at CR, an LF right after a CR skipped.
std::vector<std::string> SplitCellLines(const std::string& text);

// Where a line of text starts across a cell from `left` to `right`: 2 pixels
// in from the side it is aligned to, or centred.
int AlignedTextLeft(TMyAlign align, int left, int right, int textWidth);

class TAlignGridData {
public:
    // The shape of a new string grid: 5 x 5 with one fixed line each way.
    TAlignGridData();
    TAlignGridData(const TAlignGridData&) = delete;
    TAlignGridData& operator=(const TAlignGridData&) = delete;

    void SetObserver(TGridObserver* observer) { observer_ = observer; }

    int ColCount() const { return colCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    // Counts are at least 1 and the fixed lines fewer than the counts, as in
    // any string grid; a shrinking grid drops the texts and objects of the
    // lines it loses, attributes stay where they were set.
    void SetColCount(int count);
    void SetRowCount(int count);
    void SetFixedCols(int count);
    void SetFixedRows(int count);

    bool IsFixed(int col, int row) const { return col < fixedCols_ || row < fixedRows_; }
    bool Contains(int col, int row) const { return col >= 0 && row >= 0 && col < colCount_ && row < RowCount(); }

    // Texts outside the grid read as empty and are not stored.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);

    // The object of a row (an empty std::any when none set; null outside the
    // grid); it moves with its row and is destroyed with it.
    const std::any* Object(int row) const;
    std::any* Object(int row);
    void SetObject(int row, std::any object);

    // Grid-wide defaults.
    TMyAlign Alignment() const { return alignment_; }
    void SetAlignment(TMyAlign align);
    bool Editable() const { return editable_; }
    void SetEditable(bool editable);

    // The attribute stores (set entries through them) and what applies.
    TGridAttribute<TMyAlign>& Alignments() { return alignments_; }
    TGridAttribute<bool>& EditFlags() { return editFlags_; }
    TGridAttribute<std::string>& Hints() { return hints_; }  // per cell only
    const TGridAttribute<TMyAlign>& Alignments() const { return alignments_; }
    const TGridAttribute<bool>& EditFlags() const { return editFlags_; }
    TMyAlign CellAlignment(int col, int row) const;
    bool CellEditable(int col, int row) const;
    std::string CellHint(int col, int row) const;

    // Further attribute stores (the window layer's fonts and brushes) that
    // line operations carry as well. The store must outlive this grid.
    void Attach(TGridLines& store) { stores_.push_back(&store); }

    // A new empty row (column) at the index, raised to the first non-fixed
    // line and held to the end of the grid. Returns where it went.
    int InsertRow(int index);
    int InsertColumn(int index);
    // Only non-fixed lines inside the grid, and never the only non-fixed
    // one (a grid keeps more lines than fixed ones); false when nothing
    // happened.
    bool DeleteRow(int index);
    bool DeleteColumn(int index);
    // Moves a non-fixed line to another non-fixed place; false when either
    // is fixed or outside the grid.
    bool MoveRow(int from, int to);
    bool MoveColumn(int from, int to);

private:
    struct Row {
        std::vector<std::string> texts;
        std::any object;
    };

    template <class Fn>
    void Change(const TGridChange& change, Fn&& apply);
    void AttributesChanged();

    int colCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    std::vector<Row> rows_;
    TMyAlign alignment_ = TMyAlign::alLeft;
    bool editable_ = true;
    TGridAttribute<TMyAlign> alignments_{true};
    TGridAttribute<bool> editFlags_{false};
    TGridAttribute<std::string> hints_{false};
    std::vector<TGridLines*> stores_;  // every attribute store, own and attached
    TGridObserver* observer_ = nullptr;
};
