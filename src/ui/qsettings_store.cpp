#include "ui/qsettings_store.h"

#include <QSettings>
#include <QStringList>

std::unique_ptr<QSettings> TQSettingsStore::Open(const std::string& keyPath)
{
    std::vector<std::string> parts = SplitKeyPath(keyPath);
    const auto isSoftware = [](const std::string& part) {
        return QString::fromStdString(part).compare(QStringLiteral("Software"), Qt::CaseInsensitive) == 0;
    };
    if (!parts.empty() && isSoftware(parts.front()))
        parts.erase(parts.begin());
    if (parts.empty())
        return nullptr;
    const QString organisation = QString::fromStdString(parts[0]);
    const QString application = parts.size() > 1 ? QString::fromStdString(parts[1]) : QString();
    auto settings =
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    QStringList group;
    for (std::size_t i = 2; i < parts.size(); ++i)
        group << QString::fromStdString(parts[i]);
    if (!group.isEmpty())
        settings->beginGroup(group.join(QLatin1Char('/')));
    return settings;
}

bool TQSettingsStore::Synchronise(QSettings& settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::optional<std::string> TQSettingsStore::ReadValue(const std::string& keyPath, const std::string& name) const
{
    const auto settings = Open(keyPath);
    const QString key = QString::fromStdString(name);
    if (!settings || name.empty() || !settings->contains(key))
        return std::nullopt;
    return settings->value(key).toString().toStdString();
}

bool TQSettingsStore::WriteValue(const std::string& keyPath, const std::string& name, const std::string& value)
{
    const auto settings = Open(keyPath);
    if (!settings || name.empty())
        return false;
    settings->setValue(QString::fromStdString(name), QString::fromStdString(value));
    return Synchronise(*settings);
}

bool TQSettingsStore::DeleteValue(const std::string& keyPath, const std::string& name)
{
    const auto settings = Open(keyPath);
    if (!settings || name.empty())
        return false;
    settings->remove(QString::fromStdString(name));
    return Synchronise(*settings);
}

TSettingValues TQSettingsStore::ReadValues(const std::string& keyPath) const
{
    TSettingValues values;
    const auto settings = Open(keyPath);
    if (!settings)
        return values;
    for (const QString& key : settings->childKeys())
        values.emplace_back(key.toStdString(), settings->value(key).toString().toStdString());
    SortSettingValues(values);
    return values;
}

bool TQSettingsStore::EraseKey(const std::string& keyPath)
{
    const auto settings = Open(keyPath);
    if (!settings)
        return false;
    // Within the key's group an empty name stands for everything in it.
    settings->remove(QString());
    return Synchronise(*settings);
}
