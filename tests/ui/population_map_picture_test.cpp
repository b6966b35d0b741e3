// The population map of a sample model with its features file, drawn through
// the painter onto an image, as the map program's windows draw it. The image
// is kept under the build folder for people to look at.

#include "multi/population_map.h"

#include "chart/palette.h"
#include "multi/model_file.h"
#include "support/recording_sink.h"
#include "ui/painter_canvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

using namespace multi;

namespace {

TColor At(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return Rgb(c.red(), c.green(), c.blue());
}

}  // namespace

TEST(PopulationMapPicture, SampleModelDrawsItsLandscapeAndColonies)
{
    RecordingSink sink;
    TMultiModel model;
    AllocateModel(model, TMultiLimits{});
    const std::string modelFile = std::string(PV_EXAMPLES_DIR) + "/river_voles.mp";
    ASSERT_EQ(LoadModelFile(model, modelFile), 0) << sink.BoxTexts();
    ASSERT_EQ(model.MapName, "river_valley.map");

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

    // Each colony's circle is shaded by how full it is: Mill pond (60 of 90)
    // and Ashford meadows (80 of 120) two thirds, Becks end (15 of 30 - 0.5)
    // about half.
    const TColor twoThirds = Rgb(0, 170, 0);
    EXPECT_EQ(At(image, static_cast<int>(layout.X[1]) + 3, static_cast<int>(layout.Y[1]) + 12), twoThirds);
    EXPECT_EQ(At(image, static_cast<int>(layout.X[3]) + 3, static_cast<int>(layout.Y[3]) + 12), twoThirds);
    EXPECT_EQ(At(image, static_cast<int>(layout.X[4]) + 3, static_cast<int>(layout.Y[4]) + 12),
              Rgb(0, static_cast<int>(std::nearbyint(255 * 15 / 29.5)), 0));
    // The Ashbrook runs in blue between Weir reach and Ashford meadows.
    int blue = 0;
    for (int x = static_cast<int>(layout.X[2]); x < static_cast<int>(layout.X[3]); ++x)
        for (int y = 0; y < image.height(); ++y)
            blue += At(image, x, y) == PaletteColor(9);
    EXPECT_GT(blue, 50);
}
