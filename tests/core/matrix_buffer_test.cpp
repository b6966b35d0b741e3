#include "core/matrix_buffer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

std::string IndexError(const TMatrix& m, int i, int j)
{
    try {
        m.GetElement(i, j);
    } catch (const std::out_of_range& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(MatrixBuffer, IndexesOutsideTheBufferAreRefused)
{
    TMatrix m;
    EXPECT_EQ(m.Rows, 100);
    EXPECT_EQ(m.Cols, 100);
    EXPECT_EQ(IndexError(m, 100, 0), "Row or column out of range");
    EXPECT_EQ(IndexError(m, 0, 100), "Row or column out of range");
    EXPECT_EQ(IndexError(m, -1, 0), "Row or column out of range");
    EXPECT_EQ(IndexError(m, 0, -1), "Row or column out of range");
    EXPECT_EQ(IndexError(m, 99, 99), "");

    m.SetSize(2, 3);  // 2 rows, 3 columns: i < 3, j < 2
    EXPECT_EQ(IndexError(m, 2, 1), "");
    EXPECT_EQ(IndexError(m, 1, 2), "Row or column out of range");
    EXPECT_THROW(m.SetElement(3, 0, 1.0), std::out_of_range);
}

TEST(MatrixBuffer, ElementIsColumnThenRow)
{
    TMatrix m;
    m.SetSize(2, 3);
    m.SetElement(2, 1, 5.0);  // column 2, row 1
    EXPECT_EQ(m.Elements[1 * 3 + 2], 5.0);
    EXPECT_TRUE(m.Modified);

    SingleMatrix source(2, 2);
    source[1][2] = 0.5f;  // row 1, column 2
    TMatrix load;
    load.LoadFromSingles(source, 2, 2);
    EXPECT_EQ(load.GetElement(1, 0), 0.5);
    EXPECT_EQ(load.GetElement(0, 1), 0.0);
}

TEST(MatrixBuffer, StoreReportsOnlyRealChanges)
{
    SingleMatrix model(3, 3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) model[r][c] = 0.1f * static_cast<float>(r * 3 + c);
    TMatrix buffer;
    buffer.LoadFromSingles(model, 3, 3);
    struct Case {
        double delta;
        bool changed;
    };
    const Case cases[] = {{0.0, false}, {5e-7, false}, {-1.0e-6, false}, {2e-6, true}, {-0.25, true}};
    for (const Case& c : cases) {
        SingleMatrix target = model;
        TMatrix edited = buffer;
        edited.SetElement(2, 1, edited.GetElement(2, 1) + c.delta);
        EXPECT_EQ(edited.StoreToSingles(target, 3, 3), c.changed) << c.delta;
        EXPECT_EQ(target[2][3], static_cast<float>(edited.GetElement(2, 1))) << c.delta;
    }
    // A second store of the same buffer finds nothing to change.
    SingleMatrix target = model;
    buffer.SetElement(0, 0, 4.0);
    EXPECT_TRUE(buffer.StoreToSingles(target, 3, 3));
    EXPECT_FALSE(buffer.StoreToSingles(target, 3, 3));
}

TEST(MatrixBuffer, ResizeKeepsWrittenValues)
{
    TMatrix m;
    m.SetSize(3, 3);
    m.Fill(0);
    m.SetElement(2, 2, 9.0);
    m.SetElement(1, 0, 4.0);
    m.SetSize(4, 5);
    EXPECT_FALSE(m.Modified);
    EXPECT_EQ(m.GetElement(2, 2), 9.0);
    EXPECT_EQ(m.GetElement(1, 0), 4.0);
    EXPECT_EQ(m.GetElement(4, 3), 0.0);

    m.SetElement(1, 1, 2.0);
    m.SetSize(2, 2);  // shrinking keeps the shared corner
    EXPECT_EQ(m.GetElement(1, 0), 4.0);
    EXPECT_EQ(m.GetElement(1, 1), 2.0);

    // Same size: nothing happens, not even the Modified reset.
    m.SetElement(0, 0, 1.0);
    m.SetSize(2, 2);
    EXPECT_TRUE(m.Modified);
    EXPECT_EQ(m.GetElement(0, 0), 1.0);
}

TEST(MatrixBuffer, ATriangleComesBackAsItWasAndTheUpperPartIsZero)
{
    SingleMatrix triangle;
    triangle.AllocateTriangular(3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= r; ++c) triangle[r][c] = static_cast<float>(r * 10 + c) / 7;
    TMatrix buffer;
    buffer.SetElement(1, 0, 99.0);  // a stale value above the diagonal
    buffer.LoadFromTriangle(triangle, 3);
    EXPECT_EQ(buffer.Rows, 3);
    EXPECT_EQ(buffer.GetElement(0, 2), static_cast<double>(triangle[3][1]));  // column 1, row 3
    EXPECT_EQ(buffer.GetElement(2, 0), 0.0);
    EXPECT_EQ(buffer.GetElement(1, 0), 0.0);

    SingleMatrix restored;
    restored.AllocateTriangular(3);
    buffer.StoreToTriangle(restored, 3);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= r; ++c) EXPECT_EQ(restored[r][c], triangle[r][c]) << r << "," << c;
}
