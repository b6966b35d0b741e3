// A reader who follows a Getting started topic with the installed sample and
// the seed it gives must reach the figures it names: each figure is run here
// as the guide tells the reader to (the sample, the one change, the seed, the
// fixed x limits of the risk curve) and read from the Numbers table's row at
// the guide's level, and the guide must state it.

#include "ui/help_service.h"

#include "chart/result_modes.h"
#include "chart/scale_info.h"
#include "core/config.h"
#include "multi/model_data.h"
#include "single/model_file.h"
#include "single/produce_output.h"
#include "single/result_kinds.h"
#include "single/run_simulation.h"
#include "stage/model_store.h"
#include "stage/produce_output.h"
#include "stage/result_kinds.h"
#include "stage/run_simulation.h"
#include "stage/stage_file.h"
#include "stage/startup.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kExamples = PV_SOURCE_DIR "/../examples/";

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString GuideText(const QString& folder)
{
    QFile file(folder + "/getting_started.html");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return document.toPlainText();
}

// The sample with the guide's one change, written where the test may write.
std::string ChangedSample(const QTemporaryDir& folder, const std::string& sample, const std::string& from,
                          const std::string& to)
{
    std::string text = ReadBytes(kExamples + sample);
    if (!from.empty()) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << sample << " no longer holds " << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
    }
    const std::string path = folder.filePath(QString::fromStdString(sample)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The guide's fixed x limits of the risk curve: a point at every whole number
// up to 159.
TScaleInfo FixedLimits(int kind)
{
    TScaleInfo settings = DefaultScaleInfo[static_cast<std::size_t>(kind)];
    settings.AutoScale = false;
    settings.XMinimum = 0;
    settings.XMaximum = 159;
    return settings;
}

// The probability column of the Numbers table's row at `level`; empty when
// the table has no such row.
std::string ProbabilityAt(const std::vector<std::string>& lines, double level)
{
    for (const std::string& line : lines) {
        std::istringstream fields(line);
        double x = 0;
        std::string probability;
        if (fields >> x >> probability && x == level)
            return probability;
    }
    return {};
}

struct TGuideRun {
    const char* sample;
    const char* from;  // the guide's change of the sample; empty: none
    const char* to;
    double level;
    const char* table;  // the row's probability as the Numbers table shows it
    const char* guide;  // as the guide states it
};

std::string StrativaRisk(const QTemporaryDir& folder, const TGuideRun& run)
{
    SelectKindTable(TKindTable::Strativa);
    ModelLimits limits = LimitsFromConfig(Config);
    limits.stages = std::min(limits.stages, kMaxStages);
    CreateModelStore(limits);
    ResultMemoryKind = kMainMemory;
    const std::string path = ChangedSample(folder, run.sample, run.from, run.to);
    EXPECT_EQ(LoadModelFile(Info, path), kModelFileOk);
    Config.RandomSeed = "12345";
    std::vector<float> trajectory(static_cast<std::size_t>(Info.duration) + 1, 0.0f);
    TRunOutcome outcome;
    EXPECT_TRUE(RunSimulation(trajectory, [](std::int32_t, std::int32_t) { return true; }, &outcome));
    TScaleInfo settings = FixedLimits(stage::kIntervalExtinctionRisk);
    std::vector<std::string> lines;
    EXPECT_TRUE(ProduceOutput(settings, nullptr, &lines, stage::kIntervalExtinctionRisk, kModeText, false));
    return ProbabilityAt(lines, run.level);
}

std::string MonovaraRisk(const QTemporaryDir& folder, const TGuideRun& run)
{
    SelectKindTable(TKindTable::Monovara);
    multi::StartMultiEngine(multi::TMultiLimits{});
    const std::string path = ChangedSample(folder, run.sample, run.from, run.to);
    EXPECT_EQ(single::LoadModelFile(multi::Model, path), kModelFileOk);
    Config.RandomSeed = "12345";
    Config.StepDelay = 0;
    TRunOutcome outcome;
    EXPECT_TRUE(single::RunSimulation(multi::Model, [](std::int32_t, std::int32_t) { return true; }, &outcome));
    TScaleInfo settings = FixedLimits(single::kIntervalExtinctionRisk);
    std::vector<std::string> lines;
    EXPECT_TRUE(
        single::ProduceOutput(settings, nullptr, &lines, single::kIntervalExtinctionRisk, kModeText, false));
    return ProbabilityAt(lines, run.level);
}

}  // namespace

TEST(HelpGuides, StrativaGettingStartedReachesItsFiguresWithItsSeed)
{
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString guide = GuideText(kStrativaHelp);
    EXPECT_TRUE(guide.contains("strativa /RAN=12345 meadow_herb.st"));
    const TGuideRun runs[] = {
        {"meadow_herb.st", "", "", 100, "0.4100", "0.410"},
        // Harvest/Emigration, a proportion of 0.05 of stage 3 (Flowering),
        // as the management dialog stores it.
        {"meadow_herb.st", "0 (pop mgmnt)\r\n",
         "1 (pop mgmnt)\r\n1 0   1   1   1  50   1 0 1 0 0.0500  3  3 0  0 \r\n", 100, "0.7480", "0.748"},
        {"meadow_herb.st", ",CE,1.0,2000,", ",CE,1.0,1000,", 100, "0.4560", "0.456"},
    };
    for (const TGuideRun& run : runs) {
        SCOPED_TRACE(std::string(run.from) + " -> " + run.to);
        EXPECT_EQ(StrativaRisk(folder, run), run.table);
        EXPECT_TRUE(guide.contains(run.guide)) << "the guide does not say " << run.guide;
    }
}

TEST(HelpGuides, MonovaraGettingStartedReachesItsFiguresWithItsSeed)
{
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString guide = GuideText(kMonovaraHelp);
    EXPECT_TRUE(guide.contains("monovara /RAN=12345 marsh_frogs.sp"));
    const TGuideRun runs[] = {
        {"marsh_frogs.sp", "", "", 50, "0.0860", "0.086"},
        {"marsh_frogs.sp", "Fen frogs,,,180,BH,1.12,400,", "Fen frogs,,,180,BH,1.12,200,", 50, "0.3000", "0.300"},
    };
    for (const TGuideRun& run : runs) {
        SCOPED_TRACE(std::string(run.from) + " -> " + run.to);
        EXPECT_EQ(MonovaraRisk(folder, run), run.table);
        EXPECT_TRUE(guide.contains(run.guide)) << "the guide does not say " << run.guide;
    }
}
