#include "unstructured_ui/main_form.h"

#include "core/config.h"
#include "core/model_summary.h"
#include "multi/landscape_map.h"
#include "multi/multi_options.h"
#include "multi/startup.h"
#include "unstructured_ui/about_form.h"
#include "unstructured_ui/general_form.h"
#include "unstructured_ui/option_form.h"
#include "unstructured_ui/simulation_form.h"
#include "ui/main_window_parts.h"
#include "ui/model_text.h"
#include "ui/picture_files.h"
#include "ui/summary_panel.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>


namespace unstructured_ui {

using namespace multi;

namespace {

const char* const kGeneralHint = "Click to edit";
const char* const kPopulationsHint = "Click to edit populations";
const char* const kDemographicLine = "Using demographic stochasticity";

}  // namespace

bool ModelKept(int code, const TModelFileFormat& format)
{
    return code == kModelFileNoName || code == kModelFileCannotOpen ||
           (code == kModelFileNotModel && format.keepModelOnRejectedHeader);
}

TMainForm::TMainForm(TSettingsStore& settings, const TMainFormVariant& variant, QWidget* parent)
    : TProgramMainWindow(variant.Title, {variant.FileFilter, variant.Extension}, parent), variant_(variant)
{
    resize(560, 460);

    // The options apply the number settings as they are made.
    optionForm_ = new TOptionForm(settings, variant_.SettingsKey, this);
    CreateMenus();
    CreatePages();
    LimitMainWindowSize(*this);
    // Just after Open, before the separator that follows it.
    AddRecentFiles(settings, variant_.SettingsKey, Item("OpenSeparator"));
    generalForm_ = new TGeneralForm(this);
    simulationForm_ = variant_.MakeSimulationForm(this);
}

TMainForm::~TMainForm() = default;

TMultiOptions& TMainForm::Options() const { return optionForm_->Options(); }

void TMainForm::CreateMenus()
{
    QMenu* view = &AddFileAndViewMenus(QStringLiteral("Start a new file"));
    view->addSeparator()->setObjectName(QStringLiteral("ViewModeSeparator"));
    // One of the three is checked, or none for a view mode the settings hold
    // that is none of them.
    auto* modes = new QActionGroup(this);
    modes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const struct {
        const char* name;
        const char* text;
        const char* hint;
        void (TMainForm::*handler)();
    } viewModes[] = {
        {"GeneralInformationViewItem", "&General Information", "Display general information about model",
         &TMainForm::GeneralInformationViewItemClick},
        {"MapItem", "&Map", "Display the population map", &TMainForm::MapItemClick},
        {"AutoItem", "&Auto", "Let the program decide what to display", &TMainForm::AutoItemClick},
    };
    for (const auto& mode : viewModes) {
        QAction* item = AddMenuItem(*view, mode.name, QString::fromLatin1(mode.text), QString::fromLatin1(mode.hint),
                                    [this, handler = mode.handler] { (this->*handler)(); });
        item->setCheckable(true);
        modes->addAction(item);
    }

    QMenu* model = &AddModelMenu([this] { GeneralItemClick(); });
    AddMenuItem(*model, "PopulationsItem", QStringLiteral("&Populations"),
                QStringLiteral("Change the number of populations and population parameters"),
                [this] { PopulationsItemClick(); });
    AddMenuItem(*model, "DispersalItem", QStringLiteral("&Dispersal and Correlation"),
                QStringLiteral("Change the dispersal and correlation parameters"), [this] { DispersalItemClick(); });

    AddSimulationMenu([this] { RunItemClick(); });

    resultsMenu_ = menuBar()->addMenu(QStringLiteral("&Results"));
    resultsMenu_->setObjectName(QStringLiteral("ResultsMenu"));
    connect(resultsMenu_, &QMenu::aboutToShow, this, &TMainForm::ResultsItemClick);
    const struct {
        const char* name;
        const char* text;
        const char* hint;
        const char* separatorAfter;
    } results[] = {
        {"TrajectorySummaryItem", "&Trajectory summary", "Display the trajectory summary", nullptr},
        {"PopulationStructureItem", "&Population structure", "Display the population structure results",
         "StructureSeparator"},
        {"OccupancyItem", "&Rivedarulation occupancy", "Display the rivedarulation occupancy", "OccupancySeparator"},
        {"IntervalExtinctionRiskItem", "&Extinction/Decline", "Display the quasi-extinction risk curve", nullptr},
        {"IntervalExplosionRiskItem", "Explosion/&Increase", "Display the quasi-explosion curve", nullptr},
    };
    for (std::size_t i = 0; i < std::size(results); ++i) {
        const int kind = variant_.ResultKinds[i];
        AddMenuItem(*resultsMenu_, results[i].name, QString::fromLatin1(results[i].text),
                    QString::fromLatin1(results[i].hint), [this, kind] { ResultItemClick(kind); });
        if (results[i].separatorAfter)
            resultsMenu_->addSeparator()->setObjectName(QString::fromLatin1(results[i].separatorAfter));
    }

    AddHelpMenu([this] { TAboutForm::Execute(this, variant_.AboutTexts()); }, true);
}

void TMainForm::CreatePages()
{
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));

    mapPage_ = new QWidget(pages_);
    mapPage_->setObjectName(QStringLiteral("MapTabSheet"));
    auto* mapLayout = new QVBoxLayout(mapPage_);
    mapLayout->setContentsMargins(0, 0, 0, 0);
    map_ = new TPaintBox(mapPage_);
    map_->setObjectName(QStringLiteral("Map"));
    map_->SetOnPaint([this](TCanvas& canvas) { PaintMap(canvas); });
    mapLayout->addWidget(map_);
    pages_->addWidget(mapPage_);

    generalPage_ = new TSummaryPanel(pages_);
    generalPage_->setObjectName(QStringLiteral("GeneralTabSheet"));
    const QString generalHint = QString::fromLatin1(kGeneralHint);
    const QString populationsHint = QString::fromLatin1(kPopulationsHint);
    const auto general = [this] { GeneralItemClick(); };
    const auto populations = [this] { PopulationsItemClick(); };
    generalPage_->AddLine(QStringLiteral("Title:"), "TitleLabel", generalHint, general).setWordWrap(true);
    generalPage_->AddLine(QStringLiteral("Comments:"), "CommentsLabel", generalHint, general).setWordWrap(true);
    generalPage_->AddLine(QStringLiteral("Replications:"), "ReplicationsLabel", generalHint, general);
    generalPage_->AddLine(QStringLiteral("Duration:"), "DurationLabel", generalHint, general);
    generalPage_->AddLine(QStringLiteral("Populations:"), "PopulationsLabel", populationsHint, populations);
    generalPage_
        ->AddLine(QString::fromLatin1(kDemographicLine), "UseDemographicStochasticityLabel", generalHint, general,
                  false)
        .setText(QString::fromLatin1(kDemographicLine));
    generalPage_->EndLines();
    pages_->addWidget(generalPage_);
    pages_->setCurrentWidget(generalPage_);
    setCentralWidget(pages_);
}

