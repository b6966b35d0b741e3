#pragma once
// Where the programs keep per-user settings: named text values under key
// paths such as "Software\Varnholt\<program key>\MRU Items". The programs
// hand one store to every component that keeps settings; the windows use the
// QSettings store of the Qt layer, tests the in-memory store below.
//
// A key path may use "\" or "/" between its parts; a leading or doubled
// separator means nothing. A path without any part names no key: nothing can
// be read from it or written to it.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The parts of a key path, without empty ones.
std::vector<std::string> SplitKeyPath(const std::string& keyPath);

// The order in which a store lists the values of a key: names that end in a
// number ("F2", "F10") by their lead text and then by that number, so that
// numbered entries come in numeric and not in text order; others by text.
bool NumberedNameLess(const std::string& a, const std::string& b);

using TSettingValues = std::vector<std::pair<std::string, std::string>>;

// Puts values in NumberedNameLess order of their names.
void SortSettingValues(TSettingValues& values);

class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;

    // The value's text; none when the key or the value is missing.
    virtual std::optional<std::string> ReadValue(const std::string& keyPath, const std::string& name) const = 0;
    // Writes through at once; false when the store could not keep it.
    virtual bool WriteValue(const std::string& keyPath, const std::string& name, const std::string& value) = 0;
    virtual bool DeleteValue(const std::string& keyPath, const std::string& name) = 0;
    // Every value of the key (not of its sub keys), in NumberedNameLess order.
    virtual TSettingValues ReadValues(const std::string& keyPath) const = 0;
    // Removes the key with its values and sub keys; false when that failed.
    virtual bool EraseKey(const std::string& keyPath) = 0;
};

// Keeps the settings in memory, for tests and for runs that must not touch
// the user's settings.
class TMemorySettingsStore : public TSettingsStore {
public:
    std::optional<std::string> ReadValue(const std::string& keyPath, const std::string& name) const override;
    bool WriteValue(const std::string& keyPath, const std::string& name, const std::string& value) override;
    bool DeleteValue(const std::string& keyPath, const std::string& name) override;
    TSettingValues ReadValues(const std::string& keyPath) const override;
    bool EraseKey(const std::string& keyPath) override;

private:
    // Keyed by the parts of the key path.
    std::map<std::vector<std::string>, std::map<std::string, std::string>> keys_;
};
