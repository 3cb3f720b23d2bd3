#include "base/LargeBlocks.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace lumivane {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::atomic<std::size_t> mappedBytes{0};

// A mapping starts anywhere and huge pages need their own alignment: a block
// is mapped larger and starts at a huge page boundary, with the mapping it
// came from noted just before it.
struct Header {
  void* mapping;
  std::size_t mapped;
};

std::size_t Resident(std::size_t bytes) {
  return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* AllocateBlock(std::size_t bytes) {
  if (bytes < kLargeBlockBytes) return ::operator new(bytes);
  const std::size_t mapped = bytes + 2 * kHugePage;  // room to align, and for the header
  void* mapping =
      ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) throw std::bad_alloc();
  const auto address = reinterpret_cast<std::uintptr_t>(mapping) + sizeof(Header);
  char* block = reinterpret_cast<char*>((address + kHugePage - 1) / kHugePage * kHugePage);
  ::madvise(block, bytes, MADV_HUGEPAGE);  // a hint: without it, ordinary pages
  reinterpret_cast<Header*>(block)[-1] = {mapping, mapped};
  mappedBytes += Resident(bytes);
  return block;
}

void ReleaseBlock(void* block, std::size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes < kLargeBlockBytes) {
    ::operator delete(block);
    return;
  }
  const Header header = static_cast<Header*>(block)[-1];
  ::munmap(header.mapping, header.mapped);
  mappedBytes -= Resident(bytes);
}

std::size_t MappedBlockBytes() {
  return mappedBytes;
}

}  // namespace lumivane
