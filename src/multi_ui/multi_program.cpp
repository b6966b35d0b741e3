#include "multi_ui/multi_program.h"

#include "multi_ui/program_icon.h"
#include "ui/program_application.h"
#include "ui/qsettings_store.h"

#include <QIcon>

namespace multi {

TMultiProgram::TMultiProgram(TSettingsStore& settings, const TMainFormVariant& variant)
    : mainForm_(settings, variant)
{
    messages_.SetBoxParent(&mainForm_);
    messages_.SetStatusHandler([this](const std::string& text) { mainForm_.SetStatusText(text); });
}

TMultiProgram::~TMultiProgram()
{
    messages_.SetStatusHandler({});
    messages_.SetBoxParent(nullptr);
}

int RunMultiWindows(int& argc, char** argv)
{
    TProgramApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(MultiProgramIcon()));
    TQSettingsStore settings;
    TMultiProgram program(settings);
    program.MainForm().show();
    return application.exec();
}

}  // namespace multi
