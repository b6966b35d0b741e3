#include "multi/produce_output.h"

#include "chart/risk_curve.h"
#include "core/messages.h"
#include "core/model_records.h"
#include "core/str_utilx.h"
#include "multi/density_growth.h"
#include "multi/result_charts.h"
#include "multi/result_kinds.h"
#include "multi/result_tables.h"
#include "multi/run_simulation.h"
#include "multi/validate_input.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <stdexcept>

namespace multi {

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

bool IsInputCurve(int kind) { return kind >= kDensityDependenceInR && kind <= kCorrelationDistance; }
bool IsRiskKind(int kind) { return kind == kIntervalExtinctionRisk || kind == kIntervalExplosionRisk; }

// Clears the status text however the call ends.
struct TStatusCleared {
    ~TStatusCleared() { StatusMessage(""); }
};

const TProducerRules& RulesOf(const TResultSource& source)
{
    static const TProducerRules plurimod;
    return source.Rules ? *source.Rules : plurimod;
}

// The program's row of the kind in its kind table; none when it has none.
TScaleInfo* KindRow(const TResultSource& source, int ownKind)
{
    if (!source.KindTable || ownKind < 0 || ownKind >= static_cast<int>(source.KindTable->size()))
        return nullptr;
    return &(*source.KindTable)[At(ownKind)];
}

class TProducer {
public:
    // `kind` is the engine's number of the result, `ownKind` the program's.
    TProducer(const TResultSource& source, TScaleInfo& settings, int kind, int ownKind, bool warnFlag)
        : m(source.Model), b(source.Buffer), s(settings), rules(RulesOf(source)), row(KindRow(source, ownKind)),
          kind(kind), ownKind(ownKind), warn(warnFlag)
    {
    }

    // Fills the buffer for the kind; false, with its message, when the
    // result cannot be made.
    bool Prepare()
    {
        switch (kind) {
        case kDensityDependenceInR:
        case kReplacementCurve: GrowthCurve(); return true;
        case kDispersal: return DispersalBars();
        case kHabitatChange: CapacityOverTime(); return true;
        case kMigrationDistance:
        case kCorrelationDistance: return DistanceCurve();
        case kTrajectory:
        case kOccupancy: TimeSeries(); return true;
        case kStructure: PopulationStructure(); return true;
        default: return RiskCurve();
        }
    }

    void Scale();

private:
    int Population() const { return m.SelectedPopulation; }
    // The last time step with results: the duration, within what the result
    // arrays hold.
    int LastStep() const { return std::clamp<int>(m.Duration, 0, m.MaxDuration); }

    void GrowthCurve();
    bool DispersalBars();
    void CapacityOverTime();
    bool DistanceCurve();
    void TimeSeries();
    void PopulationStructure();
    bool RiskCurve();

