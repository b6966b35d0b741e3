#include "multi_ui/multi_program.h"

#include "multi_ui/program_icon.h"
#include "ui/help_service.h"

#include <QPixmap>

namespace multi {

TMultiProgram::TMultiProgram(TSettingsStore& settings, const unstructured_ui::TMainFormVariant& variant)
    : TProgramWindows([&settings, &variant] { return std::make_unique<TMainForm>(settings, variant); })
{
}

int RunMultiWindows(int& argc, char** argv)
{
    SetProgramHelp(kPlurimodHelp);
    return unstructured_ui::RunProgramWindows(argc, argv, [] { return MultiProgramIcon(); },
                                              [](TSettingsStore& settings) {
                                                  return std::make_unique<TMainForm>(settings);
                                              });
}

}  // namespace multi
