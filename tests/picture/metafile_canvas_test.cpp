#include "picture/emf_canvas.h"
#include "picture/wmf_canvas.h"

#include "chart/recording_canvas.h"
#include "metafile_player.h"
#include "support/fixed_chart.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

using Kind = TCanvasCall::Kind;

namespace {

struct Format {
    const char* name;
    std::function<std::unique_ptr<TMetafileCanvas>(int, int)> make;
    std::function<TPlayedPicture(const std::string&)> play;
};

const Format kFormats[] = {
    {"emf", [](int w, int h) { return std::make_unique<TEmfCanvas>(w, h); }, PlayEmf},
    {"wmf", [](int w, int h) { return std::make_unique<TWmfCanvas>(w, h); }, PlayWmf},
};

std::string Joined(const std::vector<std::string>& v)
{
    std::string s;
    for (const auto& e : v)
        s += e + "; ";
    return s;
}

// The played call shows what the recording canvas recorded, in the state
// that matters for its kind.
void ExpectSameCall(const TCanvasCall& want, const TPlayedCall& got, const std::string& where)
{
    ASSERT_EQ(got.Op, want.Op) << where;
    EXPECT_EQ(got.Clip, want.Clip) << where;
    switch (want.Op) {
    case Kind::Line:
    case Kind::Polyline:
        EXPECT_EQ(got.Points, want.Points) << where;
        EXPECT_EQ(got.Pen, want.Pen) << where;
        break;
    case Kind::Polygon:
        EXPECT_EQ(got.Points, want.Points) << where;
        EXPECT_EQ(got.Pen, want.Pen) << where;
        EXPECT_EQ(got.Brush, want.Brush) << where;
        break;
    case Kind::Rectangle:
    case Kind::Ellipse:
        EXPECT_EQ(got.Pen, want.Pen) << where;
        [[fallthrough]];
    case Kind::FillRect:
        EXPECT_EQ(got.Rect, want.Rect) << where;
        EXPECT_EQ(got.Brush, want.Brush) << where;
        if (want.Brush.Style != TBrushStyle::Solid && want.Brush.Style != TBrushStyle::Clear) {
            EXPECT_EQ(got.Transparent, want.Transparent) << where;
            EXPECT_EQ(got.Background, want.Background) << where;
        }
        break;
    case Kind::TextOut:
        EXPECT_EQ(got.Text, want.Text) << where;
        EXPECT_EQ(got.Points, want.Points) << where;
        EXPECT_EQ(got.Align, want.Align) << where;
        EXPECT_EQ(got.Angle, want.Font.Angle) << where;
        EXPECT_EQ(got.TextColor, want.Font.Color) << where;
        EXPECT_EQ(got.Face, want.Font.Face) << where;
        EXPECT_EQ(got.Underline, want.Font.Underline) << where;
        EXPECT_EQ(got.StrikeOut, want.Font.StrikeOut) << where;
        EXPECT_EQ(got.FontHeight, -13) << where;   // 10 points at 96 pixels per inch
        EXPECT_EQ(got.Transparent, want.Transparent) << where;
        if (!want.Transparent) {
            EXPECT_EQ(got.Background, want.Background) << where;
        }
        break;
    default: break;
    }
}

void ExpectSameDrawing(const RecordingCanvas& recorded, const TPlayedPicture& played, const std::string& name)
{
    std::vector<TCanvasCall> want;
    for (const auto& c : recorded.Calls())
        if (c.Op != Kind::SetClip && c.Op != Kind::ResetClip)
            want.push_back(c);
    ASSERT_EQ(played.Calls.size(), want.size()) << name;
    for (size_t i = 0; i < want.size(); ++i)
        ExpectSameCall(want[i], played.Calls[i], name + " call " + std::to_string(i));
}

}  // namespace

TEST(Metafile, FixedChartPlaysBackAsTheRecordingCanvasRecordedIt)
{
    RecordingCanvas recorded({0, 0, 600, 400});
    DrawFixedChart(recorded);
    for (const auto& f : kFormats) {
        auto canvas = f.make(600, 400);
        DrawFixedChart(*canvas);
        const std::string bytes = canvas->Bytes();
        const TPlayedPicture played = f.play(bytes);
        EXPECT_TRUE(played.Errors.empty()) << f.name << ": " << Joined(played.Errors);
        ExpectSameDrawing(recorded, played, f.name);

        // One polyline per series, the titles and tic labels as texts.
        EXPECT_EQ(played.CallsOf(Kind::Polyline).size(), 2u) << f.name;
        EXPECT_EQ(played.Texts(), recorded.Texts()) << f.name;
        EXPECT_EQ(played.Texts().back(), "Time") << f.name;

        // A person can open these.
        EXPECT_TRUE(canvas->SaveToFile(std::string(PV_BUILD_DIR) + "/fixed_chart." + f.name));
    }
}

