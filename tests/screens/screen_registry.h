#pragma once
// The windows and dialogs the screenshot tool pictures, one entry each. A
// file of screens registers its entries at start-up:
//
//     const bool registered = RegisterScreens({
//         {"strativa", "chart-properties", [] { ...; return widget; }},
//     });
//
// and the tool saves each as DIR/<program>-<window>.png.

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TScreen {
    std::string Program;   // "strativa", "plurimod" or "monovara"
    std::string Window;    // the rest of the file name
    // Builds the window with its content as a user sees it. The tool shows
    // it (which fills a result window) and grabs it.
    std::function<std::unique_ptr<QWidget>()> Make;
};

bool RegisterScreens(std::vector<TScreen> screens);
const std::vector<TScreen>& Screens();

// The age/stage sample model, examples/meadow_herb.st, run with a fixed
// seed, loaded the first time it is asked for, with Strativa's number
// switches. Throws when it fails.
void UseStageSample();

// The multi-population sample model, examples/river_voles.mp (with its map
// file), run with a fixed seed, loaded the first time it is asked for; also
// selects Plurimod's kind table and the number options of a user who has set
// none. Throws when it fails.
void UseMultiSample();
const std::string& MultiSampleFileName();

// The single-population sample model, examples/marsh_frogs.sp, run with a
// fixed seed, loaded into the same model as the multi-population sample
// (each replaces the other when asked for); also selects Monovara's kind
// table and the number options of a user who has set none. Throws when it
// fails.
void UseSingleSample();
const std::string& SingleSampleFileName();
