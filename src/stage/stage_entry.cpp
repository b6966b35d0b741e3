#include "stage/stage_entry.h"

#include "core/str_utilx.h"

namespace {

// A number text as the stage records hold it ("." or the locale's separator);
// anything else counts as 0.
double TextValue(const std::string& text)
{
    double value = 0;
    return ConvertNumber(text, value) ? value : 0.0;
}

bool SetValue(const std::string& text, std::string& kept)
{
    const std::string trimmed = TrimBlanks(text);
    double value = 0;
    if (!trimmed.empty() && !ConvertNumber(trimmed, value))
        return false;
    kept = trimmed.empty() ? "0" : trimmed;
    return true;
}

}  // namespace

bool TStage::SetValue1(const std::string& text) { return SetValue(text, value1Text_); }

bool TStage::SetValue2(const std::string& text) { return SetValue(text, value2Text_); }

void TStage::LoadFromRecord(const StageRecord& record)
{
    name = record.name;
    value1Text_ = record.value1text;
    value2Text_ = record.value2text;
    flag = record.flag;
}

bool TStage::StoreToRecord(StageRecord& record) const
{
    record.name = name.substr(0, kStageNameLength);
    bool changed = TextValue(record.value1text) != TextValue(value1Text_);
    record.value1text = value1Text_.substr(0, kStageValueTextLength);
    changed = changed || TextValue(record.value2text) != TextValue(value2Text_);
    record.value2text = value2Text_.substr(0, kStageValueTextLength);
    changed = changed || record.flag != flag;
    record.flag = flag;
    return changed;
}
