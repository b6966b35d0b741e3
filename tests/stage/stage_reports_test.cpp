#include "stage/stage_reports.h"

#include "core/file_io.h"
#include "report_model.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Golden(const std::string& name)
{
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextLines(std::string(PV_TEST_DATA) + "/stage/" + name, lines)) << name;
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& text)
{
    for (const auto& l : lines)
        if (l.find(text) != std::string::npos)
            return true;
    return false;
}

struct StageReports : ::testing::Test {
    std::unique_ptr<TCoravel> model = MakeReportModel();
    TPlotBuffer buffer;
    RecordingSink sink;

    std::vector<std::string> Report(bool csv, int kind = 9)
    {
        buffer.StartCall();
        EXPECT_TRUE(PrepareStageKinds(*model, kind, buffer));
        std::vector<std::string> lines;
        if (csv)
            EigenReportCsv(lines, *model, buffer, true);
        else
            EigenReportText(lines, *model, buffer, true);
        return lines;
    }
};

TEST_F(StageReports, BufferHoldsTheCurrentPopulationsAnalysis)
{
    model->initialabundance[2][1] = 500;   // population 2: 500 240 40
    buffer.StartCall();
    ASSERT_TRUE(PrepareStageKinds(*model, 14, buffer));
    EXPECT_EQ(3, buffer.PlotPointCount);
    const float stable[] = {0.72f, 0.24f, 0.04f};
    const float reproductive[] = {1, 3, 2};
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(s + 1, buffer.PlotX[s]);
        EXPECT_NEAR(stable[s], buffer.PlotUpper[s], 1e-5);
        EXPECT_NEAR(reproductive[s], buffer.PlotMax[s], 1e-5);
        EXPECT_EQ(1.0f, buffer.PlotLower[s]);   // no stasis: one time step in each stage
    }
    EXPECT_NEAR(1.5, buffer.PlotMean[0], 1e-6);
    // The initial distribution is the current population's own (not
    // population 1's 5 5 5), and population 1 is left as it was.
    EXPECT_NEAR(500.0 / 780, buffer.PlotMin[0], 1e-6);
    for (int s = 1; s <= 3; ++s)
        EXPECT_EQ(5.0, model->initialabundance[1][s]);
    EXPECT_EQ(15, model->initialtotal[1]);
}

TEST_F(StageReports, TextAndCommaSeparatedReportsMatchTheirGoldenFiles)
{
    model->demogstoch = true;
    model->populations[2].ddtype = 1;
    EXPECT_EQ(Golden("eigen_report.txt"), Report(false));
    EXPECT_EQ(Golden("eigen_report.csv"), Report(true));
    // The text report leaves the sensitivities in the scratch matrix.
    EXPECT_NEAR(0.72 / 1.52, model->workmatrix[1][1], 1e-5);
}

TEST_F(StageReports, SensitivityAndElasticityKindsLeaveTheirMatrix)
{
    buffer.StartCall();
    ASSERT_TRUE(PrepareStageKinds(*model, 7, buffer));
    EXPECT_NEAR(3 * 0.72 / 1.52, model->workmatrix[2][1], 1e-5);
    ASSERT_TRUE(PrepareStageKinds(*model, 8, buffer));
    EXPECT_NEAR(3 * 0.72 / 1.52 * 0.5 / 1.5, model->workmatrix[2][1], 1e-5);
    EXPECT_EQ(0.0f, model->workmatrix[2][2]);   // no transition, no elasticity
}

TEST_F(StageReports, StasisOfOneHasNoAverageResidence)
{
    model->stagematrix[1][3][3] = 1;
    model->stagematrix[1][2][2] = 0.5f;
    const auto lines = Report(false);
    std::string row3, row2;
    for (const auto& l : lines) {
        if (l.rfind(" 3      ", 0) == 0)
            row3 = l;
        if (l.rfind(" 2      ", 0) == 0)
            row2 = l;
    }
    ASSERT_GE(row3.size(), 12u);
    EXPECT_EQ("    infinity", row3.substr(row3.size() - 12));
    EXPECT_EQ("         2.00", row2.substr(row2.size() - 13));
}

