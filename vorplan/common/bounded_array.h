#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "vorplan/common/errors.h"

namespace vor {

// A fixed-capacity array indexed from 1, every index checked. Storage is
// allocated once, at full capacity, so large working tables never reallocate.
template <typename T, long Capacity>
class BoundedArray {
    static_assert(Capacity > 0);

public:
    static constexpr long kCapacity = Capacity;

    BoundedArray() : m_items(static_cast<std::size_t>(Capacity)) {}

    T& operator[](long index) { return m_items[Slot(index)]; }
    const T& operator[](long index) const { return m_items[Slot(index)]; }

    static constexpr long Low() { return 1; }
    static constexpr long High() { return Capacity; }
    static constexpr bool Contains(long index) { return index >= 1 && index <= Capacity; }

    void Fill(const T& value) { std::fill(m_items.begin(), m_items.end(), value); }

private:
    // The check stays in the hot loops of the optimiser, so it is kept small
    // enough to inline and the error is built out of line.
    static std::size_t Slot(long index)
    {
        if (!Contains(index)) [[unlikely]]
            ThrowOutOfRange(index);
        return static_cast<std::size_t>(index - 1);
    }

    [[noreturn, gnu::noinline, gnu::cold]] static void ThrowOutOfRange(long index)
    {
        throw RangeError("Erro de intervalo: índice " + std::to_string(index) + " fora de 1.." +
                         std::to_string(Capacity));
    }

    std::vector<T> m_items;
};

}  // namespace vor
