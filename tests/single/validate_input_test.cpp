#include "single/validate_input.h"

#include "single_model.h"

using namespace multi;

namespace {

class SingleValidateInputTest : public SingleModelTest {};

}  // namespace

// Faults name the parameter only; the change in K is never a fault.
TEST_F(SingleValidateInputTest, FaultsNameNoPopulation)
{
    const struct {
        const char* what;
        std::uint8_t type;
        const char *n0, *r, *k, *sd, *survival, *trend;
        bool demographic;
        std::string boxes;
    } cases[] = {
        {"valid", kContest, "100", "1.5", "500", "0.1", "0.5", "", false, ""},
        {"survival 1.5 without demographic stochasticity", kContest, "100", "1.5", "500", "", "1.5", "", false, ""},
        {"survival 1.5 with it", kContest, "100", "1.5", "500", "", "1.5", "", true,
         "[Invalid input parameter: \"Survival rate\"]"},
        {"a change in K that is no number", kContest, "100", "1.5", "500", "", "0.5", "abc", false, ""},
        {"every fault in order", kCeiling, "-1", "", "0", "x", "", "", true,
         "[Invalid input parameter: \"Initial abundance\"][Invalid input parameter: \"R\"]"
         "[Invalid input parameter: \"Survival rate\"][Invalid input parameter: \"K\"]"
         "[Invalid input parameter: \"St.Dev of K\"]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Population(c.type, c.n0, c.r, c.k, c.sd, c.survival).TrendInKText = c.trend;
        m.Info.DemographicStochasticity = c.demographic;
        m.ModelState = kStateEmpty;
        sink.boxes.clear();
        single::ValidateInput(m);
        EXPECT_EQ(sink.BoxTexts(), c.boxes);
        EXPECT_EQ(m.ModelState, c.boxes.empty() ? kStateInputs : kStateEmpty);
        EXPECT_EQ(m.TrendInK[1], 0.0f);
    }
    Population(kContest, "100", "1.5", "500").TrendInKText = "-2.5";
    single::ValidateInput(m);
    EXPECT_EQ(m.TrendInK[1], -2.5f);
}
