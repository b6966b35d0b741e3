#include "multi_ui/multi_result_producer.h"

#include "multi/produce_output.h"

std::string TMultiResultProducer::ProgramTitle() const { return "Voran Pelivo: Multiple Populations"; }

bool TMultiResultProducer::ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines,
                                         int kind, int mode, bool warnFlag)
{
    return multi::ProduceOutput(settings, graph, lines, kind, mode, warnFlag);
}

TMultiResultProducer& MultiResultProducer()
{
    static TMultiResultProducer producer;
    return producer;
}
