// Replaces the global allocation functions of the executable that includes this
// header (from exactly one source file) to count every allocation the process makes
// and the allocations still live, and to refuse nothrow array allocations on request,
// as an exhausted heap would.
#pragma once

#include <cstdlib>
#include <new>

namespace counting_allocator {
inline long allocations = 0;  // ever made
inline long live = 0;         // made and not yet given back
inline bool refuseNothrowArrays = false;

inline void* Allocate(std::size_t size) noexcept {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p != nullptr) {
    ++allocations;
    ++live;
  }
  return p;
}
// Out of line: inlined into a delete expression, the free below looks to the
// compiler like a mismatch with the operator new it can also see.
[[gnu::noinline]] inline void Release(void* p) noexcept {
  if (p != nullptr) --live;
  std::free(p);
}
}  // namespace counting_allocator

void* operator new(std::size_t size) {
  if (void* p = counting_allocator::Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return counting_allocator::Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (counting_allocator::refuseNothrowArrays) return nullptr;
  return operator new(size, std::nothrow);
}
void operator delete(void* p) noexcept { counting_allocator::Release(p); }
void operator delete[](void* p) noexcept { counting_allocator::Release(p); }
void operator delete(void* p, std::size_t) noexcept { counting_allocator::Release(p); }
void operator delete[](void* p, std::size_t) noexcept { counting_allocator::Release(p); }
