#include "stage/management_action.h"

#include "stage/validate_input.h"
#include "support/recording_sink.h"

#include "fresh_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A record as a model file may hold it: a translocation between two other
// populations, after dispersal, on a condition, over part of the run.
ManagementRecord FileRecord(std::uint8_t kind)
{
    ManagementRecord r;
    r.active = true;
    r.kind = kind;
    r.frompop = 3;
    r.topop = 2;
    r.amountkind = 0;
    r.number = 40;
    r.proportion = 0.25f;
    r.firststage = 2;
    r.laststage = 3;
    r.begintime = 5;
    r.endtime = 50;
    r.period = 4;
    r.timing = 1;
    r.condition = 1;
    r.threshold = 200;
    r.thresholdn = 123;
    return r;
}

// Every field of a record, for comparing and printing.
auto Fields(const ManagementRecord& r)
{
    return std::make_tuple(r.active, int(r.kind), r.threshold, r.thresholdn, int(r.timing), int(r.amountkind),
                           int(r.condition), r.number, r.proportion, int(r.firststage), int(r.laststage),
                           int(r.frompop), int(r.topop), r.begintime, r.endtime, r.period);
}

using ManagementActionTest = FreshModelTest;

}  // namespace

TEST_F(ManagementActionTest, StoringTheControlsWritesWhatThisProgramRuns)
{
    struct Case {
        const char* name;
        ManagementRecord record;
        std::function<void(TActionControls&)> edit;
        TManagementAction expected;
    };
    auto expected = [](std::uint8_t kind, std::uint8_t amountkind, int first, int last) {
        TManagementAction a;
        a.kind = kind;
        a.frompop = a.topop = 1;
        a.amountkind = amountkind;
        a.number = 40;
        a.proportion = 0.25f;
        a.firststage = first;
        a.laststage = last;
        a.begintime = 1;
        a.endtime = 20;
        a.period = 1;
        return a;
    };
    ManagementRecord ignoredProportion = FileRecord(0);
    ignoredProportion.active = false;
    ignoredProportion.amountkind = 1;
    TManagementAction ignored = expected(0, 1, 2, 3);
    ignored.active = false;
    const std::vector<Case> cases = {
        // Shown and stored as an introduction, on population 1, every step
        // of the run, before dispersal, without a condition.
        {"translocation", FileRecord(2), [](TActionControls&) {}, expected(1, 0, 2, 3)},
        {"introduction", FileRecord(1), [](TActionControls&) {}, expected(1, 0, 2, 3)},
        {"ignored harvest by proportion", ignoredProportion, [](TActionControls&) {}, ignored},
        {"harvest made an introduction", FileRecord(0), [](TActionControls& c) { c.introduce = true; },
         expected(1, 0, 2, 3)},
        // Stages never chosen are stage 0, for the input check to report.
        {"no stages chosen", FileRecord(0),
         [](TActionControls& c) { c.startStage = c.throughStage = -1; }, expected(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        TManagementAction action;
        action.LoadFromRecord(c.record);
        TActionControls controls = ActionControls(action);
        c.edit(controls);
        StoreActionControls(controls, 20, action);
        ManagementRecord stored;
        action.StoreToRecord(stored);
        ManagementRecord want;
        c.expected.StoreToRecord(want);
        EXPECT_EQ(Fields(stored), Fields(want)) << c.name;
    }
}

TEST_F(ManagementActionTest, AStoredRecordReportsWhetherAnyFieldChanged)
{
    const ManagementRecord original = FileRecord(0);
    struct Case {
        const char* name;
        std::function<void(TManagementAction&)> edit;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"nothing", [](TManagementAction&) {}, false},
        {"proportion moved by less than 1e-6", [](TManagementAction& a) { a.proportion += 5e-7; }, false},
        {"proportion moved by 1e-5", [](TManagementAction& a) { a.proportion += 1e-5; }, true},
        {"active", [](TManagementAction& a) { a.active = false; }, true},
        {"number", [](TManagementAction& a) { a.number = 41; }, true},
        {"last stage", [](TManagementAction& a) { a.laststage = 2; }, true},
        {"end time", [](TManagementAction& a) { a.endtime = 20; }, true},
        {"threshold", [](TManagementAction& a) { a.threshold = 0; }, true},
    };
    for (const Case& c : cases) {
        TManagementAction action;
        action.LoadFromRecord(original);
        c.edit(action);
        ManagementRecord record = original;
        EXPECT_EQ(action.StoreToRecord(record), c.changed) << c.name;
        // The run's comparison threshold belongs to the input check.
        EXPECT_EQ(record.thresholdn, 123) << c.name;
        ManagementRecord again = record;
        EXPECT_FALSE(action.StoreToRecord(again)) << c.name;
    }
}

TEST_F(ManagementActionTest, AChangedRecordOrNumberOfActionsSetsInputsChanged)
{
    // Records as the loader leaves them: over the whole run of population 1.
    const auto record = [](int i) {
        ManagementRecord r = FileRecord(static_cast<std::uint8_t>(i % 2));
        r.frompop = r.topop = 1;
        r.begintime = 1;
        r.endtime = Info.duration;
        r.period = 1;
        r.timing = 0;
        r.condition = 0;
        r.threshold = 0;
        return r;
    };
    for (int i = 1; i <= 3; ++i)
        Info.actions[i] = record(i);
    Info.actioncount = 3;
    const std::vector<TManagementAction> loaded = LoadManagementActions(Info);
    ASSERT_EQ(loaded.size(), 3u);

    struct Case {
        const char* name;
        std::function<void(std::vector<TManagementAction>&)> edit;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"as loaded", [](std::vector<TManagementAction>&) {}, false},
        {"one number", [](std::vector<TManagementAction>& a) { a[1].number = 7; }, true},
        // The remaining records are as they were; only the count tells.
        {"last deleted", [](std::vector<TManagementAction>& a) { a.pop_back(); }, true},
        {"all deleted", [](std::vector<TManagementAction>& a) { a.clear(); }, true},
        // The record behind the list still holds what the new action is.
        {"deleted one added again",
         [](std::vector<TManagementAction>& a) {
             a.pop_back();
             TManagementAction same;
             same.LoadFromRecord(Info.actions[3]);
             a.push_back(same);
         },
         false},
        // Every action gets the whole run, also one the editor never showed.
        {"one of another scope",
         [](std::vector<TManagementAction>& a) {
             a[2].begintime = 5;
             a[2].condition = 1;
         },
         false},
    };
    for (const Case& c : cases) {
        for (int i = 1; i <= 3; ++i)
            Info.actions[i] = record(i);
        Info.actioncount = 3;
        InputsChanged = false;
        std::vector<TManagementAction> actions = loaded;
        c.edit(actions);
        EXPECT_EQ(StoreManagementActions(Info, actions), c.changed) << c.name;
        EXPECT_EQ(InputsChanged, c.changed) << c.name;
        EXPECT_EQ(Info.actioncount, actions.size()) << c.name;
        for (int i = 1; i <= Info.actioncount; ++i) {
            EXPECT_EQ(Info.actions[i].begintime, 1) << c.name;
            EXPECT_EQ(Info.actions[i].condition, 0) << c.name;
            EXPECT_EQ(Info.actions[i].frompop, 1) << c.name;
        }
    }
}

