#include "stage_ui/stage_program.h"

#include "stage_ui/program_icon.h"
#include "stage_ui/simulation_form.h"
#include "ui/help_service.h"
#include "ui/program_application.h"
#include "ui/qsettings_store.h"

#include <QIcon>

TStageProgram::TStageProgram(TSettingsStore& settings) : mainForm_(settings)
{
    messages_.SetBoxParent(&mainForm_);
    messages_.SetStatusHandler([this](const std::string& text) { mainForm_.ShowStatus(text); });
    messages_.SetWarningHandler([this](const std::string& text) { mainForm_.SimulationForm().AddWarning(text); });
}

TStageProgram::~TStageProgram()
{
    messages_.SetWarningHandler({});
    messages_.SetStatusHandler({});
    messages_.SetBoxParent(nullptr);
}

int RunStageWindows(int& argc, char** argv)
{
    TProgramApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(StageProgramIcon()));
    SetProgramHelp(kStrativaHelp);
    TQSettingsStore settings;
    TStageProgram program(settings);
    program.MainForm().show();
    return application.exec();
}
