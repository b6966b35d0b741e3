#include "multi_ui/single_result_producer.h"

#include "multi_ui/single_main_form.h"
#include "single/produce_output.h"

std::string TSingleResultProducer::ProgramTitle() const { return single::kSingleProgramTitle; }

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