TEST_F(ManagementActionTest, StoringGivesARecordOfAnotherScopeTheWholeRun)
{
    Info.duration = 30;
    Info.actions[1] = FileRecord(1);
    Info.actioncount = 1;
    InputsChanged = false;
    EXPECT_TRUE(StoreManagementActions(Info, LoadManagementActions(Info)));
    EXPECT_TRUE(InputsChanged);
    const ManagementRecord& a = Info.actions[1];
    EXPECT_EQ(std::vector<int>({a.frompop, a.topop, a.begintime, a.endtime, a.period, a.timing, a.condition,
                                a.threshold}),
              std::vector<int>({1, 1, 1, 30, 1, 0, 0, 0}));
    // What the user sets stays.
    EXPECT_EQ(std::vector<int>({a.kind, a.number, a.firststage, a.laststage}), std::vector<int>({1, 40, 2, 3}));
}

TEST_F(ManagementActionTest, AnEditorActionWithStagesPassesTheInputCheck)
{
    Info.duration = 20;
    Info.stagematrix[1][1][2] = 2;
    Info.stagematrix[1][2][1] = 0.5;
    Info.stagematrix[1][3][2] = 0.5;
    Info.actions[1] = FileRecord(2);   // names populations 2 and 3 and ends after the run
    Info.actioncount = 1;
    RecordingSink sink;
    ValidateInput(Info);
    EXPECT_FALSE(sink.warnings.empty());

    for (const bool stages : {true, false}) {
        std::vector<TManagementAction> actions = LoadManagementActions(Info);
        TActionControls controls = ActionControls(actions[0]);
        if (!stages)
            controls.startStage = controls.throughStage = -1;
        StoreActionControls(controls, Info.duration, actions[0]);
        StoreManagementActions(Info, actions);
        sink.warnings.clear();
        ValidateInput(Info);
        if (stages) {
            EXPECT_TRUE(sink.warnings.empty()) << sink.warnings.front();
            EXPECT_TRUE(Info.mgmtactive);
        } else {
            EXPECT_EQ(sink.warnings, std::vector<std::string>{"Invalid input: \nStage for Introduction (1)"});
        }
    }
}

