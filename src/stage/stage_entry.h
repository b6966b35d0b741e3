#pragma once
// One stage while the Stages editor is open: what its row shows, and the
// number the stage had when the editor opened (0 for a stage added since),
// by which the model's matrices, abundances and actions follow the stage to
// its new place.
//
// The two numbers keep the text they were given, as the model keeps its
// parameters: written back unchanged, a weight of 0.00001 stays 0.00001
// instead of being rounded to the few decimals a grid shows.

#include "stage/model_store.h"

#include <string>

class TStage {
public:
    // Sets a number from a text: empty gives 0; false, leaving the number as
    // it was, when the text is not a number.
    bool SetValue1(const std::string& text);
    bool SetValue2(const std::string& text);
    const std::string& Value1Text() const { return value1Text_; }
    const std::string& Value2Text() const { return value2Text_; }

    // Name, both numbers and the flag from the record. A number text that
    // does not convert is kept as it is.
    void LoadFromRecord(const StageRecord& record);
    // Writes the stage into the record, its name and number texts cut to 10
    // characters; true when a number or the flag changed (a new name is no
    // change to the results).
    bool StoreToRecord(StageRecord& record) const;

    std::string name;
    bool flag = false;   // excluded from population totals
    int oldNumber = 0;

private:
    std::string value1Text_ = "1";
    std::string value2Text_ = "1";
};
