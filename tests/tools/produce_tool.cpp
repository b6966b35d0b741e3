#include "produce_tool.h"

#include "chart/result_modes.h"
#include "core/message_sink.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>

namespace {

bool ToInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

std::string Colour(TColor c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

std::string Points(const std::vector<TPoint>& points)
{
    std::string out;
    for (const TPoint& p : points)
        out += " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return out;
}

std::string Rect(const TRect& r)
{
    return " [" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom) + "]";
}

std::string Pen(const TPen& p)
{
    return " pen " + std::to_string(static_cast<int>(p.Style)) + " " + std::to_string(p.Width) + " " + Colour(p.Color);
}

std::string Brush(const TBrush& b)
{
    return " brush " + std::to_string(static_cast<int>(b.Style)) + " " + Colour(b.Color);
}

// Message boxes and warnings as lines of standard output: what a check says.
class TPrintingSink : public TMessageSink {
public:
    void ShowBox(TBoxKind kind, const std::string&, const std::string& text) override
    {
        const char* name = kind == TBoxKind::Error ? "Error" : kind == TBoxKind::Warning ? "Warning" : "Information";
        PrintLines({std::string(name) + ": " + text});
    }
    void ShowStatus(const std::string&) override {}
    void AddSimulationWarning(const std::string& text) override { PrintLines({"Simulation warning: " + text}); }
    void Beep() override {}
    void Idle() override {}
};

int Usage(const TProduceTool& tool)
{
    std::string modes;
    for (int m : tool.modes)
        modes += (modes.empty() ? "" : ", ") + std::to_string(m);
    std::fprintf(stderr, "usage: %s MODEL KIND MODE [--run SEED]%s   (KIND 1..%d, MODE %s)\n", tool.name,
                 tool.save ? " [--save FILE]" : "", tool.highestKind, modes.c_str());
    return 2;
}

int Produce(const TProduceTool& tool, const std::string& model, int kind, int mode, const std::string* seed,
            const std::string* saveAs)
{
    if (!tool.load(model))
        return 2;
    if (seed && !tool.run(model, *seed))
        return 2;
    if (saveAs && !tool.save(*saveAs))
        return 2;

    TScaleInfo settings = DefaultScaleInfo[static_cast<std::size_t>(kind)];
    std::vector<std::string> lines;
    if (mode == kModeCheck) {
        TPrintingSink sink;
        SetMessageSink(&sink);
        const bool ok = tool.produce(settings, nullptr, &lines, kind, mode, true);
        SetMessageSink(nullptr);
        PrintLines({ok ? "true" : "false"});
        return ok ? 0 : 1;
    }
    if (mode == kModeChart) {
        RecordingCanvas canvas{{0, 0, 640, 480}};
        TGraph graph;
        graph.SetCanvas(&canvas);
        graph.SetArea(0, 0, 640, 480);
        const bool ok = tool.produce(settings, &graph, nullptr, kind, mode, true);
        PrintLines(DescribeCanvasCalls(canvas));
        return ok ? 0 : 1;
    }
    const bool ok = tool.produce(settings, nullptr, &lines, kind, mode, true);
    PrintLines(lines);
    return ok ? 0 : 1;
}

}  // namespace

int RunProduceTool(const TProduceTool& tool, int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 3 || args.size() % 2 == 0)
        return Usage(tool);
    int kind = 0, mode = 0;
    if (!ToInt(args[1], kind) || kind < 1 || kind > tool.highestKind)
        return Usage(tool);
    if (!ToInt(args[2], mode) || std::find(tool.modes.begin(), tool.modes.end(), mode) == tool.modes.end())
        return Usage(tool);
    const std::string* seed = nullptr;
    const std::string* saveAs = nullptr;
    for (std::size_t i = 3; i < args.size(); i += 2) {
        if (args[i] == "--run" && !seed)
            seed = &args[i + 1];
        else if (args[i] == "--save" && tool.save && !saveAs)
            saveAs = &args[i + 1];
        else
            return Usage(tool);
    }
    try {
        return Produce(tool, args[0], kind, mode, seed, saveAs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", tool.name, e.what());
        return 2;
    }
}

void PrintLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        std::fwrite((line + "\n").data(), 1, line.size() + 1, stdout);
    std::fflush(stdout);
}

std::vector<std::string> DescribeCanvasCalls(const RecordingCanvas& canvas)
{
    std::vector<std::string> out;
    for (const TCanvasCall& c : canvas.Calls()) {
        switch (c.Op) {
        case TCanvasCall::Kind::Line: out.push_back("Line" + Points(c.Points) + Pen(c.Pen)); break;
        case TCanvasCall::Kind::Polyline: out.push_back("Polyline" + Points(c.Points) + Pen(c.Pen)); break;
        case TCanvasCall::Kind::Polygon:
            out.push_back("Polygon" + Points(c.Points) + Pen(c.Pen) + Brush(c.Brush));
            break;
        case TCanvasCall::Kind::Rectangle:
            out.push_back("Rectangle" + Rect(c.Rect) + Pen(c.Pen) + Brush(c.Brush));
            break;
        case TCanvasCall::Kind::FillRect: out.push_back("FillRect" + Rect(c.Rect) + Brush(c.Brush)); break;
        case TCanvasCall::Kind::Ellipse: out.push_back("Ellipse" + Rect(c.Rect) + Pen(c.Pen) + Brush(c.Brush)); break;
        case TCanvasCall::Kind::TextOut:
            out.push_back("TextOut" + Points(c.Points) + " \"" + c.Text + "\" font " + std::to_string(c.Font.Size) +
                          " " + std::to_string(c.Font.Angle) + " " + Colour(c.Font.Color) + " align " +
                          std::to_string(c.Align));
            break;
        case TCanvasCall::Kind::SetClip: out.push_back("SetClip" + Rect(c.Rect)); break;
        case TCanvasCall::Kind::ResetClip: out.push_back("ResetClip"); break;
        }
    }
    return out;
}