TEST_F(StageReports, IgnoredFeatureLines)
{
    struct Case {
        const char* what;
        void (*change)(TCoravel&);
        const char* line;   // expected feature line, or nullptr for no warning at all
    };
    const Case cases[] = {
        {"stable start, 1000 individuals", [](TCoravel&) {}, nullptr},
        {"300 in 3 stages", [](TCoravel& m) { m.initialtotal[2] = 300; }, nullptr},
        {"299 in 3 stages", [](TCoravel& m) { m.initialtotal[2] = 299; },
         " * Small number of individuals (sampling variation)"},
        {"start off the stable distribution", [](TCoravel& m) { m.initialabundance[2][1] = 700; },
         " * Initial distribution to Stages (different from stable distribution)"},
        {"survival change series", [](TCoravel& m) { m.schangeindex[2] = 1; }, " * Temporal change in vital rates"},
        {"standard deviations", [](TCoravel& m) { m.stdevmatrix[1][2][1] = 0.1f; },
         " * Environmental stochasticity"},
        {"regional catastrophe", [](TCoravel& m) { m.cat2extent = 1; m.cat2regprob = 0.1; }, " * Catastrophes"},
        {"local catastrophe elsewhere only", [](TCoravel& m) { m.catprob1[1] = 0.5f; }, nullptr},
        {"local catastrophe here", [](TCoravel& m) { m.catprob1[2] = 0.5f; }, " * Catastrophes"},
        {"immigration", [](TCoravel& m) { m.migration[2][1] = 0.05f; },
         " * Migration (dispersal) to or from other populations"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model = MakeReportModel();
        c.change(*model);
        buffer.StartCall();
        ASSERT_TRUE(PrepareStageKinds(*model, 9, buffer));
        std::vector<std::string> lines;
        EigenReportHeader(lines, false, *model, buffer, true);
        EXPECT_EQ("Eigenanalysis for population 2 ('North')", lines.at(0));
        if (!c.line) {
            EXPECT_EQ(2u, lines.size());
        } else {
            ASSERT_EQ(5u, lines.size());
            EXPECT_EQ("WARNING: This analysis ignores the following feature(s) of this model, and", lines[2]);
            EXPECT_EQ(c.line, lines[4]);
        }
    }
}

TEST_F(StageReports, ModifiedMarkOnlyBeyondTheTolerance)
{
    const std::pair<float, bool> cases[] = {{1.0f, false}, {1.000001f, false}, {1.00001f, true}, {0.9f, true}};
    for (const auto& [multiplier, modified] : cases) {
        SCOPED_TRACE(multiplier);
        model->fecmultiplier[2] = multiplier;
        const auto lines = Report(false);
        EXPECT_EQ(modified, Contains(lines, "Stage matrix (Adults): (modified)"));
        EXPECT_TRUE(Contains(lines, "Stage matrix (Adults):"));
        EXPECT_FALSE(Contains(Report(true), "(modified)"));
    }
}

TEST_F(StageReports, ZeroLambdaGivesZerosWithANoteInsteadOfNotANumber)
{
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            model->stagematrix[1][i][j] = 0;
    model->stagematrix[1][2][1] = 0.5f;   // a survival, but nothing ever born: lambda 0
    for (bool csv : {false, true}) {
        const auto lines = Report(csv);
        EXPECT_TRUE(Contains(lines, csv ? "Growth rate (lambda)=,0.0000" : "Growth rate (lambda)= 0.0000"));
        EXPECT_TRUE(Contains(lines, kZeroLambdaNote));
        // Both tables: note, column header, then rows of zeros only.
        for (const char* table : {"Elasticities:  (approximate)", "Sensitivities:  (approximate)"}) {
            const auto at = std::find(lines.begin(), lines.end(), table);
            ASSERT_NE(lines.end(), at);
            ASSERT_LE(at + 6, lines.end());
            EXPECT_EQ(kZeroLambdaNote, *(at + 1));
            for (auto row = at + 3; row != at + 6; ++row) {
                std::string rest = row->substr(3);
                for (std::size_t k; (k = rest.find("0.0000")) != std::string::npos;)
                    rest.erase(k, 6);
                EXPECT_EQ(std::string::npos, rest.find_first_not_of(" ,:")) << *row;
            }
        }
        for (const auto& l : lines) {
            EXPECT_EQ(std::string::npos, l.find("NAN")) << l;
            EXPECT_EQ(std::string::npos, l.find("INF")) << l;
        }
    }
}

TEST_F(StageReports, UnstructuredModelIsRefused)
{
    model->stages = 1;
    buffer.StartCall();
    EXPECT_FALSE(PrepareStageKinds(*model, 14, buffer));
    ASSERT_EQ(1u, sink.boxes.size());
    EXPECT_EQ("Not a structured model.", sink.boxes[0].text);
    std::vector<std::string> lines;
    EigenReportHeader(lines, false, *model, buffer, false);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(1u, sink.boxes.size());   // the header warns only when asked to
}

TEST_F(StageReports, DensityCurves)
{
    // Exponential: a flat line at lambda from 0.1 on; a changing K draws no
    // second curve.
    model->ktrend[2] = 10;
    buffer.StartCall();
    ASSERT_TRUE(PlotDensityDependence(*model, 1, buffer, true));
    EXPECT_EQ(50, buffer.PlotPointCount);
    EXPECT_EQ(1, buffer.CurveVariant);
    EXPECT_FLOAT_EQ(0.1f, buffer.PlotX[0]);
    EXPECT_FLOAT_EQ(1.94f * 1000 / 50, buffer.PlotX[1]);
    EXPECT_FLOAT_EQ(1.5f, buffer.PlotMean[0]);
    EXPECT_FLOAT_EQ(1.5f, buffer.PlotMean[49]);
    EXPECT_FLOAT_EQ(1.5f, buffer.PlotUpper[0]);
    EXPECT_EQ(1000.0f, buffer.PlotUpper[1]);

    // Replacement curve: from the origin, abundance x lambda.
    buffer.StartCall();
    ASSERT_TRUE(PlotDensityDependence(*model, 2, buffer, true));
    EXPECT_EQ(2, buffer.CurveVariant);
    EXPECT_EQ(0.0f, buffer.PlotX[0]);
    EXPECT_EQ(0.0f, buffer.PlotMean[0]);
    EXPECT_FLOAT_EQ(buffer.PlotX[10] * 1.5f, buffer.PlotMean[10]);
    EXPECT_FLOAT_EQ(1500.0f, buffer.PlotUpper[0]);

    // Ceiling with a growing K: a second curve for the final K, and the x
    // range reaches 1.94 x the final K (1000 + 10 x 10).
    model->populations[2].ddtype = 3;
    buffer.StartCall();
    ASSERT_TRUE(PlotDensityDependence(*model, 1, buffer, true));
    EXPECT_EQ(3, buffer.CurveVariant);
    EXPECT_FLOAT_EQ(1.94f * 1100 / 50, buffer.PlotX[1]);
    EXPECT_FLOAT_EQ(1000.0f / buffer.PlotX[49], buffer.PlotMean[49]);
    EXPECT_FLOAT_EQ(1100.0f / buffer.PlotX[49], buffer.PlotMax[49]);
}

TEST_F(StageReports, DensityDependenceTheMatrixCannotMeet)
{
    model->populations[2].ddtype = 1;   // scramble
    for (int j = 1; j <= 3; ++j)
        model->stagematrix[1][1][j] = 0;   // nothing to scale: no rate multiplier exists
    model->ddaffects = 1;                  // fecundities
    buffer.StartCall();
    EXPECT_FALSE(PlotDensityDependence(*model, 1, buffer, false));
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_FALSE(PlotDensityDependence(*model, 1, buffer, true));
    ASSERT_EQ(1u, sink.boxes.size());
    EXPECT_EQ("Stage matrix is incompatible with this density dependence.  See help file.", sink.boxes[0].text);
}

} // namespace
