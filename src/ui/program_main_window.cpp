#include "ui/program_main_window.h"

#include "chart/scale_info.h"
#include "core/config.h"
#include "core/model_file_codes.h"
#include "ui/dialog_services.h"
#include "ui/help_service.h"
#include "ui/main_window_parts.h"
#include "ui/mru_file_list.h"
#include "ui/qt_message_sink.h"
#include "ui/run_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <stdexcept>

TProgramMainWindow::TProgramMainWindow(const QString& title, const TModelFileKind& files, QWidget* parent)
    : QMainWindow(parent), title_(title), files_(files)
{
    // The program's title is the application's: the window manager and the
    // task bar show it for the program's windows, not the executable's name.
    // (Only the name is set: a display name of its own would be added to
    // every window's caption, which holds the title already.)
    QCoreApplication::setApplicationName(title);
    setObjectName(QStringLiteral("MainForm"));
    setContextMenuPolicy(Qt::NoContextMenu);
    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("ToolbarPanel"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, toolbar_);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

QMenu& TProgramMainWindow::AddFileAndViewMenus(const QString& newHint)
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* newItem = AddMenuItem(*file, "NewItem", QStringLiteral("&New"), newHint, [this] { NewItemClick(); },
                                   QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* openItem = AddMenuItem(*file, "OpenItem", QStringLiteral("&Open..."), QStringLiteral("Open a file"),
                                    [this] { OpenItemClick(); }, QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator()->setObjectName(QStringLiteral("OpenSeparator"));
    QAction* saveItem = AddMenuItem(*file, "SaveItem", QStringLiteral("&Save"), QStringLiteral("Save current file"),
                                    [this] { SaveItemClick(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
    AddMenuItem(*file, "SaveAsItem", QStringLiteral("Save &As..."),
                QStringLiteral("Save current file under a new name"), [this] { SaveAsItemClick(); });
    file->addSeparator();
    QAction* exitItem = AddMenuItem(*file, "ExitItem", QStringLiteral("E&xit"), QStringLiteral("Exit application"),
                                    [this] { ExitItemClick(); }, QKeySequence(Qt::ALT | Qt::Key_X));
    AddFileButtons(*toolbar_, *newItem, *openItem, *saveItem, *exitItem);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    AddMenuItem(*view, "ToolbarItem", QStringLiteral("&Toolbar"), QStringLiteral("Show or hide the toolbar"),
                [this] { ToolbarItemClick(); })
        ->setCheckable(true);
    AddMenuItem(*view, "StatusbarItem", QStringLiteral("&Status bar"), QStringLiteral("Show or hide the status bar"),
                [this] { StatusbarItemClick(); })
        ->setCheckable(true);
    return *view;
}

QMenu& TProgramMainWindow::AddModelMenu(const std::function<void()>& general)
{
    QMenu* model = menuBar()->addMenu(QStringLiteral("&Model"));
    AddMenuItem(*model, "GeneralItem", QStringLiteral("&General Information"),
                QStringLiteral("Change general information"), general);
    return *model;
}

QMenu& TProgramMainWindow::AddSimulationMenu(const std::function<void()>& run)
{
    QMenu* simulation = menuBar()->addMenu(QStringLiteral("&Simulation"));
    AddMenuItem(*simulation, "RunItem", QStringLiteral("&Run"), QStringLiteral("Run a simulation"), run,
                QKeySequence(Qt::CTRL | Qt::Key_R));
    return *simulation;
}

void TProgramMainWindow::AddHelpMenu(const std::function<void()>& about, bool separatorBeforeAbout)
{
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddMenuItem(*help, "HelpTopicsItem", QStringLiteral("&Help Topics"), QStringLiteral("Display the help contents"),
                [this] { HelpService().ShowHelp(this, kHelpContents); }, QKeySequence(Qt::Key_F1));
    if (separatorBeforeAbout)
        help->addSeparator();
    AddMenuItem(*help, "AboutItem", QStringLiteral("&About..."),
                QStringLiteral("Display program version and copyright information"), about);
}

void TProgramMainWindow::AddRecentFiles(TSettingsStore& settings, const std::string& settingsKey, QAction& anchor)
{
    mruFileList_ = ::AddRecentFiles(*this, settings, settingsKey, anchor);
    connect(mruFileList_, &TMRUFileList::OnMRUItemClick, this, &TProgramMainWindow::MRUFileListMRUItemClick);
}

void TProgramMainWindow::ShowStatusText(const std::string& text)
{
    statusBar()->showMessage(MessageText(text));
    statusBar()->repaint();
}

void TProgramMainWindow::UpdateCaption()
{
    setWindowTitle(title_ + QStringLiteral(" - ") + FileNameOnly(ModelFileName));
}

void TProgramMainWindow::SetModelFileName(const std::string& name)
{
    if (name == ModelFileName)
        return;
    ModelFileName = name;
    UpdateCaption();
}

QAction& TProgramMainWindow::Item(const char* name) const
{
    auto* item = findChild<QAction*>(QString::fromLatin1(name));
    if (!item)
        throw std::invalid_argument(std::string("no menu item ") + name);
    return *item;
}

bool TProgramMainWindow::SaveModelAs()
{
    const QString folder = ModelFolder(ModelFileName);
    std::string name = ModelFileName;
    if (needsFileName_) {
        const QString chosen =
            DialogServices()
                .SaveFileNameAndType(this, QStringLiteral("Save As"), FileNameText(ModelFileName), files_.FileFilter)
                .FileName;
        if (chosen.isEmpty())
            return false;
        name = FileNameBytes(WithModelExtension(chosen, files_.Extension));
    }
    mruFileList_->AddItem(0, FileNameText(name));
    if (!ConfirmSave(name, folder))
        return false;
    return WriteModel(name) == kModelFileOk;
}

bool TProgramMainWindow::ConfirmSave(const std::string&, const QString&) { return true; }

int TProgramMainWindow::WriteModel(const std::string& name)
{
    // The writer reports its own failures; the model keeps its old name and
    // stays modified, so closing still asks to save it.
    const int code = WriteModelFile(name);
    if (code == kModelFileOk) {
        SetModelFileName(name);
        needsFileName_ = false;
        SetModified(false);
    }
    return code;
}

void TProgramMainWindow::RunInWindow(TRunWindow& window)
{
    window.Execute();
    // A stopped run keeps the replications it finished; a refused, invalid
    // or failed one leaves no results of its own.
    const TRunEnd end = window.Outcome().end;
    if (window.Finished() && HasRunResults(end))
        resultsUnsaved_ = true;
}

int TProgramMainWindow::LoadWithChartSettings(const std::function<int()>& load,
                                              const std::function<bool(int)>& modelKept)
{
    const std::vector<TScaleInfo> keptScales = DefaultScaleInfo;
    RestoreBuiltInScaleInfo();
    const int code = load();
    if (modelKept(code))
        DefaultScaleInfo = keptScales;
    return code;
}

void TProgramMainWindow::ShowOpenedModel(const std::string& name, bool needsFileName, bool modified)
{
    SetModelFileName(name);
    needsFileName_ = needsFileName;
    SetModified(modified);
    ShowModelSummary();
    UpdateMenus();
}

void TProgramMainWindow::NewItemClick()
{
    if (!QuerySaveChanges())
        return;
    MakeNewModel();
    RestoreBuiltInScaleInfo();
    SetModelFileName(UntitledName());
    needsFileName_ = true;
    SetModified(false);
    UpdateCaption();
    ShowModelSummary();
    UpdateMenus();
    if (EditGeneralInformation())
        SetModified(true);
    ShowModelSummary();
    UpdateMenus();
}

void TProgramMainWindow::OpenItemClick()
{
    if (!QuerySaveChanges())
        return;
    QString chosen =
        DialogServices().OpenFileName(this, QStringLiteral("Open"), ModelFolder(ModelFileName), files_.FileFilter);
    if (chosen.isEmpty())
        return;
    if (!QFileInfo::exists(chosen))
        chosen = WithModelExtension(chosen, files_.Extension);
    // A file that is no model, or did not load, is not one to reopen.
    if (OpenModel(FileNameBytes(chosen)))
        mruFileList_->AddItem(0, chosen);
}

void TProgramMainWindow::MRUFileListMRUItemClick(const QString& fileName)
{
    // Back on top when it loaded, and when the user kept the model in hand
    // instead; one that no longer loads keeps its place.
    if (!QuerySaveChanges() || OpenModel(FileNameBytes(fileName)))
        mruFileList_->AddItem(0, fileName);
}

void TProgramMainWindow::SaveItemClick() { SaveModelAs(); }

void TProgramMainWindow::SaveAsItemClick()
{
    needsFileName_ = true;
    SaveModelAs();
}

void TProgramMainWindow::ExitItemClick() { close(); }

void TProgramMainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TProgramMainWindow::closeEvent(QCloseEvent* event)
{
    if (QuerySaveChanges())
        event->accept();
    else
        event->ignore();
}
