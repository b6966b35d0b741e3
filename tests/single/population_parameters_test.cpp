#include "single/population_parameters.h"

#include "single_model.h"

#include <functional>

using namespace multi;

namespace {

class PopulationParametersTest : public SingleModelTest {};

}  // namespace

// The inputs count as changed only when a value a run uses changes; the
// record is stored in every case and checked, a bad value reported.
TEST_F(PopulationParametersTest, OnlyARealChangeMarksTheInputs)
{
    struct Case {
        const char* what;
        std::function<void(multi::PopulationRecord&)> edit;
        bool changed;
        std::string boxes;
    };
    const Case cases[] = {
        {"nothing", [](multi::PopulationRecord&) {}, false, ""},
        {"the name alone", [](multi::PopulationRecord& p) { p.Name = "Renamed"; }, false, ""},
        {"the type alone", [](multi::PopulationRecord& p) { p.DDType = kCeiling; }, true, ""},
        {"R", [](multi::PopulationRecord& p) { p.GrowthRateText = "1.2"; }, true, ""},
        {"the spare text", [](multi::PopulationRecord& p) { p.SpareText = "x"; }, true, ""},
        {"an R of 0", [](multi::PopulationRecord& p) { p.GrowthRateText = "0"; }, true,
         "[Invalid input parameter: \"R\"]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Population(kContest, "100", "1.5", "500", "0.1", "0.5").Name = "Fen frogs";
        m.PopCount = 1;
        m.ModelState = kStateInputs;
        m.InputsChanged = false;
        sink.boxes.clear();
        multi::PopulationRecord record = m.Populations[1];
        c.edit(record);
        single::StorePopulationParameters(m, record);
        EXPECT_EQ(m.InputsChanged, c.changed);
        EXPECT_EQ(m.Populations[1].Name, record.Name);
        EXPECT_EQ(m.Populations[1].GrowthRateText, record.GrowthRateText);
        EXPECT_EQ(m.ModelState, c.boxes.empty() ? kStateInputs : kStateEmpty);
        EXPECT_EQ(sink.BoxTexts(), c.boxes);
    }
    // A mark set before stays set.
    m.InputsChanged = true;
    single::StorePopulationParameters(m, m.Populations[1]);
    EXPECT_TRUE(m.InputsChanged);
}
