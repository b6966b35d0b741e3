#pragma once
// The program's windows over a new model (three stages, one population),
// the main window shown and active; every modal dialog runs its own loop,
// every message box is recorded and answered as the test scripts it.

#include "core/config.h"
#include "core/settings_store.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "stage_tool.h"
#include "stage_ui/main_form.h"
#include "stage_ui/stage_program.h"
#include "support/editor_fixture.h"
#include "support/real_modals.h"
#include "support/recording_help.h"
#include "support/scripted_dialogs.h"
#include "ui/string_align_grid.h"

#include "support/recording_sink.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

class NewModelWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
        Configure();
        PrepareStageModelStore();
        NewModel();
        IntegersWithoutDecimals = true;
        TrimTrailingZeros = true;
        program = std::make_unique<TStageProgram>(settings);
        ShowActive(Form());
    }

    void TearDown() override
    {
        program.reset();
        InputsChanged = false;
        TrimTrailingZeros = false;
        ResetConfiguration(TProgramVariant::Strativa, std::filesystem::current_path().string(), {});
    }

    // What a test sets in the configuration before the model and the
    // program are made.
    virtual void Configure() {}

    TMainForm& Form() { return program->MainForm(); }

    // The menu item, its dialog worked by `step` inside its modal loop.
    void Open(const char* item, RealModals::TStep step)
    {
        modals.steps.push_back(std::move(step));
        Form().Item(item).trigger();
        Settle();
    }

    // A click as QTest gives it, pressed and let go at once, on the dialog's
    // button of that caption.
    static void ClickButton(QDialog& dialog, const QString& caption)
    {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == caption) {
                QTest::mouseClick(button, Qt::LeftButton);
                Settle();
                return;
            }
        ADD_FAILURE() << "no button " << caption.toStdString();
    }

    // The grid of a grid editor.
    static TStringAlignGrid& GridOf(QDialog& dialog) { return *dialog.findChild<TStringAlignGrid*>("Grid"); }

    TMemorySettingsStore settings;
    ScriptedDialogs dialogs;
    RealModals modals;
    RecordingHelp help;
    std::unique_ptr<TStageProgram> program;
};

// The same, with every message box and beep recorded over the program's own
// sink.
class RecordedNewModelWindowTest : public NewModelWindowTest {
protected:
    void SetUp() override
    {
        NewModelWindowTest::SetUp();
        sink = std::make_unique<RecordingSink>();
    }

    void TearDown() override
    {
        sink.reset();
        NewModelWindowTest::TearDown();
    }

    std::unique_ptr<RecordingSink> sink;
};
