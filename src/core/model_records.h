#pragma once
// What the model of every program shares: the state a model is in, the table
// its records are kept in, and the bins of the first-crossing histograms.

#include "core/one_based.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The state of a model: empty (or its inputs failed the check), inputs that
// passed the check, or inputs with the results of a run.
inline constexpr std::uint8_t kStateEmpty = 0;
inline constexpr std::uint8_t kStateInputs = 1;
inline constexpr std::uint8_t kStateResults = 2;

// The most stages a model of any program may have.
inline constexpr int kMaxStages = 7;

// Bins of the histograms of the time a run's total first crosses the
// extinction or the explosion threshold.
inline constexpr int kCrossBins = 50;

// Records 0..Count(); record 0 is a spare.
template <class T>
class RecordTable {
public:
    void Allocate(int count) { std::vector<T>(static_cast<std::size_t>(count) + 1).swap(records_); }
    int Count() const { return records_.empty() ? 0 : static_cast<int>(records_.size()) - 1; }
    T& operator[](int k)
    {
        CheckIndex(k, 0, Count());
        return records_[static_cast<std::size_t>(k)];
    }
    const T& operator[](int k) const
    {
        CheckIndex(k, 0, Count());
        return records_[static_cast<std::size_t>(k)];
    }
    void ResetAll()
    {
        for (T& record : records_) record = T{};
    }

private:
    std::vector<T> records_;
};
