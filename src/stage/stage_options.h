#pragma once
// Strativa's options in the user's settings, under the program's own key:
// whether the main window shows its toolbar and its status bar. Both read as
// shown while the user's settings hold no value. The main window reads and
// writes them directly; every use goes to the settings.

#include "core/option_settings.h"

// The program's title, which also names its settings key.
inline constexpr const char* kStageProgramTitle = "Voran Pelivo: Age and Stage Structure";
inline constexpr const char* kStageSettingsKey = "Software\\Varnholt\\Voran Pelivo: Age and Stage Structure";

class TStageOptions {
public:
    explicit TStageOptions(TSettingsStore& store);
    TStageOptions(const TStageOptions&) = delete;
    TStageOptions& operator=(const TStageOptions&) = delete;

    TRegistryComponent RegistryComponent1;
    TBoolSetting ToolbarSetting;
    TBoolSetting StatusBarSetting;
};