    TMultiModel& m;
    TMultiPlotBuffer& b;
    TScaleInfo& s;
    const TProducerRules& rules;
    TScaleInfo* const row;
    const int kind;
    const int ownKind;
    const bool warn;
};

// Growth rate (kind 1) or next abundance (kind 2) against abundance, with K
// and, where K changes over the run, with the K of the last time step.
void TProducer::GrowthCurve()
{
    const int p = Population();
    const bool rate = kind == kDensityDependenceInR;
    const int points = rate ? 20 : 50;
    std::string status = "Please wait";
    StatusMessage(status);

    const float k = m.CarryingCapacity[p];
    const float r = m.GrowthRate[p];
    const float trend = m.TrendInK[p];
    double finalK = 0;
    double range = 1.94 * k;
    if (trend != 0 && m.Populations[p].DDType != kExponential) {
        // K cannot fall below 0, as in the run; a negative K would divide by
        // zero in contest density dependence.
        finalK = std::max(0.0, static_cast<double>(k) + static_cast<double>(m.Duration) * trend);
        range = trend > 0 ? 1.94 * finalK : k;
        b.CurveVariant = rate ? 3 : 4;
    } else {
        b.CurveVariant = rate ? 1 : 2;
    }
    const double step = range / points;
    b.PlotPointCount = static_cast<std::uint16_t>(points);
    b.PlotUpper[1] = static_cast<float>(m.InitialAbundance[p]);  // the initial abundance, marked

    for (int i = 0; i < points; ++i) {
        status += ".";
        StatusMessage(status);
        const auto j = At(i);
        if (!rate && i == 0) {
            b.PlotX[j] = b.PlotMean[j] = b.PlotMax[j] = 0;
            continue;
        }
        const double x = (rate && i == 0) ? 0.1 : i * step;
        double now = DensityDependentGrowth(m, p, 0, k, r, x);
        double last = finalK > 0 ? DensityDependentGrowth(m, p, 0, static_cast<float>(finalK), r, x) : 0.0;
        if (rate) {
            now /= x;
            last = finalK > 0 ? last / x : 0.0;
        }
        b.PlotX[j] = static_cast<float>(x);
        b.PlotMean[j] = static_cast<float>(now);
        b.PlotMax[j] = static_cast<float>(last);
    }
}

// The rate of dispersal from the selected population to every population,
// and its total.
bool TProducer::DispersalBars()
{
    const int p = Population();
    CheckMigration(m, p, warn);
    if (m.PopCount < 2) {
        InformationMessage("At least 2 populations are needed to calculate dispersal!");
        return false;
    }
    const int n = std::min<int>(m.PopCount, TPlotBuffer::kPoints);
    double total = 0;
    for (int j = 1; j <= m.PopCount; ++j)
        total += m.DispersalMatrix[j][p];
    b.PlotPointCount = static_cast<std::uint16_t>(n);
    for (int j = 1; j <= n; ++j) {
        const auto k = At(j - 1);
        b.PlotX[k] = static_cast<float>(j);
        b.PlotMean[k] = std::clamp(m.DispersalMatrix[j][p], 0.0f, 1.0f);
        b.PlotMax[k] = static_cast<float>(total);
    }
    b.CurveVariant = 1;
    b.ShowRange = false;
    return true;
}

void TProducer::CapacityOverTime()
{
    const int p = Population();
    b.PlotPointCount = 50;
    for (int i = 0; i < 50; ++i) {
        const double x = i * static_cast<double>(m.Duration) / 50;
        b.PlotX[At(i)] = static_cast<float>(x);
        b.PlotMean[At(i)] = static_cast<float>(std::max(0.0, m.CarryingCapacity[p] + m.TrendInK[p] * x));
    }
}

// Dispersal rate (kind 5) or correlation (kind 6) against distance, up to
// the largest distance between two populations.
bool TProducer::DistanceCurve()
{
    if (m.PopCount < 2) {
        InformationMessage("At least 2 populations are needed to calculate dispersal!");
        return false;
    }
    DistanceFunctionsType& f = m.DistanceFunctions;
    // In the order rate, average distance, correlation at 100, maximum distance.
    std::string* texts[] = {&f.MaxDispersalRateText, &f.AvgDispersalDistanceText, &f.CorrelationAt100Text,
                            &f.MaxDispersalDistanceText};
    double values[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!ConvertNumber(*texts[i], values[i])) {
            InformationMessage("Function parameters are improperly defined.");
            return false;
        }
        if (values[i] < 0) {
            values[i] = 0;
            *texts[i] = "0.0";
        }
    }
    const double rate = values[0], average = values[1], c100 = values[2], maximum = values[3];

    double largest = 0;
    for (int i = 1; i <= m.PopCount; ++i) {
        double xi = 0, yi = 0;
        if (!ConvertNumber(m.Populations[i].XText, xi) || !ConvertNumber(m.Populations[i].YText, yi)) {
            InformationMessage("Population coordinates are improperly defined.");
            return false;
        }
        for (int j = 1; j < i; ++j) {
            double xj = 0, yj = 0;
            ConvertNumber(m.Populations[j].XText, xj);
            ConvertNumber(m.Populations[j].YText, yj);
            largest = std::max(largest, std::hypot(xi - xj, yi - yj));
        }
    }

