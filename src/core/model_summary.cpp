#include "core/model_summary.h"

#include <array>

std::string DensityDependenceTypeName(int code)
{
    static const std::array<const char*, 8> kNames = {
        "Exponential",       "Scramble",       "Contest",       "Ceiling",
        "Exponential-Allee", "Scramble-Allee", "Contest-Allee", "Ceiling-Allee",
    };
    if (code < 0 || code >= static_cast<int>(kNames.size()))
        return {};
    return kNames[static_cast<std::size_t>(code)];
}

std::string ReplicationsText(int replications)
{
    std::string text = std::to_string(replications);
    if (replications == 0)
        text += " (deterministic simulation)";
    return text;
}

std::vector<std::string> ShownCommentLines(const std::array<std::string, 4>& comments)
{
    std::size_t count = comments.size();
    while (count > 0 && comments[count - 1].empty())
        --count;
    return {comments.begin(), comments.begin() + static_cast<std::ptrdiff_t>(count)};
}
