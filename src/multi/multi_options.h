#pragma once
// The map program's options in the user's settings, under the program's own
// key: the main window's toolbar, status bar and page (ViewMode), and how
// numbers are shown (precision, decimals, whether trailing zeros and the
// decimal point of whole numbers are dropped). Each reads as its default
// while the settings hold no value. The main window reads and writes the
// first three directly; the number options reach the number-text switches
// through ApplyNumberFormat. Every use goes to the settings.
//
// The single-population program keeps the same options under its own key.

#include "core/option_settings.h"

#include <string>

namespace multi {

// The program's title, which also names its settings key.
inline constexpr const char* kMultiProgramTitle = "Voran Pelivo: Multiple Populations";
inline constexpr const char* kMultiSettingsKey = "Software\\Varnholt\\Voran Pelivo: Multiple Populations";

// The main window's page by ViewMode.
inline constexpr int kViewMap = 1;
inline constexpr int kViewGeneral = 2;
inline constexpr int kViewAuto = 3;

// The ranges the Options dialog offers.
inline constexpr int kMinPrecision = 4;
inline constexpr int kMaxPrecision = 7;
inline constexpr int kMinDecimals = 2;
inline constexpr int kMaxDecimals = 6;

class TMultiOptions {
public:
    explicit TMultiOptions(TSettingsStore& store, const std::string& keyName = kMultiSettingsKey);
    TMultiOptions(const TMultiOptions&) = delete;
    TMultiOptions& operator=(const TMultiOptions&) = delete;

    // The number options into the switches of the text utilities: text
    // precision, text decimals, trimming of trailing zeros, whole numbers
    // without decimals.
    void ApplyNumberFormat() const;

    TRegistryComponent RegistryComponent1;
    TBoolSetting ToolbarSetting;
    TBoolSetting StatusBarSetting;
    TIntSetting ViewModeSetting;
    TIntSetting PrecisionSetting;
    TIntSetting DecimalsSetting;
    TBoolSetting MinimizeDecimalsSetting;
    TBoolSetting MinimizeDecimalPointSetting;
};

}  // namespace multi
