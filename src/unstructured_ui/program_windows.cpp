#include "unstructured_ui/program_windows.h"

#include "ui/program_application.h"
#include "ui/qsettings_store.h"

#include <QIcon>

namespace unstructured_ui {

TProgramWindows::TProgramWindows(const std::function<std::unique_ptr<TMainForm>()>& makeMainForm)
    : mainForm_(makeMainForm())
{
    messages_.SetBoxParent(mainForm_.get());
    messages_.SetStatusHandler([this](const std::string& text) { mainForm_->SetStatusText(text); });
}

TProgramWindows::~TProgramWindows()
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
    TProgramWindows program([&] { return makeMainForm(settings); });
    program.MainForm().show();
    return application.exec();
}

}  // namespace unstructured_ui
