#include "single_ui/single_program.h"

#include "unstructured_ui/program_windows.h"
#include "single_ui/main_form.h"
#include "single_ui/program_icon.h"
#include "ui/help_service.h"

#include <QPixmap>

namespace single_ui {

int RunSingleWindows(int& argc, char** argv)
{
    SetProgramHelp(kMonovaraHelp);
    return unstructured_ui::RunProgramWindows(argc, argv, [] { return SingleProgramIcon(); }, [](TSettingsStore& settings) {
        return std::make_unique<TMainForm>(settings);
    });
}

}  // namespace single_ui
