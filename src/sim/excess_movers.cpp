#include "sim/excess_movers.h"

#include "sim/counts.h"

#include <cmath>

void RemoveExcessMovers(std::span<std::int32_t> movers, std::int32_t available, std::int32_t& out, bool& overflow)
{
    const std::int32_t excess = out - available;
    if (excess <= 0 || movers.empty())
        return;
    if (excess >= 11) {
        double sum = 0.0;
        for (std::int32_t& m : movers) {
            m = static_cast<std::int32_t>(std::trunc(static_cast<double>(m) * available / out));
            sum += m;
        }
        out = CountFromReal(sum, overflow);
    } else {
        for (std::int32_t k = 0; k < excess; ++k) {
            std::size_t largest = 0;
            for (std::size_t d = 1; d < movers.size(); ++d)
                if (movers[d] > movers[largest])
                    largest = d;
            --movers[largest];
            --out;
        }
    }
}
