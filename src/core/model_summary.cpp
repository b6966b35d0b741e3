#include "core/model_summary.h"

#include <array>

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