TEST(Metafile, HeadersGiveThePictureBoundsAndSize)
{
    TEmfCanvas emf(600, 400);
    DrawFixedChart(emf);
    const TPlayedPicture e = PlayEmf(emf.Bytes());
    EXPECT_EQ(e.Bounds, (TRect{0, 0, 599, 399}));
    EXPECT_EQ(e.Frame, (TRect{0, 0, 15874, 10582}));   // 0.01 mm at 96 pixels per inch
    EXPECT_GE(e.Records, 3);
    EXPECT_TRUE(e.Description.empty());

    // A description lengthens the header; the records still play.
    TEmfCanvas described(600, 400);
    described.SetDescription("Trajectory summary", "Voran Pelivo: Age and Stage Structure");
    DrawFixedChart(described);
    const TPlayedPicture d = PlayEmf(described.Bytes());
    EXPECT_TRUE(d.Errors.empty()) << Joined(d.Errors);
    EXPECT_EQ(d.Description, (std::vector<std::string>{"Trajectory summary", "Voran Pelivo: Age and Stage Structure"}));
    EXPECT_EQ(d.Calls.size(), e.Calls.size());

    TWmfCanvas wmf(600, 400, 120);
    DrawFixedChart(wmf);
    const TPlayedPicture w = PlayWmf(wmf.Bytes());
    EXPECT_TRUE(w.Errors.empty()) << Joined(w.Errors);
    EXPECT_EQ(w.Bounds, (TRect{0, 0, 600, 400}));
    EXPECT_EQ(w.Dpi, 120);
}

TEST(Metafile, ObjectsAreReplacedAndReleasedAcrossClips)
{
    for (const auto& f : kFormats) {
        auto canvas = f.make(300, 200);
        RecordingCanvas recorded({0, 0, 300, 200});
        for (TCanvas* c : {static_cast<TCanvas*>(canvas.get()), static_cast<TCanvas*>(&recorded)}) {
            for (int i = 0; i < 60; ++i) {
                if (i % 10 == 0)
                    c->SetClipRect({i, i, 200 + i, 150});
                if (i == 35)
                    c->ResetClip();
                c->SetPenColor(Rgb(i, 0, 0));
                c->SetPenStyle(PenStyleFromCode(i % 6));
                c->MoveTo(i, 0);
                c->LineTo(i, 100);
                c->SetBrush({Rgb(0, i, 0), BrushStyleFromCode(i % 8)});
                c->SetBackgroundColor(Rgb(0, 0, i));
                c->SetTransparent(i % 3 == 0);
                c->FillRect({i, 110, i + 5, 120});
                c->Ellipse({i, 130, i + 7, 140});
                const TPoint triangle[] = {{i, 145}, {i + 6, 145}, {i + 3, 150 + i % 4}};
                c->Polygon(triangle, 3);
                c->SetFontSize(10);
                TFont font = c->Font();
                font.Underline = i % 4 == 1;
                font.StrikeOut = i % 5 == 2;
                c->SetFont(font);
                c->SetFontAngle(i * 10);
                c->SetTextAlign(i % 2 ? kAlignRight | kAlignBaseline : kAlignCenter | kAlignBottom);
                c->TextOut(i, 180, "x" + std::to_string(i));
            }
            c->ResetClip();
        }
        const TPlayedPicture played = f.play(canvas->Bytes());
        EXPECT_TRUE(played.Errors.empty()) << f.name << ": " << Joined(played.Errors);
        ExpectSameDrawing(recorded, played, f.name);
        // Replaced objects are deleted: a pen, a brush, a font and the ones
        // kept alive by a saved context fit in a few slots.
        EXPECT_LE(played.Handles, 8) << f.name;
    }
}

TEST(Metafile, SavingToAMissingFolderFails)
{
    TempDir dir;
    TEmfCanvas emf(10, 10);
    EXPECT_FALSE(emf.SaveToFile(dir.file("missing/chart.emf")));
    EXPECT_TRUE(emf.SaveToFile(dir.file("chart.emf")));
    EXPECT_EQ(ReadAll(dir.file("chart.emf")), emf.Bytes());
}

// Converting needs LibreOffice, which a build machine need not have.
TEST(Metafile, ConvertsToPngWhereLibreOfficeIsInstalled)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice is not installed";
    const std::string dir = std::string(PV_BUILD_DIR) + "/converted";
    std::filesystem::create_directories(dir);
    TEmfCanvas emf(600, 400);
    DrawFixedChart(emf);
    ASSERT_TRUE(emf.SaveToFile(dir + "/fixed_chart.emf"));
    const std::string command = "soffice --headless --convert-to png --outdir '" + dir + "' '" + dir +
                                "/fixed_chart.emf' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_GT(std::filesystem::file_size(dir + "/fixed_chart.png"), 1000u);
}
