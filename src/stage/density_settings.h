#pragma once
// The density dependence of one population as the density-dependence dialog
// edits it: its type, and its maximum growth rate Rmax and carrying capacity
// K as numbers. The model keeps Rmax and K as the text last stored; the input
// check converts them.

#include "stage/model_store.h"

#include <cstdint>

struct TDensitySettings {
    std::uint8_t type = 0;  // 0 Exponential, 1 Scramble, 2 Contest, 3 Ceiling
    double rmax = 1;
    double k = 1;
};

// The population's settings; an Rmax or K text that is empty or holds no
// number reads as 1.
TDensitySettings LoadDensitySettings(const TCoravel& model, int p);

// True when the type differs from the stored one, or Rmax or K differ from
// the stored values (read as above) by more than 1e-6.
bool DensitySettingsChanged(const TCoravel& model, int p, const TDensitySettings& settings);

// Stores the settings: a new type or Rmax marks the population changed, so
// that its multiplier for a growth rate of 1 is found again; any change sets
// the inputs-changed flag; then the type, and Rmax and K as text: the stored
// text while it holds the value, else the program's number text without
// padding, with more digits where the value has them.
void StoreDensitySettings(TCoravel& model, int p, const TDensitySettings& settings);

// Which values a type uses: exponential growth neither, a ceiling only K.
struct TDensityEditEnabling {
    bool rmax = false;
    bool k = false;
};
TDensityEditEnabling DensityEditEnabling(int type);
