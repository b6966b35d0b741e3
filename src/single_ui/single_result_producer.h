#pragma once
// The single-population program's result producer as the result windows use
// it.

#include "ui/result_producer.h"

namespace single_ui {

class TSingleResultProducer : public TResultProducer {
public:
    std::string ProgramTitle() const override;

protected:
    bool ProduceOutput(TScaleInfo& settings, TGraph* graph, std::vector<std::string>* lines, int kind, int mode,
                       bool warnFlag) override;
};

// The one producer of the program.
TSingleResultProducer& SingleResultProducer();

}  // namespace single_ui
