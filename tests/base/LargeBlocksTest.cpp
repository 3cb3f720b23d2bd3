#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/LargeBlocks.h"

namespace lumivane {
namespace {

// A large block holds all its bytes, starts on a huge page and is counted
// while it lives; a small one comes from the heap and is not counted.
TEST(LargeBlocks, LargeBlocksAreMappedAndCountedSmallOnesAreNot) {
  const std::size_t before = MappedBlockBytes();
  const std::size_t bytes = kLargeBlockBytes + 12345;
  auto* block = static_cast<unsigned char*>(AllocateBlock(bytes));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % kLargeBlockBytes, 0u);
  std::memset(block, 0xA5, bytes);
  EXPECT_EQ(block[0], 0xA5);
  EXPECT_EQ(block[bytes - 1], 0xA5);
  EXPECT_EQ(MappedBlockBytes(), before + 2 * kLargeBlockBytes);  // two huge pages
  ReleaseBlock(block, bytes);
  EXPECT_EQ(MappedBlockBytes(), before);

  void* small = AllocateBlock(100);
  EXPECT_EQ(MappedBlockBytes(), before);
  ReleaseBlock(small, 100);
}

// A vector of records grows through both kinds of block and keeps its values.
TEST(LargeBlocks, AVectorGrowsAcrossTheThreshold) {
  std::vector<std::uint64_t, LargeBlockAllocator<std::uint64_t>> values;
  const std::size_t count = 3 * kLargeBlockBytes / sizeof(std::uint64_t);
  for (std::size_t i = 0; i < count; ++i) values.push_back(i * 7);
  for (std::size_t i = 0; i < count; i += 4099) ASSERT_EQ(values[i], i * 7);
  EXPECT_GE(MappedBlockBytes(), 3 * kLargeBlockBytes);
}

}  // namespace
}  // namespace lumivane
