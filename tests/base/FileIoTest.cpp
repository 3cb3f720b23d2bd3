#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "base/FileIo.h"
#include "base/FileListing.h"
#include "support/TempFolder.h"

namespace lumivane {
namespace {

using test::TempFolder;

std::vector<std::string> Names(const TempFolder& folder) {
  return FolderEntryNames(folder.path().string(), false);
}

TEST(AtomicWrite, CreatesFoldersAndReplacesTheFile) {
  const TempFolder folder;
  const std::string path = (folder.path() / "a" / "b.reg").string();
  EXPECT_FALSE(ReadFileLimited(path, 100));
  WriteFileAtomically(path, "one");
  WriteFileAtomically(path, "two", 0600, Flush::Skip);  // a cache: the same, without flushes
  EXPECT_EQ(ReadFileLimited(path, 100), "two");
  // No temporary file is left behind, and the file is private.
  EXPECT_EQ(FolderEntryNames((folder.path() / "a").string(), false),
            std::vector<std::string>{"b.reg"});
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  WriteFileAtomically(path, "three", 0644);
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(AtomicWrite, AFailedWriteLeavesThePreviousFileIntact) {
  const TempFolder folder;
  const std::string path = (folder.path() / "b.reg").string();
  WriteFileAtomically(path, "previous contents");
  // A file size limit makes the write fail even for root, who passes any
  // permission check.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit tiny = old;
  tiny.rlim_cur = 4;
  ::setrlimit(RLIMIT_FSIZE, &tiny);
  EXPECT_THROW(WriteFileAtomically(path, "a much longer new contents"), FileError);
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(ReadFileLimited(path, 100), "previous contents");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"b.reg"});
}

TEST(AtomicWrite, StaleTemporariesOfThatFileAloneAreRemoved) {
  const TempFolder folder;
  const std::string path = folder.Write("Lumivane.reg", "kept");
  folder.Write("Lumivane.reg.a1B2c3", "left by a kill");
  folder.Write("Lumivane.reg.Zz9yX8", "left by a kill");
  folder.Write("Lumivane.reg.bak", "someone's backup");
  folder.Write("Other.reg.a1B2c3", "another file's");
  EXPECT_EQ(RemoveStaleTemporaries(path), 2);
  EXPECT_EQ(Names(folder),
            (std::vector<std::string>{"Lumivane.reg", "Lumivane.reg.bak", "Other.reg.a1B2c3"}));
}

TEST(ReadFileLimited, RefusesWhatIsNoRegularFileOrTooLarge) {
  const TempFolder folder;
  const std::string small = folder.Write("small", "12345");
  EXPECT_EQ(ReadFileLimited(small, 5), "12345");
  EXPECT_THROW(ReadFileLimited(small, 4), FileError);
  // A FIFO with no writer would block a plain open; a device never ends.
  const std::string fifo = (folder.path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  try {
    ReadFileLimited(fifo, 100);
    ADD_FAILURE() << "a FIFO was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.reason(), "not a regular file");
  }
  EXPECT_THROW(ReadFileLimited("/dev/zero", 100), FileError);
  EXPECT_THROW(ReadFileLimited(folder.path().string(), 100), FileError);
}

TEST(ReadFileLimited, ABufferIsReusedAndShrunkToTheFile) {
  const TempFolder folder;
  std::string buffer;
  ASSERT_TRUE(ReadFileInto(folder.Write("long", std::string(5000, 'x')), 10000, buffer));
  EXPECT_EQ(buffer.size(), 5000u);
  ASSERT_TRUE(ReadFileInto(folder.Write("short", "abc"), 10000, buffer));
  EXPECT_EQ(buffer, "abc");
  EXPECT_FALSE(ReadFileInto((folder.path() / "missing").string(), 10, buffer));
}

TEST(ReadFileShared, ReadsAsReadFileLimitedDoes) {
  const TempFolder folder;
  const std::string text(70000, 'y');
  const auto read = ReadFileShared(folder.Write("big", text), 70000);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->View(), text);
  EXPECT_FALSE(ReadFileShared((folder.path() / "missing").string(), 10));
  EXPECT_THROW(ReadFileShared(folder.Write("small", "12345"), 4), FileError);
  // A file whose size stat does not know (0 here) is read past the first
  // guess, keeping what was read before each growth.
  const auto shared = ReadFileShared("/proc/self/cmdline", 1 << 20);
  ASSERT_TRUE(shared);
  EXPECT_GT(shared->size, 1u);
  EXPECT_EQ(shared->View(), ReadFileLimited("/proc/self/cmdline", 1 << 20));
}

TEST(FolderEntryNames, SortedWithHiddenNamesOnRequest) {
  const TempFolder folder;
  folder.Write("b.ics", "");
  folder.Write("a.ics", "");
  folder.Write(".sync-temp", "");
  EXPECT_EQ(FolderEntryNames(folder.path().string(), true),
            (std::vector<std::string>{"a.ics", "b.ics"}));
  EXPECT_EQ(Names(folder), (std::vector<std::string>{".sync-temp", "a.ics", "b.ics"}));
  EXPECT_TRUE(FolderEntryNames((folder.path() / "none").string(), false).empty());
}

}  // namespace
}  // namespace lumivane
