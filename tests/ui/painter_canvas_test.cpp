#include "ui/painter_canvas.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr TColor kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255),
                 kYellow = Rgb(255, 255, 0);

// Draws on a white w x h image at 96 pixels per inch.
QImage Drawn(int w, int h, const std::function<void(TCanvas&)>& draw, bool monochrome = false)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TPainterCanvas canvas(painter, {0, 0, w, h}, 96, 96, monochrome);
    canvas.SetFontFace("DejaVu Sans");
    draw(canvas);
    painter.end();
    return image;
}

TColor At(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return Rgb(c.red(), c.green(), c.blue());
}

bool Ink(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// The box of dark pixels, or an empty rectangle.
TRect InkBox(const QImage& image)
{
    TRect box{image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Ink(image, x, y))
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y)};
    return box;
}

}  // namespace

TEST(PainterCanvas, ShapesCoverTheirPixelsWithRightAndBottomExclusive)
{
    struct Probe { int x, y; TColor want; };
    struct Case {
        const char* name;
        std::function<void(TCanvas&)> draw;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"line: end point not painted",
         [](TCanvas& c) { c.MoveTo(5, 5); c.LineTo(15, 5); },
         {{5, 5, kBlack}, {14, 5, kBlack}, {15, 5, kWhite}, {10, 4, kWhite}, {10, 6, kWhite}}},
        {"rectangle: outline on the last column and row, brush inside",
         [](TCanvas& c) { c.SetPenColor(kRed); c.SetBrushColor(kGreen); c.Rectangle({15, 12, 5, 5}); },
         {{5, 5, kRed}, {14, 11, kRed}, {14, 8, kRed}, {8, 11, kRed}, {8, 8, kGreen}, {15, 8, kWhite},
          {8, 12, kWhite}, {4, 8, kWhite}}},
        {"fill: brush only",
         [](TCanvas& c) { c.SetBrushColor(kBlue); c.FillRect({5, 5, 15, 12}); },
         {{5, 5, kBlue}, {14, 11, kBlue}, {15, 11, kWhite}, {14, 12, kWhite}}},
        {"polygon: brush inside, outline through the corners, closed",
         [](TCanvas& c) {
             c.SetPenColor(kRed);
             c.SetBrushColor(kGreen);
             const TPoint corners[] = {{5, 5}, {35, 5}, {5, 35}};
             c.Polygon(corners, 3);
         },
         {{5, 5, kRed}, {34, 5, kRed}, {5, 20, kRed}, {20, 20, kRed}, {10, 10, kGreen}, {30, 30, kWhite}}},
        {"clear brush leaves the inside",
         [](TCanvas& c) { c.SetBrushStyle(TBrushStyle::Clear); c.Rectangle({5, 5, 15, 12}); },
         {{5, 5, kBlack}, {8, 8, kWhite}}},
        {"clear pen draws nothing",
         [](TCanvas& c) { c.SetPenStyle(TPenStyle::Clear); c.MoveTo(5, 5); c.LineTo(15, 5); },
         {{5, 5, kWhite}, {10, 5, kWhite}}},
        {"wide pen",
         [](TCanvas& c) { c.SetPenWidth(3); c.MoveTo(10, 2); c.LineTo(10, 30); },
         {{9, 15, kBlack}, {10, 15, kBlack}, {11, 15, kBlack}, {8, 15, kWhite}, {12, 15, kWhite}}},
        {"clip: only inside, right and bottom exclusive; reset clips nothing",
         [](TCanvas& c) {
             c.SetBrushColor(kBlue);
             c.SetClipRect({10, 10, 20, 20});
             c.FillRect({0, 0, 40, 40});
             c.ResetClip();
             c.SetBrushColor(kRed);
             c.FillRect({30, 30, 40, 40});
         },
         {{10, 10, kBlue}, {19, 19, kBlue}, {9, 10, kWhite}, {20, 19, kWhite}, {19, 20, kWhite}, {35, 35, kRed}}},
        {"monochrome: colours are ink, white stays paper",
         [](TCanvas& c) {
             c.SetPenColor(kYellow);
             c.MoveTo(5, 5);
             c.LineTo(15, 5);
             c.SetBrushColor(kWhite);
             c.FillRect({5, 10, 15, 20});
         },
         {{10, 5, kBlack}, {10, 15, kWhite}}},
    };
    for (const auto& c : cases) {
        const QImage image = Drawn(40, 40, c.draw, std::string(c.name).starts_with("monochrome"));
        for (const auto& p : c.probes)
            EXPECT_EQ(At(image, p.x, p.y), p.want) << c.name << " at " << p.x << "," << p.y;
    }
}

