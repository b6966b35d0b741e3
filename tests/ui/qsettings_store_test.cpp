#include "ui/qsettings_store.h"

#include "core/option_settings.h"
#include "core/recent_files.h"
#include "support/temp_dir.h"

#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

const char* const kKey = "\\Software\\Maker\\Herb Program: Tests";

// Points the user's settings at a fresh folder, as a new account would have.
// QSettings reads XDG_CONFIG_HOME once per process, so the path is also set
// directly for tests that run after others in the same process.
class UserSettingsFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        hadXdg_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        oldXdg_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir_.path().string()));
        SetPath(QString::fromStdString(dir_.path().string()));
    }
    void TearDown() override
    {
        if (hadXdg_)
            qputenv("XDG_CONFIG_HOME", oldXdg_);
        else
            qunsetenv("XDG_CONFIG_HOME");
        SetPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    static void SetPath(const QString& folder)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    }
    std::string SettingsFile() const { return ReadAll(dir_.file("Maker/Herb Program: Tests.conf")); }

    TempDir dir_;
    TQSettingsStore store_;

private:
    bool hadXdg_ = false;
    QByteArray oldXdg_;
};

}  // namespace

TEST_F(UserSettingsFolder, OptionsStartAtTheirDefaultsAndAreKeptAsZeroOrOne)
{
    TRegistryComponent registry(store_, kKey);
    TBoolSetting toolbar(registry, "ToolbarSetting", "ShowToolbar", true);
    TIntSetting precision(registry, "PrecisionSetting", "Precision", 7);
    EXPECT_TRUE(toolbar.Value());
    EXPECT_EQ(precision.Value(), 7);

    toolbar.SetValue(false);
    precision.SetValue(5);
    EXPECT_FALSE(toolbar.Value());
    EXPECT_EQ(precision.Value(), 5);
    const std::string file = SettingsFile();
    EXPECT_NE(file.find("ShowToolbar=0"), std::string::npos) << file;
    EXPECT_NE(file.find("Precision=5"), std::string::npos) << file;

    // Removed through another store: the next read gives the default again.
    TQSettingsStore other;
    ASSERT_TRUE(other.DeleteValue(kKey, "ShowToolbar"));
    EXPECT_TRUE(toolbar.Value());
    // The same file written by hand, as another program might.
    WriteAll(dir_.file("Maker/Herb Program: Tests.conf"), "[General]\nShowToolbar=false\nPrecision=6\n");
    EXPECT_FALSE(toolbar.Value());
    EXPECT_EQ(precision.Value(), 6);
}

TEST_F(UserSettingsFolder, RecentFilesKeepTheirNumberOrderAndTheirText)
{
    TRecentFileList list;
    list.SetMaximum(20);
    for (int i = 11; i >= 0; --i)
        list.AddItem(0, "/m/model" + std::to_string(i) + ".st");
    // Texts the settings file must not change: commas, "=", "&", non-ASCII.
    list.AddItem(12, "/m/a, b = c & d/Hérbe.st");
    ASSERT_TRUE(list.Save(store_, kKey, "MRU Items"));

    TRecentFileList loaded;
    ASSERT_TRUE(loaded.Load(TQSettingsStore(), kKey, "MRU Items"));
    EXPECT_EQ(loaded.Items(), list.Items());

    list.SetMaximum(2);
    ASSERT_TRUE(list.Save(store_, kKey, "MRU Items"));
    ASSERT_TRUE(loaded.Load(store_, kKey, "MRU Items"));
    EXPECT_EQ(loaded.Items(), list.Items());
}

TEST_F(UserSettingsFolder, KeyPathsWithoutAProgramTakeNothing)
{
    for (const char* key : {"", "\\", "\\Software\\"}) {
        EXPECT_FALSE(store_.WriteValue(key, "A", "1")) << key;
        EXPECT_FALSE(store_.ReadValue(key, "A")) << key;
        EXPECT_FALSE(store_.EraseKey(key)) << key;
    }
    EXPECT_TRUE(dir_.path().empty() || std::filesystem::is_empty(dir_.path()));
}
