#include "ui/mru_file_list.h"

#include "core/text_shortening.h"

#include <QFontMetrics>
#include <QWidget>

TMRUMenuItem::TMRUMenuItem(int number, const QString& fullCaption, QObject* parent)
    : QAction(parent), number_(number), fullCaption_(fullCaption)
{
}

TMRUFileList::TMRUFileList(TSettingsStore& store, QObject* parent) : QObject(parent), store_(store) {}

TMRUFileList::~TMRUFileList()
{
    if (autoSave_)
        SaveItems();
    RemoveMenuItems();
}

void TMRUFileList::Loaded()
{
    if (autoSave_)
        LoadItems();
}

void TMRUFileList::SetMaximum(int maximum)
{
    list_.SetMaximum(maximum);
    RebuildMenu();
}

void TMRUFileList::SetUseSubmenu(bool on)
{
    if (on == useSubmenu_)
        return;
    useSubmenu_ = on;
    RebuildMenu();
}

void TMRUFileList::SetInsertSeparator(bool on)
{
    if (on == insertSeparator_)
        return;
    insertSeparator_ = on;
    RebuildMenu();
}

void TMRUFileList::SetSubmenuName(const QString& name)
{
    if (name == submenuName_)
        return;
    submenuName_ = name;
    if (useSubmenu_)
        RebuildMenu();
}

void TMRUFileList::SetFileMenu(QAction* anchor)
{
    RemoveMenuItems();
    fileMenu_ = anchor;
    RebuildMenu();
}

void TMRUFileList::SetMaxCaptionWidth(int width)
{
    if (width == maxCaptionWidth_)
        return;
    maxCaptionWidth_ = width;
    RebuildMenu();
}

QStringList TMRUFileList::Items() const
{
    QStringList items;
    for (const std::string& item : list_.Items())
        items << QString::fromStdString(item);
    return items;
}

void TMRUFileList::AddItem(int index, const QString& fileName)
{
    list_.AddItem(static_cast<std::size_t>(std::max(index, 0)), fileName.toStdString());
    RebuildMenu();
}

void TMRUFileList::Clear()
{
    RemoveMenuItems();
    list_.Clear();
}

bool TMRUFileList::LoadItems()
{
    if (!list_.Load(store_, autoSaveName_, autoSaveKey_))
        return false;
    RebuildMenu();
    return true;
}

bool TMRUFileList::SaveItems() { return list_.Save(store_, autoSaveName_, autoSaveKey_); }

void TMRUFileList::RemoveMenuItems()
{
    // Out of the menus now, freed later: the item being clicked may be among
    // them, and Qt still uses it after the click's handlers have run.
    for (const QPointer<QAction>& action : added_) {
        if (!action)
            continue;
        for (QObject* holder : action->associatedObjects())
            if (auto* widget = qobject_cast<QWidget*>(holder))
                widget->removeAction(action);
        action->deleteLater();
    }
    added_.clear();
    if (submenu_)
        submenu_->deleteLater();
    submenu_ = nullptr;
}

QMenu* TMRUFileList::MenuOf(QAction* action) const
{
    for (QObject* holder : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder))
            return menu;
    return nullptr;
}

std::string TMRUFileList::ShownName(const std::string& name, const QMenu& menu) const
{
    const QFontMetrics metrics(menu.font());
    // A width of 0 or less means captions are never shortened.
    if (maxCaptionWidth_ <= 0)
        return name;
    return ShortenPath(name, maxCaptionWidth_, [&](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    });
}

void TMRUFileList::RebuildMenu()
{
    RemoveMenuItems();
    if (!fileMenu_ || list_.Items().empty())
        return;
    QMenu* target = fileMenu_->menu();
    QAction* before = nullptr;
    if (!target) {
        target = MenuOf(fileMenu_);
        before = fileMenu_;
    }
    if (!target)
        return;
    const auto insert = [&](QAction* action) {
        target->insertAction(before, action);
        added_.emplace_back(action);
    };
    if (insertSeparator_) {
        auto* separator = new QAction(target);
        separator->setSeparator(true);
        insert(separator);
    }
    if (useSubmenu_) {
        submenu_ = new QMenu(submenuName_, target);
        insert(submenu_->menuAction());
        target = submenu_;
        before = nullptr;
    }
    const std::vector<std::string>& items = list_.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        auto* item = new TMRUMenuItem(number, QString::fromStdString(RecentFileCaption(number, items[i])), target);
        item->setText(QString::fromStdString(RecentFileCaption(number, ShownName(items[i], *target))));
        connect(item, &QAction::triggered, this, [this, number] { ItemClicked(number); });
        insert(item);
    }
}

void TMRUFileList::ItemClicked(int number)
{
    const std::size_t index = static_cast<std::size_t>(number - 1);
    if (number < 1 || index >= list_.Items().size())
        return;
    const QString fileName = QString::fromStdString(list_.Items()[index]);
    if (removeOnClick_) {
        list_.Delete(index);
        RebuildMenu();
    }
    emit OnMRUItemClick(fileName);
}
