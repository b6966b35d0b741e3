#include "stage/stage_reports.h"

#include "stage/eigen_model.h"

#include "chart/text_format.h"
#include "core/messages.h"
#include "stage/change_series.h"
#include "stage/density_growth.h"
#include "stage/eigen.h"

#include <cmath>

namespace {

constexpr const char* kNotStructured = "Not a structured model.";

bool ValidPopulation(const TCoravel& model, int p) { return p >= 1 && p <= model.pops; }

bool HasSeries(const OneBasedList<SingleVector>& list, int index) { return index >= 1 && index <= list.Count(); }

TStageVector StableOf(const TPlotBuffer& b, int stages)
{
    TStageVector w(stages);
    for (int s = 1; s <= stages; ++s)
        w(s) = b.PlotUpper[static_cast<std::size_t>(s - 1)];
    return w;
}

TStageVector ReproductiveOf(const TPlotBuffer& b, int stages)
{
    TStageVector v(stages);
    for (int s = 1; s <= stages; ++s)
        v(s) = b.PlotMax[static_cast<std::size_t>(s - 1)];
    return v;
}

double ProductSum(const TStageVector& v, const TStageVector& w)
{
    double d = 0;
    for (int s = 1; s <= v.size; ++s)
        d += v(s) * w(s);
    return d;
}

// Sensitivities or elasticities; all 0 when lambda is 0 (no dominant
// eigenvalue, so no eigenvectors to take them from) or sum v.w is 0.
TStageMatrix SensitivityTable(const TStageMatrix& a, const TStageVector& v, const TStageVector& w, double lambda,
                              bool elasticities)
{
    if (lambda == 0 || ProductSum(v, w) == 0)
        return TStageMatrix(a.size);
    return elasticities ? Elasticities(a, v, w, lambda) : Sensitivities(v, w);
}

void AppendMatrix(std::vector<std::string>& lines, const TStageMatrix& a, bool csv)
{
    std::string header = csv ? "" : "  ";
    for (int s = 1; s <= a.size; ++s)
        header += FormatText(csv ? ",%d" : "%9d", {s});
    lines.push_back(header);
    for (int i = 1; i <= a.size; ++i) {
        std::string row = FormatText(csv ? "%2d:" : "%2d:  ", {i});
        for (int j = 1; j <= a.size; ++j)
            row += FormatText(csv ? ",%8.4f" : "%8.4f ", {a(i, j)});
        lines.push_back(row);
    }
}

void EigenReport(std::vector<std::string>& lines, TCoravel& model, const TPlotBuffer& b, bool warnFlag, bool csv)
{
    const int stages = model.stages;
    const int p = model.selectedpop;
    EigenReportHeader(lines, csv, model, b, warnFlag);
    if (stages < 2 || !ValidPopulation(model, p))
        return;

    const TStageMatrix a = ReportWorkingMatrix(model, p);
    StoreWorkMatrix(model, a);
    lines.push_back("");
    const int m = model.populations[p].matrixindex;
    const std::string name = m >= 0 && m <= model.matrixheaders.Count() ? model.matrixheaders[m].name : "";
    if (csv) {
        lines.push_back(CsvField("Stage matrix (" + name + "):"));
    } else {
        const bool modified = std::fabs(model.fecmultiplier[p] - 1.0) > 1e-6 ||
                              std::fabs(model.survmultiplier[p] - 1.0) > 1e-6;
        lines.push_back("Stage matrix (" + name + "):" + (modified ? " (modified)" : ""));
    }
    AppendMatrix(lines, a, csv);

    const double lambda = b.PlotMean[0];
    lines.push_back("");
    lines.push_back(csv ? "Growth rate (lambda)=," + FormatText("%6.4f,(approximate)", {lambda})
                        : "Growth rate (lambda)= " + FormatText("%6.4f  (approximate)", {lambda}));
    lines.push_back("");

    const char* sep = csv ? "," : "      ";
    lines.push_back(csv ? "Stage,Init. distr.,Stable distr.,Reprod. Value,Avg. residence"
                        : "Stage    Init. distr.   Stable distr.   Reprod. Value   Avg. residence");
    for (int s = 1; s <= stages; ++s) {
        const auto k = static_cast<std::size_t>(s - 1);
        const std::string residence =
            b.PlotLower[k] > 0 ? FormatText("%13.2f", {b.PlotLower[k]}) : FormatText("%12s", {"infinity"});
        lines.push_back(FormatText("%2d", {s}) + sep + FormatShortNumber(b.PlotMin[k]) + sep +
                        FormatShortNumber(b.PlotUpper[k]) + sep + FormatShortNumber(b.PlotMax[k]) + sep +
                        residence);
    }

    const TStageVector v = ReproductiveOf(b, stages);
    const TStageVector w = StableOf(b, stages);
    const double d = ProductSum(v, w);
    // Both tables divide by sum v.w and come from the eigenvectors of lambda:
    // with either 0 there is nothing to compute, and the tables say so
    // instead of showing numbers that are not numbers.
    const char* note = d == 0 ? kZeroProductNote : lambda == 0 ? kZeroLambdaNote : nullptr;
    // Elasticities first, then sensitivities; the work matrix keeps the last.
    for (const bool elasticity : {true, false}) {
        const TStageMatrix table = SensitivityTable(a, v, w, lambda, elasticity);
        StoreWorkMatrix(model, table);
        lines.push_back("");
        lines.push_back(elasticity ? "Elasticities:  (approximate)" : "Sensitivities:  (approximate)");
        if (note)
            lines.push_back(CsvField(note));
        AppendMatrix(lines, table, csv);
    }
}

} // namespace

