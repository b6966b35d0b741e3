#pragma once
// The management actions as the management editor holds them while the user
// edits the list, and the editor's rules: what the detail controls show of an
// action, what storing them writes, which controls are enabled, and the
// write-back into the model's records.
//
// In this program every action acts on population 1 from time step 1 to the
// end of the run, every step, before dispersal and without a condition; the
// editor writes those values itself, whatever a model file held. A
// translocation read from a file is shown, and on storing kept, as an
// introduction.

#include "stage/model_store.h"

#include <cstdint>
#include <string>
#include <vector>

struct TManagementAction {
    bool active = true;
    std::uint8_t kind = 0;  // 0 harvest, 1 introduction, 2 translocation
    std::int32_t frompop = 0;
    std::int32_t topop = 0;
    std::uint8_t amountkind = 0;  // 0 number, 1 proportion
    std::int32_t number = 0;
    double proportion = 0;
    std::int32_t firststage = 0;
    std::int32_t laststage = 0;
    std::int32_t begintime = 0;
    std::int32_t endtime = 0;
    std::int32_t period = 0;
    std::uint8_t timing = 0;     // 0 before dispersal, 1 after dispersal
    std::uint8_t condition = 0;  // 0 none, 1 "If N <", 2 "If N >"
    std::int32_t threshold = 0;

    void LoadFromRecord(const ManagementRecord& record);
    // True when any field of the record changed; the proportion counts as
    // changed when it moves by 1e-6 or more. The record's comparison
    // threshold (thresholdn) is the input check's and is left alone.
    bool StoreToRecord(ManagementRecord& record) const;
    // "Harvest", "Introduce" or "Translocate", then " (ignored)" when the
    // action is not active.
    std::string GetDescription() const;
};

// The action's line in the editor's list: "Harvest/Emigration",
// "Introduction/Immigration" or "Translocate", then " (ignored)" when the
// action is not active.
std::string ActionListText(const TManagementAction& action);

// The actions 1..actioncount of the model.
std::vector<TManagementAction> LoadManagementActions(const TCoravel& model);

// What every action of this program does besides its kind, amount and
// stages: population 1 to 1, time steps 1 to `duration`, period 1, before
// dispersal, no condition, threshold 0.
void ApplyActionScope(std::int32_t duration, TManagementAction& action);

// Writes the edited list back: the number of actions, then action i into
// record i, each with the scope above (whatever it held, also when it was
// never selected in the editor). Sets the inputs-changed flag when a record changed or the number
// of actions did (a deleted or added action changes what a run does even
// when the remaining records stay as they were). True when anything changed.
bool StoreManagementActions(TCoravel& model, const std::vector<TManagementAction>& actions);

// What the detail controls show of one action.
struct TActionControls {
    bool ignore = false;
    bool introduce = false;   // Introduction checked, else Harvest
    bool proportion = false;  // Proportion checked, else Number
    std::int32_t number = 0;
    double proportionValue = 0;
    int startStage = -1;  // stage combo indexes (stage - 1); -1 none chosen
    int throughStage = -1;
};

TActionControls ActionControls(const TManagementAction& action);

// Stores the controls into the action, with the scope of ApplyActionScope.
// A stage
// not chosen is stored as stage 0, which the input check reports.
void StoreActionControls(const TActionControls& controls, std::int32_t duration, TManagementAction& action);

// The list buttons for `count` actions with row `selected` (-1 none)
// selected; a list holds at most kMaxActions.
struct TActionListButtons {
    bool add = false;
    bool remove = false;
    bool duplicate = false;
    bool moveUp = false;
    bool moveDown = false;
};
TActionListButtons ActionListButtons(int count, int selected);

// The detail controls: the Ignore box needs an action; the others also need
// it not ignored. Of the quantity, the number needs Number checked, and
// since introductions are numbers of individuals, the Proportion choice
// needs Harvest and the proportion itself Harvest and Proportion checked.
struct TActionDetailEnabling {
    bool ignoreBox = false;
    bool details = false;  // the type, the Number choice and the stages
    bool numberEdit = false;
    bool proportionChoice = false;
    bool proportionEdit = false;
};
TActionDetailEnabling ActionDetailEnabling(bool selected, const TActionControls& controls);
