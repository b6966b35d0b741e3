#include "stage/stage_options.h"

TStageOptions::TStageOptions(TSettingsStore& store)
    : RegistryComponent1(store, kStageSettingsKey),
      ToolbarSetting(RegistryComponent1, "ToolbarSetting", "ShowToolbar", true),
      StatusBarSetting(RegistryComponent1, "StatusBarSetting", "ShowStatusBar", true)
{
}
