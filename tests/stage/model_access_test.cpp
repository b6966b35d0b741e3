#include "stage/model_access.h"

#include "core/config.h"

#include "support/recording_sink.h"
#include "support/stop_message.h"

#include <gtest/gtest.h>

#include <string>

TEST(ModelAccess, OnlyMainMemoryIsReadOrWritten)
{
    RecordingSink sink;
    SingleMatrix r(2, 3);
    IntMatrix n(2, 3);
    SetR(r, kMainMemory, 2, 3, 1.5f);
    SetI(n, kMainMemory, 1, 2, 42);
    EXPECT_EQ(GetR(r, kMainMemory, 2, 3), 1.5f);
    EXPECT_EQ(GetI(n, kMainMemory, 1, 2), 42);

    SetR(r, 2, 2, 3, 9.0f);
    SetI(n, 0, 1, 2, 9);
    EXPECT_EQ(r[2][3], 1.5f);
    EXPECT_EQ(n[1][2], 42);

    EXPECT_EQ(StopMessage([&] { GetR(r, 2, 1, 1); }), "GetR failed, unknown MemType");
    EXPECT_EQ(StopMessage([&] { GetI(n, 0, 1, 1); }), "GetI failed, unknown MemType");
    if (kBoundsCheck) {
        EXPECT_THROW(GetR(r, kMainMemory, 3, 1), std::out_of_range);
    }
}

TEST(ModelAccess, NewModelResetsStateFlagAndMapName)
{
    CreateModelStore(ModelLimits{});
    Info.pops = 9;
    Info.state = kStateResults;
    InputsChanged = true;
    Config.MapName = "island.map";

    NewModel();

    EXPECT_EQ(Info.state, kStateEmpty);
    EXPECT_FALSE(InputsChanged);
    EXPECT_EQ(Info.pops, 1);
    // Restricted as a model read from a file: the one population unnamed.
    EXPECT_EQ(Info.populations[1].name, "");
    EXPECT_EQ(Config.MapName, "");
    FreeModelStore();
}