TStageMatrix ReportWorkingMatrix(const TCoravel& model, int population, double survivalMultiplier,
                                 double fecundityMultiplier)
{
    if (!ValidPopulation(model, population))
        return TStageMatrix(model.stages);
    return ApplyMultipliers(StoreStageMatrix(model, model.populations[population].matrixindex), survivalMultiplier,
                            fecundityMultiplier);
}

TStageMatrix ReportWorkingMatrix(const TCoravel& model, int population)
{
    if (!ValidPopulation(model, population))
        return ReportWorkingMatrix(model, population, 1, 1);
    return ReportWorkingMatrix(model, population, model.survmultiplier[population],
                               model.fecmultiplier[population]);
}

bool PrepareStageKinds(TCoravel& model, int kind, TPlotBuffer& buffer)
{
    const int stages = model.stages;
    const int p = model.selectedpop;
    if (stages < 2) {
        InformationMessage(kNotStructured);
        return false;
    }
    if (!ValidPopulation(model, p))
        return false;
    buffer.SetPointCount(stages);
    model.currentmatrix = model.populations[p].matrixindex;

    const TStageMatrix a = ReportWorkingMatrix(model, p);
    // The current population's own initial abundances: its distribution, and
    // the start of the eigenvector iteration where the vector is not unique.
    TStageVector start(stages);
    double initialSum = 0;
    for (int s = 1; s <= stages; ++s) {
        start(s) = model.initialabundance[p][s];
        initialSum += start(s);
    }
    const double initialDivisor = initialSum == 0 ? 1 : initialSum;
    if (initialSum <= 0)
        for (int s = 1; s <= stages; ++s)
            start(s) = 1;

    TStageVector w(stages), v(stages);
    StableDistribution(a, start, w);
    ReproductiveValues(a, start, v);
    double wSum = 0;
    for (int s = 1; s <= stages; ++s)
        wSum += w(s);
    if (wSum == 0)
        wSum = 1;
    const double v1 = v(1) == 0 ? 1 : v(1);

    for (int s = 1; s <= stages; ++s) {
        const auto k = static_cast<std::size_t>(s - 1);
        buffer.PlotX[k] = static_cast<float>(s);
        buffer.PlotUpper[k] = static_cast<float>(w(s) / wSum);
        buffer.PlotMax[k] = static_cast<float>(v(s) / v1);
        buffer.PlotMin[k] = static_cast<float>(model.initialabundance[p][s] / initialDivisor);
        const double diagonal = a(s, s);
        buffer.PlotLower[k] = diagonal >= 1 ? 0.0f : static_cast<float>(1.0 / (1.0 - diagonal));
    }
    const double lambda = DominantEigenvalue(a);
    buffer.PlotMean[0] = static_cast<float>(lambda);

    if (kind == 7 || kind == 8) {
        const TStageVector vb = ReproductiveOf(buffer, stages);
        const TStageVector wb = StableOf(buffer, stages);
        StoreWorkMatrix(model, SensitivityTable(a, vb, wb, lambda, kind == 8));
    } else {
        StoreWorkMatrix(model, a);
    }
    return true;
}

