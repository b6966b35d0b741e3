#include "core/align_grid_data.h"

#include <algorithm>
#include <utility>

std::vector<std::string> SplitCellLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines.emplace_back();
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

int AlignedTextLeft(TMyAlign align, int left, int right, int textWidth)
{
    switch (align) {
    case TMyAlign::alRight:
        return right - textWidth - 2;
    case TMyAlign::alCenter:
        return left + (right - left - textWidth) / 2;
    case TMyAlign::alLeft:
        break;
    }
    return left + 2;
}

TAlignGridData::TAlignGridData() : rows_(5), stores_{&alignments_, &editFlags_, &hints_}
{
    for (Row& row : rows_)
        row.texts.resize(colCount_);
    const auto changed = [this] { AttributesChanged(); };
    alignments_.SetOnChange(changed);
    editFlags_.SetOnChange(changed);
    hints_.SetOnChange(changed);
}

template <class Fn>
void TAlignGridData::Change(const TGridChange& change, Fn&& apply)
{
    if (observer_)
        observer_->BeforeChange(change);
    apply();
    if (observer_)
        observer_->AfterChange(change);
}

void TAlignGridData::AttributesChanged()
{
    if (observer_)
        observer_->AttributesChanged();
}

namespace {

// Lines added at or taken from the end, unless the fixed lines change too.
TGridChange CountChange(int oldCount, int newCount, int fixed, TGridChange::Kind insert, TGridChange::Kind remove)
{
    if (newCount <= fixed)
        return {};
    if (newCount > oldCount)
        return {insert, oldCount, newCount - 1};
    return {remove, newCount, oldCount - 1};
}

}  // namespace

void TAlignGridData::SetColCount(int count)
{
    count = std::max(count, 1);
    if (count == colCount_)
        return;
    Change(CountChange(colCount_, count, fixedCols_, TGridChange::InsertColumn, TGridChange::DeleteColumn), [&] {
        colCount_ = count;
        fixedCols_ = std::min(fixedCols_, count - 1);
        for (Row& row : rows_)
            row.texts.resize(count);
    });
}

void TAlignGridData::SetRowCount(int count)
{
    count = std::max(count, 1);
    if (count == RowCount())
        return;
    Change(CountChange(RowCount(), count, fixedRows_, TGridChange::InsertRow, TGridChange::DeleteRow), [&] {
        rows_.resize(count);
        for (Row& row : rows_)
            row.texts.resize(colCount_);
        fixedRows_ = std::min(fixedRows_, count - 1);
    });
}

void TAlignGridData::SetFixedCols(int count)
{
    count = std::clamp(count, 0, colCount_ - 1);
    if (count != fixedCols_)
        Change({}, [&] { fixedCols_ = count; });
}

void TAlignGridData::SetFixedRows(int count)
{
    count = std::clamp(count, 0, RowCount() - 1);
    if (count != fixedRows_)
        Change({}, [&] { fixedRows_ = count; });
}

const std::string& TAlignGridData::Cell(int col, int row) const
{
    static const std::string empty;
    return Contains(col, row) ? rows_[row].texts[col] : empty;
}

void TAlignGridData::SetCell(int col, int row, const std::string& text)
{
    if (!Contains(col, row) || rows_[row].texts[col] == text)
        return;
    rows_[row].texts[col] = text;
    if (observer_)
        observer_->CellChanged(col, row);
}

const std::any* TAlignGridData::Object(int row) const
{
    return row >= 0 && row < RowCount() ? &rows_[row].object : nullptr;
}

std::any* TAlignGridData::Object(int row)
{
    return row >= 0 && row < RowCount() ? &rows_[row].object : nullptr;
}

void TAlignGridData::SetObject(int row, std::any object)
{
    if (row >= 0 && row < RowCount())
        rows_[row].object = std::move(object);
}

void TAlignGridData::SetAlignment(TMyAlign align)
{
    alignment_ = align;
    AttributesChanged();
}

void TAlignGridData::SetEditable(bool editable)
{
    editable_ = editable;
    AttributesChanged();
}

TMyAlign TAlignGridData::CellAlignment(int col, int row) const
{
    const TMyAlign* align = alignments_.Resolve(col, row, IsFixed(col, row));
    return align ? *align : alignment_;
}

bool TAlignGridData::CellEditable(int col, int row) const
{
    const bool* editable = editFlags_.Resolve(col, row, IsFixed(col, row));
    return editable ? *editable : editable_;
}

std::string TAlignGridData::CellHint(int col, int row) const
{
    const std::string* hint = hints_.Cell(col, row);
    return hint ? *hint : std::string();
}

int TAlignGridData::InsertRow(int index)
{
    index = std::clamp(index, fixedRows_, RowCount());
    Change({TGridChange::InsertRow, index, index}, [&] {
        Row row;
        row.texts.resize(colCount_);
        rows_.insert(rows_.begin() + index, std::move(row));
        for (TGridLines* store : stores_)
            store->InsertRow(index);
    });
    return index;
}

int TAlignGridData::InsertColumn(int index)
{
    index = std::clamp(index, fixedCols_, colCount_);
    Change({TGridChange::InsertColumn, index, index}, [&] {
        ++colCount_;
        for (Row& row : rows_)
            row.texts.insert(row.texts.begin() + index, std::string());
        for (TGridLines* store : stores_)
            store->InsertColumn(index);
    });
    return index;
}

bool TAlignGridData::DeleteRow(int index)
{
    if (index < fixedRows_ || index >= RowCount() || RowCount() - fixedRows_ < 2)
        return false;
    Change({TGridChange::DeleteRow, index, index}, [&] {
        for (TGridLines* store : stores_)
            store->DeleteRow(index);
        rows_.erase(rows_.begin() + index);
    });
    return true;
}

bool TAlignGridData::DeleteColumn(int index)
{
    if (index < fixedCols_ || index >= colCount_ || colCount_ - fixedCols_ < 2)
        return false;
    Change({TGridChange::DeleteColumn, index, index}, [&] {
        for (TGridLines* store : stores_)
            store->DeleteColumn(index);
        for (Row& row : rows_)
            row.texts.erase(row.texts.begin() + index);
        --colCount_;
    });
    return true;
}

bool TAlignGridData::MoveRow(int from, int to)
{
    const auto inside = [this](int row) { return row >= fixedRows_ && row < RowCount(); };
    if (!inside(from) || !inside(to))
        return false;
    if (from == to)
        return true;
    Change({TGridChange::MoveRow, from, to}, [&] {
        for (TGridLines* store : stores_)
            store->MoveRow(from, to);
        grid_detail::MoveEntry(rows_, from, to);
    });
    return true;
}

bool TAlignGridData::MoveColumn(int from, int to)
{
    const auto inside = [this](int col) { return col >= fixedCols_ && col < colCount_; };
    if (!inside(from) || !inside(to))
        return false;
    if (from == to)
        return true;
    Change({TGridChange::MoveColumn, from, to}, [&] {
        for (TGridLines* store : stores_)
            store->MoveColumn(from, to);
        for (Row& row : rows_)
            grid_detail::MoveEntry(row.texts, from, to);
    });
    return true;
}
