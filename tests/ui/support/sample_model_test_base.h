#pragma once
// What the tests of the population editors of both unstructured programs
// share: a model of their own loaded from the water-vole sample (five
// populations with both distance functions, 500 replications), the number
// switches the program starts with, recorded messages, beeps and help, and
// the result windows and menus the editors open, recorded instead of shown.

#include "core/str_utilx.h"
#include "multi/model_data.h"
#include "multi/model_file.h"
#include "support/recording_help.h"
#include "support/recording_sink.h"
#include "ui/display_result.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SampleModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        multi::AllocateModel(model, multi::TMultiLimits{});
        ASSERT_EQ(multi::LoadModelFile(model, std::string(PV_EXAMPLES) + "/river_voles.mp"), kModelFileOk)
            << sink.BoxTexts();
        model.InputsChanged = false;
        // The number options the program starts with.
        TextPrecision = 7;
        TextDecimals = 6;
        TrimTrailingZeros = true;
        IntegersWithoutDecimals = false;
        sink.boxes.clear();
        sink.beeps = 0;
        kinds.clear();
        menus.clear();
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        SetLocaleFormat(TLocaleFormat{});
        TextPrecision = 20;
        TextDecimals = 4;
        TrimTrailingZeros = false;
        IntegersWithoutDecimals = true;
    }

    // A German user: "," as decimal point in what is shown and typed.
    static void UseGermanLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TLocaleFormat german;
        german.decimalPoint = ",";
        german.listSeparator = ";";
        german.shortDateFormat = "dd.MM.yyyy";
        SetLocaleFormat(german);
    }

    // Records the kind of each result window opened, and the population
    // selected for it.
    TDisplayResult RecordResults()
    {
        return [this](QWidget* parent, int kind) {
            EXPECT_NE(parent, nullptr);
            kinds.push_back(kind);
            selected.push_back(model.SelectedPopulation);
        };
    }
    TShowPopulationDisplay RecordMenus()
    {
        return [this](QWidget* parent) {
            EXPECT_NE(parent, nullptr);
            menus.push_back(model.SelectedPopulation);
        };
    }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const RecordedBox& box : sink.boxes)
            texts.push_back(box.text);
        return texts;
    }

    multi::TMultiModel model;
    RecordingSink sink;
    RecordingHelp help;
    std::vector<int> kinds;
    std::vector<int> selected;
    std::vector<int> menus;
};
