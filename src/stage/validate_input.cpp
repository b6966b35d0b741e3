// First version: only the state rule. The full check replaces this file.
#include "stage/validate_input.h"

#include "core/messages.h"

void ValidateInput(TCoravel& model)
{
    if (model.state == kStateEmpty)
        model.state = kStateInputs;
}

void CheckStageMatrix(TCoravel&, int) {}

void CheckAllStageMatrices(TCoravel& model)
{
    for (int m = 1; m <= model.stagematrices; ++m)
        CheckStageMatrix(model, m);
}

void ReportInvalidInput(TCoravel& model, const std::string& what, int number)
{
    model.state = kStateEmpty;
    SimulationWarning("Invalid input: " + what + " (" + std::to_string(number) + ")");
}
