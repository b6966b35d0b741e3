#pragma once
// How a model's settings read in the summaries the windows show.

#include <array>
#include <string>
#include <vector>

// The number of replications, followed by " (deterministic simulation)" when
// it is 0.
std::string ReplicationsText(int replications);

// The comment lines up to the last one that is not empty (none when all are
// empty), so that empty lines in between stay and empty ones at the end do
// not show.
std::vector<std::string> ShownCommentLines(const std::array<std::string, 4>& comments);