    // The correlation falls to c100 at distance 100: exp(-x / b).
    double scale = 0;
    if (c100 >= 1)
        scale = 999999;
    else if (c100 > 0)
        scale = -100 / std::log(c100);

    b.PlotPointCount = 50;
    for (int i = 0; i < 50; ++i) {
        const double x = i * largest / 50;
        double y = 0;
        if (kind == kMigrationDistance) {
            if (x <= maximum && rate > 0 && average > 0 && x / average < 60)
                y = rate * std::exp(-x / average);
        } else if (scale > 0 && x / scale < 60) {
            y = std::exp(-x / scale);
        }
        b.PlotX[At(i)] = static_cast<float>(x);
        b.PlotMean[At(i)] = static_cast<float>(y);
    }
    return true;
}

// Trajectory (kind 7: the total of the included populations, or one
// population) and occupancy (kind 9) on the time grid.
void TProducer::TimeSeries()
{
    const int last = LastStep();
    const TTimeGrid grid = TimeGridFor(last);
    b.PlotPointCount = static_cast<std::uint16_t>(grid.points);
    for (int i = 0; i < grid.points; ++i)
        b.PlotX[At(i)] = static_cast<float>(i * grid.step);

    int p = 0;
    double start = 0;
    if (kind == kTrajectory) {
        int& index = rules.SettingsFromKindTable && row ? row->Index : s.Index;
        p = index;
        if (p < 1 || p > m.PopCount)
            p = index = 0;
        if (p > 0)
            start = m.InitialAbundance[p];
        else
            for (int q = 1; q <= m.PopCount; ++q)
                start += m.Populations[q].IncludeInTotals ? m.InitialAbundance[q] : 0;
    } else {
        for (int q = 1; q <= m.PopCount; ++q)
            start += (m.Populations[q].IncludeInTotals && m.InitialAbundance[q] > 0) ? 1 : 0;
    }
    b.PutSame(0, start);
    for (int i = 1; i < grid.points; ++i) {
        const int t = i * grid.step;
        if (kind == kOccupancy)
            b.PutStatistics(i, m.OccupancyMean[t], m.OccupancyStdDev[t], m.OccupancyMax[t], m.OccupancyMin[t]);
        else if (p > 0)
            b.PutStatistics(i, m.PopMean[p][t], m.PopStdDev[p][t], m.PopMax[p][t], m.PopMin[p][t]);
        else
            b.PutStatistics(i, m.TotalMean[t], m.TotalStdDev[t], m.TotalMax[t], m.TotalMin[t]);
    }
}

// Every population's abundance at one time step.
void TProducer::PopulationStructure()
{
    const int last = LastStep();
    if (s.Index < 0 || s.Index > last)
        s.Index = last;
    const int t = s.Index;
    if (t == 0)
        b.ShowRange = false;
    // Without a spread over replications (one replication, or the initial
    // abundances) every series is the mean, so no stale values are shown.
    const bool meanOnly = t == 0 || m.ReplicationsDone <= 1;
    const int n = std::min<int>(m.PopCount, TPlotBuffer::kPoints);
    b.PlotPointCount = static_cast<std::uint16_t>(n);
    for (int p = 1; p <= n; ++p) {
        b.PlotX[At(p - 1)] = static_cast<float>(p);
        if (t == 0)
            b.PutSame(p - 1, m.InitialAbundance[p]);
        else if (meanOnly)
            b.PutSame(p - 1, m.PopMean[p][t]);
        else
            b.PutStatistics(p - 1, m.PopMean[p][t], m.PopStdDev[p][t], m.PopMax[p][t], m.PopMin[p][t]);
    }
}

