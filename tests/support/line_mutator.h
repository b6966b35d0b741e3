#pragma once
// Deterministic damage to the lines of a model file, for the tests that feed
// damaged files to a reader: each mutation drops, repeats or cuts a line,
// replaces one of its numbers by -1, 0, 1e308, "nan" or nothing, or replaces
// the line by 300 bytes of 0xFF; one to three mutations per file.

#include <cctype>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

class LineMutator {
public:
    explicit LineMutator(std::uint32_t seed) : random_(seed) {}

    std::vector<std::string> Mutate(std::vector<std::string> lines)
    {
        const int count = 1 + static_cast<int>(Below(3));
        for (int n = 0; n < count && !lines.empty(); ++n) {
            const std::size_t at = Below(lines.size());
            std::string& line = lines[at];
            switch (Below(5)) {
            case 0: lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at)); break;
            case 1: {
                const std::string copy = line;
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), copy);
                break;
            }
            case 2: line.resize(Below(line.size() + 1)); break;
            case 3: {
                static const char* const kReplacements[] = {"-1", "0", "1e308", "nan", ""};
                const std::string replacement = kReplacements[Below(std::size(kReplacements))];
                const auto tokens = NumberTokens(line);
                if (tokens.empty()) {
                    line = replacement;
                } else {
                    const auto [start, end] = tokens[Below(tokens.size())];
                    line.replace(start, end - start, replacement);
                }
                break;
            }
            default: line.assign(300, '\xFF'); break;
            }
        }
        return lines;
    }

    // The number-like tokens of a line (between blanks and commas), as
    // [start, end) positions.
    static std::vector<std::pair<std::size_t, std::size_t>> NumberTokens(const std::string& line)
    {
        std::vector<std::pair<std::size_t, std::size_t>> tokens;
        std::size_t k = 0;
        while (k < line.size()) {
            while (k < line.size() && (line[k] == ' ' || line[k] == ',')) ++k;
            const std::size_t start = k;
            while (k < line.size() && line[k] != ' ' && line[k] != ',') ++k;
            if (k > start && (std::isdigit(static_cast<unsigned char>(line[start])) || line[start] == '-' ||
                              line[start] == '.'))
                tokens.emplace_back(start, k);
        }
        return tokens;
    }

private:
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : random_() % n; }
    std::mt19937 random_;
};
