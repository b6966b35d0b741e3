#include "single_ui/single_result_producer.h"

#include "single/produce_output.h"
#include "single_ui/main_form.h"

namespace single_ui {

std::string TSingleResultProducer::ProgramTitle() const { return kSingleProgramTitle; }

bool TSingleResultProducer::ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines,
                                          int kind, int mode, bool warnFlag)
{
    return single::ProduceOutput(settings, graph, lines, kind, mode, warnFlag);
}

TSingleResultProducer& SingleResultProducer()
{
    static TSingleResultProducer producer;
    return producer;
}

}  // namespace single_ui
