#pragma once
// The modes of a request to a program's result producer, the same in every
// program.

inline constexpr int kModeCheck = 0;  // compute and scale only: may a window open?
inline constexpr int kModeChart = 1;  // draw on the graph
inline constexpr int kModeText = 2;   // append an aligned text table
inline constexpr int kModeCsv = 3;    // append comma-separated lines