// The share of replications whose smallest total fell to or below (kind 10),
// or whose largest total rose to or above (kind 11), each level.
bool TProducer::RiskCurve()
{
    const int r = std::clamp<int>(m.ReplicationsDone, 0, m.ReplicationMin.Count());
    if (r < 4) {
        InformationMessage("Too few replications (at least 4 are needed).");
        return false;
    }
    const double halfWidth = RiskBandHalfWidth(r);
    const bool falling = kind == kIntervalExtinctionRisk;
    const SingleVector& source = falling ? m.ReplicationMin : m.ReplicationMax;
    const std::span<const float> v(source.Data(), At(r));

    double lo = v.front();
    double hi = v.back();
    if (!s.AutoScale) {
        // The user's x range narrows the curve; replications beyond it count
        // at its end.
        const TRiskRange range = NarrowRiskRange(v, s.XMinimum, s.XMaximum, TInvertedRiskRange::OneUnitWide);
        lo = range.Low;
        hi = range.High;
        s.XMinimum = lo;
        s.XMaximum = hi;
    }
    const TRiskCount count = CumulateRisk(b, {v, lo, hi, falling, 0.0});
    if (falling && r >= 10) {
        b.PlotLower[0] = static_cast<float>(halfWidth);
        b.PlotLower[1] = static_cast<float>(count.Zeros) / static_cast<float>(r);
    } else {
        b.PlotLower[1] = 0;
    }
    FillRiskBand(b.PlotMean, b.PlotMax, b.PlotMin, count.Points, halfWidth);
    return true;
}

void TProducer::Scale()
{
    // A program whose windows keep their settings in its kind table scales
    // from the kind's row.
    if (rules.SettingsFromKindTable && row)
        s = *row;
    const int n = b.Count();
    const bool statistics = IsRunResultKind(kind) && b.ShowRange;
    if (s.AutoScale) {
        s.XMinimum = SeriesExtreme(true, b.PlotX.data(), n);
        s.XMaximum = SeriesExtreme(false, b.PlotX.data(), n);
        s.YMinimum = SeriesExtreme(true, (statistics ? b.PlotMin : b.PlotMean).data(), n);
        // The curve at the last time step's K lies above when K grows; only
        // it is drawn when it exists.
        const bool growingK = (kind == kDensityDependenceInR || kind == kReplacementCurve) &&
                              m.TrendInK[Population()] > 0 && (b.CurveVariant == 3 || b.CurveVariant == 4);
        s.YMaximum = SeriesExtreme(false, (growingK || statistics ? b.PlotMax : b.PlotMean).data(), n);
    } else {
        if (s.XMaximum <= s.XMinimum)
            s.XMaximum = s.XMinimum + 1;
        if (s.YMaximum <= s.YMinimum)
            s.YMaximum = s.YMinimum + 1;
        s.XTicSpace = 0;
        s.YTicSpace = 0;
    }
    if (IsRiskKind(kind) && s.YMaximum > 1)
        s.YMaximum = 1;
    if (kind == kTrajectory || kind == kOccupancy) {
        s.XTicSpace = 1;
        s.XMinimum = 0;
        if (s.XMaximum < 5)
            s.XMaximum += 0.5;
    }
    b.LastPlotKind = static_cast<std::uint8_t>(ownKind);
    if (kind == kMigrationDistance) {
        s.YTicSpace = 0;
        s.XTicSpace = 1;
        s.YMinimum = 0;
        s.YMaximum = std::max(0.01f, SeriesExtreme(false, b.PlotMean.data(), n));
    }
    if (kind == kDispersal) {
        s.YMinimum = 0;
        s.YMaximum = b.PlotMax[0];
    }
    if (s.XMaximum <= s.XMinimum)
        s.XMaximum = s.XMinimum + 0.01;
    if (s.YMaximum <= s.YMinimum)
        s.YMaximum = s.YMinimum + 0.01;
    b.ReportPopulation = static_cast<std::uint8_t>(kind <= kHabitatChange ? Population() : 0);
}

