#include "ui/align_grid_model.h"

TAlignGridModel::TAlignGridModel(TAlignGridData& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid)
{
    grid_.SetObserver(this);
}

TAlignGridModel::~TAlignGridModel() { grid_.SetObserver(nullptr); }

void TAlignGridModel::SetEditing(bool on)
{
    if (on == editing_)
        return;
    editing_ = on;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

bool TAlignGridModel::IsCell(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < columnCount();
}

int TAlignGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.RowCount() - grid_.FixedRows();
}

int TAlignGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : grid_.ColCount() - grid_.FixedCols();
}

QVariant TAlignGridModel::data(const QModelIndex& index, int role) const
{
    if (!IsCell(index))
        return {};
    const int col = index.column() + grid_.FixedCols();
    const int row = index.row() + grid_.FixedRows();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(grid_.Cell(col, row));
    if (role == Qt::TextAlignmentRole) {
        switch (grid_.CellAlignment(col, row)) {
        case TMyAlign::alRight: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case TMyAlign::alCenter: return QVariant(Qt::AlignHCenter | Qt::AlignVCenter);
        case TMyAlign::alLeft: return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return {};
}

bool TAlignGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !IsCell(index))
        return false;
    grid_.SetCell(index.column() + grid_.FixedCols(), index.row() + grid_.FixedRows(), value.toString().toStdString());
    return true;
}

QVariant TAlignGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal) {
        if (grid_.FixedRows() == 0 || section >= columnCount())
            return {};
        return QString::fromStdString(grid_.Cell(section + grid_.FixedCols(), 0));
    }
    if (grid_.FixedCols() == 0 || section >= rowCount())
        return {};
    return QString::fromStdString(grid_.Cell(0, section + grid_.FixedRows()));
}

Qt::ItemFlags TAlignGridModel::flags(const QModelIndex& index) const
{
    if (!IsCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editing_ && grid_.CellEditable(index.column() + grid_.FixedCols(), index.row() + grid_.FixedRows()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

void TAlignGridModel::BeforeChange(const TGridChange& change)
{
    const int row = change.from - grid_.FixedRows();
    const int col = change.from - grid_.FixedCols();
    const int lastRow = change.to - grid_.FixedRows();
    const int lastCol = change.to - grid_.FixedCols();
    switch (change.kind) {
    case TGridChange::InsertRow: beginInsertRows({}, row, lastRow); break;
    case TGridChange::DeleteRow: beginRemoveRows({}, row, lastRow); break;
    case TGridChange::InsertColumn: beginInsertColumns({}, col, lastCol); break;
    case TGridChange::DeleteColumn: beginRemoveColumns({}, col, lastCol); break;
    // Qt names the place before which a moved line goes, counted before
    // the move.
    case TGridChange::MoveRow: beginMoveRows({}, row, row, {}, lastRow > row ? lastRow + 1 : lastRow); break;
    case TGridChange::MoveColumn: beginMoveColumns({}, col, col, {}, lastCol > col ? lastCol + 1 : lastCol); break;
    case TGridChange::Shape: beginResetModel(); break;
    }
}

void TAlignGridModel::AfterChange(const TGridChange& change)
{
    switch (change.kind) {
    case TGridChange::InsertRow: endInsertRows(); break;
    case TGridChange::DeleteRow: endRemoveRows(); break;
    case TGridChange::InsertColumn: endInsertColumns(); break;
    case TGridChange::DeleteColumn: endRemoveColumns(); break;
    case TGridChange::MoveRow: endMoveRows(); break;
    case TGridChange::MoveColumn: endMoveColumns(); break;
    case TGridChange::Shape: endResetModel(); break;
    }
}

void TAlignGridModel::CellChanged(int col, int row)
{
    const int fixedCols = grid_.FixedCols();
    const int fixedRows = grid_.FixedRows();
    if (col >= fixedCols && row >= fixedRows) {
        const QModelIndex at = index(row - fixedRows, col - fixedCols);
        emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
    } else if (row < fixedRows && col >= fixedCols) {
        emit headerDataChanged(Qt::Horizontal, col - fixedCols, col - fixedCols);
    } else if (col < fixedCols && row >= fixedRows) {
        emit headerDataChanged(Qt::Vertical, row - fixedRows, row - fixedRows);
    } else {
        emit LooksChanged();  // the corner
    }
}

void TAlignGridModel::AttributesChanged() { emit LooksChanged(); }
