#include "stage/management_action.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kProportionTolerance = 1e-6;

// Sets `field` to `value`; true when that changed it.
template <class TField, class TValue>
bool Put(TField& field, TValue value)
{
    const auto stored = static_cast<TField>(value);
    if (field == stored)
        return false;
    field = stored;
    return true;
}

}  // namespace

void TManagementAction::LoadFromRecord(const ManagementRecord& record)
{
    active = record.active;
    kind = record.kind;
    frompop = record.frompop;
    topop = record.topop;
    amountkind = record.amountkind;
    number = record.number;
    proportion = record.proportion;
    firststage = record.firststage;
    laststage = record.laststage;
    begintime = record.begintime;
    endtime = record.endtime;
    period = record.period;
    timing = record.timing;
    condition = record.condition;
    threshold = record.threshold;
}

bool TManagementAction::StoreToRecord(ManagementRecord& record) const
{
    bool changed = false;
    changed |= Put(record.active, active);
    changed |= Put(record.kind, kind);
    changed |= Put(record.frompop, frompop);
    changed |= Put(record.topop, topop);
    changed |= Put(record.amountkind, amountkind);
    changed |= Put(record.number, number);
    if (std::fabs(record.proportion - proportion) >= kProportionTolerance)
        changed = true;
    record.proportion = static_cast<float>(proportion);
    changed |= Put(record.firststage, firststage);
    changed |= Put(record.laststage, laststage);
    changed |= Put(record.begintime, begintime);
    changed |= Put(record.endtime, endtime);
    changed |= Put(record.period, period);
    changed |= Put(record.timing, timing);
    changed |= Put(record.condition, condition);
    changed |= Put(record.threshold, threshold);
    return changed;
}

std::string TManagementAction::GetDescription() const
{
    static const char* const names[] = {"Harvest", "Introduce", "Translocate"};
    std::string text = kind < 3 ? names[kind] : "";
    if (!active)
        text += " (ignored)";
    return text;
}

std::string ActionListText(const TManagementAction& action)
{
    static const char* const names[] = {"Harvest/Emigration", "Introduction/Immigration", "Translocate"};
    std::string text = action.kind < 3 ? names[action.kind] : "";
    if (!action.active)
        text += " (ignored)";
    return text;
}

std::vector<TManagementAction> LoadManagementActions(const TCoravel& model)
{
    std::vector<TManagementAction> actions(model.actioncount);
    for (int i = 1; i <= model.actioncount; ++i)
        actions[static_cast<std::size_t>(i - 1)].LoadFromRecord(model.actions[i]);
    return actions;
}

void ApplyActionScope(std::int32_t duration, TManagementAction& action)
{
    action.frompop = 1;
    action.topop = 1;
    action.begintime = 1;
    action.endtime = duration;
    action.period = 1;
    action.timing = 0;
    action.condition = 0;
    action.threshold = 0;
}

bool StoreManagementActions(TCoravel& model, const std::vector<TManagementAction>& actions)
{
    const int count = static_cast<int>(std::min<std::size_t>(actions.size(), kMaxActions));
    bool changed = model.actioncount != count;
    model.actioncount = static_cast<std::uint8_t>(count);
    for (int i = 1; i <= count; ++i) {
        // Also an action the user never selected acts over the whole run.
        TManagementAction action = actions[static_cast<std::size_t>(i - 1)];
        ApplyActionScope(model.duration, action);
        changed |= action.StoreToRecord(model.actions[i]);
    }
    if (changed)
        InputsChanged = true;
    return changed;
}

TActionControls ActionControls(const TManagementAction& action)
{
    TActionControls controls;
    controls.ignore = !action.active;
    controls.introduce = action.kind != 0;
    controls.proportion = action.amountkind == 1;
    controls.number = action.number;
    controls.proportionValue = action.proportion;
    controls.startStage = action.firststage - 1;
    controls.throughStage = action.laststage - 1;
    return controls;
}

void StoreActionControls(const TActionControls& controls, std::int32_t duration, TManagementAction& action)
{
    action.active = !controls.ignore;
    action.kind = controls.introduce ? 1 : 0;
    action.amountkind = controls.proportion ? 1 : 0;
    action.number = controls.number;
    action.proportion = controls.proportionValue;
    action.firststage = controls.startStage + 1;
    action.laststage = controls.throughStage + 1;
    ApplyActionScope(duration, action);
}

TActionListButtons ActionListButtons(int count, int selected)
{
    const bool any = selected >= 0 && selected < count;
    TActionListButtons buttons;
    buttons.add = count < kMaxActions;
    buttons.remove = any;
    buttons.duplicate = any && count < kMaxActions;
    buttons.moveUp = any && selected > 0;
    buttons.moveDown = any && selected < count - 1;
    return buttons;
}

TActionDetailEnabling ActionDetailEnabling(bool selected, const TActionControls& controls)
{
    TActionDetailEnabling enabling;
    enabling.ignoreBox = selected;
    enabling.details = selected && !controls.ignore;
    enabling.numberEdit = enabling.details && !controls.proportion;
    enabling.proportionChoice = enabling.details && !controls.introduce;
    enabling.proportionEdit = enabling.proportionChoice && controls.proportion;
    return enabling;
}
