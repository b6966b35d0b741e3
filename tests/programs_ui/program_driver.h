#pragma once
// One program's main window as the shared main-window tests drive it: what
// differs between the programs (their store, their samples, their names and
// their dialogs' types) behind one face, so that a behaviour the programs
// share is written once and run for each.

#include "chart/scale_info.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QDialog;
class TProgramMainWindow;
class TRunWindow;
class TSettingsStore;

// What the tests know of a program beforehand.
struct TProgramFacts {
    QString title;          // as its windows and the window manager show it
    QString untitledName;   // of a model that has no file yet
    TKindTable kinds;       // its table of result kinds
    int trajectory;         // its Trajectory summary in that table
    // The captions of the result windows the Results menu opens, in the
    // menu's order.
    std::vector<QString> resultWindows;
    // The example a test opens first, and a second one without chart
    // settings of its own.
    std::string sample, otherSample;
    std::string settingsKey;   // where it keeps its options and recent files
    // The comment line a paste at the end of the sample's comments goes to
    // (an index into Comments()).
    std::size_t lastSampleComment;
};

class TProgramDriver {
public:
    virtual ~TProgramDriver() = default;

    const QString& Title() const { return facts_.title; }
    const QString& UntitledName() const { return facts_.untitledName; }
    TKindTable Kinds() const { return facts_.kinds; }
    int Trajectory() const { return facts_.trajectory; }
    const std::vector<QString>& ResultWindows() const { return facts_.resultWindows; }
    const std::string& Sample() const { return facts_.sample; }
    const std::string& OtherSample() const { return facts_.otherSample; }
    const std::string& SettingsKey() const { return facts_.settingsKey; }
    std::size_t LastSampleComment() const { return facts_.lastSampleComment; }

    // The close question for a changed model whose results came from other
    // inputs.
    virtual QString ResultsLostPrompt() const = 0;
    // The File menu as the program lays it out with recent files: an item
    // by its object name (its text where it has none, "-" for a separator
    // without a name).
    virtual QStringList FileMenuLayout() const = 0;

    // The program's store and switches as the program starts them; Start
    // makes the windows (again after Close), Close ends them; Stop ends
    // them and leaves the store for the next test.
    virtual void Prepare() = 0;
    virtual void Start(TSettingsStore& settings) = 0;
    virtual void Close() = 0;
    virtual void Stop() = 0;

    virtual TProgramMainWindow& Form() = 0;
    virtual TRunWindow& SimulationForm() = 0;

    // Types `title` into the title of General Information, shown as `d`,
    // and what that title shows.
    virtual void SetTitle(QDialog& d, const QString& title) const = 0;
    virtual QString TitleIn(QDialog& d) const = 0;
    virtual void SetReplications(int replications) = 0;
    virtual bool HasResults() const = 0;

    // The model in the store.
    virtual std::uint8_t State() const = 0;
    virtual int ReplicationsDone() const = 0;
    virtual std::string ModelTitle() const = 0;
    virtual std::vector<std::string> Comments() const = 0;
    // Marks the model's results as made from other inputs than it has.
    virtual void SetInputsChanged(bool on) = 0;
    virtual bool InputsChanged() const = 0;

protected:
    explicit TProgramDriver(TProgramFacts facts) : facts_(std::move(facts)) {}

private:
    TProgramFacts facts_;
};

// The drivers, one a program; `name` is how test names call the program.
struct TProgramEntry {
    const char* name;
    std::unique_ptr<TProgramDriver> (*make)();
};
std::unique_ptr<TProgramDriver> MakeStageDriver();
std::unique_ptr<TProgramDriver> MakeMultiDriver();
std::unique_ptr<TProgramDriver> MakeSingleDriver();
