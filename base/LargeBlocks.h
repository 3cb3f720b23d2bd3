#pragma once
// Memory for large blocks (a snapshot read whole, a store's array of
// records), mapped in huge pages where the system allows them: a few page
// faults for a block of megabytes instead of one per 4 KiB page touched.
#include <cstddef>

namespace lumivane {

// Blocks at least this large are mapped; smaller ones come from the heap.
inline constexpr std::size_t kLargeBlockBytes = std::size_t{2} << 20;

// A block of `bytes`, not zeroed; std::bad_alloc when there is no memory.
void* AllocateBlock(std::size_t bytes);
// Gives back a block of AllocateBlock with the same size.
void ReleaseBlock(void* block, std::size_t bytes) noexcept;

// What the mapped blocks can hold resident (whole huge pages), which the
// heap's own figures leave out: for measurements.
std::size_t MappedBlockBytes();

// An allocator for arrays of records that may grow large.
template <class T>
struct LargeBlockAllocator {
  using value_type = T;
  LargeBlockAllocator() = default;
  template <class U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(AllocateBlock(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { ReleaseBlock(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const LargeBlockAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace lumivane
