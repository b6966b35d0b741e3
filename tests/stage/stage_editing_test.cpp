// The rules behind the general-information, stages, matrix and abundance
// editors.

#include "core/str_utilx.h"
#include "stage/editor_cells.h"
#include "stage/general_info.h"
#include "stage/stage_entry.h"
#include "stage/stage_reindex.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// Five stages allocated, two populations.
class StageEditing : public testing::Test {
public:
    void SetUp() override
    {
        ModelLimits limits;
        limits.stages = 5;
        CreateModelStore(limits);
        InputsChanged = false;
        Info.matrixchanged[1] = false;
    }

    void TearDown() override { InputsChanged = false; }
};

// Four stages; element (r, c) of the stage matrix is 10 r + c, so that a
// value tells where it came from; the standard deviations are 100 more, the
// abundances of population p are 10 p + stage, and action 1 covers stages 3
// to 4.
class StageReindex : public StageEditing {
public:
    void SetUp() override
    {
        StageEditing::SetUp();
        Info.stages = 4;
        Info.pops = 2;
        for (int r = 1; r <= 4; ++r) {
            for (int c = 1; c <= 4; ++c) {
                Info.stagematrix[1][r][c] = static_cast<float>(10 * r + c);
                Info.stdevmatrix[1][r][c] = static_cast<float>(110 + 10 * r + c);
            }
            for (int p = 1; p <= 2; ++p)
                Info.initialabundance[p][r] = 10 * p + r;
        }
        Info.actioncount = 1;
        Info.actions[1].firststage = 3;
        Info.actions[1].laststage = 4;
    }
};

// Rows of the first n x n elements, blank-separated.
std::vector<std::string> Rows(const SingleMatrix& m, int n)
{
    std::vector<std::string> rows;
    for (int r = 1; r <= n; ++r) {
        std::string row;
        for (int c = 1; c <= n; ++c)
            row += (c > 1 ? " " : "") + std::to_string(static_cast<int>(m[r][c]));
        rows.push_back(row);
    }
    return rows;
}

std::string Abundances(int p)
{
    std::string row;
    for (int s = 1; s <= 5; ++s)
        row += (s > 1 ? " " : "") + std::to_string(static_cast<int>(Info.initialabundance[p][s]));
    return row;
}

}  // namespace

TEST_F(StageReindex, EveryValueFollowsItsStage)
{
    struct Case {
        const char* what;
        std::vector<int> oldNumbers;
        std::vector<std::string> matrix;  // 5 x 5: what lies beyond the stages is cleared
        std::string abundances;           // population 2
        int first, last;                  // action 1's stages
        bool changed;
    };
    const Case cases[] = {
        {"unchanged", {1, 2, 3, 4},
         {"11 12 13 14 0", "21 22 23 24 0", "31 32 33 34 0", "41 42 43 44 0", "0 0 0 0 0"},
         "21 22 23 24 0", 3, 4, false},
        {"stage 3 to the top", {3, 1, 2, 4},
         {"33 31 32 34 0", "13 11 12 14 0", "23 21 22 24 0", "43 41 42 44 0", "0 0 0 0 0"},
         "23 21 22 24 0", 1, 4, true},
        {"stage 2 deleted", {1, 3, 4},
         {"11 13 14 0 0", "31 33 34 0 0", "41 43 44 0 0", "0 0 0 0 0", "0 0 0 0 0"},
         "21 23 24 0 0", 2, 3, true},
        {"a stage added after stage 2", {1, 2, 0, 3, 4},
         {"11 12 0 13 14", "21 22 0 23 24", "0 0 0 0 0", "31 32 0 33 34", "41 42 0 43 44"},
         "21 22 0 23 24", 4, 5, true},
        // The action's range is reversed; it is kept first-to-last.
        {"stages 3 and 4 exchanged", {1, 2, 4, 3},
         {"11 12 14 13 0", "21 22 24 23 0", "41 42 44 43 0", "31 32 34 33 0", "0 0 0 0 0"},
         "21 22 24 23 0", 3, 4, true},
        {"stage 4 to the top, stage 2 deleted", {4, 1, 3},
         {"44 41 43 0 0", "14 11 13 0 0", "34 31 33 0 0", "0 0 0 0 0", "0 0 0 0 0"},
         "24 21 23 0 0", 1, 3, true},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReindexStages(Info, c.oldNumbers), c.changed);
        EXPECT_EQ(Info.stages, c.oldNumbers.size());
        EXPECT_EQ(Rows(Info.stagematrix[1], 5), c.matrix);
        for (int r = 1; r <= 5; ++r)
            for (int col = 1; col <= 5; ++col) {
                const float stage = Info.stagematrix[1][r][col];
                EXPECT_EQ(Info.stdevmatrix[1][r][col], stage == 0 ? 0 : stage + 110) << r << "," << col;
            }
        EXPECT_EQ(Abundances(2), c.abundances);
        EXPECT_EQ(Info.actions[1].firststage, c.first);
        EXPECT_EQ(Info.actions[1].laststage, c.last);
        EXPECT_EQ(Info.matrixchanged[1], c.changed);
        EXPECT_EQ(InputsChanged, c.changed);
    }
}

