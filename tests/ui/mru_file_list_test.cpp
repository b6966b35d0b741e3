#include "ui/mru_file_list.h"

#include "support/qt_gtest_print.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const kKey = "\\Software\\Maker\\Program";

// A File menu as the programs have it: New, Open, a separator, Save, Exit.
struct FileMenu : ::testing::Test {
    FileMenu()
    {
        file.addAction(QStringLiteral("&New"));
        file.addAction(QStringLiteral("&Open..."));
        separator = file.addSeparator();
        file.addAction(QStringLiteral("&Save"));
        file.addAction(QStringLiteral("E&xit"));
    }
    ~FileMenu() override { FreeRemovedItems(); }

    // What a rebuild took out of the menus is freed by the event loop.
    static void FreeRemovedItems() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static QStringList Texts(const QMenu& menu)
    {
        QStringList texts;
        for (const QAction* action : menu.actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    // Strativa's arrangement: a "&Reopen" submenu just before the anchor.
    std::unique_ptr<TMRUFileList> ReopenList(QAction* anchor)
    {
        auto list = std::make_unique<TMRUFileList>(store);
        list->SetMaximum(10);
        list->SetUseSubmenu(true);
        list->SetSubmenuName(QStringLiteral("&Reopen"));
        list->SetInsertSeparator(false);
        list->SetAutoSaveName(kKey);
        list->SetMaxCaptionWidth(0);
        list->SetFileMenu(anchor);
        return list;
    }

    TMemorySettingsStore store;
    QMenu file;
    QAction* separator = nullptr;
};

}  // namespace

TEST_F(FileMenu, ItemsGoIntoASubmenuBeforeTheAnchor)
{
    auto list = ReopenList(separator);
    EXPECT_EQ(Texts(file).size(), 5);  // an empty list adds nothing
    list->AddItem(0, QStringLiteral("/m/b.st"));
    list->AddItem(0, QStringLiteral("/m/a.st"));
    ASSERT_EQ(Texts(file), (QStringList{"&New", "&Open...", "&Reopen", "-", "&Save", "E&xit"}));
    const QMenu* reopen = file.actions()[2]->menu();
    ASSERT_TRUE(reopen);
    EXPECT_EQ(Texts(*reopen), (QStringList{"&1 /m/a.st", "&2 /m/b.st"}));

    list->Clear();
    EXPECT_EQ(Texts(file).size(), 5);
    EXPECT_TRUE(list->Items().isEmpty());
}

TEST_F(FileMenu, ItemsAreAppendedToAMenuAnchorAfterASeparator)
{
    TMRUFileList list(store);
    list.SetAutoSave(false);
    list.SetFileMenu(file.menuAction());
    list.AddItem(0, QStringLiteral("/m/R&D.st"));
    EXPECT_EQ(Texts(file).mid(5), (QStringList{"-", "&1 /m/R&&D.st"}));

    // Switching the arrangement rebuilds in place, leaving nothing behind.
    list.SetInsertSeparator(false);
    list.SetUseSubmenu(true);
    EXPECT_EQ(Texts(file).mid(5), (QStringList{"Reopen"}));
    list.SetSubmenuName(QStringLiteral("&Recent"));
    EXPECT_EQ(Texts(file).mid(5), (QStringList{"&Recent"}));
    list.SetFileMenu(separator);
    EXPECT_EQ(Texts(file), (QStringList{"&New", "&Open...", "&Recent", "-", "&Save", "E&xit"}));
}

TEST_F(FileMenu, ClickingAnItemGivesItsNameAndRemovesIt)
{
    auto list = ReopenList(separator);
    for (const char* name : {"/m/c.st", "/m/b.st", "/m/a.st"})
        list->AddItem(0, QString::fromLatin1(name));
    QSignalSpy clicked(list.get(), &TMRUFileList::OnMRUItemClick);
    file.actions()[2]->menu()->actions()[1]->trigger();
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0][0].toString(), "/m/b.st");
    EXPECT_EQ(list->Items(), (QStringList{"/m/a.st", "/m/c.st"}));
    EXPECT_EQ(Texts(*file.actions()[2]->menu()), (QStringList{"&1 /m/a.st", "&2 /m/c.st"}));
    FreeRemovedItems();

    // A program adds the clicked name again from its handler, rebuilding the
    // menu while the clicked item is still being handled.
    QObject::connect(list.get(), &TMRUFileList::OnMRUItemClick, list.get(),
            [&](const QString& name) { list->AddItem(0, name); });
    file.actions()[2]->menu()->actions()[1]->trigger();
    EXPECT_EQ(clicked.last()[0].toString(), "/m/c.st");
    EXPECT_EQ(list->Items(), (QStringList{"/m/c.st", "/m/a.st"}));
    EXPECT_EQ(Texts(*file.actions()[2]->menu()), (QStringList{"&1 /m/c.st", "&2 /m/a.st"}));

    // Without RemoveOnClick the list stays as it is.
    list->SetRemoveOnClick(false);
    file.actions()[2]->menu()->actions()[0]->trigger();
    EXPECT_EQ(clicked.last()[0].toString(), "/m/c.st");
    EXPECT_EQ(list->Items(), (QStringList{"/m/c.st", "/m/a.st"}));
}

