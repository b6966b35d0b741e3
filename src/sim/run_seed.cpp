#include "sim/run_seed.h"

#include "core/str_utilx.h"

#include <charconv>
#include <chrono>
#include <stdexcept>
#include <system_error>

std::uint32_t RunSeed(const std::string& seedText)
{
    const std::string text = TrimBlanks(seedText);
    if (text.empty() || text == "0") {
        const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        const auto wide = static_cast<std::uint64_t>(ticks);
        return static_cast<std::uint32_t>(wide ^ (wide >> 32));
    }
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last)
        throw std::invalid_argument("Invalid initial random seed: " + seedText);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value));
}
