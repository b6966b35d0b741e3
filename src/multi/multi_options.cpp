#include "multi/multi_options.h"

#include "core/str_utilx.h"

namespace multi {

TMultiOptions::TMultiOptions(TSettingsStore& store, const std::string& keyName)
    : RegistryComponent1(store, keyName),
      ToolbarSetting(RegistryComponent1, "ToolbarSetting", "ShowToolbar", true),
      StatusBarSetting(RegistryComponent1, "StatusBarSetting", "ShowStatusBar", true),
      ViewModeSetting(RegistryComponent1, "ViewModeSetting", "ViewMode", kViewAuto),
      PrecisionSetting(RegistryComponent1, "PrecisionSetting", "Precision", 7),
      DecimalsSetting(RegistryComponent1, "DecimalsSetting", "Decimals", 6),
      MinimizeDecimalsSetting(RegistryComponent1, "MinimizeDecimalsSetting", "MinimizeDecimals", true),
      MinimizeDecimalPointSetting(RegistryComponent1, "MinimizeDecimalPointSetting", "MinimizeDecimalPoint", false)
{
}

void TMultiOptions::ApplyNumberFormat() const
{
    TextPrecision = PrecisionSetting.Value();
    TextDecimals = DecimalsSetting.Value();
    TrimTrailingZeros = MinimizeDecimalsSetting.Value();
    IntegersWithoutDecimals = MinimizeDecimalPointSetting.Value();
}

}  // namespace multi
