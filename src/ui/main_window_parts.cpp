#include "ui/main_window_parts.h"

#include "core/file_names.h"
#include "core/messages.h"
#include "ui/dialog_services.h"
#include "ui/min_max.h"
#include "ui/mru_file_list.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QStyle>
#include <QToolBar>

#include <utility>

namespace {

const char* const kSaveQuestion = "The model has changed.  Save changes?";
const char* const kResultsNotSaved = "Results will not be saved.";
const char* const kTwoLineBreaks = "\r\n\r\n";

template <typename T>
void Write(TTypedSetting<T>& setting, T value)
{
    try {
        setting.SetValue(value);
    } catch (const TSettingError& error) {
        ErrorMessage(error.what());
    }
}

}  // namespace

QAction* AddMenuItem(QMenu& menu, const char* name, const QString& text, const QString& hint,
                     std::function<void()> handler, const QKeySequence& shortcut)
{
    QAction* item = menu.addAction(text);
    item->setObjectName(QString::fromLatin1(name));
    item->setStatusTip(hint);
    item->setShortcut(shortcut);
    QObject::connect(item, &QAction::triggered, item, [handler = std::move(handler)] { handler(); });
    return item;
}

void AddFileButtons(QToolBar& toolbar, QAction& newItem, QAction& openItem, QAction& saveItem, QAction& exitItem)
{
    const struct {
        QAction* item;
        QStyle::StandardPixmap icon;
        const char* tip;
    } buttons[] = {{&newItem, QStyle::SP_FileIcon, "New"},
                   {&openItem, QStyle::SP_DialogOpenButton, "Open"},
                   {&saveItem, QStyle::SP_DialogSaveButton, "Save"},
                   {&exitItem, QStyle::SP_DialogCloseButton, "Exit"}};
    for (const auto& button : buttons) {
        button.item->setIcon(toolbar.style()->standardIcon(button.icon));
        button.item->setToolTip(QString::fromLatin1(button.tip));
        toolbar.addAction(button.item);
    }
}

TMRUFileList* AddRecentFiles(QWidget& owner, TSettingsStore& settings, const std::string& settingsKey,
                             QAction& anchor)
{
    auto* list = new TMRUFileList(settings, &owner);
    list->SetMaximum(kRecentFiles);
    list->SetUseSubmenu(true);
    list->SetSubmenuName(QStringLiteral("&Reopen"));
    list->SetInsertSeparator(false);
    list->SetAutoSaveName("\\" + settingsKey);
    list->SetAutoSaveKey("MRU Items");
    list->SetMaxCaptionWidth(300);
    list->SetFileMenu(&anchor);
    list->Loaded();
    return list;
}

void LimitMainWindowSize(QWidget& window)
{
    auto* minMax = new TMinMax(window);
    // The limits first, so that no maximum of 0 x 0 holds for a moment and
    // shrinks the window.
    minMax->SetChanges(TMinMaxChange::mmMinTrackWidth | TMinMaxChange::mmMinTrackHeight);
    TMinMaxTrackSize track;
    track.MinTrackWidth = 300;
    track.MinTrackHeight = 200;
    minMax->SetMinMaxTrackSize(track);
}

void WriteSetting(TBoolSetting& setting, bool value) { Write(setting, value); }

void WriteSetting(TIntSetting& setting, int value) { Write(setting, value); }

bool QuerySaveModel(QWidget* parent, bool modified, bool resultsLost, TResultsNotice notice,
                    const std::function<bool()>& save)
{
    if (!modified)
        return true;
    QString text = QString::fromLatin1(kSaveQuestion);
    if (resultsLost) {
        const QString lost = QString::fromLatin1(kResultsNotSaved);
        const QString breaks = QString::fromLatin1(kTwoLineBreaks);
        text = notice == TResultsNotice::Before ? lost + breaks + text : text + breaks + lost;
    }
    switch (DialogServices().ShowMessageBox(parent, TBoxIcon::Question, QStringLiteral("Confirm"), text,
                                            TBoxButtons::YesNoCancel)) {
    case TBoxAnswer::No: return true;
    case TBoxAnswer::Yes: return save();
    default: return false;
    }
}

QString FileNameText(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

std::string FileNameBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString FileNameOnly(const std::string& name)
{
    const TPathParts parts = SplitPath(name);
    return FileNameText(name.substr(parts.drive.size() + parts.dir.size()));
}

QString ModelFolder(const std::string& name)
{
    return QDir::cleanPath(QFileInfo(FileNameText(NativePath(name))).absolutePath());
}

QString WithModelExtension(const QString& name, const QString& extension)
{
    return QFileInfo(name).fileName().contains(QLatin1Char('.')) ? name : name + QLatin1Char('.') + extension;
}
