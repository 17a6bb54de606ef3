// Replaces the global allocation functions of the executable that includes this
// header (from exactly one source file) to count every allocation the process makes,
// and to refuse nothrow array allocations on request, as an exhausted heap would.
#pragma once

#include <cstdlib>
#include <new>

namespace counting_allocator {
inline long allocations = 0;
inline bool refuseNothrowArrays = false;
}  // namespace counting_allocator

void* operator new(std::size_t size) {
  ++counting_allocator::allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++counting_allocator::allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (counting_allocator::refuseNothrowArrays) return nullptr;
  return operator new(size, std::nothrow);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
