#include "core/option_settings.h"

#include "core/str_utilx.h"

#include <type_traits>
#include <utility>

TRegistryComponent::TRegistryComponent(TSettingsStore& store, std::string keyName)
    : store_(store), keyName_(std::move(keyName))
{
}

void TRegistryComponent::SetKeyName(const std::string& name)
{
    if (name != keyName_)
        keyName_ = name;
}

bool TRegistryComponent::IsOpen() const { return !SplitKeyPath(keyName_).empty(); }

bool TRegistryComponent::ValueExists(const std::string& name) const
{
    return IsOpen() && store_.ReadValue(keyName_, name).has_value();
}

std::optional<int> TRegistryComponent::ReadInteger(const std::string& name) const
{
    if (!IsOpen())
        return std::nullopt;
    const auto text = store_.ReadValue(keyName_, name);
    long value = 0;
    if (!text || !TextToInt(TrimBlanks(*text), value))
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<bool> TRegistryComponent::ReadBool(const std::string& name) const
{
    if (!IsOpen())
        return std::nullopt;
    const auto text = store_.ReadValue(keyName_, name);
    if (!text)
        return std::nullopt;
    const std::string word = TrimBlanks(*text);
    long value = 0;
    if (TextToInt(word, value))
        return value != 0;
    std::string lower;
    for (char ch : word)
        lower += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    return std::nullopt;
}

void TRegistryComponent::Write(const std::string& name, const std::string& text)
{
    if (!IsOpen())
        throw TSettingError("Cannot write the setting \"" + name + "\": no settings key is open");
    if (!store_.WriteValue(keyName_, name, text))
        throw TSettingError("Cannot write the setting \"" + name + "\" to " + keyName_);
}

void TRegistryComponent::WriteBool(const std::string& name, bool value) { Write(name, value ? "1" : "0"); }

void TRegistryComponent::WriteInteger(const std::string& name, int value) { Write(name, std::to_string(value)); }

TSettingBase::TSettingBase(TRegistryComponent& registry, std::string name, std::string valueName)
    : registry_(&registry), name_(std::move(name)), valueName_(std::move(valueName))
{
}

void TSettingBase::CheckAssigned() const
{
    if (valueName_.empty())
        throw TSettingError("Setting component " + name_ + ":\r\n\r\nPlease define value name");
}

void TSettingBase::RaiseMissing() const
{
    throw TSettingError("Setting component " + name_ + ":\r\n\r\nCannot read value \"" + valueName_ + "\"");
}

template <typename T>
TTypedSetting<T>::TTypedSetting(TRegistryComponent& registry, std::string name, std::string valueName,
                                T defaultValue)
    : TSettingBase(registry, std::move(name), std::move(valueName)), defaultValue_(defaultValue)
{
}

template <typename T>
T TTypedSetting<T>::Value() const
{
    CheckAssigned();
    std::optional<T> value;
    if constexpr (std::is_same_v<T, bool>)
        value = Registry().ReadBool(ValueName());
    else
        value = Registry().ReadInteger(ValueName());
    if (value)
        return *value;
    if (!UseDefault())
        RaiseMissing();
    return defaultValue_;
}

template <typename T>
void TTypedSetting<T>::SetValue(T value)
{
    CheckAssigned();
    if constexpr (std::is_same_v<T, bool>)
        Registry().WriteBool(ValueName(), value);
    else
        Registry().WriteInteger(ValueName(), value);
}

template class TTypedSetting<bool>;
template class TTypedSetting<int>;

int TextToIntDef(const std::string& text, int def)
{
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    long value = 0;
    return TextToInt(text.substr(start), value) ? static_cast<int>(value) : def;
}
