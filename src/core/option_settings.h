#pragma once
// Program options kept in the user's settings: one TRegistryComponent names
// the program's key, and each TBoolSetting or TIntSetting reads and writes one
// named value under it. Nothing is cached: every read goes to the store, so a
// value changed or removed elsewhere is seen at the next read, and every
// write goes through at once.
//
// Errors raise TSettingError (a setting without a value name, a value that
// must exist but does not, a write the store refused); windows that write
// settings catch it and show its text.

#include "core/settings_store.h"

#include <optional>
#include <stdexcept>
#include <string>

class TSettingError : public std::runtime_error {
public:
    explicit TSettingError(const std::string& message) : std::runtime_error(message) {}
};

// The program's settings key in a store. An empty key name (or one made only
// of separators) would be the store's root: it counts as no key open, so
// nothing is read from it and writes to it fail.
class TRegistryComponent {
public:
    explicit TRegistryComponent(TSettingsStore& store, std::string keyName = {});

    const std::string& KeyName() const { return keyName_; }
    // Compared with its case; an equal name changes nothing.
    void SetKeyName(const std::string& name);
    bool IsOpen() const;

    bool ValueExists(const std::string& name) const;
    // None when the value is missing or holds no number. A Boolean is stored
    // as the integer 0 or 1; any other integer reads as true, and the words
    // "true" and "false" are read too.
    std::optional<bool> ReadBool(const std::string& name) const;
    std::optional<int> ReadInteger(const std::string& name) const;
    // Raise TSettingError when no key is open or the store refused the value.
    void WriteBool(const std::string& name, bool value);
    void WriteInteger(const std::string& name, int value);

private:
    void Write(const std::string& name, const std::string& text);

    TSettingsStore& store_;
    std::string keyName_;
};

// What the Boolean and integer settings share: where the value lives and what
// it is called. `name` names the setting in error texts ("ToolbarSetting").
class TSettingBase {
public:
    TSettingBase(TRegistryComponent& registry, std::string name, std::string valueName);
    virtual ~TSettingBase() = default;

    TRegistryComponent& Registry() const { return *registry_; }
    void SetRegistry(TRegistryComponent& registry) { registry_ = &registry; }
    const std::string& Name() const { return name_; }
    const std::string& ValueName() const { return valueName_; }
    void SetValueName(const std::string& valueName) { valueName_ = valueName; }
    // When true (the start value), a value that is missing or holds no
    // number reads as the default; when false, reading it raises
    // TSettingError.
    bool UseDefault() const { return useDefault_; }
    void SetUseDefault(bool on) { useDefault_ = on; }

protected:
    // Raises TSettingError when the setting has no value name.
    void CheckAssigned() const;
    [[noreturn]] void RaiseMissing() const;

private:
    TRegistryComponent* registry_;
    std::string name_;
    std::string valueName_;
    bool useDefault_ = true;
};

// A setting of one type, read and written under the registry component's
// key: TBoolSetting and TIntSetting.
template <typename T>
class TTypedSetting : public TSettingBase {
public:
    TTypedSetting(TRegistryComponent& registry, std::string name, std::string valueName, T defaultValue);

    T DefaultValue() const { return defaultValue_; }
    void SetDefaultValue(T value) { defaultValue_ = value; }
    T Value() const;
    void SetValue(T value);

private:
    T defaultValue_;
};

using TBoolSetting = TTypedSetting<bool>;
using TIntSetting = TTypedSetting<int>;
extern template class TTypedSetting<bool>;
extern template class TTypedSetting<int>;

// The whole text as a decimal integer within 32 bits, blanks allowed in front
// and nothing behind; anything else gives def.
int TextToIntDef(const std::string& text, int def);
