#include "multi/general_info.h"

#include <gtest/gtest.h>

#include <functional>

using namespace multi;

// What the General Information dialog stores: only replications, duration
// and demographic stochasticity count as changed inputs; title, comments and
// the map file leave results savable.
TEST(MultiGeneralInfo, OnlyRunSettingsMarkTheInputsChanged)
{
    TMultiModel model;
    AllocateModel(model, TMultiLimits{});
    model.Info.Title = "Voles";
    model.Info.Comment2 = "second";
    model.Replications = 100;
    model.Duration = 20;
    model.MapName = "valley.map";

    struct Case {
        const char* name;
        std::function<void(TGeneralInfo&)> edit;
        bool changed;
    };
    const Case cases[] = {
        {"nothing", [](TGeneralInfo&) {}, false},
        {"title and comments",
         [](TGeneralInfo& i) {
             i.Title = "New";
             i.Comments = {"a", "", "", "d"};
         },
         false},
        {"map file", [](TGeneralInfo& i) { i.MapName = "VALLEY2.MAP"; }, false},
        {"replications", [](TGeneralInfo& i) { i.Replications = 0; }, true},
        {"duration", [](TGeneralInfo& i) { i.Duration = 50; }, true},
        {"demographic stochasticity", [](TGeneralInfo& i) { i.DemographicStochasticity = true; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMultiModel edited = model;
        edited.InputsChanged = false;
        TGeneralInfo info = GeneralInfoOf(edited);
        EXPECT_EQ(info.Comments[1], "second");
        c.edit(info);
        EXPECT_EQ(StoreGeneralInfo(edited, info), c.changed);
        EXPECT_EQ(edited.InputsChanged, c.changed);
        const TGeneralInfo stored = GeneralInfoOf(edited);
        EXPECT_EQ(stored.Title, info.Title);
        EXPECT_EQ(stored.Comments, info.Comments);
        EXPECT_EQ(stored.Replications, info.Replications);
        EXPECT_EQ(stored.Duration, info.Duration);
        EXPECT_EQ(stored.DemographicStochasticity, info.DemographicStochasticity);
        EXPECT_EQ(stored.MapName, info.MapName);
    }
}
