#pragma once
// Plurimod's About box (Help, About): the shared About box with this
// program's title, subtitle and icon. The single-population
// program shows the same box with texts of its own.

#include "ui/about_template_form.h"

namespace multi {

// This program's texts for the box.
TAboutTexts MultiAboutTexts();

class TAboutForm : public TAboutTemplateForm {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr, const TAboutTexts& texts = MultiAboutTexts());

    // Shows the box modally over `parent`.
    static void Execute(QWidget* parent, const TAboutTexts& texts = MultiAboutTexts());
};

}  // namespace multi
