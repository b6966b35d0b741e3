#include "multi/general_info.h"

namespace multi {

TGeneralInfo GeneralInfoOf(const TMultiModel& model)
{
    TGeneralInfo info;
    info.Title = model.Info.Title;
    info.Comments = {model.Info.Comment1, model.Info.Comment2, model.Info.Comment3, model.Info.Comment4};
    info.Replications = model.Replications;
    info.Duration = model.Duration;
    info.DemographicStochasticity = model.Info.DemographicStochasticity;
    info.MapName = model.MapName;
    return info;
}

bool GeneralInfoDiffers(const TMultiModel& model, const TGeneralInfo& info)
{
    return !(GeneralInfoOf(model) == info);
}

bool StoreGeneralInfo(TMultiModel& model, const TGeneralInfo& info)
{
    model.Info.Title = info.Title;
    model.Info.Comment1 = info.Comments[0];
    model.Info.Comment2 = info.Comments[1];
    model.Info.Comment3 = info.Comments[2];
    model.Info.Comment4 = info.Comments[3];
    model.MapName = info.MapName;
    const bool changed = model.Info.DemographicStochasticity != info.DemographicStochasticity ||
                         model.Replications != info.Replications || model.Duration != info.Duration;
    model.Info.DemographicStochasticity = info.DemographicStochasticity;
    model.Replications = info.Replications;
    model.Duration = info.Duration;
    if (changed)
        model.InputsChanged = true;
    return changed;
}

}  // namespace multi
