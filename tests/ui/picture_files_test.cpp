#include "ui/picture_files.h"

#include "chart/recording_canvas.h"
#include "support/fixed_chart.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QImage>
#include <QRegularExpression>

#include "support/qt_gtest_print.h"

#include <gtest/gtest.h>

#include <filesystem>

using Kind = TCanvasCall::Kind;

namespace {

TColor At(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return Rgb(c.red(), c.green(), c.blue());
}

// Pixels of the colour along a segment, ends excluded, out of those checked.
double ShareAlong(const QImage& image, TPoint a, TPoint b, TColor colour)
{
    int hits = 0, checked = 0;
    for (int i = 1; i < 20; ++i) {
        const int x = a.x + (b.x - a.x) * i / 20, y = a.y + (b.y - a.y) * i / 20;
        bool near = false;   // within a pixel: the rasteriser may round the other way
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                near = near || At(image, x + dx, y + dy) == colour;
        hits += near;
        ++checked;
    }
    return static_cast<double>(hits) / checked;
}

int PdfPages(const std::string& path)
{
    const QString pdf = QString::fromLatin1(QByteArray::fromStdString(ReadAll(path)));
    return static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page(?!s)")));
}

}  // namespace

TEST(ChartPicture, ChartOnAnImageHasItsAxesAndSeriesWhereTheRecordingCanvasSays)
{
    RecordingCanvas recorded({0, 0, 600, 400});
    DrawFixedChart(recorded);
    const QImage image = PictureImage(600, 400, DrawFixedChart);
    ASSERT_TRUE(image.save(QString::fromStdString(std::string(PV_BUILD_DIR) + "/fixed_chart.png")));

    // The two axes are the longest lines: each is drawn in its pen colour
    // along its whole length, and the pixels beside it are not.
    const auto lines = recorded.CallsOf(Kind::Line);
    ASSERT_GE(lines.size(), 2u);
    int axes = 0;
    for (const auto& l : lines) {
        const TPoint a = l.Points[0], b = l.Points[1];
        if (std::abs(a.x - b.x) + std::abs(a.y - b.y) < 200)
            continue;
        ++axes;
        const bool vertical = a.x == b.x;
        for (int i = 1; i < 10; ++i) {
            const int x = a.x + (b.x - a.x) * i / 10, y = a.y + (b.y - a.y) * i / 10;
            EXPECT_EQ(At(image, x, y), l.Pen.Color) << x << "," << y;
            EXPECT_NE(At(image, vertical ? x + 1 : x, vertical ? y : y - 1), l.Pen.Color) << x << "," << y;
        }
    }
    EXPECT_EQ(axes, 2);

    // The series: every segment of each polyline in its colour, inside the
    // plot, and the hatched bars in theirs.
    const auto series = recorded.CallsOf(Kind::Polyline);
    ASSERT_EQ(series.size(), 2u);
    for (const auto& s : series) {
        const double shareWanted = s.Pen.Style == TPenStyle::Solid ? 1.0 : 0.5;
        for (size_t i = 1; i < s.Points.size(); ++i)
            EXPECT_GE(ShareAlong(image, s.Points[i - 1], s.Points[i], s.Pen.Color), shareWanted) << i;
    }
    const auto bars = recorded.CallsOf(Kind::Rectangle);
    ASSERT_FALSE(bars.empty());
    const TRect bar = bars[2].Rect;
    EXPECT_EQ(At(image, bar.Left, (bar.Top + bar.Bottom) / 2), bars[2].Pen.Color);

    // Every text has ink of its colour near its anchor.
    for (const auto& t : recorded.CallsOf(Kind::TextOut)) {
        bool ink = false;
        for (int dy = -25; dy <= 25 && !ink; ++dy)
            for (int dx = -25; dx <= 25 && !ink; ++dx) {
                const int x = t.Points[0].x + dx, y = t.Points[0].y + dy;
                ink = x >= 0 && y >= 0 && x < 600 && y < 400 && qGray(image.pixel(x, y)) < 100;
            }
        EXPECT_TRUE(ink) << t.Text;
    }
}

TEST(ChartPicture, SavedFilesHoldTheirFormat)
{
    TempDir dir;
    const TColor paper = Rgb(255, 255, 224);
    struct Case { TPictureFormat format; const char* file; std::string magic; size_t at; };
    const Case cases[] = {
        {TPictureFormat::Bitmap, "chart.bmp", "BM", 0},
        {TPictureFormat::EnhancedMetafile, "chart.emf", " EMF", 40},
        {TPictureFormat::WindowsMetafile, "chart.wmf", "\xD7\xCD\xC6\x9A", 0},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file(c.file);
        ASSERT_TRUE(SavePicture(path, c.format, 600, 400, DrawFixedChart, paper)) << c.file;
        const std::string bytes = ReadAll(path);
        ASSERT_GT(bytes.size(), c.at + c.magic.size()) << c.file;
        EXPECT_EQ(bytes.substr(c.at, c.magic.size()), c.magic) << c.file;
        EXPECT_FALSE(SavePicture(dir.file(std::string("missing/") + c.file), c.format, 600, 400, DrawFixedChart))
            << c.file;
    }
    // The bitmap is filled with the background first.
    const QImage bitmap(QString::fromStdString(dir.file("chart.bmp")));
    EXPECT_EQ(bitmap.size(), QSize(600, 400));
    EXPECT_EQ(At(bitmap, 2, 2), paper);
}

TEST(ChartPicture, PrintsOnePageAndCancelPrintsNothing)
{
    TempDir dir;
    ScriptedDialogs dialogs;
    const std::string printed = dir.file("chart.pdf"), cancelled = dir.file("cancelled.pdf");
    dialogs.printFiles = {QString::fromStdString(printed), ""};
    TRect page;
    auto draw = [&page](TCanvas& c) {
        page = c.DeviceRect();
        DrawFixedChart(c);
    };
    ASSERT_TRUE(PrintPicture(nullptr, draw));
    EXPECT_EQ(PdfPages(printed), 1);
    EXPECT_GT(page.Right, 1000);   // a high-resolution page
    EXPECT_FALSE(PrintPicture(nullptr, draw));
    EXPECT_EQ(dialogs.printDialogs, 2);
}

TEST(ChartPicture, PaintBoxDrawsOverItsWholeArea)
{
    TPaintBox box;
    box.resize(200, 100);
    TRect seen;
    box.SetOnPaint([&seen](TCanvas& c) {
        seen = c.DeviceRect();
        c.SetPenColor(Rgb(255, 0, 0));
        c.MoveTo(0, 50);
        c.LineTo(200, 50);
    });
    const QImage image = box.grab().toImage();
    EXPECT_EQ(seen, (TRect{0, 0, 200, 100}));
    EXPECT_EQ(At(image, 100, 50), Rgb(255, 0, 0));
    EXPECT_EQ(At(image, 100, 20), kWhite);
}
