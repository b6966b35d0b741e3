#include "stage_ui/grid_util.h"

#include "stage/model_store.h"
#include "core/number_cell_rules.h"
#include "ui/model_text.h"
#include "ui/string_align_grid.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kTextMargin = 10;

// The first and the last line (row or column) that the viewport shows in
// full; the first is also taken when it shows only in part.
struct TVisibleLines {
    int first;
    int last;
};

template <class At, class Position, class Size>
TVisibleLines VisibleLines(At at, Position position, Size size, int viewportLength, int count)
{
    const int first = std::max(at(0), 0);
    int last = at(viewportLength - 1);
    if (last < 0)
        last = count - 1;
    else if (position(last) + size(last) > viewportLength && last > first)
        --last;
    return {first, last};
}

}  // namespace

void SetupStageMatrixGrid(TStringAlignGrid& grid)
{
    const int stages = Info.stages;
    grid.SetColCount(stages + 1);
    grid.SetRowCount(stages + 1);
    const QFontMetrics metrics(grid.font());
    int widest = 0;
    for (int s = 1; s <= stages; ++s) {
        const QString name = ModelText(Info.stageprops[s].name);
        grid.SetCells(s, 0, name);
        grid.SetCells(0, s, name);
        widest = std::max(widest, metrics.horizontalAdvance(name));
    }
    grid.SetColWidths(0, widest + kTextMargin);
}

void FitGridColumns(TStringAlignGrid& grid)
{
    const QFontMetrics metrics(grid.font());
    int widest = 0;
    for (int col = 0; col < grid.ColCount(); ++col)
        for (int row = 0; row < grid.RowCount(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(grid.Cells(col, row)));
    for (int col = 0; col < grid.ColCount(); ++col)
        grid.SetColWidths(col, widest + kTextMargin);
}

void KeepCellVisible(TStringAlignGrid& grid)
{
    auto follow = [&grid] {
        if (grid.RowCount() <= grid.FixedRows() || grid.ColCount() <= grid.FixedCols())
            return;
        const int rows = grid.RowCount() - grid.FixedRows();
        const int cols = grid.ColCount() - grid.FixedCols();
        const TVisibleLines visibleRows =
            VisibleLines([&](int y) { return grid.rowAt(y); }, [&](int r) { return grid.rowViewportPosition(r); },
                         [&](int r) { return grid.rowHeight(r); }, grid.viewport()->height(), rows);
        const TVisibleLines visibleCols =
            VisibleLines([&](int x) { return grid.columnAt(x); }, [&](int c) { return grid.columnViewportPosition(c); },
                         [&](int c) { return grid.columnWidth(c); }, grid.viewport()->width(), cols);
        const int row = std::clamp(grid.Row() - grid.FixedRows(), visibleRows.first, visibleRows.last);
        const int col = std::clamp(grid.Col() - grid.FixedCols(), visibleCols.first, visibleCols.last);
        if (row + grid.FixedRows() != grid.Row() || col + grid.FixedCols() != grid.Col())
            grid.SetCurrentCell(col + grid.FixedCols(), row + grid.FixedRows());
    };
    QObject::connect(grid.verticalScrollBar(), &QScrollBar::valueChanged, &grid, follow);
    QObject::connect(grid.horizontalScrollBar(), &QScrollBar::valueChanged, &grid, follow);
}

namespace {

// What stays of the editor's text when a key replaces its selection.
QString KeptText(const TStringAlignGrid& grid, const QString& text)
{
    QString kept = text;
    if (const auto* editor = grid.InplaceEditor(); editor && editor->hasSelectedText())
        kept.remove(editor->selectionStart(), editor->selectedText().size());
    return kept;
}

}  // namespace

bool AcceptNumberKey(QChar& key)
{
    if (key.unicode() < 0x80)
        key = QChar(NumberCellKey(static_cast<char>(key.unicode())));
    return true;
}

void TakeNumbersAsTyped(TStringAlignGrid& grid, const std::function<bool(int col)>& isNumberCol)
{
    grid.SetPasteFilter([isNumberCol](int col, int, const QString& text) {
        if (!isNumberCol(col))
            return text;
        return QString::fromLatin1(PastedNumberText(text.toLatin1().toStdString()));
    });
}

bool AcceptTextKey(const TStringAlignGrid& grid, QChar key, const QString& text, std::size_t maxLength)
{
    if (key == QChar('\b') || key == QChar('\r'))
        return true;
    return static_cast<std::size_t>(KeptText(grid, text).size()) < maxLength;
}
