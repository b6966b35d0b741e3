#pragma once
// Modal showings for tests: each dialog shown modally is handed to the next
// scripted step, which works it like a user (it is shown, not in a loop)
// and answers how it closed. It installs itself for its lifetime. The test
// main installs one that fails the test on any showing it did not script.

#include "ui/modal_dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

class ScriptedModals {
public:
    using TStep = std::function<TModalResult(QDialog&)>;

    explicit ScriptedModals(bool failUnscripted = false);
    ScriptedModals(const ScriptedModals&) = delete;
    ScriptedModals& operator=(const ScriptedModals&) = delete;

    // Steps, used in order. The dialog is shown before a step runs and
    // hidden after it; without a step it is cancelled.
    std::deque<TStep> steps;
    // The window titles of the dialogs shown.
    std::vector<QString> shown;

private:
    TModalResult Show(QDialog& dialog);
    bool failUnscripted_;
    TScopedModalHandler installed_;
};
