#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace zunaka {

// A fixed array indexed from 1, as the game numbers its holes (1..6), pictures (1..8) and keys (1..44),
// so that code over them reads like the rules it implements.
template <typename T, std::size_t N>
class OneBased {
public:
    static constexpr int first = 1;
    static constexpr int last = static_cast<int>(N);

    constexpr T& operator[](int i)
    {
        assert(i >= first && i <= last);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    constexpr const T& operator[](int i) const
    {
        assert(i >= first && i <= last);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    constexpr void fill(const T& value) { items_.fill(value); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const OneBased&) const = default;

private:
    std::array<T, N> items_{};
};

} // namespace zunaka
