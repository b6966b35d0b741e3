#pragma once
// The general information of a map model as its dialog edits it: title,
// four comment lines, replications, duration, demographic stochasticity and
// the map-features file drawn under the populations.

#include "multi/model_data.h"

#include <array>
#include <cstdint>
#include <string>

namespace multi {

struct TGeneralInfo {
    std::string Title;
    std::array<std::string, 4> Comments;
    std::int32_t Replications = 0;
    std::int32_t Duration = 1;
    bool DemographicStochasticity = false;
    std::string MapName;

    bool operator==(const TGeneralInfo&) const = default;
};

TGeneralInfo GeneralInfoOf(const TMultiModel& model);

// Stores the general information. Sets the inputs-changed flag, and returns
// true, when replications, duration or demographic stochasticity changed;
// title, comments and the map file do not affect results. (The map's scale
// is read from its file at every drawing, so another file brings its own.)
bool StoreGeneralInfo(TMultiModel& model, const TGeneralInfo& info);

// True when storing the information would change the model in any field,
// title, comments and map file included. An OK that changes nothing leaves
// the model unmodified.
bool GeneralInfoDiffers(const TMultiModel& model, const TGeneralInfo& info);

}  // namespace multi
