#pragma once
// What the programs' main windows share: their menu items and the File
// buttons of the toolbar, the recent-files submenu, the smallest size, the
// question whether to save a changed model, and model file names between the
// system's bytes and what the dialogs show.

#include "core/option_settings.h"

#include <QKeySequence>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QMenu;
class QToolBar;
class QWidget;
class TMRUFileList;

// A menu item named `name` (its object name), with the hint the status line
// shows while it is pointed at, calling `handler` when chosen.
QAction* AddMenuItem(QMenu& menu, const char* name, const QString& text, const QString& hint,
                     std::function<void()> handler, const QKeySequence& shortcut = {});

// The toolbar's buttons are the File menu's own items New, Open, Save and
// Exit, with short tool tips.
void AddFileButtons(QToolBar& toolbar, QAction& newItem, QAction& openItem, QAction& saveItem, QAction& exitItem);

// The ten most recent model files in a "&Reopen" submenu placed just before
// `anchor` in its menu, captions shortened to 300 pixels, kept under the
// program's settings key in "MRU Items". Loaded at once; owned by `owner`.
TMRUFileList* AddRecentFiles(QWidget& owner, TSettingsStore& settings, const std::string& settingsKey,
                             QAction& anchor);
inline constexpr int kRecentFiles = 10;

// The window cannot be made smaller than 300 x 200 pixels.
void LimitMainWindowSize(QWidget& window);

// Writes a setting at once; a value the store refuses is reported in an
// error box instead of going further.
void WriteSetting(TBoolSetting& setting, bool value);
void WriteSetting(TIntSetting& setting, int value);

// Whether results made from other inputs are said to be lost before the
// question or after it.
enum class TResultsNotice { Before, After };

// True when the caller may go on and drop the model: it is not modified, it
// was saved (Yes and `save` succeeded), or the user chose No. Cancel (or a
// failed save) gives false. The question is "The model has changed.  Save
// changes?"; with `resultsLost` "Results will not be saved." stands before it
// or after it, two line breaks between.
bool QuerySaveModel(QWidget* parent, bool modified, bool resultsLost, TResultsNotice notice,
                    const std::function<bool()>& save);

// File names as the dialogs show them and back as the system's bytes.
QString FileNameText(const std::string& name);
std::string FileNameBytes(const QString& name);
// The file name without its folder, as the caption shows it.
QString FileNameOnly(const std::string& name);
// The folder a model file is in, as an absolute path: a name without a
// folder is in the current one.
QString ModelFolder(const std::string& name);
// A name chosen without an extension gets the model files' one.
QString WithModelExtension(const QString& name, const QString& extension);
