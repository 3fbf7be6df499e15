#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace quarrow {

// A broken index is a bug in the program, never a player's doing. It is thrown
// before anything is written, so the game state stays as it was.
class InternalError final : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

[[noreturn]] inline void ThrowIndexError(const char* table, int index, int lo, int hi)
{
    throw InternalError(std::string(table) + ": index " + std::to_string(index) + " outside "
                        + std::to_string(lo) + ".." + std::to_string(hi));
}

// A table addressed by the game's own index range (1..4, 0..54, ...), checked on every use.
template <typename T, int Lo, int Hi>
class IndexedArray {
    static_assert(Lo <= Hi);

public:
    static constexpr int kLower = Lo;
    static constexpr int kUpper = Hi;

    constexpr T& operator[](int index) { return items_[Offset(index)]; }
    constexpr const T& operator[](int index) const { return items_[Offset(index)]; }

    constexpr void Fill(const T& value) { items_.fill(value); }
    constexpr bool operator==(const IndexedArray&) const = default;

private:
    static constexpr std::size_t Offset(int index)
    {
        if (index < Lo || index > Hi)
            ThrowIndexError("table", index, Lo, Hi);
        return static_cast<std::size_t>(index - Lo);
    }

    std::array<T, Hi - Lo + 1> items_ {};
};

} // namespace quarrow
