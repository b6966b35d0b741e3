#pragma once
// The recent-files menu: keeps the names of recently used files (the list of
// core/recent_files.h), shows them as numbered items "&1 name" in a menu,
// reports a click on one, and loads and saves itself in the settings store.
//
// Placement: the anchor is a QAction. When it carries a menu (a menu's
// menuAction(), a submenu), the items are appended to that menu; otherwise
// they are inserted into the anchor's menu just before the anchor. A
// separator comes first when InsertSeparator is on; with UseSubmenu the items
// go into a submenu captioned SubmenuName. An empty list adds nothing.
//
// Life: the owner creates the list with the program's settings store, sets
// its properties and then calls Loaded(), which reads the entries when
// AutoSave is on; the destructor saves them when AutoSave is on. The entries
// live under AutoSaveName (the program's key path) in the key AutoSaveKey,
// as the values "F0", "F1", ...
//
// Items replaced by a rebuild leave the menu at once but are freed only
// after control returns to the event loop, so a click handler may change the
// list (a program adds the clicked name back) while its item is still busy.

#include "core/recent_files.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>

// One recent-file item: its 1-based number and its full caption, kept whole
// even when the shown caption is shortened.
class TMRUMenuItem : public QAction {
    Q_OBJECT
public:
    TMRUMenuItem(int number, const QString& fullCaption, QObject* parent);
    int Number() const { return number_; }
    const QString& FullCaption() const { return fullCaption_; }

private:
    int number_;
    QString fullCaption_;
};

class TMRUFileList : public QObject {
    Q_OBJECT
public:
    explicit TMRUFileList(TSettingsStore& store, QObject* parent = nullptr);
    ~TMRUFileList() override;

    // Reads the entries when AutoSave is on; call once the properties are set.
    void Loaded();

    bool AddToTop() const { return list_.AddToTop(); }
    void SetAddToTop(bool on) { list_.SetAddToTop(on); }
    int Maximum() const { return list_.Maximum(); }
    // Held to 1..255; a lower maximum drops entries and rebuilds the menu.
    void SetMaximum(int maximum);
    // A clicked entry leaves the list before OnMRUItemClick is raised.
    bool RemoveOnClick() const { return removeOnClick_; }
    void SetRemoveOnClick(bool on) { removeOnClick_ = on; }
    bool UseSubmenu() const { return useSubmenu_; }
    void SetUseSubmenu(bool on);
    bool InsertSeparator() const { return insertSeparator_; }
    void SetInsertSeparator(bool on);
    const QString& SubmenuName() const { return submenuName_; }
    void SetSubmenuName(const QString& name);
    QAction* FileMenu() const { return fileMenu_; }
    // Takes the items away from the old anchor and builds them at the new.
    void SetFileMenu(QAction* anchor);
    // Width in pixels to which a name is shortened in its caption; 0 keeps
    // names whole.
    int MaxCaptionWidth() const { return maxCaptionWidth_; }
    void SetMaxCaptionWidth(int width);
    bool AutoSave() const { return autoSave_; }
    void SetAutoSave(bool on) { autoSave_ = on; }
    const std::string& AutoSaveName() const { return autoSaveName_; }
    void SetAutoSaveName(const std::string& keyPath) { autoSaveName_ = keyPath; }
    const std::string& AutoSaveKey() const { return autoSaveKey_; }
    void SetAutoSaveKey(const std::string& key) { autoSaveKey_ = key; }

    QStringList Items() const;
    // Index 0 is the top. A name already present (the same file) moves there.
    void AddItem(int index, const QString& fileName);
    // Takes the items out of the menu and empties the list.
    void Clear();
    // False when AutoSaveName or AutoSaveKey is empty (or, saving, when the
    // store refused a value).
    bool LoadItems();
    bool SaveItems();

    virtual void RebuildMenu();
    void RemoveMenuItems();

signals:
    // A recent-file item was chosen.
    void OnMRUItemClick(const QString& fileName);

private:
    void ItemClicked(int number);
    QMenu* MenuOf(QAction* action) const;
    std::string ShownName(const std::string& name, const QMenu& menu) const;

    TSettingsStore& store_;
    TRecentFileList list_;
    bool removeOnClick_ = true;
    bool useSubmenu_ = false;
    bool insertSeparator_ = true;
    QString submenuName_ = QStringLiteral("Reopen");
    QPointer<QAction> fileMenu_;
    int maxCaptionWidth_ = 200;
    bool autoSave_ = true;
    std::string autoSaveName_ = "\\Software\\My Application";
    std::string autoSaveKey_ = "MRU Items";
    // Everything the list put into menus: separator, submenu, items.
    std::vector<QPointer<QAction>> added_;
    QPointer<QMenu> submenu_;
};