void Dispatch(const TResultSource& source, const TScaleInfo& settings, TGraph* graph,
              std::vector<std::string>* lines, int kind, int mode)
{
    const TMultiPlotBuffer& b = source.Buffer;
    const TProducerRules& rules = RulesOf(source);
    switch (mode) {
    case kModeCheck: return;
    case kModeChart:
        if (graph) {
            const TMultiChart chart{b, source.Model, rules.ChartRules};
            if (kind == kDispersal || kind == kStructure)
                DrawBarsWithRanges(settings, *graph, b.ShowRange, chart);
            else if (kind == kTrajectory || kind == kOccupancy)
                DrawTimeSeries(settings, *graph, chart);
            else
                DrawCurves(settings, *graph, b.ShowRange, chart);
        }
        return;
    case kModeText:
        if (lines)
            WriteResultTableText(settings, kind, *lines, source.Model, b, rules.TableRules);
        return;
    case kModeCsv:
        if (lines)
            WriteResultTableCsv(settings, kind, *lines, source.Model, b, rules.TableRules);
        return;
    default: throw std::invalid_argument("Plotting: unknown \"where\"");
    }
}

}  // namespace

bool ProduceOutput(const TResultSource& source, TScaleInfo& settings, TGraph* graph,
                   std::vector<std::string>* lines, int ownKind, int mode, bool warnFlag)
{
    // A window repainting while a run yields to it gets nothing: the result
    // arrays hold running sums until the run ends.
    if (RunActive())
        return false;
    TMultiModel& m = source.Model;
    TMultiPlotBuffer& b = source.Buffer;
    const TProducerRules& rules = RulesOf(source);
    const TStatusCleared clearStatus;
    b.StartCall();
    int kind = ownKind;
    if (!rules.EngineKinds.empty())
        kind = ownKind >= 0 && ownKind < static_cast<int>(rules.EngineKinds.size()) ? rules.EngineKinds[At(ownKind)]
                                                                                     : 0;
    if (kind < kDensityDependenceInR || kind > kHighestResultKind)
        return false;

    const std::int32_t duration = m.Duration;
    const std::int32_t replications = m.Replications;
    const std::uint8_t selected = m.SelectedPopulation;
    rules.Validate(m);
    m.Duration = duration;
    m.Replications = replications;
    // The check selects population 1; a selection that no longer names a
    // population stays at that.
    if (selected >= 1 && selected <= m.PopCount)
        m.SelectedPopulation = selected;

    if (m.ModelState == kStateEmpty || (IsRunResultKind(kind) && m.ModelState == kStateInputs)) {
        ErrorMessage(std::string("Graph not available ") +
                     (m.ModelState == kStateEmpty ? "(error in input data)" : "(no simulation results)"));
        return false;
    }
    if (IsRunResultKind(kind) && m.InputsChanged && warnFlag)
        WarningMessage("Warning: Input data have been changed; they may not be consistent with results");
    b.ShowRange = !(IsInputCurve(kind) || m.ReplicationsDone <= 1);

    TProducer producer(source, settings, kind, ownKind, warnFlag);
    if (!producer.Prepare())
        return false;
    producer.Scale();
    Dispatch(source, settings, graph, lines, kind, mode);

    if (TScaleInfo* kindRow = KindRow(source, ownKind); kindRow && settings.AutoScale) {
        TScaleInfo& row = *kindRow;
        row.XMinimum = (kind == kDispersal || kind == kStructure) ? 0 : settings.XMinimum;
        row.YMinimum = settings.YMinimum;
        row.XMaximum = settings.XMaximum;
        row.YMaximum = settings.YMaximum;
        row.XTicSpace = settings.XTicSpace;
        row.YTicSpace = settings.YTicSpace;
    }
    return true;
}

bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                   bool warnFlag)
{
    // The rows are this program's only when its kind table is the one in use.
    std::vector<TScaleInfo>* table = CurrentKindTable() == TKindTable::Plurimod ? &DefaultScaleInfo : nullptr;
    return ProduceOutput({Model, PlotBuffer, table}, settings, graph, lines, kind, mode, warnFlag);
}

}  // namespace multi
