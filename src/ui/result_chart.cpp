#include "ui/result_chart.h"

bool DrawResultChart(TResultProducer& producer, TGraph& graph, TScaleInfo& settings, int kind, TCanvas& canvas,
                     bool warnFlag)
{
    struct TUnbind {
        TGraph& graph;
        ~TUnbind() { graph.SetCanvas(nullptr); }
    } unbind{graph};
    graph.SetCanvas(&canvas);
    const TRect device = canvas.DeviceRect();
    graph.SetArea(device.Left, device.Top, device.Right, device.Bottom);
    graph.Monochrome = canvas.IsMonochrome();
    return producer.Produce(settings, &graph, nullptr, kind, kModeChart, warnFlag);
}

TDrawPicture ResultChartPicture(TResultProducer& producer, TScaleInfo& settings, int kind)
{
    return [&producer, &settings, kind](TCanvas& canvas) {
        TGraph graph;
        DrawResultChart(producer, graph, settings, kind, canvas);
    };
}
