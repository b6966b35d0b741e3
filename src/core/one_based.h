#pragma once
// One-based vectors and matrices of the age/stage engine and model store.
//
// Index 1 is the first element, as everywhere in the model: population 1,
// stage 1, time step 1. A matrix keeps its rows in one block with a row table,
// so rows may differ in length (a triangular matrix has i elements in row i)
// while element access stays one table look-up and one addition.
//
// Everything is zero-filled when allocated. With PV_BOUNDS_CHECK defined (the
// normal and test builds) an index outside the allocated range throws
// std::out_of_range; without it access is unchecked. Size limits are fatal
// stops: more than 160 rows is "Heap error 1: Too many rows", more than 10000
// columns "Heap error 2: Too many columns". Disposing twice is harmless.

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#ifdef PV_BOUNDS_CHECK
inline constexpr bool kBoundsCheck = true;
#else
inline constexpr bool kBoundsCheck = false;
#endif

inline constexpr int kMaxMatrixRows = 160;
inline constexpr int kMaxMatrixCols = 10000;
// Vector lengths are 16-bit counts.
inline constexpr int kMaxVectorLength = 65535;

// The element kinds the engine stores: singles, 32-bit counts, doubles (initial
// abundances) and bytes (per-population series indexes).
template <class T>
concept HeapElement = std::is_same_v<T, float> || std::is_same_v<T, std::int32_t> ||
                      std::is_same_v<T, double> || std::is_same_v<T, std::uint8_t>;

// Throws std::out_of_range naming the index and the valid range.
[[noreturn]] void ThrowIndexError(long long index, long long first, long long last);

// Stops the program when rows or cols exceed the limits; rejects negative sizes
// with std::invalid_argument.
void CheckMatrixSize(long long rows, long long cols);

// Stops the program when a vector is longer than a 16-bit count allows.
void CheckVectorSize(long long count);

inline void CheckIndex(long long index, long long first, long long last)
{
    if constexpr (kBoundsCheck) {
        if (index < first || index > last) ThrowIndexError(index, first, last);
    }
}

// A one-based view of one row (or of a whole vector). Cheap to copy.
template <class T>
class OneBasedRow {
public:
    OneBasedRow(T* first, int count) : first_(first), count_(count) {}
    T& operator[](int k) const
    {
        CheckIndex(k, 1, count_);
        return first_[k - 1];
    }
    int Count() const { return count_; }
    // Element 1; for loops that have checked their range once.
    T* Data() const { return first_; }
    T* begin() const { return first_; }
    T* end() const { return first_ + count_; }

private:
    T* first_;
    int count_;
};

template <HeapElement T>
class OneBasedVector {
public:
    OneBasedVector() = default;
    explicit OneBasedVector(int count) { Allocate(count); }

    // Replaces any previous contents with count zeroes.
    void Allocate(int count)
    {
        CheckVectorSize(count);
        std::vector<T>(static_cast<std::size_t>(count), T{}).swap(cells_);
        allocated_ = true;
    }
    void Dispose() noexcept
    {
        std::vector<T>().swap(cells_);
        allocated_ = false;
    }
    bool IsAllocated() const { return allocated_; }
    int Count() const { return static_cast<int>(cells_.size()); }

    T& operator[](int k)
    {
        CheckIndex(k, 1, Count());
        return cells_[static_cast<std::size_t>(k - 1)];
    }
    const T& operator[](int k) const
    {
        CheckIndex(k, 1, Count());
        return cells_[static_cast<std::size_t>(k - 1)];
    }
    void Fill(T value)
    {
        for (T& cell : cells_) cell = value;
    }
    T* Data() { return cells_.data(); }
    const T* Data() const { return cells_.data(); }
    T* begin() { return cells_.data(); }
    T* end() { return cells_.data() + cells_.size(); }
    const T* begin() const { return cells_.data(); }
    const T* end() const { return cells_.data() + cells_.size(); }

private:
    std::vector<T> cells_;
    bool allocated_ = false;
};

template <HeapElement T>
class OneBasedMatrix {
public:
    OneBasedMatrix() = default;
    OneBasedMatrix(int rows, int cols) { Allocate(rows, cols); }

