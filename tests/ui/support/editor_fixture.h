#pragma once
// What the tests of Strativa's editors share: the age/stage model store of
// known limits (5 stages, 40 time steps, 200 replications), the number
// switches the program runs with, and recorded messages, beeps and help; plus
// typing and clicking as a user does (user_input.h).

#include "core/str_utilx.h"
#include "stage/model_store.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "support/user_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class EditorTest : public testing::Test {
public:
    static ModelLimits Limits()
    {
        ModelLimits limits;
        limits.stages = 5;
        limits.duration = 40;
        limits.replications = 200;
        return limits;
    }

    void SetUp() override
    {
        CreateModelStore(Limits());
        IntegersWithoutDecimals = true;
        TrimTrailingZeros = true;
        InputsChanged = false;
        Info.matrixchanged[1] = false;
    }

    void TearDown() override
    {
        TrimTrailingZeros = false;
        InputsChanged = false;
    }

    // A three-stage Leslie matrix as stage matrix 1; the standard deviations
    // a tenth of it.
    static void UseLeslieMatrix()
    {
        const float rows[3][3] = {{0, 4, 3}, {0.5f, 0, 0}, {0, 0.25f, 0}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c) {
                Info.stagematrix[1][r][c] = rows[r - 1][c - 1];
                Info.stdevmatrix[1][r][c] = rows[r - 1][c - 1] / 10;
            }
    }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const RecordedBox& box : sink.boxes)
            texts.push_back(box.text);
        return texts;
    }

    RecordingSink sink;
    RecordingHelp help;
};
