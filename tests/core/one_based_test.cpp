#include "core/one_based.h"

#include "core/batch_log.h"
#include "support/recording_sink.h"
#include "support/stop_message.h"

#include <gtest/gtest.h>

#include <string>

TEST(OneBased, SizeLimitsAreFatalStops)
{
    RecordingSink sink;
    struct Case {
        int rows, cols;
        const char* message;
    };
    const Case cases[] = {
        {160, 10000, ""},
        {161, 1, "Heap error 1: Too many rows"},
        {1, 10001, "Heap error 2: Too many columns"},
        {161, 10001, "Heap error 1: Too many rows"},
        {0, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StopMessage([&] { SingleMatrix m(c.rows, c.cols); }), c.message)
            << c.rows << " x " << c.cols;
    }
    EXPECT_EQ(StopMessage([] { IntMatrix m; m.AllocateTriangular(161); }),
              "Heap error 1: Too many rows");
    EXPECT_EQ(StopMessage([] { SingleVector v(65536); }), "Heap error 2: Too many columns");
    EXPECT_EQ(StopMessage([] { SingleVector v(10000); }), "");
}

TEST(OneBased, ZeroFilledAndCheckedAtBothEnds)
{
    SingleVector v(3);
    DoubleMatrix m(2, 4);
    EXPECT_EQ(v[1] + v[2] + v[3], 0.0f);
    v[3] = 7.5f;
    m[2][4] = 1.25;
    m(1, 1) = 2.0;
    EXPECT_EQ(v.Data()[2], 7.5f);
    EXPECT_EQ(m[2][4], 1.25);
    EXPECT_EQ(m[1][1], 2.0);
    EXPECT_EQ(m[1][4], 0.0);  // rows do not share cells
    EXPECT_EQ(m[2][1], 0.0);

    if (!kBoundsCheck) GTEST_SKIP() << "index checks are off in this build";
    EXPECT_THROW(v[0], std::out_of_range);
    EXPECT_THROW(v[4], std::out_of_range);
    EXPECT_THROW(m[0][1], std::out_of_range);
    EXPECT_THROW(m[3][1], std::out_of_range);
    EXPECT_THROW(m[1][0], std::out_of_range);
    EXPECT_THROW(m[1][5], std::out_of_range);
    EXPECT_THROW(SingleVector()[1], std::out_of_range);
}

TEST(OneBased, TriangularRowsGrowByOne)
{
    SingleMatrix t;
    t.AllocateTriangular(3);
    ASSERT_EQ(t.Rows(), 3);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(t.RowLength(i), i);
        for (int j = 1; j <= i; ++j) t[i][j] = static_cast<float>(10 * i + j);
    }
    EXPECT_EQ(t[2][1], 21.0f);
    EXPECT_EQ(t[3][3], 33.0f);
    EXPECT_EQ(t[1][1], 11.0f);
    if (kBoundsCheck) {
        EXPECT_THROW(t[1][2], std::out_of_range);
        EXPECT_THROW(t[2][3], std::out_of_range);
    }
}

TEST(OneBased, DisposeTwiceAndReallocate)
{
    IntMatrix m(3, 3);
    m[3][3] = 9;
    m.Dispose();
    m.Dispose();
    EXPECT_FALSE(m.IsAllocated());
    EXPECT_EQ(m.Rows(), 0);
    m.Allocate(3, 3);
    EXPECT_EQ(m[3][3], 0);  // a new allocation starts from zero

    ByteVector v(2);
    v.Dispose();
    v.Dispose();
    EXPECT_FALSE(v.IsAllocated());
    EXPECT_EQ(v.Count(), 0);
}
