#pragma once
// Plurimod's main window: the shared main window of unstructured models
// (unstructured_ui/main_form.h) with this program's title, settings key,
// ".mp" files, icon and result windows, and the editors of what joins
// populations: Model, Populations edits every population of the map, Model,
// Dispersal and Correlation the matrices between them.

#include "ui/about_template_form.h"
#include "unstructured_ui/main_form.h"

namespace multi {

// The texts of the program's About box.
TAboutTexts MultiAboutTexts();

// The program's variant of the shared main window.
const unstructured_ui::TMainFormVariant& MultiMainFormVariant();

class TMainForm : public unstructured_ui::TMainForm {
    Q_OBJECT
public:
    // `settings` keeps the options and the recent files; it must outlive the
    // window. Another variant serves tests that change one of its parts.
    explicit TMainForm(TSettingsStore& settings,
                       const unstructured_ui::TMainFormVariant& variant = MultiMainFormVariant(),
                       QWidget* parent = nullptr);

    void PopulationsItemClick() override;
    void DispersalItemClick() override;
};

}  // namespace multi
