// st-chart: shows what a run found, as the result window would.
//
//   st-chart MODEL KIND PNG [--run SEED]
//
// Loads the ".st" model MODEL (with its results section), runs it first with
// the random seed SEED when --run is given, prints result kind KIND as the
// numbers view shows it, and writes the chart of that kind as a 640 x 480
// PNG, drawn by the result producer on the painter canvas, printing its
// path. Needs no display (offscreen platform). Exit status: 0 when both were
// produced, 1 when the producer refused the result, 2 on a bad command line,
// a model that did not load, a failed run or a picture not written.

#include "stage_tool.h"

#include "chart/scale_info.h"
#include "stage_ui/stage_result_producer.h"
#include "ui/picture_files.h"
#include "ui/result_chart.h"

#include <QApplication>
#include <QImage>
#include <QLocale>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 640, kHeight = 480;

int Usage()
{
    std::fprintf(stderr, "usage: st-chart MODEL KIND PNG [--run SEED]\n");
    return 2;
}

int Show(const std::string& model, int kind, const std::string& png, const std::string* seed)
{
    PrepareStageModelStore();
    if (!LoadStageModel("st-chart", model)) return 2;
    if (seed && !RunStageModel("st-chart", model, *seed)) return 2;

    TStageResultProducer& producer = StageResultProducer();
    TScaleInfo settings = DefaultScaleInfo[static_cast<std::size_t>(kind)];
    std::vector<std::string> lines;
    if (!producer.Produce(settings, nullptr, &lines, kind, kModeCheck, true) ||
        !producer.Produce(settings, nullptr, &lines, kind, kModeText, false))
        return 1;
    PrintLines(lines);

    const QImage image = PictureImage(kWidth, kHeight, ResultChartPicture(producer, settings, kind));
    if (!image.save(QString::fromStdString(png), "PNG")) {
        std::fprintf(stderr, "st-chart: cannot write %s\n", png.c_str());
        return 2;
    }
    std::printf("Chart: %s\n", png.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Numbers in files use "."; what is shown follows the "C" locale here.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());

    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() != 3 && args.size() != 5) return Usage();
    int kind = 0;
    const char* end = args[1].data() + args[1].size();
    const auto [ptr, ec] = std::from_chars(args[1].data(), end, kind);
    if (ec != std::errc{} || ptr != end || kind < 1 || kind > HighestPlotKind(TKindTable::Strativa)) return Usage();
    const std::string* seed = nullptr;
    if (args.size() == 5) {
        if (args[3] != "--run") return Usage();
        seed = &args[4];
    }
    try {
        return Show(args[0], kind, args[2], seed);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "st-chart: %s\n", e.what());
        return 2;
    }
}
