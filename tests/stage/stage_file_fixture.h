#pragma once
// Shared set-up of the model file tests: a store with room for ten
// populations, seven stages, three matrix types and 120 time steps, the
// configuration limits to match, a recording message sink and a temporary
// folder.

#include "core/config.h"
#include "core/model_store.h"
#include "stage/results_section.h"
#include "stage/stage_file.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

class StageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedConfig_ = Config;
        Config.MaxPopulations = 10;
        Config.MaxStages = 7;
        Config.MaxDuration = 120;
        Config.MaxReplications = 1000;
        Config.LoadScales = false;
        Config.MapName.clear();
        ModelLimits limits;
        limits.pops = 10;
        limits.stages = 7;
        limits.duration = 120;
        limits.replications = 1000;
        limits.matrices = 3;
        model.Create(limits);
        model.state = kStateEmpty;
        InputsChanged = false;
        SetDiskSpaceProvider({});
    }
    void TearDown() override
    {
        Config = savedConfig_;
        SetDiskSpaceProvider({});
    }

    static std::string DataFile(const std::string& name) { return std::string(PV_TEST_DATA) + "/stage/" + name; }

    // A file's lines without their CR LF ends, and back.
    static std::vector<std::string> SplitLines(const std::string& bytes)
    {
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }
    static std::string JoinLines(const std::vector<std::string>& lines)
    {
        std::string bytes;
        for (const std::string& line : lines) bytes += line + "\r\n";
        return bytes;
    }
    static std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
    {
        return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
    }

    bool Warned(const std::string& text) const
    {
        return std::any_of(sink.boxes.begin(), sink.boxes.end(), [&](const RecordedBox& b) { return b.text == text; });
    }
    std::string Boxes() const
    {
        std::string all;
        for (const RecordedBox& b : sink.boxes) all += "[" + b.text + "]";
        return all;
    }

    TCoravel model;
    RecordingSink sink;
    TempDir dir;

private:
    ConfigType savedConfig_;
};
