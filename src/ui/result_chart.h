#pragma once
// A result's chart on any canvas. Every chart a result window shows, copies,
// prints or saves comes from this one drawing: one chart call of the
// producer on a graph whose area is the canvas's whole device, so all of
// them look alike apart from size and colour.

#include "ui/picture_files.h"
#include "ui/result_producer.h"

// Binds the graph to the canvas for the call, sets its area to the device
// and draws in black where the device is monochrome (a grey-scale printer);
// then produces the chart. False when the producer gives none.
bool DrawResultChart(TResultProducer& producer, TGraph& graph, TScaleInfo& settings, int kind, TCanvas& canvas,
                     bool warnFlag = false);

// The same with a fresh graph, as a picture to save, copy or print. The
// producer and the settings must outlive the picture.
TDrawPicture ResultChartPicture(TResultProducer& producer, TScaleInfo& settings, int kind);