    // rows x cols zeroes, replacing any previous contents.
    void Allocate(int rows, int cols)
    {
        CheckMatrixSize(rows, cols);
        Build(rows, [cols](int) { return cols; });
    }
    // Row i holds i elements (lower triangle including the diagonal).
    void AllocateTriangular(int rows)
    {
        CheckMatrixSize(rows, rows);
        Build(rows, [](int i) { return i; });
    }
    void Dispose() noexcept
    {
        std::vector<T>().swap(cells_);
        std::vector<int>().swap(rowStart_);
        allocated_ = false;
    }
    bool IsAllocated() const { return allocated_; }
    int Rows() const { return rowStart_.empty() ? 0 : static_cast<int>(rowStart_.size()) - 1; }
    // Length of the longest row (the column count of a rectangular matrix).
    int Cols() const { return maxCols_; }
    int RowLength(int i) const
    {
        CheckIndex(i, 1, Rows());
        return rowStart_[i] - rowStart_[i - 1];
    }

    OneBasedRow<T> operator[](int i)
    {
        CheckIndex(i, 1, Rows());
        return OneBasedRow<T>(cells_.data() + rowStart_[i - 1], rowStart_[i] - rowStart_[i - 1]);
    }
    OneBasedRow<const T> operator[](int i) const
    {
        CheckIndex(i, 1, Rows());
        return OneBasedRow<const T>(cells_.data() + rowStart_[i - 1],
                                    rowStart_[i] - rowStart_[i - 1]);
    }
    T& operator()(int i, int j) { return (*this)[i][j]; }
    const T& operator()(int i, int j) const { return (*this)[i][j]; }

    void Fill(T value)
    {
        for (T& cell : cells_) cell = value;
    }

private:
    template <class LengthOf>
    void Build(int rows, LengthOf lengthOf)
    {
        std::vector<int> starts(static_cast<std::size_t>(rows) + 1, 0);
        int longest = 0;
        for (int i = 1; i <= rows; ++i) {
            const int length = lengthOf(i);
            starts[i] = starts[i - 1] + length;
            if (length > longest) longest = length;
        }
        std::vector<T>(static_cast<std::size_t>(starts[rows]), T{}).swap(cells_);
        rowStart_.swap(starts);
        maxCols_ = longest;
        allocated_ = true;
    }

    std::vector<T> cells_;
    std::vector<int> rowStart_;  // row i occupies [rowStart_[i-1], rowStart_[i])
    int maxCols_ = 0;
    bool allocated_ = false;
};

using SingleVector = OneBasedVector<float>;
using IntVector = OneBasedVector<std::int32_t>;
using DoubleVector = OneBasedVector<double>;
using ByteVector = OneBasedVector<std::uint8_t>;
using SingleMatrix = OneBasedMatrix<float>;
using IntMatrix = OneBasedMatrix<std::int32_t>;
using DoubleMatrix = OneBasedMatrix<double>;

// A fixed-size array indexed First..Last (for the store's small fixed arrays
// such as the four distance-function parameters or the 50 histogram bins).
template <class T, int First, int Last>
class IndexedArray {
    static_assert(Last >= First);

public:
    static constexpr int kFirst = First;
    static constexpr int kLast = Last;
    T& operator[](int k)
    {
        CheckIndex(k, First, Last);
        return cells_[static_cast<std::size_t>(k - First)];
    }
    const T& operator[](int k) const
    {
        CheckIndex(k, First, Last);
        return cells_[static_cast<std::size_t>(k - First)];
    }
    void Fill(const T& value) { cells_.fill(value); }
    T* begin() { return cells_.data(); }
    T* end() { return cells_.data() + cells_.size(); }
    const T* begin() const { return cells_.data(); }
    const T* end() const { return cells_.data() + cells_.size(); }

private:
    std::array<T, static_cast<std::size_t>(Last - First + 1)> cells_{};
};

// A one-based list of owned objects (the store's stage matrices and change
// series, one per allocated matrix type or series).
template <class T>
class OneBasedList {
public:
    void Resize(int count) { std::vector<T>(static_cast<std::size_t>(count)).swap(items_); }
    int Count() const { return static_cast<int>(items_.size()); }
    T& operator[](int k)
    {
        CheckIndex(k, 1, Count());
        return items_[static_cast<std::size_t>(k - 1)];
    }
    const T& operator[](int k) const
    {
        CheckIndex(k, 1, Count());
        return items_[static_cast<std::size_t>(k - 1)];
    }
    T* begin() { return items_.data(); }
    T* end() { return items_.data() + items_.size(); }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + items_.size(); }

private:
    std::vector<T> items_;
};
