#include "multi_ui/multi_program.h"

#include "multi_ui/program_icon.h"
#include "ui/help_service.h"
#include "ui/program_application.h"
#include "ui/qsettings_store.h"

#include <QIcon>

namespace multi {

TMultiProgram::TMultiProgram(TSettingsStore& settings, const TMainFormVariant& variant)
    : TMultiProgram([&settings, &variant] { return std::make_unique<TMainForm>(settings, variant); })
{
}

TMultiProgram::TMultiProgram(const std::function<std::unique_ptr<TMainForm>()>& makeMainForm)
    : mainForm_(makeMainForm())
{
    messages_.SetBoxParent(mainForm_.get());
    messages_.SetStatusHandler([this](const std::string& text) { mainForm_->SetStatusText(text); });
}

TMultiProgram::~TMultiProgram()
{
    messages_.SetStatusHandler({});
    messages_.SetBoxParent(nullptr);
}

int RunProgramWindows(int& argc, char** argv, const std::function<QPixmap()>& icon,
                      const std::function<std::unique_ptr<TMainForm>(TSettingsStore&)>& makeMainForm)
{
    TProgramApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(icon()));
    TQSettingsStore settings;
    TMultiProgram program([&] { return makeMainForm(settings); });
    program.MainForm().show();
    return application.exec();
}

int RunMultiWindows(int& argc, char** argv)
{
    SetProgramHelp(kPlurimodHelp);
    return RunProgramWindows(argc, argv, [] { return MultiProgramIcon(); }, [](TSettingsStore& settings) {
        return std::make_unique<TMainForm>(settings);
    });
}

}  // namespace multi
