#pragma once
// What the programs' main windows share: the toolbar (shown or hidden by
// the View menu alone, so the window has no context menu for it), the
// status line, menu items found by name, the caption with the model's file
// name, the model named on the command line loaded when the window is first
// shown, the question whether to save before the window closes, and the
// file commands Open, Reopen, Save, Save As and Exit with the recent files.
// The recent files are the files that were opened and loaded, or saved.
//
// Two flags go with the model in the window. NeedsFileName: the model has no
// file of its own yet (or Save As was chosen), so Save asks for a name.
// Modified: an editor changed the model since it was last opened, made or
// saved, so closing, New, Open and Reopen first ask whether to save it. The
// file name itself is the program's current model file name
// (ModelFileName). A save that fails leaves the name and both flags as they
// were, so closing still asks.
//
// A run's results are the model's too: after a run that left results (in
// full or up to a stop) they are in no file until the model is saved, so
// the same commands ask the same question (ResultsUnsaved) until the model
// is saved, opened anew or made new. Whatever clears Modified (a load, New,
// a save) clears that too.

#include <QMainWindow>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QMenu;
class QToolBar;
class TMRUFileList;
class TRunWindow;
class TSettingsStore;

// What the file commands need to know of a program's model files.
struct TModelFileKind {
    QString FileFilter;  // of the open and save dialogs
    QString Extension;   // given to a name chosen without one
};

// The window sets the application's name to the program's title, so that
// the window manager shows that title for the program.
class TProgramMainWindow : public QMainWindow {
    Q_OBJECT
public:
    QToolBar& ToolbarPanel() const { return *toolbar_; }
    TMRUFileList& MRUFileList() const { return *mruFileList_; }
    bool NeedsFileName() const { return needsFileName_; }
    bool Modified() const { return modified_; }
    bool ResultsUnsaved() const { return resultsUnsaved_; }
    // What the save question is asked about: a changed model, or results
    // that are in no file.
    bool ChangesToSave() const { return modified_ || resultsUnsaved_; }

    // The status line: shows the text at once.
    void ShowStatusText(const std::string& text);
    // The caption: the program's title, " - " and the model file name
    // without its folder.
    void UpdateCaption();
    // A new name (compared with its case) becomes the current model file
    // name and shows in the caption.
    void SetModelFileName(const std::string& name);
    // True when the caller may go on and drop the model: nothing to save,
    // saved, or the user chose not to. False when the user cancelled or the
    // save failed. Closing the window asks it.
    virtual bool QuerySaveChanges() = 0;
    // File, Save: asks for a name only while NeedsFileName. True when the
    // model was written.
    bool SaveModelAs();
    // Writes the model under `name` and returns the writer's code; only a
    // save that succeeds gives the model that name and clears both flags.
    int WriteModel(const std::string& name);
    // Loads a model file and shows it. True when the file loaded: the model
    // is now that file's, under its name. Only such files go on the recent
    // files. The chart settings start from the built-in ones, then take the
    // file's side file where it has one; a file that did not load at all
    // leaves the model, and its chart settings, as they were.
    virtual bool OpenModel(const std::string& name) = 0;
    // A menu item (or a named separator) by its object name; throws
    // std::invalid_argument for a name that names none.
    QAction& Item(const char* name) const;

    // File and View commands.
    // File, New: after the save question, the program's new model with the
    // built-in chart settings, under the untitled name, unmodified; then
    // General Information, whose OK is the new model's first edit (an OK that
    // changes nothing leaves it unmodified).
    void NewItemClick();
    void OpenItemClick();
    void MRUFileListMRUItemClick(const QString& fileName);
    void SaveItemClick();
    void SaveAsItemClick();
    void ExitItemClick();
    virtual void ToolbarItemClick() = 0;
    virtual void StatusbarItemClick() = 0;

protected:
    TProgramMainWindow(const QString& title, const TModelFileKind& files, QWidget* parent = nullptr);

    // The File menu (New with `newHint`, Open, Save, Save As, Exit; a
    // separator named "OpenSeparator" after Open and one before Exit) with
    // its items on the toolbar, and the View menu with the Toolbar and
    // Status bar items, which it returns for the program's further items.
    QMenu& AddFileAndViewMenus(const QString& newHint);
    // The Model menu with General Information (`general`) as its first
    // item, returned for the program's further items.
    QMenu& AddModelMenu(const std::function<void()>& general);
    // The Simulation menu with Run (`run`, Ctrl+R), returned for the
    // program's further items.
    QMenu& AddSimulationMenu(const std::function<void()>& run);
    // The Help menu, last: Help Topics (F1) opens the help's contents;
    // About... (`about`) after a separator where `separatorBeforeAbout`.
    void AddHelpMenu(const std::function<void()>& about, bool separatorBeforeAbout);
    // The recent model files, kept under the program's settings key, in a
    // submenu just before `anchor`.
    void AddRecentFiles(TSettingsStore& settings, const std::string& settingsKey, QAction& anchor);
    void SetNeedsFileName(bool on) { needsFileName_ = on; }
    void SetModified(bool on)
    {
        modified_ = on;
        if (!on)
            resultsUnsaved_ = false;
    }
    // Simulation, Run: shows the program's simulation window, whose run
    // starts by itself; a run that leaves results marks them unsaved.
    void RunInWindow(TRunWindow& window);

    // The summary and the menus show the model in the window.
    virtual void ShowModelSummary() = 0;
    virtual void UpdateMenus() = 0;
    // File, New: the program's model cleared to its new model, the name it
    // has until it is saved, and its General Information dialog (true when
    // its OK stored what it shows).
    virtual void MakeNewModel() = 0;
    virtual std::string UntitledName() const = 0;
    virtual bool EditGeneralInformation() = 0;
    // Runs the program's reader (`load`, which also reads the file's side
    // file of chart settings) with the chart settings first the built-in
    // ones; where the model in hand was kept (`modelKept` of the reader's
    // code) its chart settings are kept too. Returns the reader's code.
    int LoadWithChartSettings(const std::function<int()>& load, const std::function<bool(int)>& modelKept);
    // After a load: the model in the window has `name` and the two flags,
    // and shows.
    void ShowOpenedModel(const std::string& name, bool needsFileName, bool modified);

    // When the window is first shown.
    virtual void FormShow() = 0;
    // The program's model file writer on the model; its result code.
    virtual int WriteModelFile(const std::string& name) = 0;
    // Last word before the model is written to `name`, chosen while the
    // model was in `folder`: false stops the save.
    virtual bool ConfirmSave(const std::string& name, const QString& folder);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString title_;
    TModelFileKind files_;
    QToolBar* toolbar_;
    TMRUFileList* mruFileList_ = nullptr;
    bool needsFileName_ = true;
    bool modified_ = false;
    bool resultsUnsaved_ = false;
    bool shown_ = false;
};
