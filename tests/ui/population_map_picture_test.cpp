// The population map of a sample model with its features file, drawn through
// the painter onto an image, as the map program's windows draw it. The image
// is kept under the build folder for people to look at.

#include "multi/population_map.h"

#include "chart/palette.h"
#include "ui/painter_canvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace multi;

namespace {

TColor At(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return Rgb(c.red(), c.green(), c.blue());
}

// The water voles of the sample model, built here as its file describes them.
void RiverVoles(TMultiModel& m)
{
    TMultiLimits limits;
    AllocateModel(m, limits);
    struct Colony {
        const char *name, *x, *y, *n, *K;
        std::uint8_t dd;
    };
    const Colony colonies[] = {
        {"Mill pond", "12", "48", "60", "90", kScramble},
        {"Weir reach", "25", "40", "35", "50", kScramble},
        {"Ashford meadows", "41", "33", "80", "120", kContest},
        {"Becks end", "52", "51", "15", "30", kContest},
        {"Lower marsh", "70", "22", "45", "70", kScramble},
    };
    m.PopCount = 0;
    for (const auto& c : colonies) {
        multi::PopulationRecord& p = m.Populations[++m.PopCount];
        p.Name = c.name;
        p.XText = c.x;
        p.YText = c.y;
        p.InitialAbundanceText = c.n;
        p.CarryingCapacityText = c.K;
        p.DDType = c.dd;
    }
    m.Populations[4].TrendInKText = "-0.5";
    m.MapName = "river_valley.map";
    // Neighbours along the river exchange a few voles.
    for (int i = 1; i < 5; ++i) {
        m.DispersalMatrix[i + 1][i] = 0.05f;
        m.DispersalMatrix[i][i + 1] = 0.05f;
    }
}

}  // namespace

TEST(PopulationMapPicture, SampleModelDrawsItsLandscapeAndColonies)
{
    TMultiModel model;
    RiverVoles(model);
    const std::string modelFile = std::string(PV_EXAMPLES_DIR) + "/river_voles.mp";

    QImage image(640, 440, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TPainterCanvas canvas(painter, {0, 0, 640, 440}, 96, 96, false);
    canvas.SetFontFace("DejaVu Sans");
    TLandscapeCache cache;
    TLandscapeOutcome landscape;
    const TPopulationMapLayout layout =
        DrawPopulationMap(canvas, {0, 0, 640, 440}, model, modelFile, nullptr, ProgramMapStyle(), &cache, &landscape);
    painter.end();
    ASSERT_TRUE(image.save(QString::fromStdString(std::string(PV_BUILD_DIR) + "/population_map.png")));

    EXPECT_TRUE(landscape.Drawn);
    EXPECT_EQ(landscape.MapScale, 100);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 6u);

    // Each colony's circle is shaded by how full it is: Mill pond two
    // thirds, Ashford meadows likewise.
    const TColor lime = PaletteColor(10);
    const TColor twoThirds = Rgb(0, 170, 0);
    EXPECT_EQ(At(image, static_cast<int>(layout.X[1]) + 3, static_cast<int>(layout.Y[1]) + 8), twoThirds);
    EXPECT_EQ(At(image, static_cast<int>(layout.X[3]) + 3, static_cast<int>(layout.Y[3]) + 12), twoThirds);
    EXPECT_NE(twoThirds, lime);
}
