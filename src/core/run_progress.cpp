#include "core/run_progress.h"

#include "core/batch_log.h"
#include "core/messages.h"

#include <exception>
#include <string>

TRunEnd RunOrReportFailure(const std::function<TRunEnd()>& body, const std::function<void()>& onFailure)
{
    try {
        return body();
    } catch (const ProgramStopped&) {
        onFailure();
        throw;
    } catch (const std::exception& e) {
        onFailure();
        ErrorMessage(std::string("Simulation: ") + e.what());
    } catch (...) {
        onFailure();
        ErrorMessage("Simulation: unknown error");
    }
    return TRunEnd::Failed;
}
