#pragma once

#include <array>
#include <cstddef>

namespace dialtally {

// A column of one of the program's fixed tables (log formats, providers,
// rate periods, links, tool bar items): entries 1..N, indexed by the int
// counts the tables keep; entry 0 is unused.
template <typename T, int N> struct OneBasedColumn : std::array<T, N + 1> {
    constexpr T& operator[](int i) { return Base::operator[](static_cast<std::size_t>(i)); }
    constexpr const T& operator[](int i) const
    {
        return Base::operator[](static_cast<std::size_t>(i));
    }

private:
    using Base = std::array<T, N + 1>;
};

} // namespace dialtally
