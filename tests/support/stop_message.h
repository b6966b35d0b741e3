#pragma once
// The message of the fatal stop that a call makes, or "" when it makes none.

#include "core/batch_log.h"

#include <functional>
#include <string>

inline std::string StopMessage(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ProgramStopped& stop) {
        return stop.what();
    }
    return "";
}
