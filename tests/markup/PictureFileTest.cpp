#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "display/markup/PictureFile.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;

class PictureFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("lumivane-picture-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path Write(const std::string& name, std::size_t bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'p');
    return path;
  }
  fs::path dir_;
};

TEST_F(PictureFileTest, ReadsARegularFileUpToTheLimit) {
  const fs::path file = Write("a.png", 100);
  EXPECT_EQ(ReadPictureFile(file.string(), 100), std::string(100, 'p'));
  EXPECT_EQ(ReadPictureFile(file.string(), 99), std::nullopt);
  fs::create_symlink(file, dir_ / "link.png");
  EXPECT_EQ(ReadPictureFile((dir_ / "link.png").string(), 100)->size(), 100u);
}

TEST_F(PictureFileTest, RefusesWhatIsNotARegularFile) {
  EXPECT_EQ(ReadPictureFile((dir_ / "missing.png").string()), std::nullopt);
  EXPECT_EQ(ReadPictureFile(dir_.string()), std::nullopt);
  EXPECT_EQ(ReadPictureFile(""), std::nullopt);
  EXPECT_EQ(ReadPictureFile("/dev/zero"), std::nullopt);
  // A FIFO nobody writes to would block a reader for ever.
  const fs::path fifo = dir_ / "fifo.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadPictureFile(fifo.string()), std::nullopt);
}

TEST_F(PictureFileTest, TheDefaultLimitIsFourMebibytes) {
  EXPECT_TRUE(ReadPictureFile(Write("fits.png", kMaxPictureFileBytes).string()).has_value());
  EXPECT_FALSE(ReadPictureFile(Write("big.png", kMaxPictureFileBytes + 1).string()).has_value());
}

}  // namespace
}  // namespace lumivane