bool PlotDensityDependence(TCoravel& model, int kind, TPlotBuffer& buffer, bool warnFlag)
{
    if (kind != 1 && kind != 2)
        return true;
    const int p = model.selectedpop;
    if (!ValidPopulation(model, p) || model.stages < 1)
        return false;
    const int T = model.duration;
    const double K = model.capacity[p];
    const DDType type = static_cast<DDType>(model.populations[p].ddtype);

    model.currentmatrix = model.populations[p].matrixindex;
    // Cleared once the curves are computed (or refused).
    const TWorkStatus status("Please wait");
    buffer.SetPointCount(50);
    double kEnd = K;
    buffer.CurveVariant = 1;
    if (!IsExponential(type)) {
        if (model.ktrend[p] != 0) {
            kEnd = T * static_cast<double>(model.ktrend[p]) + K;
            buffer.CurveVariant = 3;
        } else if (HasSeries(model.kchange, model.kchangeindex[p])) {
            kEnd = ChangeSeriesAt(model.kchange[model.kchangeindex[p]], T);
            buffer.CurveVariant = 3;
        }
    }
    const double xMax = kEnd > K ? 1.94 * kEnd : 1.94 * K;
    const double step = xMax / 50;

    const TStageMatrix a = ReportWorkingMatrix(model, p);
    StoreWorkMatrix(model, a);
    const double lambda0 = DominantEigenvalue(a);

    TDensityGrowthInputs inputs;
    inputs.type = type;
    inputs.affects = static_cast<DDAffects>(model.ddaffects <= 2 ? model.ddaffects : 0);
    inputs.ignoreConstraints = model.ignoreconstraints;
    inputs.growthOneMultiplier = model.ddmultiplier[p];
    if (UsesMaximumGrowthRate(type)) {
        const double m = FindRateMultiplier(a, model.rmax[p], inputs.affects, inputs.ignoreConstraints);
        if (!(m > 0)) {
            if (warnFlag)
                WarningMessage("Stage matrix is incompatible with this density dependence.  See help file.");
            return false;
        }
        inputs.rateMultiplier = m;
    }

    const double allee = model.allee[p];
    bool overflow = false;
    std::string dots;
    for (int i = 0; i < 50; ++i) {
        const auto k = static_cast<std::size_t>(i);
        dots += '.';
        StatusMessage("Please wait" + dots);
        buffer.PlotX[k] = i == 0 ? 0.1f : static_cast<float>(i * step);
        buffer.PlotMean[k] = type != DDType::EX
                                 ? DensityDependentGrowth(a, inputs, K, allee, buffer.PlotX[k], overflow)
                                 : static_cast<float>(lambda0);
    }

    // Vital rates at the last time step, for the types without a density
    // factor (those that need no Rmax): the curve of the others already
    // follows K's change.
    double fecundity = model.fecmultiplier[p];
    double survival = model.survmultiplier[p];
    const bool fSeries = HasSeries(model.fchange, model.fchangeindex[p]);
    const bool sSeries = HasSeries(model.schange, model.schangeindex[p]);
    if ((fSeries || sSeries) && !UsesMaximumGrowthRate(type)) {
        if (fSeries)
            fecundity = ChangeSeriesAt(model.fchange[model.fchangeindex[p]], T);
        if (sSeries)
            survival = ChangeSeriesAt(model.schange[model.schangeindex[p]], T);
        buffer.CurveVariant = 3;
    }
    if (buffer.CurveVariant == 3) {
        const TStageMatrix final = ReportWorkingMatrix(model, p, survival, fecundity);
        buffer.PlotMax[0] = DensityDependentGrowth(final, inputs, kEnd, allee, buffer.PlotX[0], overflow);
        for (int i = 1; i < 50; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (type != DDType::EX)
                buffer.PlotMax[k] =
                    kEnd <= 0 ? 0.0f : DensityDependentGrowth(final, inputs, kEnd, allee, buffer.PlotX[k], overflow);
            else
                buffer.PlotMax[k] = buffer.PlotMax[0];
        }
    }

    const float initialTotal = static_cast<float>(model.initialtotal[p]);
    if (kind == 1) {
        buffer.PlotUpper[0] = static_cast<float>(lambda0);
        buffer.PlotUpper[1] = initialTotal;
    } else {
        // Replacement curves: next abundance = abundance x growth rate, from
        // the origin.
        buffer.PlotX[0] = 0;
        buffer.PlotMean[0] = 0;
        for (int i = 1; i < 50; ++i)
            buffer.PlotMean[static_cast<std::size_t>(i)] *= buffer.PlotX[static_cast<std::size_t>(i)];
        buffer.PlotUpper[0] = static_cast<float>(initialTotal * lambda0);
        buffer.PlotUpper[1] = initialTotal;
        buffer.CurveVariant = static_cast<std::uint8_t>(buffer.CurveVariant + 1);
        if (buffer.CurveVariant == 4) {
            buffer.PlotMax[0] = 0;
            for (int i = 1; i < 50; ++i)
                buffer.PlotMax[static_cast<std::size_t>(i)] *= buffer.PlotX[static_cast<std::size_t>(i)];
        }
    }
    return true;
}