TEST_F(FileMenu, LongNamesAreShortenedButTheItemKeepsTheWholeCaption)
{
    auto list = ReopenList(separator);
    const QString name = QStringLiteral("/home/ecologist/models/alpine meadows/2024/herb.st");
    list->AddItem(0, name);
    EXPECT_EQ(file.actions()[2]->menu()->actions()[0]->text(), "&1 " + name);

    list->SetMaxCaptionWidth(150);
    const QMenu& reopen = *file.actions()[2]->menu();
    ASSERT_EQ(reopen.actions().size(), 1);
    auto* item = qobject_cast<TMRUMenuItem*>(reopen.actions()[0]);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->Number(), 1);
    EXPECT_EQ(item->FullCaption(), "&1 " + name);
    const QString shown = item->text().mid(3);
    EXPECT_TRUE(shown.startsWith("/...") && shown.endsWith("/herb.st")) << shown.toStdString();
    EXPECT_LE(reopen.fontMetrics().horizontalAdvance(shown), 150);
}

TEST_F(FileMenu, TheListIsLoadedWhenReadyAndSavedWhenDestroyed)
{
    store.WriteValue(std::string(kKey) + "\\MRU Items", "F1", "/m/second.st");
    store.WriteValue(std::string(kKey) + "\\MRU Items", "F0", "/m/first.st");
    {
        auto list = ReopenList(separator);
        list->Loaded();
        EXPECT_EQ(list->Items(), (QStringList{"/m/first.st", "/m/second.st"}));
        ASSERT_EQ(Texts(*file.actions()[2]->menu()).size(), 2);
        list->AddItem(0, QStringLiteral("/m/third.st"));

        // Another program's key replaces the entries.
        list->SetAutoSaveName("\\Software\\Maker\\Other");
        list->Clear();
        ASSERT_TRUE(list->LoadItems());
        EXPECT_TRUE(list->Items().isEmpty());
        list->AddItem(0, QStringLiteral("/m/other.st"));
        list->SetAutoSaveName(kKey);
        list->SetAutoSaveKey("");
        EXPECT_FALSE(list->LoadItems());
        list->SetAutoSaveKey("MRU Items");
    }
    EXPECT_EQ(store.ReadValues(std::string(kKey) + "\\MRU Items"), (TSettingValues{{"F0", "/m/other.st"}}));
    EXPECT_EQ(Texts(file).size(), 5);
}

TEST_F(FileMenu, ALostAnchorLeavesTheListWorking)
{
    QAction* anchor = file.addAction(QStringLiteral("Anchor"));
    auto list = ReopenList(anchor);
    list->AddItem(0, QStringLiteral("/m/a.st"));
    delete anchor;
    EXPECT_EQ(list->FileMenu(), nullptr);
    list->AddItem(0, QStringLiteral("/m/b.st"));
    EXPECT_EQ(Texts(file).size(), 5);
    EXPECT_EQ(list->Items(), (QStringList{"/m/b.st", "/m/a.st"}));
}
