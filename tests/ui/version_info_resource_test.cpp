#include "ui/version_info_resource.h"

#include "support/qt_gtest_print.h"

#include <QCoreApplication>
#include <QHeaderView>

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList Column(const QTreeWidget& view, int column)
{
    QStringList texts;
    for (int i = 0; i < view.topLevelItemCount(); ++i)
        texts << view.topLevelItem(i)->text(column);
    return texts;
}

}  // namespace

TEST(VersionInfoResource, TheProgramsVersionIsTheBuilds)
{
    TVersionInfoResource info;
    EXPECT_EQ(info.GetTargetFileName(), QCoreApplication::applicationFilePath());
    EXPECT_TRUE(info.FileVersion().startsWith(QStringLiteral(PV_VERSION))) << info.FileVersion().toStdString();
    EXPECT_EQ(info.FileVersion().count('.'), 3);
    EXPECT_EQ(info.ProductVersion(), info.FileVersion());
    EXPECT_EQ(info.OriginalFilename(), QStringLiteral("test_ui"));

    // Pointing it at the program itself reads the same.
    info.SetFilename(QCoreApplication::applicationFilePath());
    EXPECT_EQ(info.FileVersion(), TVersionInfoResource().FileVersion());
}

TEST(VersionInfoResource, LinkedLabelsShowTheirTextAndLeaveTheList)
{
    QTreeWidget view;
    QLabel version;
    auto copyright = std::make_unique<QLabel>(QStringLiteral("stale"));
    TVersionInfoResource info;
    info.SetVersionListView(&view);
    ASSERT_EQ(view.headerItem()->text(0), "Resource");
    ASSERT_EQ(view.headerItem()->text(1), "Value");
    EXPECT_FALSE(view.header()->sectionsClickable());
    EXPECT_EQ(Column(view, 0), (QStringList{"ProductName", "ProductVersion", "CompanyName", "LegalCopyright",
                                            "LegalTrademarks", "FileDescription", "FileVersion", "InternalName",
                                            "OriginalFilename", "BuildFlags"}));
    EXPECT_EQ(Column(view, 1)[6], info.FileVersion());

    info.SetVersionLabel(&version);
    info.SetCopyrightLabel(copyright.get());
    EXPECT_EQ(version.text(), info.FileVersion());
    EXPECT_EQ(copyright->text(), "");
    EXPECT_FALSE(Column(view, 0).contains("FileVersion"));
    EXPECT_FALSE(Column(view, 0).contains("LegalCopyright"));
    EXPECT_EQ(Column(view, 0).size(), 8);

    // A destroyed label is forgotten.
    copyright.reset();
    info.ReadVersionInfo();
    EXPECT_EQ(info.CopyrightLabel(), nullptr);
}

TEST(VersionInfoResource, AnotherFileHasNoVersionInformation)
{
    QTreeWidget view;
    QLabel version(QStringLiteral("stale"));
    TVersionInfoResource info;
    info.SetVersionListView(&view);
    info.SetVersionLabel(&version);
    info.SetFilename(QStringLiteral(PV_TEST_DATA));
    EXPECT_EQ(version.text(), "");
    EXPECT_EQ(info.ProductName(), "");
    EXPECT_EQ(info.GetFileFlagsText(), "");
    EXPECT_EQ(Column(view, 0).size(), 9);
    for (const QString& value : Column(view, 1))
        EXPECT_EQ(value, "");
}