void EigenReportHeader(std::vector<std::string>& lines, bool quoted, const TCoravel& model,
                       const TPlotBuffer& buffer, bool warnFlag)
{
    const int stages = model.stages;
    const int p = model.selectedpop;
    if (stages < 2) {
        if (warnFlag)
            WarningMessage(kNotStructured);
        return;
    }
    if (!ValidPopulation(model, p))
        return;
    const PopulationRecord& pop = model.populations[p];
    auto q = [quoted](const std::string& text) { return quoted ? CsvQuoted(text) : text; };

    std::string title = "Eigenanalysis for population " + std::to_string(p);
    if (!pop.name.empty())
        title += " ('" + pop.name + "')";
    lines.push_back(q(title));
    lines.push_back("");

    const bool temporal = model.fchangeindex[p] != 0 || model.schangeindex[p] != 0;
    const bool density = pop.ddtype != DensityTypeCode(DDType::EX);
    bool environmental = false;
    if (pop.stdevindex >= 1 && pop.stdevindex <= model.stdevmatrix.Count()) {
        const SingleMatrix& sd = model.stdevmatrix[pop.stdevindex];
        for (int i = 1; i <= stages; ++i)
            for (int j = 1; j <= stages; ++j)
                environmental = environmental || sd[i][j] > 0;
    }
    const bool demographic = model.demogstoch;
    auto strikes = [&](std::uint8_t extent, double regional, double local) {
        return extent == 1 ? regional > 1e-6 : local > 1e-6;
    };
    const bool catastrophes = strikes(model.cat1extent, model.cat1regprob, model.catprob1[p]) ||
                              strikes(model.cat2extent, model.cat2regprob, model.catprob2[p]);
    bool migration = false;
    for (int j = 1; j <= model.pops; ++j)
        migration = migration || model.migration[p][j] > 1e-6 || model.migration[j][p] > 1e-6;
    bool distribution = false;
    for (int s = 0; s < stages && s < buffer.Count(); ++s)
        distribution = distribution || std::fabs(buffer.PlotMin[static_cast<std::size_t>(s)] -
                                                 buffer.PlotUpper[static_cast<std::size_t>(s)]) > 1e-4;
    const bool small = static_cast<double>(model.initialtotal[p]) / stages < 100;

    const std::pair<bool, const char*> features[] = {
        {temporal, " * Temporal change in vital rates"},
        {density, " * Density dependence"},
        {environmental, " * Environmental stochasticity"},
        {demographic, " * Demographic stochasticity"},
        {catastrophes, " * Catastrophes"},
        {migration, " * Migration (dispersal) to or from other populations"},
        {distribution, " * Initial distribution to Stages (different from stable distribution)"},
        {small, " * Small number of individuals (sampling variation)"},
    };
    bool any = false;
    for (const auto& f : features)
        any = any || f.first;
    if (!any)
        return;
    lines.push_back(q("WARNING: This analysis ignores the following feature(s) of this model, and"));
    lines.push_back(q("         therefore may be misleading or irrelevant. Interpret with caution!"));
    for (const auto& f : features)
        if (f.first)
            lines.push_back(f.second);
}

void EigenReportText(std::vector<std::string>& lines, TCoravel& model, const TPlotBuffer& buffer, bool warnFlag)
{
    EigenReport(lines, model, buffer, warnFlag, false);
}

void EigenReportCsv(std::vector<std::string>& lines, TCoravel& model, const TPlotBuffer& buffer, bool warnFlag)
{
    EigenReport(lines, model, buffer, warnFlag, true);
}
