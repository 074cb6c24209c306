#pragma once
// One bet in 8 bytes: six reds in the order the generator produced them, the blue,
// and a spare byte. Lists of bets are plain std::vectors of them.
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

struct Bet {
    std::uint8_t red[6];
    std::uint8_t blue;
    std::uint8_t spare;
};
static_assert(sizeof(Bet) == 8, "a bet must stay 8 bytes");

// Leaves the bets of resize() unwritten, so a list of millions is written once, by the
// threads that fill it, instead of being zeroed first by one.
template <class T>
struct UnzeroedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnzeroedAllocator<U>;
    };
    UnzeroedAllocator() = default;
    template <class U>
    UnzeroedAllocator(const UnzeroedAllocator<U> &) noexcept
    {
    }
    template <class U>
    void construct(U *p) noexcept(std::is_nothrow_default_constructible<U>::value)
    {
        ::new (static_cast<void *>(p)) U;
    }
    template <class U, class... Args>
    void construct(U *p, Args &&...args)
    {
        ::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
    }
};

using BetList = std::vector<Bet, UnzeroedAllocator<Bet>>;
