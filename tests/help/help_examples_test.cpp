// What a help topic shows a user to copy or to look up must be what the
// program does with it: the example map-features file draws what the topic
// says it draws, and the colour numbers name the palette's colours.

#include "ui/help_service.h"

#include "chart/palette.h"
#include "chart/recording_canvas.h"
#include "multi/map_features.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

QString Topic(const QString& file)
{
    QFile topic(kPlurimodHelp + "/" + file);
    return topic.open(QIODevice::ReadOnly) ? QString::fromUtf8(topic.readAll()) : QString();
}

// The lines of the topic's first example (its first <pre> block), as a user
// copies them into a file.
std::vector<std::string> ExampleLines(const QString& html)
{
    static const QRegularExpression pre(QStringLiteral("<pre>(.*?)</pre>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pre.match(html);
    QTextDocument text;
    text.setHtml("<pre>" + match.captured(1) + "</pre>");
    std::vector<std::string> lines;
    for (const QString& line : text.toPlainText().split('\n'))
        lines.push_back(line.toStdString());
    return lines;
}

}  // namespace

TEST(HelpExamples, TheMapFeaturesExampleDrawsWhatTheTopicSays)
{
    const std::vector<std::string> lines = ExampleLines(Topic("map_features.html"));
    ASSERT_GT(lines.size(), 10u);
    const multi::TMapFeatures features = multi::ParseMapFeatures(lines);
    // A font, the wood, the pond, the river and the name, in this order.
    ASSERT_EQ(features.Items.size(), 5u);
    const auto* font = std::get_if<multi::TMapFont>(&features.Items[0]);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(*font, (multi::TMapFont{1, 10}));
    const auto* wood = std::get_if<multi::TMapPolygon>(&features.Items[1]);
    const auto* pond = std::get_if<multi::TMapPolygon>(&features.Items[2]);
    const auto* river = std::get_if<multi::TMapLine>(&features.Items[3]);
    const auto* name = std::get_if<multi::TMapText>(&features.Items[4]);
    ASSERT_TRUE(wood && pond && river && name);
    EXPECT_EQ(wood->Points.size(), 4u);
    EXPECT_EQ(pond->Population, 1);
    EXPECT_EQ(pond->Points.size(), 3u);
    EXPECT_EQ(river->Points.size(), 2u);
    EXPECT_EQ(name->Text, "Hanger wood");
    // The name stands inside the wood.
    EXPECT_GT(name->At.X, 0);
    EXPECT_LT(name->At.X, 30);
    EXPECT_GT(name->At.Y, 0);
    EXPECT_LT(name->At.Y, 20);

    // Drawn with population 1 empty, below half and at half of its K.
    struct Case {
        double abundance;
        bool filled;
        TColor pond;
    };
    for (const Case& c : {Case{0, false, kBlack}, Case{40, true, PaletteColor(0)}, Case{50, true, PaletteColor(1)}}) {
        SCOPED_TRACE(c.abundance);
        multi::TMapPopulations populations;
        populations.Count = 1;
        populations.Abundance = [&c](int) { return c.abundance; };
        populations.CarryingCapacity = [](int) { return 100.0; };
        RecordingCanvas canvas({0, 0, 400, 300});
        multi::DrawMapFeatures(canvas, features, {}, populations);
        const auto polygons = canvas.CallsOf(TCanvasCall::Kind::Polygon);
        ASSERT_EQ(polygons.size(), 2u);
        EXPECT_EQ(polygons[0].Brush.Color, Rgb(0, 128, 0)) << "the wood is dark green";
        EXPECT_EQ(polygons[0].Brush.Style, TBrushStyle::Solid);
        EXPECT_EQ(polygons[1].Brush.Style == TBrushStyle::Solid, c.filled);
        if (c.filled) {
            EXPECT_EQ(polygons[1].Brush.Color, c.pond);
        }
        for (const auto& polygon : polygons)
            EXPECT_EQ(polygon.Pen.Color, kBlack) << "no LINE comes before the polygons";
        const auto river = canvas.CallsOf(TCanvasCall::Kind::Line);
        ASSERT_EQ(river.size(), 1u);
        EXPECT_EQ(river[0].Pen.Color, Rgb(0, 0, 255)) << "the river is blue";
    }
}

TEST(HelpExamples, TheColourNumbersOfTheMapFeaturesTopicNameThePalettesColours)
{
    const std::map<QString, TColor> named = {
        {"black", Rgb(0, 0, 0)},          {"dark blue", Rgb(0, 0, 128)},   {"dark green", Rgb(0, 128, 0)},
        {"dark cyan", Rgb(0, 128, 128)},  {"dark red", Rgb(128, 0, 0)},    {"purple", Rgb(128, 0, 128)},
        {"olive", Rgb(128, 128, 0)},      {"light grey", Rgb(192, 192, 192)}, {"dark grey", Rgb(128, 128, 128)},
        {"blue", Rgb(0, 0, 255)},         {"green", Rgb(0, 255, 0)},       {"cyan", Rgb(0, 255, 255)},
        {"red", Rgb(255, 0, 0)},          {"magenta", Rgb(255, 0, 255)},   {"yellow", Rgb(255, 255, 0)},
        {"white", Rgb(255, 255, 255)},
    };
    static const QRegularExpression cell(QStringLiteral(R"re(<td align="right">(\d+)</td><td>([a-z ]+)</td>)re"));
    std::vector<bool> seen(16, false);
    for (auto it = cell.globalMatch(Topic("map_features.html")); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int number = m.captured(1).toInt();
        const QString colour = m.captured(2);
        ASSERT_LT(number, 16);
        ASSERT_TRUE(named.count(colour)) << colour.toStdString();
        EXPECT_EQ(PaletteColor(number), named.at(colour)) << number << " is not " << colour.toStdString();
        seen[static_cast<std::size_t>(number)] = true;
    }
    for (int number = 0; number < 16; ++number)
        EXPECT_TRUE(seen[static_cast<std::size_t>(number)]) << "colour " << number << " is missing";
}
