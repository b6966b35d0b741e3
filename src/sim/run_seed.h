#pragma once
// The seed of a run's random stream, from the seed text of the configuration.

#include <cstdint>
#include <string>

// The seed a run uses for the configured seed text: empty or "0" takes one
// from the clock, any other text must be an integer (taken modulo 2^32);
// anything else raises std::invalid_argument "Invalid initial random seed: ".
std::uint32_t RunSeed(const std::string& seedText);