TEST(PainterCanvas, PenStylesAndHatchesFollowTheirPattern)
{
    // Along a 100-pixel row: how many pixels a style paints.
    struct PenCase { TPenStyle style; int minInk, maxInk; };
    for (const auto& c : {PenCase{TPenStyle::Solid, 100, 100}, PenCase{TPenStyle::Dash, 60, 90},
                          PenCase{TPenStyle::Dot, 35, 65}, PenCase{TPenStyle::DashDot, 50, 80}}) {
        const QImage image = Drawn(120, 10, [&](TCanvas& k) {
            k.SetPenStyle(c.style);
            k.MoveTo(0, 5);
            k.LineTo(100, 5);
        });
        int ink = 0;
        for (int x = 0; x < 100; ++x)
            ink += Ink(image, x, 5);
        EXPECT_GE(ink, c.minInk) << static_cast<int>(c.style);
        EXPECT_LE(ink, c.maxInk) << static_cast<int>(c.style);
    }

    // Diagonal hatches: ink continues down-right (top-left to bottom-right)
    // or up-right; the gaps are the background when opaque and untouched
    // when transparent.
    struct HatchCase { TBrushStyle style; int dy; bool transparent; };
    for (const auto& c : {HatchCase{TBrushStyle::FDiagonal, 1, true}, HatchCase{TBrushStyle::BDiagonal, -1, false}}) {
        const QImage image = Drawn(40, 40, [&](TCanvas& k) {
            k.SetBrush({kBlack, c.style});
            k.SetBackgroundColor(kYellow);
            k.SetTransparent(c.transparent);
            k.FillRect({0, 0, 40, 40});
        });
        int along = 0, across = 0, ink = 0;
        for (int y = 1; y < 39; ++y)
            for (int x = 1; x < 39; ++x)
                if (Ink(image, x, y)) {
                    ++ink;
                    along += Ink(image, x + 1, y + c.dy);
                    across += Ink(image, x + 1, y - c.dy);
                }
        EXPECT_GT(ink, 100) << static_cast<int>(c.style);
        EXPECT_GT(along, ink * 9 / 10) << static_cast<int>(c.style);
        EXPECT_LT(across, ink / 10) << static_cast<int>(c.style);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_TRUE(Ink(image, x, y) || At(image, x, y) == (c.transparent ? kWhite : kYellow));
    }
}

