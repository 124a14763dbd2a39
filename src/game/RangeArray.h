// A fixed-size array indexed Lo .. Hi, as the game's tables are (cubes 1..81, path markers
// 0..80, board 1..9 by 1..9). An index outside the range throws std::out_of_range instead of
// touching memory it does not own.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace veltrane {

template <class T, int Lo, int Hi>
class TRangeArray {
    static_assert(Lo <= Hi);

public:
    static constexpr int Low = Lo;
    static constexpr int High = Hi;
    static constexpr int Size = Hi - Lo + 1;

    T& operator[](int i) { return items_[Slot(i)]; }
    const T& operator[](int i) const { return items_[Slot(i)]; }

    T* begin() { return items_.data(); }
    T* end() { return items_.data() + Size; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + Size; }

    void Fill(const T& value) { items_.fill(value); }

    friend bool operator==(const TRangeArray&, const TRangeArray&) = default;

private:
    static size_t Slot(int i) {
        if (i < Lo || i > Hi)
            throw std::out_of_range("index " + std::to_string(i) + " outside " + std::to_string(Lo) + ".." +
                                    std::to_string(Hi));
        return static_cast<size_t>(i - Lo);
    }

    std::array<T, Size> items_{};
};

} // namespace veltrane
