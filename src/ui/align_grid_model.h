#pragma once
// The item model of the text grid: the non-fixed cells of the window-free
// grid as a table (model row 0 is the first non-fixed row), the fixed row
// and column as header texts. It follows every change of the grid's lines
// with the matching item-model notifications.

#include "core/align_grid_data.h"

#include <QAbstractTableModel>

class TAlignGridModel : public QAbstractTableModel, private TGridObserver {
    Q_OBJECT
public:
    // The grid must outlive the model.
    TAlignGridModel(TAlignGridData& grid, QObject* parent = nullptr);
    ~TAlignGridModel() override;

    // Cells may be edited at all (the grid's editing option).
    void SetEditing(bool on);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Defaults or attribute entries changed: the cells need drawing again.
    void LooksChanged();

private:
    bool IsCell(const QModelIndex& index) const;
    void BeforeChange(const TGridChange& change) override;
    void AfterChange(const TGridChange& change) override;
    void CellChanged(int col, int row) override;
    void AttributesChanged() override;

    TAlignGridData& grid_;
    bool editing_ = false;
};
