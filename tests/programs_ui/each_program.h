#pragma once
// The programs the shared main-window tests run over, and those of them
// built on the shared unstructured windows; a test's name ends in its
// program's entry name.

#include "program_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::vector<TProgramEntry> EachProgram()
{
    return {{"Stage", &MakeStageDriver}, {"Multi", &MakeMultiDriver}, {"Single", &MakeSingleDriver}};
}

inline std::vector<TProgramEntry> EachUnstructuredProgram()
{
    return {{"Multi", &MakeMultiDriver}, {"Single", &MakeSingleDriver}};
}

inline std::string EntryName(const ::testing::TestParamInfo<TProgramEntry>& info) { return info.param.name; }
