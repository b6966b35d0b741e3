#include "sim/density_types.h"
#include "sim/file_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// Every type reads back from the code it is saved under, and the names and
// codes models have always been saved and shown with stay as they are.
TEST(DensityTypes, CodesNamesAndRoundTrip)
{
    const char* codes[] = {"EX", "LO", "BH", "CE", "EA", "LA", "BA", "CA"};
    const char* summaries[] = {"Exponential",       "Scramble",       "Contest",       "Ceiling",
                               "Exponential-Allee", "Scramble-Allee", "Contest-Allee", "Ceiling-Allee"};
    ASSERT_EQ(kDensityTypeCount, std::size(codes));
    std::set<std::string> seen;
    for (std::uint8_t code = 0; code < kDensityTypeCount; ++code) {
        SCOPED_TRACE(codes[code]);
        EXPECT_STREQ(DensityTypeFileCode(code), codes[code]);
        EXPECT_EQ(DensityDependenceTypeName(code), summaries[code]);
        EXPECT_EQ(ParseDensityDependenceType(DensityTypeFileCode(code)), code);
        EXPECT_TRUE(seen.insert(codes[code]).second);
    }
    // A code no type has is saved as exponential and has no name.
    EXPECT_STREQ(DensityTypeFileCode(static_cast<std::uint8_t>(kDensityTypeCount)), "EX");
    EXPECT_EQ(DensityDependenceTypeName(static_cast<int>(kDensityTypeCount)), "");
    EXPECT_EQ(DensityDependenceTypeName(-1), "");
    // A file that names no Allee effect reads an Allee code as exponential.
    EXPECT_EQ(ParseDensityDependenceType("BA", false), DensityTypeCode(DDType::EX));
    EXPECT_EQ(ParseDensityDependenceType("BH", false), DensityTypeCode(DDType::BH));
}

// The lists show each form once; a type with an Allee effect shows as its
// form, and what each form needs follows from it.
TEST(DensityTypes, ListsAndForms)
{
    ASSERT_EQ(DensityTypeListSize(), 4);
    const char* names[] = {"Exponential", "Scramble", "Contest", "Ceiling"};
    for (int i = 0; i < 4; ++i)
        EXPECT_STREQ(DensityTypeListRow(i)->name, names[i]);
    EXPECT_EQ(DensityTypeListRow(4), nullptr);
    EXPECT_EQ(DensityTypeListRow(-1), nullptr);

    struct Case {
        DDType type;
        int listIndex;
        bool allee, usesK, usesRmax;
    };
    const Case cases[] = {
        {DDType::EX, 0, false, false, false}, {DDType::LO, 1, false, true, true},
        {DDType::BH, 2, false, true, true},   {DDType::CE, 3, false, true, false},
        {DDType::EA, 0, true, false, false},  {DDType::LA, 1, true, true, true},
        {DDType::BA, 2, true, true, true},    {DDType::CA, 3, true, true, false},
    };
    for (const Case& c : cases) {
        const std::uint8_t code = DensityTypeCode(c.type);
        SCOPED_TRACE(DensityTypeFileCode(code));
        EXPECT_EQ(DensityTypeListIndex(code), c.listIndex);
        EXPECT_EQ(&DensityTypeFormRow(code), DensityTypeListRow(c.listIndex));
        EXPECT_EQ(HasAllee(code), c.allee);
        EXPECT_EQ(UsesCarryingCapacity(code), c.usesK);
        EXPECT_EQ(UsesMaximumGrowthRate(code), c.usesRmax);
        // The types limited by a maximum growth rate are the scramble and contest ones.
        EXPECT_EQ(UsesMaximumGrowthRate(c.type), IsScramble(c.type) || IsContest(c.type));
        EXPECT_EQ(IsExponential(code), c.listIndex == 0);
        EXPECT_EQ(IsCeiling(c.type), c.listIndex == 3);
    }
    const auto unknown = static_cast<std::uint8_t>(kDensityTypeCount);
    EXPECT_EQ(DensityTypeListIndex(unknown), -1);
    EXPECT_EQ(DensityTypeFormRow(unknown).type, DDType::EX);
    EXPECT_FALSE(IsExponential(unknown) || IsScramble(unknown) || IsContest(unknown) || IsCeiling(unknown) ||
                 HasAllee(unknown) || UsesCarryingCapacity(unknown));
}