TEST_F(StageReindex, ActionsNamingAStageAreFound)
{
    Info.actioncount = 3;
    Info.actions[2].firststage = Info.actions[2].laststage = 2;
    Info.actions[3].firststage = 1;
    Info.actions[3].laststage = 2;
    EXPECT_EQ(ActionReferringToStage(Info, 1), 3);
    EXPECT_EQ(ActionReferringToStage(Info, 2), 2);
    EXPECT_EQ(ActionReferringToStage(Info, 4), 1);
    EXPECT_EQ(ActionReferringToStage(Info, 0), 0);  // a stage added in the editor
    EXPECT_EQ(StageDeleteRefusal(2),
              "Cannot delete this stage because population management action #2 refers to it.  "
              "Please change the referring population management action before deleting.");
}

TEST_F(StageEditing, AStageStoresItsTextsAndTellsWhetherANumberChanged)
{
    StageRecord record{"Seedling", "1.0", "0.00001", false};
    TStage stage;
    stage.LoadFromRecord(record);
    EXPECT_EQ(stage.Value2Text(), "0.00001");

    // Written back as it was, with value 1 as "1" and a longer name: no change.
    stage.name = "Seedlings of the year";
    ASSERT_TRUE(stage.SetValue1("1"));
    EXPECT_FALSE(stage.StoreToRecord(record));
    EXPECT_EQ(record.name, "Seedlings ");
    EXPECT_EQ(record.value1text, "1");
    EXPECT_EQ(record.value2text, "0.00001");

    EXPECT_FALSE(stage.SetValue2("1.2.3"));
    EXPECT_EQ(stage.Value2Text(), "0.00001");
    ASSERT_TRUE(stage.SetValue2(""));  // empty is 0
    EXPECT_TRUE(stage.StoreToRecord(record));
    EXPECT_EQ(record.value2text, "0");

    stage.flag = true;
    EXPECT_TRUE(stage.StoreToRecord(record));
    EXPECT_FALSE(stage.StoreToRecord(record));
}

TEST_F(StageEditing, CommentLinesShowUpToTheLastNonEmptyOne)
{
    struct Case {
        std::array<std::string, 4> comments;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {{"a", "", "", "d"}, {"a", "", "", "d"}},
        {{"a", "b", "", ""}, {"a", "b"}},
        {{"", "", "c", ""}, {"", "", "c"}},
        {{"", "", "", ""}, {}},
    };
    for (const Case& c : cases) {
        TGeneralInfo info;
        info.comments = c.comments;
        EXPECT_EQ(ShownCommentLines(info), c.shown);
    }
}

