#pragma once
// The About box (Help, About) of Plurimod and Monovara: the shared About box
// with the program's title, subtitle and icon, which each program gives
// (multi_ui/main_form.h, single_ui/main_form.h).

#include "ui/about_template_form.h"

namespace unstructured_ui {

class TAboutForm : public TAboutTemplateForm {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent, const TAboutTexts& texts);
    // Shows the box modally over `parent`.
    static void Execute(QWidget* parent, const TAboutTexts& texts);
};

}  // namespace unstructured_ui
