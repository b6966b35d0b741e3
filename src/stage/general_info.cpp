#include "stage/general_info.h"

TGeneralInfo GeneralInfoOf(const TCoravel& model)
{
    TGeneralInfo info;
    info.title = model.title;
    for (int line = 1; line <= 4; ++line)
        info.comments[static_cast<std::size_t>(line - 1)] = model.comments[line];
    info.replications = model.replications;
    info.duration = model.duration;
    info.demogstoch = model.demogstoch;
    info.ignoreconstraints = model.ignoreconstraints;
    return info;
}

std::vector<std::string> ShownCommentLines(const TGeneralInfo& info) { return ShownCommentLines(info.comments); }

bool GeneralInfoDiffers(const TCoravel& model, const TGeneralInfo& info)
{
    return model.ddaffects != 0 || !(GeneralInfoOf(model) == info);
}

bool StoreGeneralInfo(TCoravel& model, const TGeneralInfo& info)
{
    model.title = info.title;
    for (int line = 1; line <= 4; ++line)
        model.comments[line] = info.comments[static_cast<std::size_t>(line - 1)];
    model.ddaffects = 0;

    bool changed = model.demogstoch != info.demogstoch || model.ignoreconstraints != info.ignoreconstraints ||
                   model.replications != info.replications;
    model.demogstoch = info.demogstoch;
    model.ignoreconstraints = info.ignoreconstraints;
    model.replications = info.replications;
    if (model.duration != info.duration) {
        changed = true;
        model.duration = info.duration;
        // Every action runs to the end of the model's time.
        for (int a = 1; a <= model.actioncount; ++a)
            model.actions[a].endtime = info.duration;
    }
    if (changed)
        InputsChanged = true;
    return changed;
}