TEST_F(StageEditing, GeneralInformationSetsInputsChangedOnlyForWhatAffectsResults)
{
    Info.duration = 100;
    Info.replications = 50;
    Info.ddaffects = 2;
    Info.actioncount = 2;
    Info.actions[1].endtime = 100;
    Info.actions[2].endtime = 30;

    TGeneralInfo info = GeneralInfoOf(Info);
    info.title = "Meadow herb";
    info.comments = {"one", "two", "", ""};
    EXPECT_FALSE(StoreGeneralInfo(Info, info));
    EXPECT_FALSE(InputsChanged);
    EXPECT_EQ(Info.title, "Meadow herb");
    EXPECT_EQ(Info.comments[2], "two");
    EXPECT_EQ(Info.ddaffects, 0);  // the dialog has no choice for it

    // A new duration ends every action there, also one that ended earlier.
    info.duration = 50;
    EXPECT_TRUE(StoreGeneralInfo(Info, info));
    EXPECT_TRUE(InputsChanged);
    EXPECT_EQ(Info.duration, 50);
    EXPECT_EQ(Info.actions[1].endtime, 50);
    EXPECT_EQ(Info.actions[2].endtime, 50);

    for (auto change : {+[](TGeneralInfo& i) { i.replications = 0; }, +[](TGeneralInfo& i) { i.demogstoch = true; },
                        +[](TGeneralInfo& i) { i.ignoreconstraints = true; }}) {
        InputsChanged = false;
        info = GeneralInfoOf(Info);
        change(info);
        EXPECT_TRUE(StoreGeneralInfo(Info, info));
        EXPECT_TRUE(InputsChanged);
    }
}

TEST_F(StageEditing, CellsShowWhatTheModelHolds)
{
    TrimTrailingZeros = true;  // as the program runs
    struct MatrixCase {
        float value;
        const char* text;
    };
    const MatrixCase matrixCases[] = {
        {0.12f, "0.12"}, {4.5f, "4.5"}, {2.0f, "2"}, {0.0f, "0"},
        // What four decimals would round is written in full, with no more
        // than the seven significant digits a single holds.
        {0.1234567f, "0.1234567"}, {0.00001f, "0.00001"}, {1.0f / 3, "0.3333333"}, {4.0f / 13, "0.3076923"},
        {0.000012345678f, "0.00001234568"},
    };
    for (const MatrixCase& c : matrixCases)
        EXPECT_EQ(MatrixCellText(c.value), c.text) << c.value;
    TrimTrailingZeros = false;

    struct AbundanceCase {
        double value;
        const char* text;
    };
    const AbundanceCase abundanceCases[] = {
        {120, "120"}, {12.5, "12.500000"}, {0, "0"}, {2147483647, "2147483647"},
        {1.0 / 3, "0.3333333333333333"}, {10.0000001, "10.0000001"},
    };
    for (const AbundanceCase& c : abundanceCases)
        EXPECT_EQ(AbundanceCellText(c.value), c.text) << c.value;
}

TEST_F(StageEditing, CellsStoreWhatTheyHoldAndTellWhetherItChanged)
{
    // A cell stored as it was shown keeps the element exactly, also where
    // it shows fewer digits than the single holds.
    float element = 0.1234567f;
    EXPECT_FALSE(StoreMatrixCell(element, MatrixCellText(element)));
    EXPECT_EQ(element, 0.1234567f);
    float repaired = 4.0f / 13;
    EXPECT_FALSE(StoreMatrixCell(repaired, MatrixCellText(repaired)));
    EXPECT_EQ(repaired, 4.0f / 13);

    // Under 1e-6 the new value is stored but is no change.
    EXPECT_FALSE(StoreMatrixCell(element, "0.123457"));
    EXPECT_EQ(element, 0.123457f);
    EXPECT_TRUE(StoreMatrixCell(element, "0.5"));
    EXPECT_EQ(element, 0.5f);
    EXPECT_FALSE(StoreMatrixCell(element, ""));  // no number: nothing stored
    EXPECT_EQ(element, 0.5f);

    double abundance = 1.0 / 3;
    EXPECT_FALSE(StoreAbundanceCell(abundance, AbundanceCellText(abundance)));
    EXPECT_EQ(abundance, 1.0 / 3);
    EXPECT_TRUE(StoreAbundanceCell(abundance, "0.333333"));  // typed: stored as typed
    EXPECT_EQ(abundance, 0.333333);
    EXPECT_FALSE(StoreAbundanceCell(abundance, ""));
    EXPECT_EQ(abundance, 0.333333);
}
