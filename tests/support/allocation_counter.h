// Counts every global allocation of a program: the global operator new and delete are
// replaced. Include this header in exactly one source file of the program that counts.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> Allocations{0};

void* Allocate(std::size_t Size) {
    ++Allocations;
    if (void* P = std::malloc(Size ? Size : 1)) return P;
    throw std::bad_alloc();
}
} // namespace

// clang-format off
void* operator new(std::size_t Size) { return Allocate(Size); }
void* operator new[](std::size_t Size) { return Allocate(Size); }
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
    ++Allocations;
    return std::malloc(Size ? Size : 1);
}
void* operator new[](std::size_t Size, const std::nothrow_t& T) noexcept { return operator new(Size, T); }
void operator delete(void* P) noexcept { std::free(P); }
void operator delete[](void* P) noexcept { std::free(P); }
void operator delete(void* P, std::size_t) noexcept { std::free(P); }
void operator delete[](void* P, std::size_t) noexcept { std::free(P); }
// clang-format on