TEST(PainterCanvas, TextIsAnchoredByItsAlignmentCode)
{
    // "HH" has no descender: its ink ends one pixel above the baseline.
    TFontMetrics m;
    TSize extent;
    Drawn(10, 10, [&](TCanvas& c) {
        c.SetFontSize(20);
        m = c.FontMetrics();
        extent = c.TextExtent("HH");
    });
    ASSERT_GT(m.Ascent, 10);
    ASSERT_GT(m.Descent, 0);
    EXPECT_EQ(extent.cy, m.Height());
    const int ax = 100, ay = 60;
    struct Case { int align; int left, right, bottom; };   // ink edges; -1 = not checked
    const Case cases[] = {
        {kAlignLeft | kAlignTop, ax, -1, ay + m.Ascent - 1},
        {kAlignRight | kAlignTop, -1, ax - 1, ay + m.Ascent - 1},
        {kAlignCenter | kAlignBottom, -1, -1, ay - m.Descent - 1},
        {kAlignLeft | kAlignBaseline, ax, -1, ay - 1},
        {kAlignCenter | kAlignBaseline, -1, -1, ay - 1},
    };
    for (const auto& c : cases) {
        const QImage image = Drawn(200, 120, [&](TCanvas& k) {
            k.SetFontSize(20);
            k.SetTextAlign(c.align);
            k.SetTransparent(true);
            k.TextOut(ax, ay, "HH");
        });
        const TRect ink = InkBox(image);
        if (c.left >= 0) {
            EXPECT_NEAR(ink.Left, c.left, 3) << c.align;
        }
        if (c.right >= 0) {
            EXPECT_NEAR(ink.Right, c.right, 3) << c.align;
        }
        if (HorizontalAlign(c.align) == kAlignCenter) {
            EXPECT_NEAR((ink.Left + ink.Right) / 2.0, ax, 2) << c.align;
        }
        EXPECT_NEAR(ink.Bottom, c.bottom, 1) << c.align;
        EXPECT_NEAR(ink.Right - ink.Left + 1, extent.cx, 6) << c.align;
    }

    // Turned by 90 degrees counter-clockwise the text runs upward from the
    // anchor, its letters to the left of the baseline.
    const QImage turned = Drawn(200, 200, [&](TCanvas& k) {
        k.SetFontSize(20);
        k.SetFontAngle(900);
        k.SetTextAlign(kAlignLeft | kAlignBaseline);
        k.SetTransparent(true);
        k.TextOut(ax, 150, "HHHH");
    });
    const TRect ink = InkBox(turned);
    EXPECT_GT(ink.Bottom - ink.Top, 2 * (ink.Right - ink.Left));
    EXPECT_NEAR(ink.Right, ax - 1, 1);
    EXPECT_NEAR(ink.Bottom, 150, 5);   // the side bearing of the first letter

    // Underline runs below the baseline; strike-out adds ink across the
    // letters.
    auto styled = [&](bool underline, bool strikeOut) {
        return Drawn(200, 120, [&](TCanvas& k) {
            TFont font = k.Font();
            font.Size = 20;
            font.Underline = underline;
            font.StrikeOut = strikeOut;
            k.SetFont(font);
            k.SetTransparent(true);
            k.TextOut(ax, ay, "HH");
        });
    };
    auto inkCount = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += Ink(image, x, y);
        return n;
    };
    const QImage plain = styled(false, false);
    EXPECT_EQ(InkBox(plain).Bottom, ay + m.Ascent - 1);
    EXPECT_GT(InkBox(styled(true, false)).Bottom, ay + m.Ascent - 1);
    const QImage struck = styled(false, true);
    EXPECT_EQ(InkBox(struck).Bottom, InkBox(plain).Bottom);
    EXPECT_GT(inkCount(struck), inkCount(plain));

    // An opaque background fills the text box; a transparent one does not.
    for (bool transparent : {false, true}) {
        const QImage image = Drawn(200, 120, [&](TCanvas& k) {
            k.SetFontSize(20);
            k.SetBackgroundColor(kYellow);
            k.SetTransparent(transparent);
            k.TextOut(ax, ay, "HH");
        });
        EXPECT_EQ(At(image, ax + 1, ay + m.Height() - 1), transparent ? kWhite : kYellow);
        EXPECT_EQ(At(image, ax + 1, ay + m.Height() + 1), kWhite);
    }
}

TEST(PainterCanvas, DeviceFactsComeFromThePaintDevice)
{
    QImage colour(300, 200, QImage::Format_RGB32);
    colour.setDotsPerMeterX(5906);   // 150 pixels per inch
    colour.setDotsPerMeterY(5906);
    QPainter onColour(&colour);
    const TPainterCanvas c(onColour);
    EXPECT_EQ(c.DeviceRect(), (TRect{0, 0, 300, 200}));
    EXPECT_EQ(c.LogicalDpiX(), 150);
    EXPECT_EQ(c.LogicalDpiY(), 150);
    EXPECT_FALSE(c.IsMonochrome());
    EXPECT_EQ(c.WindowColor(), kWhite);   // the default palette's base colour
    onColour.end();

    QImage mono(64, 64, QImage::Format_Mono);
    QPainter onMono(&mono);
    EXPECT_TRUE(TPainterCanvas(onMono).IsMonochrome());
    onMono.end();

    for (auto mode : {QPrinter::Color, QPrinter::GrayScale}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(std::string(PV_BUILD_DIR) + "/device_facts.pdf"));
        printer.setColorMode(mode);
        QPainter onPrinter(&printer);
        const TPainterCanvas p(onPrinter);
        EXPECT_EQ(p.IsMonochrome(), mode == QPrinter::GrayScale);
        EXPECT_EQ(p.DeviceRect().Right, printer.width());
        EXPECT_EQ(p.LogicalDpiY(), printer.logicalDpiY());
        onPrinter.end();
    }
}