QLabel& TMainForm::SummaryLabel(const QString& caption) const { return generalPage_->Label(caption); }

void TMainForm::FormShow()
{
    if (ModelFileNamed)
        OpenModel(ModelFileName);
    UpdateCaption();
    ShowModelSummary();
    UpdateMenus();
}

void TMainForm::ShowModelSummary()
{
    const InfoType& info = Model.Info;
    SummaryLabel(QStringLiteral("Title:")).setText(ModelText(info.Title));
    SummaryLabel(QStringLiteral("Comments:"))
        .setText(ModelText(info.Comment1 + "\n" + info.Comment2 + "\n" + info.Comment3 + "\n" + info.Comment4));
    SummaryLabel(QString::fromLatin1(kDemographicLine))
        .setVisible(info.DemographicStochasticity && Model.Replications != 0);
    SummaryLabel(QStringLiteral("Replications:")).setText(QString::fromStdString(ReplicationsText(Model.Replications)));
    SummaryLabel(QStringLiteral("Duration:")).setText(QString::number(Model.Duration));
    SummaryLabel(QStringLiteral("Populations:")).setText(QString::number(Model.PopCount));
    RepaintMap();
    UpdateBars();
}

void TMainForm::RepaintMap() { map_->update(); }

void TMainForm::PaintMap(TCanvas& canvas)
{
    canvas.SetBrush({canvas.WindowColor(), TBrushStyle::Solid});
    mapLayout_ = DrawPopulationMap(canvas, TRect{0, 0, map_->width(), map_->height()}, Model, ModelFileName);
}

void TMainForm::ShowPage(QWidget& page) { pages_->setCurrentWidget(&page); }

