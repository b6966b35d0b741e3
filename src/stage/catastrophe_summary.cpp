#include "stage/catastrophe_summary.h"

#include "chart/text_format.h"
#include "core/messages.h"
#include "core/str_utilx.h"
#include "stage/eigen.h"
#include "stage/stage_reports.h"

#include <cmath>
#include <limits>

namespace {

struct TCatastropheView {
    std::string name;
    std::uint8_t extent;
    double regionalProbability;
    std::uint8_t affects;
    const SingleMatrix& abundanceMultipliers;  // 1 x S
    const SingleMatrix& matrixMultipliers;     // S x S
    float populationMultiplier;
    std::string probabilityText;               // the population's local probability, as typed
    std::string multiplierText;                // the population's multiplier, as typed
};

TCatastropheView View(const TCoravel& m, int p, int c)
{
    const PopulationRecord& pop = m.populations[p];
    if (c == 1)
        return {m.cat1name, m.cat1extent, m.cat1regprob, m.cat1affects, m.catabund1, m.catmatrix1,
                m.catmult1[p], pop.cat1probtext, pop.cat1multtext};
    return {m.cat2name, m.cat2extent, m.cat2regprob, m.cat2affects, m.catabund2, m.catmatrix2,
            m.catmult2[p], pop.cat2probtext, pop.cat2multtext};
}

// A probability text as shown (locale decimal point) or as stored in the
// model file ("."); NaN when it is neither.
double ProbabilityOf(const std::string& text)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double shown = StrToFloatDefault(text, nan);
    return std::isnan(shown) ? TextToRealDef(TrimBlanks(text), nan) : shown;
}

} // namespace

void DescribeCatastrophe(std::vector<std::string>& lines, TCoravel& model, int p, int c, TInputCheck check,
                         bool commaSeparated)
{
    auto add = [&](const std::string& line) { lines.push_back(commaSeparated ? CsvField(line) : line); };
    if (p < 1 || p > model.pops || (c != 1 && c != 2))
        return;
    std::string label = "Catastrophe " + std::to_string(c);
    const std::string ownName = c == 1 ? model.cat1name : model.cat2name;
    if (!ownName.empty() && ownName != std::to_string(c))
        label += " (" + ownName + ")";
    label = CutText(label, 27);

    const std::uint8_t selected = model.selectedpop;
    if (check)
        check(model);
    model.selectedpop = selected;
    if (model.state == kStateEmpty) {
        ErrorMessage("Information not available (error in input data)");
        return;
    }

    const TCatastropheView cat = View(model, p, c);
    model.currentmatrix = model.populations[p].matrixindex;
    add(label + " extent : " + kCatExtentNames[cat.extent == 1 ? 1 : 0]);

    const std::string probability =
        cat.extent == 1 ? RealToLocalText(cat.regionalProbability) : cat.probabilityText;
    const double value = ProbabilityOf(probability);
    if (!(value > 0) || TrimBlanks(probability).empty()) {
        add(label + " probability = 0.0");
        return;
    }
    add(label + " probability = " + probability);
    add(label + " affects " + kCatAffectsNames[cat.affects <= 2 ? cat.affects : 0]);
    add("");

    const int stages = model.stages;
    if (cat.affects == 0) {
        add("Stage          Combined multiplier           Number of survivors");
        for (int s = 1; s <= stages; ++s) {
            const float m = cat.abundanceMultipliers[1][s] * cat.populationMultiplier;
            const char* note = m == 1 ? "(No effect)" : m == 0 ? "(Full effect)" : "";
            // Whole survivors, halves to even as every count in a run.
            const double survivors = std::nearbyint(static_cast<double>(m) * model.initialabundance[p][s]);
            add(FormatText("%3d %20.3f %13s %15d", {s, m, note, static_cast<long long>(survivors)}));
        }
    } else if (cat.affects == 1) {
        TStageMatrix a = ReportWorkingMatrix(model, p);
        for (int i = 1; i <= stages; ++i)
            for (int j = 1; j <= stages; ++j) {
                a(i, j) = static_cast<float>(a(i, j) * cat.matrixMultipliers[i][j] * cat.populationMultiplier);
                model.workmatrix[i][j] = static_cast<float>(a(i, j));
            }
        const double lambda = DominantEigenvalue(a);
        add("Transition Matrix Following " + label + FormatText("%20s%s", {"Lamda=", StrFixed(lambda, 5, 3)}));
        for (int i = 1; i <= stages; ++i) {
            std::string row;
            for (int j = 1; j <= stages; ++j)
                row += StrFixed(a(i, j), 6, 3) + " ";
            add(row);
        }
    } else {
        const double r = cat.populationMultiplier;
        // The change a multiplier makes: 1.25 is an increase by 25%.
        const std::string change = r > 1 ? "increased by " + StrFixed((r - 1) * 100, 2, 0) + "%"
                                         : "reduced by " + StrFixed((1 - r) * 100, 3, 1) + "%";
        const PopulationRecord& pop = model.populations[p];
        add("Following " + label + ":");
        add("Carrying capacity is " + change + "  (multiplier=" + cat.multiplierText + ");");
        add("    then, it changes at a rate of " + pop.kchange + " per time step");
        add("Initial carrying capacity is " + pop.ktext + ".");
    }
}

void CatastropheSummary(std::vector<std::string>& lines, TCoravel& model, TInputCheck check, bool commaSeparated)
{
    for (int p = 1; p <= model.pops; ++p) {
        const std::string heading =
            "Catastrophe Summary for Population " + std::to_string(p) + ": " + model.populations[p].name;
        lines.push_back(commaSeparated ? CsvField(heading) : heading);
        lines.push_back(std::string(heading.size(), '-'));
        lines.push_back("");
        DescribeCatastrophe(lines, model, p, 1, check, commaSeparated);
        lines.push_back("");
        lines.push_back("");
        DescribeCatastrophe(lines, model, p, 2, check, commaSeparated);
        if (p < model.pops)
            lines.insert(lines.end(), 3, "");
    }
}
