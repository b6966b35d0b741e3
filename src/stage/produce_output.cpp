#include "stage/produce_output.h"

#include "stage/change_series.h"

#include "core/batch_log.h"
#include "core/messages.h"
#include "stage/model_access.h"
#include "stage/model_store.h"
#include "chart/result_writers.h"
#include "stage/correlation_migration.h"
#include "stage/plot_buffer.h"
#include "stage/results_writer.h"
#include "stage/risk_curves.h"
#include "stage/run_simulation.h"
#include "stage/stage_reports.h"
#include "stage/validate_input.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <span>

namespace {

TPlotBuffer& Buffer = PlotBuffer;

constexpr int kPoints = TPlotBuffer::kPoints;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

bool IsResultsKind(int kind) { return kind >= 19 && kind <= 33; }
bool IsStageKind(int kind) { return (kind >= 7 && kind <= 9) || (kind >= 14 && kind <= 18); }
bool IsRiskKind(int kind) { return kind >= stage::kIntervalExtinctionRisk && kind <= stage::kTerminalPercentDecline; }

// Element `index` of a change series, held inside the series: the chart of a
// short series must not read past its end.
const SingleVector* ChangeSeries(const OneBasedList<SingleVector>& list, int index)
{
    if (index < 1 || index > list.Count()) return nullptr;
    return &list[index];
}

// ---- time series and per-population statistics -----------------------------

void TimeSeries(int kind, TScaleInfo& settings)
{
    const TTimeGrid grid = TimeGridFor(Info.duration);
    Buffer.PlotPointCount = static_cast<std::uint16_t>(grid.points);
    for (int i = 0; i < grid.points; ++i) Buffer.PlotX[At(i)] = static_cast<float>(i * grid.step);

    int p = 0;
    if (kind == 19) {
        p = settings.Index;
        if (p < 1 || p > Info.pops) p = settings.Index = 0;
    }
    double start = 0;
    if (kind == 19) {
        start = TotalInitialAbundance(p);
    } else if (kind == 23) {
        for (int q = 1; q <= Info.pops; ++q)
            if (Info.populations[q].intotal && Info.initialtotal[q] >= 1) start += 1;
    }
    Buffer.PutSame(0, start);
    for (int i = 1; i < grid.points; ++i) {
        const int t = i * grid.step;
        switch (kind) {
        case 19:
            if (p > 0)
                Buffer.PutStatistics(i, GetR(Info.popsum, kMainMemory, p, t), GetR(Info.popsumsq, kMainMemory, p, t),
                        GetI(Info.popmax, kMainMemory, p, t), GetI(Info.popmin, kMainMemory, p, t));
            else
                Buffer.PutStatistics(i, Info.totalsum[t], Info.totalsumsq[t], Info.totalmax[t], Info.totalmin[t]);
            break;
        case 20:
            Buffer.PutStatistics(i, Info.harvestsum[t], Info.harvestsumsq[t], Info.harvestmax[t], Info.harvestmin[t]);
            break;
        default:
            Buffer.PutStatistics(i, Info.occupancysum[t], Info.occupancysumsq[t], Info.occupancymax[t],
                    Info.occupancymin[t]);
            break;
        }
    }
}

// Mean only, or the five series, at one bar.
void PutBar(int i, bool fallback, double mean, double sd, double maximum, double minimum)
{
    if (fallback)
        Buffer.PutSame(i, mean);
    else
        Buffer.PutStatistics(i, mean, sd, maximum, minimum);
}

void PopulationStructure(TScaleInfo& settings, int replications)
{
    if (settings.Index < 0 || settings.Index > Info.duration) settings.Index = Info.duration;
    const int t = settings.Index;
    const int n = std::min<int>(Info.pops, kPoints);
    const bool fallback = replications < 2 || t == 0;
    if (t == 0) Buffer.ShowRange = false;
    Buffer.PlotPointCount = static_cast<std::uint16_t>(n);
    for (int p = 1; p <= n; ++p) {
        Buffer.PlotX[At(p - 1)] = static_cast<float>(p);
        if (t == 0)
            Buffer.PutSame(p - 1, TotalInitialAbundance(p));
        else
            PutBar(p - 1, fallback, GetR(Info.popsum, kMainMemory, p, t), GetR(Info.popsumsq, kMainMemory, p, t),
                   GetI(Info.popmax, kMainMemory, p, t), GetI(Info.popmin, kMainMemory, p, t));
    }
}

void FinalStages(TScaleInfo& settings, int replications)
{
    if (settings.Index < 1 || settings.Index > Info.pops) settings.Index = 1;
    const int p = settings.Index;
    const bool fallback = replications < 2;
    if (fallback) Buffer.ShowRange = false;
    Buffer.PlotPointCount = Info.stages;
    for (int s = 1; s <= Info.stages; ++s) {
        Buffer.PlotX[At(s - 1)] = static_cast<float>(s);
        PutBar(s - 1, fallback, GetR(Info.finalsum, kMainMemory, p, s), GetR(Info.finalsumsq, kMainMemory, p, s),
               GetI(Info.finalmax, kMainMemory, p, s), GetI(Info.finalmin, kMainMemory, p, s));
    }
}

void PerPopulation(int kind, int replications)
{
    const bool fallback = replications < 2;
    Buffer.ShowRange = !fallback;
    const int n = std::min<int>(Info.pops, kPoints);
    Buffer.PlotPointCount = static_cast<std::uint16_t>(n);
    const bool occupancy = kind == 24;
    for (int p = 1; p <= n; ++p) {
        Buffer.PlotX[At(p - 1)] = static_cast<float>(p);
        if (occupancy)
            PutBar(p - 1, fallback, Info.localoccsum[p], Info.localoccsumsq[p], Info.localoccmax[p],
                   Info.localoccmin[p]);
        else
            PutBar(p - 1, fallback, Info.extdursum[p], Info.extdursumsq[p], Info.extdurmax[p], Info.extdurmin[p]);
    }
}

// ---- curves computed from the inputs ------------------------------------------

void DispersalCurve()
{
    const int p = Info.selectedpop;
    CheckMigration(Info, p);
    const double k = Info.capacity[p];
    double m = 0;
    for (int j = 1; j <= Info.pops; ++j) m += Info.migration[j][p];
    double w = 0;
    if (Info.initialtotal[p] < 1) {
        for (int s = 1; s <= Info.stages; ++s) w += Info.stagedispersal[1][s];
        if (Info.stages > 0) w /= Info.stages;
    } else {
        for (int s = 1; s <= Info.stages; ++s) w += Info.initialabundance[p][s] * Info.stagedispersal[1][s];
        w /= Info.initialtotal[p];
    }
    Buffer.PlotPointCount = 50;
    for (int i = 0; i < 50; ++i) {
        const double x = i * (1.94 * k / 50);
        Buffer.PlotX[At(i)] = static_cast<float>(x);
        Buffer.PlotMean[At(i)] =
            static_cast<float>(std::clamp(((x - k) * Info.dispersalslope[p] + m) * w, 0.0, 1.0));
    }
}

void CapacityOverTime()
{
    const int p = Info.selectedpop;
    const double t = Info.duration;
    const SingleVector* series = ChangeSeries(Info.kchange, Info.kchangeindex[p]);
    Buffer.PlotPointCount = 50;
    for (int i = 0; i < 50; ++i) {
        const double x = i * t / 50;
        double k = series ? ChangeSeriesAt(*series, static_cast<int>(std::nearbyint(x + 1)))
                          : Info.capacity[p] + Info.ktrend[p] * x;
        Buffer.PlotX[At(i)] = static_cast<float>(x);
        Buffer.PlotMean[At(i)] = static_cast<float>(std::max(0.0, k));
    }
}

void VitalRatesOverTime()
{
    const int p = Info.selectedpop;
    const double t = Info.duration;
    const SingleVector* fec = ChangeSeries(Info.fchange, Info.fchangeindex[p]);
    const SingleVector* surv = ChangeSeries(Info.schange, Info.schangeindex[p]);
    Buffer.PlotPointCount = 50;
    for (int i = 0; i < 50; ++i) {
        const double x = std::max(0.9, (i + 1) * t / 50);
        const int element = static_cast<int>(std::nearbyint(x));
        const double f = fec ? ChangeSeriesAt(*fec, element) : Info.fecmultiplier[p];
        const double s = surv ? ChangeSeriesAt(*surv, element) : Info.survmultiplier[p];
        Buffer.PlotX[At(i)] = static_cast<float>(x);
        Buffer.PlotMean[At(i)] = static_cast<float>(std::max(0.0, f));
        Buffer.PlotMax[At(i)] = Buffer.PlotMin[At(i)] = static_cast<float>(s);
    }
    if (Info.stages >= 2) Buffer.ShowRange = true;
}

bool DistanceCurve(int kind, bool warnFlag)
{
    if (Info.pops < 2) {
        if (warnFlag) InformationMessage("At least 2 populations are needed to calculate distances!");
        return false;
    }
    auto& params = kind == 11 ? Info.migparams : Info.corrparams;
    // Out-of-range parameters are repaired in the model itself.
    if (params[1] < 0) params[1] = 0;
    if (params[2] < 0.1f) params[2] = 0.1f;
    if (params[3] < 0) params[3] = 0;
    double dmax = 1.7e38;
    if (kind == 11) {
        if (params[4] < 0) params[4] = 0;
        dmax = params[4];
    }
    const double a = params[1], b = params[2], c = params[3];
    double d = 0;
    for (int i = 1; i <= Info.pops; ++i)
        for (int j = i + 1; j <= Info.pops; ++j) {
            const double dx = Info.populations[i].x - Info.populations[j].x;
            const double dy = Info.populations[i].y - Info.populations[j].y;
            d = std::max(d, std::sqrt(dx * dx + dy * dy));
        }
    const double range = 1.2 * dmax < d ? 1.2 * dmax : d;
    Buffer.PlotPointCount = 50;
    for (int i = 0; i < 50; ++i) {
        const double x = i * range / 50;
        double y = 0;
        if (x <= dmax && a != 0) {
            const double w = std::pow(x, c) / b;
            y = w >= 60 ? 0 : a * std::exp(-w);
        }
        Buffer.PlotX[At(i)] = static_cast<float>(x);
        Buffer.PlotMean[At(i)] = static_cast<float>(y);
    }
    return true;
}

// ---- risk curves and times to threshold ---------------------------------------

bool RiskCurve(int kind, TScaleInfo& settings, int replications, bool warnFlag)
{
    const SingleVector& source = (kind == 26 || kind == 30) ? Info.replmin
                                 : kind == 28                ? Info.replmax
                                                             : Info.replterminal;
    const int r = std::clamp(replications, 0, source.Count());
    TRiskCurveInput in;
    in.Kind = kind;
    in.Values = std::span<const float>(source.Data(), static_cast<std::size_t>(r));
    in.InitialTotal = TotalInitialAbundance(0);
    for (int p = 1; p <= Info.pops; ++p)
        if (Info.populations[p].intotal) ++in.IncludedPopulations;
    return ComputeRiskCurve(Buffer, settings, in, warnFlag);
}

bool TimeToThreshold(int kind, TScaleInfo& settings, int replications, bool warnFlag, double& barWidth)
{
    const auto& h = kind == stage::kTimeToExtinction ? Info.extinctiontimes : Info.explosiontimes;
    TCrossingInput in;
    in.Kind = kind;
    in.Replications = replications;
    in.Duration = Info.duration;
    in.BinWidth = Info.crossbin;
    in.Histogram = std::span<const std::uint16_t>(h.begin(), h.end());
    in.Threshold = kind == stage::kTimeToExtinction ? Info.extthreshold : Info.explthreshold;
    in.ThresholdChanged = kind == stage::kTimeToExtinction ? Info.extlevelchanged : Info.expllevelchanged;
    return ComputeTimeToThreshold(Buffer, settings, in, warnFlag, barWidth);
}

// ---- scaling -----------------------------------------------------------------

void Scale(int kind, TScaleInfo& settings)
{
    const int n = Buffer.PlotPointCount;
    const bool range = Buffer.ShowRange;
    if (settings.AutoScale) {
        settings.XMinimum = SeriesExtreme(true, Buffer.PlotX.data(), n);
        settings.XMaximum = SeriesExtreme(false, Buffer.PlotX.data(), n);
        const bool statistics = kind >= 19 && kind <= 31;
        settings.YMinimum = SeriesExtreme(true, (statistics && range ? Buffer.PlotMin : Buffer.PlotMean).data(), n);
        const int p = Info.selectedpop;
        const bool growthWithTrend =
            (kind == 1 || kind == 2) && p >= 1 && p <= Info.ktrend.Count() && Info.ktrend[p] > 0;
        const bool useMax = growthWithTrend || (statistics && range) || kind == 32 || kind == 33;
        settings.YMaximum = SeriesExtreme(false, (useMax ? Buffer.PlotMax : Buffer.PlotMean).data(), n);
        if (kind == 5) {
            settings.YMaximum = SeriesExtreme(false, Buffer.PlotMean.data(), n);
            if (range)
                settings.YMaximum = std::max<double>(settings.YMaximum, SeriesExtreme(false, Buffer.PlotMax.data(), n));
        }
        if (IsRiskKind(kind)) settings.YMaximum = std::min(settings.YMaximum, 1.02);
        if (kind == 22) {
            settings.XMinimum = 0;
            settings.XMaximum = Info.stages + 0.5;
            settings.XTicSpace = 1;
        }
        Buffer.LastPlotKind = static_cast<std::uint8_t>(kind);
        if (kind >= 14 && kind <= 18) {
            settings.XMinimum = 0;
            settings.XMaximum = Info.stages + 0.5;
            settings.YMinimum = 0;
            settings.XTicSpace = 1;
            settings.YTicSpace = 0;
            const int s = Info.stages;
            switch (kind) {
            case 15: settings.YMaximum = SeriesExtreme(false, Buffer.PlotMax.data(), s); break;
            case 16: settings.YMaximum = SeriesExtreme(false, Buffer.PlotMin.data(), s); break;
            case 18: settings.YMaximum = SeriesExtreme(false, Buffer.PlotLower.data(), s); break;
            default:
                settings.YMaximum = std::max(1e-6, static_cast<double>(SeriesExtreme(false, Buffer.PlotUpper.data(), s)));
                break;
            }
        }
    }
    if (settings.XMaximum <= settings.XMinimum) settings.XMaximum = settings.XMinimum + 0.01;
    if (settings.YMaximum <= settings.YMinimum) settings.YMaximum = settings.YMinimum + 0.01;
}

// Margins kept in the settings for the Chart Properties dialog and a later
// switch to manual limits. The y tic spacing stays as it was.
void AddMargins(int kind, TScaleInfo& settings)
{
    if (!settings.AutoScale) return;
    if (kind == 21 || kind == 22) settings.XMinimum = 0;
    settings.YMinimum *= 0.99;
    if (kind != 22) settings.XMaximum += 1;
    settings.YMaximum *= 1.01;
}

// ---- dispatch to the writers --------------------------------------------------

void DrawChart(const TScaleInfo& settings, TGraph& graph, int kind, int replications, double barWidth)
{
    const TResultChart chart = StageResultChart(Buffer, replications);
    const int stages = Info.stages;
    switch (kind) {
    case 15: DrawReproductiveValueBars(settings, graph, chart); break;
    case 16: DrawStageBars(settings, graph, Buffer.PlotX.data(), stages, Buffer.PlotMin.data()); break;
    case 17: DrawStageBars(settings, graph, Buffer.PlotX.data(), stages, Buffer.PlotUpper.data()); break;
    case 18: DrawStageBars(settings, graph, Buffer.PlotX.data(), stages, Buffer.PlotLower.data()); break;
    case 19:
    case 20:
    case 23: DrawTimeSeries(settings, graph, chart); break;
    case 21:
    case 22:
    case 24:
    case 25:
    case 32:
    case 33: DrawBarsWithRanges(settings, graph, Buffer.ShowRange, barWidth, chart); break;
    default: DrawCurves(settings, graph, Buffer.ShowRange, chart); break;
    }
}

bool DispatchOutput(const TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                    int replications, double barWidth)
{
    const TRunFacts run{replications, Info.resultsdate, Info.resultstime};
    switch (mode) {
    case kModeChart:
        if (kind >= 7 && kind <= 9) {
            InformationMessage("Not implemented");
            return true;
        }
        if (graph && kind != 10) DrawChart(settings, *graph, kind, replications, barWidth);
        return true;
    case kModeText:
        if (lines) WriteResultTableText(settings, kind, *lines, Info, Buffer, run, ValidateInput);
        return true;
    case kModeCsv:
        if (lines) WriteResultTableCsv(settings, kind, *lines, Info, Buffer, run, ValidateInput);
        return true;
    default:
        return true;
    }
}

bool Produce(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
             bool warnFlag)
{
    // A window repainting while a run yields to it gets nothing: the input
    // check would undo what the run derived for itself in the model, and the
    // result arrays hold running sums until the run ends.
    if (RunningFlag()) return false;
    Buffer.StartCall();
    if (kind < 1 || kind > 33) return false;

    if (kind <= 18) {
        const std::uint8_t selected = Info.selectedpop;
        ValidateInput(Info);
        Info.selectedpop = selected;
    }
    if (Info.selectedpop == 0 || Info.state == kStateEmpty || (IsResultsKind(kind) && Info.state == kStateInputs)) {
        if (warnFlag) {
            const char* reason = (Info.selectedpop == 0 || Info.state == kStateEmpty) ? "(error in input data)"
                                                                                       : "(no simulation results)";
            ErrorMessage(std::string("Graph not available ") + reason + std::string(79, ' '));
        }
        return false;
    }
    if (kind == 6 || kind == 13) {
        // Never drawn: said through the message service, not thrown into the
        // window that asked.
        ErrorMessage("Plotting: output types pDemoG & pPopMat are not supported");
        return false;
    }

    const int replications = CompletedReplications();
    if (IsResultsKind(kind) && InputsChanged && warnFlag)
        WarningMessage("Warning: Input data have been changed; they may not be consistent with results.");
    Buffer.ShowRange = !(kind <= 12 || replications <= 1);

    if ((IsStageKind(kind) || kind == 22) && Info.stages < 2) {
        InformationMessage("Not a structured model.");
        return false;
    }

    if (!PlotDensityDependence(Info, kind, Buffer, warnFlag)) return false;

    double barWidth = 0.5;
    switch (kind) {
    case 1:
    case 2: break;
    case 7:
    case 8:
    case 9:
    case 14:
    case 15:
    case 16:
    case 17:
    case 18:
        if (!PrepareStageKinds(Info, kind, Buffer)) return false;
        break;
    case 3: DispersalCurve(); break;
    case 4: CapacityOverTime(); break;
    case 5: VitalRatesOverTime(); break;
    case 10: break;
    case 11:
    case 12:
        if (!DistanceCurve(kind, warnFlag)) return false;
        break;
    case 19:
    case 20:
    case 23: TimeSeries(kind, settings); break;
    case 21: PopulationStructure(settings, replications); break;
    case 22: FinalStages(settings, replications); break;
    case 24:
    case 25: PerPopulation(kind, replications); break;
    case 32:
    case 33:
        if (!TimeToThreshold(kind, settings, replications, warnFlag, barWidth)) return false;
        break;
    default:
        if (!RiskCurve(kind, settings, replications, warnFlag)) return false;
        break;
    }

    Scale(kind, settings);
    const bool ok = DispatchOutput(settings, graph, lines, kind, mode, replications, barWidth);
    AddMargins(kind, settings);
    if (lines && IsStageKind(kind)) {
        if (mode == kModeCsv) EigenReportCsv(*lines, Info, Buffer, warnFlag);
        if (mode == kModeText) EigenReportText(*lines, Info, Buffer, warnFlag);
    }
    return ok;
}

}  // namespace

double TotalInitialAbundance(int p)
{
    if (p > 0) return Info.CountedInitialAbundance(p);
    double total = 0;
    for (int q = 1; q <= Info.pops; ++q)
        if (Info.populations[q].intotal) total += Info.CountedInitialAbundance(q);
    return total;
}

int CompletedReplications() { return Info.replicationsdone; }

bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                   bool warnFlag)
{
    try {
        return Produce(settings, graph, lines, kind, mode, warnFlag);
    } catch (const ProgramStopped&) {
        throw;
    } catch (const std::exception& e) {
        ErrorMessage(e.what());
        return false;
    }
}
