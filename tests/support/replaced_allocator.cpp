// Kept in its own translation unit so that the compiler never inlines these into a caller and mistakes
// free for a mismatched release of operator new's memory.
#include "tests/support/replaced_allocator.h"

#include <cstdlib>
#include <new>

namespace {

test_allocator::Policy policy = nullptr;

void* allocate(std::size_t size, bool nothrow) noexcept {
    if (policy != nullptr && !policy(size, nothrow)) {
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}

void* allocateOrThrow(std::size_t size) {
    if (void* p = allocate(size, false)) {
        return p;
    }
    throw std::bad_alloc();
}

} // namespace

namespace test_allocator {

void setPolicy(Policy newPolicy) {
    policy = newPolicy;
}

} // namespace test_allocator

void* operator new(std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return allocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size, true);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size, true);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
