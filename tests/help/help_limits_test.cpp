// The limits the help states for a field (a range "0 to 20", a smallest value
// a run accepts, a largest count) are the ones the dialogs and the run check:
// each stated limit is written here from the constant the code uses, and
// every range "a to b" in any topic must be one of them, so a range that is
// changed in the code or typed into a topic without a check fails here.

#include "ui/help_service.h"

#include "chart/plot_buffer.h"
#include "core/config.h"
#include "chart/risk_curve.h"
#include "stage/model_store.h"
#include "multi/distance_editing.h"
#include "multi/model_data.h"
#include "multi/multi_options.h"
#include "multi/population_editing.h"
#include "stage/validate_input.h"
#include "stage_ui/abundance_form.h"
#include "stage_ui/population_form.h"
#include "stage_ui/population_management_form.h"
#include "stage_ui/stage_form.h"
#include "stage_ui/stage_matrix_form.h"
#include "ui/run_window.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

QString Number(double value) { return QString::number(value, 'g', 12); }
QString Range(double low, double high) { return Number(low) + " to " + Number(high); }
QString Fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

struct TStatedLimit {
    QString folder;  // the program's help; empty: every program whose help has the topic
    const char* topic;
    QString text;    // as the topic reads, without markup
};

// The first duration whose trajectory charts show only every `stride`-th
// time step, looked for up to the largest duration the DUR setting holds;
// 0, and a failure, when no duration reaches the stride.
int FirstDurationWithStride(int stride)
{
    const int largest = std::numeric_limits<decltype(ConfigType::MaxDuration)>::max();
    for (int duration = 1; duration <= largest; ++duration)
        if (TimeGridFor(duration).step >= stride)
            return duration;
    ADD_FAILURE() << "no duration up to " << largest << " has a time grid of stride " << stride;
    return 0;
}

// The largest number of replications whose risk band is tabled rather than
// `factor` / sqrt(R), the large-sample band 0.886 / sqrt(R).
int LastTabledReplications(double factor)
{
    int last = 4;
    for (int r = 4; r <= 1000; ++r)
        if (std::fabs(RiskBandHalfWidth(r) - factor / std::sqrt(r)) > 1e-9)
            last = r;
    return last;
}

