#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <set>
#include <string>

#include "platform/StoreWatcher.h"

namespace lumivane {
namespace {

void Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

// Writes a new file beside and renames it over `path`, as editors save.
void Replace(const QString& path, const QByteArray& text) {
  Write(path + ".tmp", text);
  QFile::remove(path);
  ASSERT_TRUE(QFile::rename(path + ".tmp", path));
}

class StoreWatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path() + "/store";
    ASSERT_TRUE(QDir().mkpath(root_ + "/office"));
    Write(root_ + "/home.ics", "BEGIN:VCALENDAR\n");
    Write(root_ + "/office/1.ics", "BEGIN:VCALENDAR\n");
    watcher_.SetDelay(150);
  }

  // Counts the notices within `ms`.
  int NoticesWithin(int ms) {
    QSignalSpy spy(&watcher_, &StoreWatcher::Changed);
    QTest::qWait(ms);
    return static_cast<int>(spy.count());
  }

  QTemporaryDir dir_;
  QString root_;
  StoreWatcher watcher_;
};

TEST_F(StoreWatcherTest, ChangesSayWhereTheStoreChanged) {
  watcher_.Watch(root_);
  EXPECT_TRUE(watcher_.TakeChanges().everything);  // the store may predate the watch
  EXPECT_TRUE(watcher_.TakeChanges().Empty());
  const auto changesAfter = [&](const std::function<void()>& change) {
    QSignalSpy spy(&watcher_, &StoreWatcher::Changed);
    change();
    EXPECT_TRUE(spy.wait(3000));
    return watcher_.TakeChanges();
  };
  FolderChanges changes =
      changesAfter([&] { Write(root_ + "/office/1.ics", "BEGIN:VCALENDAR\nX\n"); });
  EXPECT_FALSE(changes.everything);
  EXPECT_EQ(changes.files, std::set<std::string>{"office/1.ics"});
  EXPECT_TRUE(changes.folders.empty());

  changes = changesAfter([&] { Write(root_ + "/office/2.ics", "BEGIN:VCALENDAR\n"); });
  EXPECT_EQ(changes.folders, std::set<std::string>{"office/"});

  changes = changesAfter([&] { Replace(root_ + "/home.ics", "BEGIN:VCALENDAR\nY\n"); });
  EXPECT_EQ(changes.files, std::set<std::string>{"home.ics"});

  changes = changesAfter([&] { QDir(root_ + "/office").removeRecursively(); });
  EXPECT_EQ(changes.folders.count("office/"), 1u);
  EXPECT_FALSE(changes.everything);
}

TEST_F(StoreWatcherTest, EachKindOfChangeIsReported) {
  watcher_.Watch(root_);
  struct Step {
    const char* what;
    std::function<void()> change;
  } steps[] = {
      {"write", [&] { Write(root_ + "/home.ics", "BEGIN:VCALENDAR\nX\n"); }},
      {"replace", [&] { Replace(root_ + "/home.ics", "BEGIN:VCALENDAR\nY\n"); }},
      // The replaced file is watched again: a second save is seen too.
      {"replace again", [&] { Replace(root_ + "/home.ics", "BEGIN:VCALENDAR\nZZ\n"); }},
      {"vdir item written", [&] { Write(root_ + "/office/1.ics", "BEGIN:VCALENDAR\nW\n"); }},
      {"vdir item added", [&] { Write(root_ + "/office/2.ics", "BEGIN:VCALENDAR\n"); }},
      {"file added", [&] { Write(root_ + "/other.ics", "BEGIN:VCALENDAR\n"); }},
      {"file removed", [&] { QFile::remove(root_ + "/other.ics"); }},
      {"new vdir",
       [&] {
         QDir().mkpath(root_ + "/new");
         Write(root_ + "/new/a.ics", "BEGIN:VCALENDAR\n");
       }},
      {"item of the new vdir written",
       [&] { Write(root_ + "/new/a.ics", "BEGIN:VCALENDAR\nQ\n"); }},
  };
  for (const Step& step : steps) {
    QSignalSpy spy(&watcher_, &StoreWatcher::Changed);
    step.change();
    EXPECT_TRUE(spy.wait(3000)) << step.what;
    QTest::qWait(50);
    EXPECT_EQ(spy.count(), 1) << step.what;
  }
}

TEST_F(StoreWatcherTest, ABurstOfChangesGivesOneNoticeAfterTheLast) {
  watcher_.Watch(root_);
  watcher_.SetDelay(400);
  QSignalSpy spy(&watcher_, &StoreWatcher::Changed);
  QElapsedTimer clock;
  clock.start();
  qint64 lastChange = 0;
  for (int i = 0; i < 5; ++i) {
    Write(root_ + "/office/1.ics", QByteArray("BEGIN:VCALENDAR\n") + QByteArray(i + 1, 'x'));
    lastChange = clock.elapsed();
    // Shorter than the delay: each change puts the notice off again.
    QTest::qWait(150);
    EXPECT_EQ(spy.count(), 0) << "change " << i;
  }
  ASSERT_TRUE(spy.wait(3000));
  EXPECT_GE(clock.elapsed() - lastChange, 380);
  EXPECT_EQ(NoticesWithin(600), 0);
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(StoreWatcherTest, FilesThatAreNotPartOfTheStoreChangeNothing) {
  watcher_.Watch(root_);
  Write(root_ + "/notes.txt", "x");
  Write(root_ + "/office/.1.ics.swp", "x");
  Write(dir_.path() + "/beside.txt", "x");
  EXPECT_EQ(NoticesWithin(500), 0);
}

TEST_F(StoreWatcherTest, SingleFileStoreAndAStoreThatAppearsLater) {
  const QString file = root_ + "/home.ics";
  watcher_.Watch(file);
  Write(root_ + "/office/1.ics", "BEGIN:VCALENDAR\nother\n");
  Write(root_ + "/unrelated.txt", "x");
  EXPECT_EQ(NoticesWithin(400), 0);
  Replace(file, "BEGIN:VCALENDAR\nNEW\n");
  EXPECT_EQ(NoticesWithin(800), 1);

  StoreWatcher later;
  later.SetDelay(100);
  const QString missing = dir_.path() + "/later";
  later.Watch(missing);
  QSignalSpy spy(&later, &StoreWatcher::Changed);
  ASSERT_TRUE(QDir().mkpath(missing));
  QTest::qWait(200);
  Write(missing + "/a.ics", "BEGIN:VCALENDAR\n");
  EXPECT_TRUE(spy.wait(3000));
}

TEST_F(StoreWatcherTest, AnEmptyRootWatchesNothing) {
  watcher_.Watch(root_);
  EXPECT_FALSE(watcher_.WatchedPaths().isEmpty());
  watcher_.Watch(QString());
  EXPECT_TRUE(watcher_.WatchedPaths().isEmpty());
  Write(root_ + "/home.ics", "changed");
  EXPECT_EQ(NoticesWithin(400), 0);
}

}  // namespace
}  // namespace lumivane
