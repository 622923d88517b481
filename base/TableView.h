#pragma once
// A read-only view of a constant table. The table's row count comes from its rows, so a header
// never states it: a forgotten row shortens the table instead of turning into a zero row.
#include <cstddef>

template <typename T>
class CTableView {
public:
    constexpr CTableView() : rows_(nullptr), count_(0) {}
    template <size_t N>
    constexpr CTableView(const T (&rows)[N]) : rows_(rows), count_(N) {}
    // Rows read at run time, which outlive the view.
    constexpr CTableView(const T* rows, size_t count) : rows_(rows), count_(count) {}

    constexpr const T* begin() const { return rows_; }
    constexpr const T* end() const { return rows_ + count_; }
    constexpr size_t size() const { return count_; }
    constexpr const T& operator[](size_t index) const { return rows_[index]; }

private:
    const T* rows_;
    size_t count_;
};