std::vector<TStatedLimit> StatedLimits()
{
    const double factor = RiskBandHalfWidth(10000) * 100;
    const int tabled = LastTabledReplications(factor);
    return {
        // Strativa
        {kStrativaHelp, "density_dependence.html",
         "Max growth rate (Rmax): " + Range(0, TPopulationForm::kLargestRmax) + " in this dialog"},
        {kStrativaHelp, "density_dependence.html", "needs an Rmax of at least " + Number(kSmallestRunRmax)},
        {kStrativaHelp, "density_dependence.html",
         "Carrying capacity (K): " + Range(0, TPopulationForm::kLargestK) + " individuals in this dialog"},
        {kStrativaHelp, "initial_abundances.html", "from " + Range(0, TAbundanceForm::kMaxValue) + " each"},
        {kStrativaHelp, "stage_matrix.html", "Elements are " + Range(0, TStageMatrixForm::kMaxValue)},
        {kStrativaHelp, "stages.html", "up to " + Number(kStageNameLength) + " characters"},
        {kStrativaHelp, "stages.html", "at least " + Number(TStageForm::kMinStages) + " stages"},
        {kStrativaHelp, "management.html", "at most " + Number(kMaxActions) + " actions"},
        {kStrativaHelp, "management.html",
         "Number of individuals (" + Range(0, TPopulationManagementForm::kLargestNumber) + ")"},
        {kStrativaHelp, "management.html",
         "Proportion of individuals (" + Range(0, TPopulationManagementForm::kLargestProportion) + ";"},
        {kStrativaHelp, "simulation.html",
         "delay (" + Range(0, TRunWindow::kLongestDelay) + " seconds, in steps of " + Number(TRunWindow::kDelayStep) +
             ")"},
        // Plurimod
        {kPlurimodHelp, "populations.html", "at most " + Number(multi::TMultiLimits{}.MaxPops) + " populations"},
        {kPlurimodHelp, "populations.html", "up to " + Number(multi::kNameLength) + " characters"},
        {kPlurimodHelp, "populations.html",
         "Growth rate (R): " + Range(0, multi::kLargestGrowthRate) + " in this dialog"},
        {kPlurimodHelp, "populations.html", "Survival rate (s): " + Range(0, multi::kLargestSurvivalRate) + ";"},
        {kPlurimodHelp, "dispersal_correlation.html",
         "Average dispersal distance (" + Range(0, multi::kLargestEditedDistance) + ")"},
        {kPlurimodHelp, "dispersal_correlation.html",
         "Maximum dispersal distance (" + Range(0, multi::kLargestEditedDistance) + ")"},
        {kPlurimodHelp, "dispersal_correlation.html", "Maximum dispersal rate (" + Range(0, multi::kLargestRate) + ")"},
        {kPlurimodHelp, "dispersal_correlation.html", "Correlation at d=100 (" + Range(0, multi::kLargestRate) + ")"},
        {kPlurimodHelp, "simulation.html", "delay (" + Range(0, TRunWindow::kLongestDelay) + " seconds)"},
        // Monovara
        {kMonovaraHelp, "population.html",
         "the number of individuals at time step 0 (" + Range(0, multi::kLargestCount) + ")"},
        {kMonovaraHelp, "population.html",
         "Growth rate (R): " + Range(0, multi::kLargestGrowthRate) + " in this dialog"},
        {kMonovaraHelp, "population.html", "Survival rate (s): " + Range(0, multi::kLargestSurvivalRate) + ";"},
        {kMonovaraHelp, "simulation.html", "delay (" + Range(0, TRunWindow::kLongestDelay) + " seconds)"},
        // Shared topics
        {{}, "options.html", "Precision (" + Range(multi::kMinPrecision, multi::kMaxPrecision) + ")"},
        {{}, "options.html", "Decimals (" + Range(multi::kMinDecimals, multi::kMaxDecimals) + ")"},
        {{}, "extinction_risk.html", Fixed(factor, 3) + " divided by the square root of the number of replications"},
        {{}, "extinction_risk.html",
         QString("about \u00b1%1 with 100 replications and \u00b1%2 with 1000")
             .arg(Fixed(RiskBandHalfWidth(100), 2), Fixed(RiskBandHalfWidth(1000), 2))},
        {{}, "extinction_risk.html",
         QString("for %1 to %2 replications a tabled value, from %3 with %1 down to %4 with %2")
             .arg(4)
             .arg(tabled)
             .arg(Fixed(RiskBandHalfWidth(4), 3), Fixed(RiskBandHalfWidth(tabled), 3))},
        {{}, "trajectory_summary.html",
         "Up to a duration of " + Number(FirstDurationWithStride(2) - 1) + " time steps that is every time step"},
        {{}, "trajectory_summary.html",
         QString("every 2nd step from a duration of %1, every 3rd from %2")
             .arg(FirstDurationWithStride(2))
             .arg(FirstDurationWithStride(3))},
    };
}

QString TopicText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return document.toPlainText();
}

}  // namespace

TEST(HelpLimits, EveryStatedLimitIsTheCodesAndEveryRangeIsAStatedLimit)
{
    const std::vector<TStatedLimit> limits = StatedLimits();
    std::vector<int> found(limits.size(), 0);
    static const QRegularExpression range(QStringLiteral(R"re((?<![\w.])-?\d+(?:\.\d+)? to -?\d+(?:\.\d+)?(?![\w]|\.\d))re"));
    for (const QString& folder : {kStrativaHelp, kPlurimodHelp, kMonovaraHelp}) {
        SCOPED_TRACE(folder.toStdString());
        for (const QString& topic : QDir(folder).entryList({"*.html"}, QDir::Files)) {
            const QString text = TopicText(folder + "/" + topic);
            // The parts of the text that a stated limit accounts for.
            std::vector<std::pair<qsizetype, qsizetype>> stated;
            for (std::size_t i = 0; i < limits.size(); ++i) {
                const TStatedLimit& limit = limits[i];
                if (topic != QLatin1String(limit.topic) || (!limit.folder.isEmpty() && limit.folder != folder))
                    continue;
                const qsizetype at = text.indexOf(limit.text);
                EXPECT_GE(at, 0) << topic.toStdString() << " does not say: " << limit.text.toStdString();
                if (at >= 0) {
                    ++found[i];
                    stated.emplace_back(at, at + limit.text.size());
                }
            }
            for (auto match = range.globalMatch(text); match.hasNext();) {
                const QRegularExpressionMatch m = match.next();
                bool accounted = false;
                for (const auto& [from, to] : stated)
                    accounted = accounted || (m.capturedStart() >= from && m.capturedEnd() <= to);
                EXPECT_TRUE(accounted) << topic.toStdString() << " states the range \"" << m.captured().toStdString()
                                       << "\", which no limit of the table above holds to the code";
            }
        }
    }
    for (std::size_t i = 0; i < limits.size(); ++i)
        EXPECT_GT(found[i], 0) << "no help has the topic " << limits[i].topic;
}
