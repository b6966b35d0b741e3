#pragma once
// What the drivers of the two programs built on the shared unstructured
// windows have in common: the multi-population engine's model data, the
// general information dialog and the program's windows.

#include "program_driver.h"

#include "core/config.h"
#include "multi/model_data.h"
#include "multi/startup.h"
#include "unstructured_ui/general_form.h"
#include "unstructured_ui/program_windows.h"
#include "unstructured_ui/simulation_form.h"

#include <QLineEdit>

#include <memory>

class TUnstructuredDriver : public TProgramDriver {
public:
    using TProgramDriver::TProgramDriver;

    void Prepare() override
    {
        SelectKindTable(Kinds());
        multi::StartMultiEngine(multi::TMultiLimits{});
        ModelFileName = UntitledName().toStdString();
        ModelFileNamed = false;
        Config.RandomSeed = "4321";
        Config.StepDelay = 0;
    }
    QString ResultsLostPrompt() const override
    {
        return "The model has changed.  Save changes?\r\n\r\nResults will not be saved.";
    }
    QStringList FileMenuLayout() const override
    {
        return {"NewItem", "OpenItem", "&Reopen", "OpenSeparator", "SaveItem", "SaveAsItem", "-", "ExitItem"};
    }

    void Close() override { program_.reset(); }
    void Stop() override
    {
        program_.reset();
        ModelFileName = "Untitled.st";
        ModelFileNamed = false;
        Config.RandomSeed = "0";
    }

    TProgramMainWindow& Form() override { return program_->MainForm(); }
    TRunWindow& SimulationForm() override { return program_->MainForm().SimulationForm(); }

    void SetTitle(QDialog& d, const QString& title) const override
    {
        static_cast<unstructured_ui::TGeneralForm&>(d).TitleEdit().setText(title);
    }
    QString TitleIn(QDialog& d) const override
    {
        return static_cast<unstructured_ui::TGeneralForm&>(d).TitleEdit().text();
    }
    void SetReplications(int replications) override { multi::Model.Replications = replications; }
    bool HasResults() const override { return multi::Model.ModelState == kStateResults; }

    std::uint8_t State() const override { return multi::Model.ModelState; }
    int ReplicationsDone() const override { return multi::Model.ReplicationsDone; }
    std::string ModelTitle() const override { return multi::Model.Info.Title; }
    std::vector<std::string> Comments() const override
    {
        const multi::InfoType& info = multi::Model.Info;
        return {info.Comment1, info.Comment2, info.Comment3, info.Comment4};
    }
    void SetInputsChanged(bool on) override { multi::Model.InputsChanged = on; }
    bool InputsChanged() const override { return multi::Model.InputsChanged; }

protected:
    std::unique_ptr<unstructured_ui::TProgramWindows> program_;
};
