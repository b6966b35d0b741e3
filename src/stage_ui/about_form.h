#pragma once
// Strativa's About box (Help, About).

#include "ui/about_template_form.h"

class TAboutForm : public TAboutTemplateForm {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // Shows the box modally over `parent`.
    static void Execute(QWidget* parent);
};