void TMainForm::UpdateBars()
{
    TMultiOptions& options = Options();
    ToolbarPanel().setVisible(options.ToolbarSetting.Value());
    statusBar()->setVisible(options.StatusBarSetting.Value());
    switch (options.ViewModeSetting.Value()) {
    case kViewMap: ShowPage(*mapPage_); break;
    case kViewGeneral: ShowPage(*generalPage_); break;
    case kViewAuto: Model.PopCount < 2 ? ShowPage(*generalPage_) : ShowPage(*mapPage_); break;
    default: break;
    }
}

void TMainForm::UpdateMenus()
{
    TMultiOptions& options = Options();
    Item("ToolbarItem").setChecked(options.ToolbarSetting.Value());
    Item("StatusbarItem").setChecked(options.StatusBarSetting.Value());
    const int mode = options.ViewModeSetting.Value();
    Item("MapItem").setChecked(mode == kViewMap);
    Item("GeneralInformationViewItem").setChecked(mode == kViewGeneral);
    Item("AutoItem").setChecked(mode == kViewAuto);
    Item("RunItem").setEnabled(Model.Replications >= 0 && Model.Duration > 0 && Model.PopCount != 0 &&
                               Model.StageCount != 0);
    ResultsItemClick();
}

void TMainForm::ResultsItemClick()
{
    for (QAction* item : resultsMenu_->actions())
        if (!item->isSeparator())
            item->setEnabled(Model.ModelState == kStateResults);
}

void TMainForm::ToolbarItemClick()
{
    WriteSetting(Options().ToolbarSetting, !Options().ToolbarSetting.Value());
    UpdateMenus();
    UpdateBars();
}

void TMainForm::StatusbarItemClick()
{
    WriteSetting(Options().StatusBarSetting, !Options().StatusBarSetting.Value());
    UpdateMenus();
    UpdateBars();
}

void TMainForm::SetViewMode(int mode)
{
    WriteSetting(Options().ViewModeSetting, mode);
    UpdateBars();
    UpdateMenus();
}

void TMainForm::MapItemClick() { SetViewMode(kViewMap); }

void TMainForm::GeneralInformationViewItemClick() { SetViewMode(kViewGeneral); }

void TMainForm::AutoItemClick() { SetViewMode(kViewAuto); }

bool TMainForm::QuerySaveChanges()
{
    return QuerySaveModel(this, ChangesToSave(), Model.ModelState == kStateResults && Model.InputsChanged,
                          TResultsNotice::After, [this] { return SaveModelAs(); });
}

int TMainForm::WriteModelFile(const std::string& name)
{
    // Saved into another folder, the model still names the map it drew; a
    // save that fails leaves the model where it was, with the name it had.
    const std::string mapName = Model.MapName;
    Model.MapName = MapNameBesideModel(mapName, ModelFileName, name);
    const int code = SaveModelFile(Model, name, *variant_.Format);
    if (code != kModelFileOk)
        Model.MapName = mapName;
    return code;
}

int TMainForm::LoadModel(const std::string& name)
{
    return LoadWithChartSettings([&] { return LoadModelFile(Model, name, *variant_.Format); },
                                 [this](int code) { return ModelKept(code, *variant_.Format); });
}

bool TMainForm::OpenModel(const std::string& name)
{
    const int code = LoadModel(name);
    if (code == kModelFileOk) {
        ShowOpenedModel(name, false, false);
    } else if (code > kModelFileNotModel) {
        // Read in part: saving it must not replace the file it came from.
        ShowOpenedModel(variant_.Untitled, true, true);
    } else {
        ShowModelSummary();
        UpdateMenus();
    }
    return code == kModelFileOk;
}

void TMainForm::MakeNewModel()
{
    if (variant_.NewModel)
        variant_.NewModel(Model);
    else
        StartNewModel(Model);
}

std::string TMainForm::UntitledName() const { return variant_.Untitled; }

bool TMainForm::EditGeneralInformation() { return generalForm_->Execute(); }

void TMainForm::GeneralItemClick()
{
    if (!generalForm_->Execute())
        return;
    SetModified(true);
    ShowModelSummary();
    UpdateMenus();
}

void TMainForm::RunItemClick()
{
    simulationForm_->SetModelFileName(ModelFileName);
    RunInWindow(*simulationForm_);
    UpdateMenus();
    ShowModelSummary();
}

void TMainForm::ResultItemClick(int kind) { variant_.OpenResult(this, kind); }

}  // namespace unstructured_ui
