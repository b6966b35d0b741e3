#include "single_ui/single_program.h"

#include "multi_ui/multi_program.h"
#include "single_ui/main_form.h"
#include "single_ui/program_icon.h"
#include "ui/help_service.h"

#include <QPixmap>

namespace single_ui {

int RunSingleWindows(int& argc, char** argv)
{
    SetProgramHelp(kMonovaraHelp);
    return multi::RunProgramWindows(argc, argv, [] { return SingleProgramIcon(); }, [](TSettingsStore& settings) {
        return std::make_unique<TMainForm>(settings);
    });
}

}  // namespace single_ui
