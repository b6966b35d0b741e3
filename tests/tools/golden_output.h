#pragma once
// Golden-file checks of the result-printing tools.

#include "support/temp_dir.h"
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Runs `tool` on `model` for one kind and mode after a run with `seed` and
// compares what it prints, the run's date and time masked, with the golden
// file. PV_UPDATE_GOLDEN=1 rewrites the golden file instead.
inline void ExpectGoldenOutput(const std::string& tool, const std::string& model, int kind, int mode,
                               const std::string& seed, const std::string& golden)
{
    const TToolResult r =
        RunTool(tool, "'" + model + "' " + std::to_string(kind) + " " + std::to_string(mode) + " --run " + seed);
    ASSERT_EQ(r.status, 0) << golden;
    const std::string got = MaskRunTime(r.out);
    if (std::getenv("PV_UPDATE_GOLDEN") != nullptr)
        WriteAll(golden, got);
    EXPECT_EQ(got, ReadAll(golden)) << golden;
}
