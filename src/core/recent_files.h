#pragma once
// The list behind the recent-files menu: the names of recently used model
// files, newest first, at most Maximum of them, kept in the settings store as
// the values "F0", "F1", ... of one key.

#include "core/settings_store.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class TRecentFileList {
public:
    // A list of none could never take a name, and one of more than 255 was
    // never meant to be shown in a menu.
    static constexpr int kMaximumLimit = 255;

    // When the list is full, AddItem drops the oldest from the end (true, the
    // start value) or from the start (false).
    bool AddToTop() const { return addToTop_; }
    void SetAddToTop(bool on) { addToTop_ = on; }
    int Maximum() const { return maximum_; }
    // Held to 1..kMaximumLimit; a lower maximum drops entries at once.
    void SetMaximum(int maximum);

    const std::vector<std::string>& Items() const { return items_; }
    // A name already in the list (the same file, see SameFileName in
    // core/file_names.h) moves to index and takes the new spelling; a new one
    // is inserted there after older entries have been dropped to make room.
    void AddItem(std::size_t index, const std::string& name);
    void Delete(std::size_t index);
    void Clear() { items_.clear(); }

    // Replaces the list with the values of keyName\section, in the store's
    // order; empty values are skipped. False when either name is empty.
    bool Load(const TSettingsStore& store, const std::string& keyName, const std::string& section);
    // Erases keyName\section and writes entry i as "F" + i. False when either
    // name is empty or the store refused a write.
    bool Save(TSettingsStore& store, const std::string& keyName, const std::string& section) const;

private:
    void DropUntil(std::size_t count);

    std::vector<std::string> items_;
    int maximum_ = 5;
    bool addToTop_ = true;
};

// The menu caption of entry `number` (1-based): "&" + number + " " + name,
// with every "&" of the name doubled so that it shows as itself.
std::string RecentFileCaption(int number, const std::string& shownName);

