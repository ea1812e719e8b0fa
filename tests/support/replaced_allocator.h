#pragma once
// The global operator new and delete, replaced for a test executable that links
// replaced_allocator.cpp: every allocation goes through malloc and free, after the test's policy has
// seen it. A policy can count allocations or refuse them.
#include <cstddef>

namespace test_allocator {

// Sees each allocation's size and whether it is the non-throwing form; false refuses it (the
// non-throwing forms return null, the others throw std::bad_alloc).
using Policy = bool (*)(std::size_t size, bool nothrow);

// Null allows everything.
void setPolicy(Policy policy);

} // namespace test_allocator
