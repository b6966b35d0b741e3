#pragma once
// The general information of an age/stage model as its dialog edits it:
// title, four comment lines, replications, duration and two switches.

#include "stage/model_store.h"
#include "core/model_summary.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TGeneralInfo {
    std::string title;
    std::array<std::string, 4> comments;
    std::int32_t replications = 0;
    std::int32_t duration = 1;
    bool demogstoch = false;
    bool ignoreconstraints = false;

    bool operator==(const TGeneralInfo&) const = default;
};

TGeneralInfo GeneralInfoOf(const TCoravel& model);

// The comment lines up to the last one that is not empty (none when all are
// empty), so that empty lines in between stay and empty ones at the end do
// not show.
std::vector<std::string> ShownCommentLines(const TGeneralInfo& info);

// Stores the general information. Density dependence then acts on all vital
// rates, since the dialog offers no other choice. A new duration also becomes
// every management action's last time step. Sets the inputs-changed flag, and
// returns true, when replications, duration or a switch changed; title and
// comments do not affect results.
bool StoreGeneralInfo(TCoravel& model, const TGeneralInfo& info);

// True when storing the information would change the model: any field,
// title and comments included, or density dependence acting on something
// other than all vital rates. An OK that changes nothing leaves the model
// unmodified.
bool GeneralInfoDiffers(const TCoravel& model, const TGeneralInfo& info);
