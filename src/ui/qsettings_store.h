#pragma once
// The user's settings through QSettings. A key path such as
// "\Software\Varnholt\<program key>\MRU Items" names the organisation
// ("Varnholt"), the application ("<program key>") and a group within it
// ("MRU Items"); a leading "Software" part is skipped. On Linux the values
// land in $XDG_CONFIG_HOME/<organisation>/<application>.conf. Every write is
// synchronised to the file at once.

#include "core/settings_store.h"

#include <memory>

class QSettings;

class TQSettingsStore : public TSettingsStore {
public:
    std::optional<std::string> ReadValue(const std::string& keyPath, const std::string& name) const override;
    bool WriteValue(const std::string& keyPath, const std::string& name, const std::string& value) override;
    bool DeleteValue(const std::string& keyPath, const std::string& name) override;
    TSettingValues ReadValues(const std::string& keyPath) const override;
    bool EraseKey(const std::string& keyPath) override;

private:
    // The settings of the key path's application, already in its group; null
    // when the path names no application.
    static std::unique_ptr<QSettings> Open(const std::string& keyPath);
    static bool Synchronise(QSettings& settings);
};
