#include "stage_ui/stage_result_producer.h"

#include "stage/produce_output.h"

std::string TStageResultProducer::ProgramTitle() const { return "Voran Pelivo: Age and Stage Structure"; }

bool TStageResultProducer::ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines,
                                         int kind, int mode, bool warnFlag)
{
    return ::ProduceOutput(settings, graph, lines, kind, mode, warnFlag);
}

TStageResultProducer& StageResultProducer()
{
    static TStageResultProducer producer;
    return producer;
}
