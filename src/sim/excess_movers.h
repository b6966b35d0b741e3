#pragma once
// The dispersal step of both engines draws or rounds how many individuals
// leave a population for each destination; this rule keeps the movers
// within the individuals there are.

#include <cstdint>
#include <span>

// Drawn or rounded movers can outnumber the `available` individuals they
// leave from (out > available): an excess of 11 or more is removed
// proportionally (every count scaled by available / out and truncated, out
// summed again), a smaller one one by one from the destination with the most
// movers (the lowest-numbered among equals). `movers` holds the count of
// every destination in population order.
void RemoveExcessMovers(std::span<std::int32_t> movers, std::int32_t available, std::int32_t& out, bool& overflow);
