#pragma once
// One attribute of the text grid's cells (alignment, edit permission, font,
// brush, ...), settable per cell, per column and per row. Attributes that
// the header cells draw with have separate column and row lists for the
// fixed cells. An absent entry means "not set here"; a list grows when an
// entry beyond its end is set, so attributes may be set before the grid has
// that many rows or columns. Rows and columns inserted, deleted or moved in
// the grid carry their entries with them.
//
// The value type is free: plain values here, fonts and brushes in the
// window layer.

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

// The line operations every attribute store follows, so that the grid can
// carry all of its stores through one list.
class TGridLines {
public:
    virtual ~TGridLines() = default;
    // An empty entry at the index; later entries move one place on.
    virtual void InsertRow(int row) = 0;
    virtual void InsertColumn(int col) = 0;
    // The index's entries go; later entries move one place back.
    virtual void DeleteRow(int row) = 0;
    virtual void DeleteColumn(int col) = 0;
    // The entries of `from` end up at `to`; those between shift by one.
    virtual void MoveRow(int from, int to) = 0;
    virtual void MoveColumn(int from, int to) = 0;
};

namespace grid_detail {

template <class V>
void InsertAt(std::vector<V>& list, int index)
{
    if (index >= 0 && index < static_cast<int>(list.size()))
        list.insert(list.begin() + index, V{});
}

template <class V>
void EraseAt(std::vector<V>& list, int index)
{
    if (index >= 0 && index < static_cast<int>(list.size()))
        list.erase(list.begin() + index);
}

template <class V>
void MoveEntry(std::vector<V>& list, int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return;
    if (std::min(from, to) >= static_cast<int>(list.size()))
        return;  // no entry at or between the two places
    const int last = std::max(from, to);
    if (last >= static_cast<int>(list.size()))
        list.resize(last + 1);
    if (from < to)
        std::rotate(list.begin() + from, list.begin() + from + 1, list.begin() + to + 1);
    else
        std::rotate(list.begin() + to, list.begin() + from, list.begin() + from + 1);
}

}  // namespace grid_detail

template <class T>
class TGridAttribute : public TGridLines {
public:
    // Without fixed lists a fixed cell looks in the ordinary column and row
    // lists (the edit permission and the selection colours work so).
    explicit TGridAttribute(bool withFixedLists) : withFixed_(withFixedLists) {}

    bool HasFixedLists() const { return withFixed_; }

    // Called after every change of a value, so the grid can redraw.
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    void SetCell(int col, int row, T value)
    {
        if (col < 0 || row < 0)
            return;
        if (col >= static_cast<int>(cells_.size()))
            cells_.resize(col + 1);
        Put(cells_[col], row, std::move(value));
    }
    void SetCol(int col, T value) { Put(cols_, col, std::move(value)); }
    void SetRow(int row, T value) { Put(rows_, row, std::move(value)); }
    // Only for stores with fixed lists; otherwise a programming error.
    void SetFixedCol(int col, T value) { Put(FixedList(fixedCols_), col, std::move(value)); }
    void SetFixedRow(int row, T value) { Put(FixedList(fixedRows_), row, std::move(value)); }

    // The entry at one level, or null where none is set.
    const T* Cell(int col, int row) const
    {
        return col >= 0 && col < static_cast<int>(cells_.size()) ? Get(cells_[col], row) : nullptr;
    }
    const T* Col(int col) const { return Get(cols_, col); }
    const T* Row(int row) const { return Get(rows_, row); }
    const T* FixedCol(int col) const { return Get(fixedCols_, col); }
    const T* FixedRow(int row) const { return Get(fixedRows_, row); }

    // The value that applies to cell (col, row): the cell's own entry, else
    // its column's, else its row's (from the fixed lists when the cell is a
    // fixed one and the store has them); null means the grid-wide default.
    const T* Resolve(int col, int row, bool fixedCell) const
    {
        const bool useFixed = fixedCell && withFixed_;
        if (const T* v = Cell(col, row))
            return v;
        if (const T* v = useFixed ? FixedCol(col) : Col(col))
            return v;
        return useFixed ? FixedRow(row) : Row(row);
    }

    void InsertRow(int row) override
    {
        for (auto& column : cells_)
            grid_detail::InsertAt(column, row);
        grid_detail::InsertAt(rows_, row);
        grid_detail::InsertAt(fixedRows_, row);
    }
    void InsertColumn(int col) override
    {
        grid_detail::InsertAt(cells_, col);
        grid_detail::InsertAt(cols_, col);
        grid_detail::InsertAt(fixedCols_, col);
    }
    void DeleteRow(int row) override
    {
        for (auto& column : cells_)
            grid_detail::EraseAt(column, row);
        grid_detail::EraseAt(rows_, row);
        grid_detail::EraseAt(fixedRows_, row);
    }
    void DeleteColumn(int col) override
    {
        grid_detail::EraseAt(cells_, col);
        grid_detail::EraseAt(cols_, col);
        grid_detail::EraseAt(fixedCols_, col);
    }
    void MoveRow(int from, int to) override
    {
        for (auto& column : cells_)
            grid_detail::MoveEntry(column, from, to);
        grid_detail::MoveEntry(rows_, from, to);
        grid_detail::MoveEntry(fixedRows_, from, to);
    }
    void MoveColumn(int from, int to) override
    {
        grid_detail::MoveEntry(cells_, from, to);
        grid_detail::MoveEntry(cols_, from, to);
        grid_detail::MoveEntry(fixedCols_, from, to);
    }

private:
    using List = std::vector<std::optional<T>>;

    static const T* Get(const List& list, int index)
    {
        if (index < 0 || index >= static_cast<int>(list.size()) || !list[index])
            return nullptr;
        return &*list[index];
    }

    void Put(List& list, int index, T value)
    {
        if (index < 0)
            return;
        if (index >= static_cast<int>(list.size()))
            list.resize(index + 1);
        list[index] = std::move(value);
        if (onChange_)
            onChange_();
    }

    List& FixedList(List& list)
    {
        if (!withFixed_)
            throw std::logic_error("this grid attribute has no lists for fixed cells");
        return list;
    }

    bool withFixed_;
    std::vector<List> cells_;  // per column, a list indexed by row
    List cols_, rows_, fixedCols_, fixedRows_;
    std::function<void()> onChange_;
};