TEST(ManagementActionRules, ListTextsAndDescriptions)
{
    struct Case {
        std::uint8_t kind;
        bool active;
        const char* list;
        const char* description;
    } cases[] = {
        {0, true, "Harvest/Emigration", "Harvest"},
        {1, true, "Introduction/Immigration", "Introduce"},
        {2, true, "Translocate", "Translocate"},
        {0, false, "Harvest/Emigration (ignored)", "Harvest (ignored)"},
        {2, false, "Translocate (ignored)", "Translocate (ignored)"},
    };
    for (const Case& c : cases) {
        TManagementAction action;
        action.kind = c.kind;
        action.active = c.active;
        EXPECT_EQ(ActionListText(action), c.list);
        EXPECT_EQ(action.GetDescription(), c.description);
    }
    // A new action is an active harvest of 0 individuals, stages not chosen.
    EXPECT_EQ(ActionListText(TManagementAction{}), "Harvest/Emigration");
}

TEST(ManagementActionRules, ListButtonsFollowTheSelectionAndTheLimitOf100)
{
    struct Case {
        int count;
        int selected;
        bool add, remove, duplicate, up, down;
    } cases[] = {
        {0, -1, true, false, false, false, false},
        {1, -1, true, false, false, false, false},
        {1, 0, true, true, true, false, false},
        {3, 0, true, true, true, false, true},
        {3, 1, true, true, true, true, true},
        {3, 2, true, true, true, true, false},
        {99, 50, true, true, true, true, true},
        {100, 50, false, true, false, true, true},
        {100, -1, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const TActionListButtons b = ActionListButtons(c.count, c.selected);
        EXPECT_EQ((std::vector<bool>{b.add, b.remove, b.duplicate, b.moveUp, b.moveDown}),
                  (std::vector<bool>{c.add, c.remove, c.duplicate, c.up, c.down}))
            << c.count << " actions, row " << c.selected;
    }
}

TEST(ManagementActionRules, DetailControlsFollowTheSelectionIgnoreTypeAndQuantity)
{
    struct Case {
        bool selected, ignore, introduce, proportion;
        bool ignoreBox, details, number, proportionChoice, proportionEdit;
    } cases[] = {
        {false, false, false, false, false, false, false, false, false},
        {true, true, false, true, true, false, false, false, false},
        {true, false, false, false, true, true, true, true, false},
        {true, false, false, true, true, true, false, true, true},
        // Introductions are numbers: the proportion stays chosen but cannot
        // be edited until Number is.
        {true, false, true, true, true, true, false, false, false},
        {true, false, true, false, true, true, true, false, false},
    };
    for (const Case& c : cases) {
        TActionControls controls;
        controls.ignore = c.ignore;
        controls.introduce = c.introduce;
        controls.proportion = c.proportion;
        const TActionDetailEnabling e = ActionDetailEnabling(c.selected, controls);
        EXPECT_EQ((std::vector<bool>{e.ignoreBox, e.details, e.numberEdit, e.proportionChoice, e.proportionEdit}),
                  (std::vector<bool>{c.ignoreBox, c.details, c.number, c.proportionChoice, c.proportionEdit}))
            << c.selected << c.ignore << c.introduce << c.proportion;
    }
}
