#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "outlook/AutomationError.h"
#include "outlook/TOutlookApplication.h"

namespace lumivane {
namespace {

using ::testing::HasSubstr;

// What the fake server saw, shared by every server a factory makes.
struct Record {
  int created = 0;
  int alive = 0;
  int displayed = 0;
  std::string lastEntryId;
  bool failDisplay = false;
};

class FakeFolder final : public MAPIFolder {
 public:
  explicit FakeFolder(Record& record) : record_(record) {}
  void Display() override {
    if (record_.failDisplay) throw AutomationError("cannot show");
    ++record_.displayed;
  }
  std::shared_ptr<lumivane::Items> Items() override { return nullptr; }

 private:
  Record& record_;
};

class FakeNameSpace final : public NameSpace {
 public:
  explicit FakeNameSpace(Record& record) : record_(record) {}
  std::shared_ptr<MAPIFolder> GetDefaultFolder(int code) override {
    if (code != kFolderCalendar) throw AutomationError("no folder");
    return std::make_shared<FakeFolder>(record_);
  }

 private:
  Record& record_;
};

class FakeServer final : public _Application, public ItemFileProvider {
 public:
  explicit FakeServer(Record& record) : record_(record) {
    ++record_.created;
    ++record_.alive;
  }
  ~FakeServer() override { --record_.alive; }
  std::shared_ptr<lumivane::NameSpace> GetNamespace(const std::string& type) override {
    if (type != "MAPI") return nullptr;
    return std::make_shared<FakeNameSpace>(record_);
  }
  std::string Version() override { return "fake " + std::to_string(record_.created); }
  std::string ItemFile(const std::string& entryId) override {
    record_.lastEntryId = entryId;
    if (entryId == "GONE") throw AutomationError("no such item");
    return "/items/" + entryId + ".ics";
  }

 private:
  Record& record_;
};

// A server without item files.
class PlainServer final : public _Application {
 public:
  std::shared_ptr<lumivane::NameSpace> GetNamespace(const std::string&) override { return nullptr; }
  std::string Version() override { return "plain"; }
};

class FakeOpener final : public DesktopOpener {
 public:
  LaunchResult Launch(DesktopProgram program, const std::string& file) override {
    programs.push_back(program);
    files.push_back(file);
    return answer;
  }
  std::vector<DesktopProgram> programs;
  std::vector<std::string> files;
  LaunchResult answer;
};

class TOutlookApplicationTest : public ::testing::Test {
 protected:
  TOutlookApplication::ServerFactory Factory() {
    return [this] { return std::make_unique<FakeServer>(record_); };
  }
  Record record_;
  FakeOpener opener_;
};

TEST_F(TOutlookApplicationTest, ConnectAndDisconnectAreIdempotent) {
  TOutlookApplication session(Factory(), opener_);
  EXPECT_FALSE(session.Connected());
  EXPECT_EQ(record_.created, 0);  // nothing connects on its own
  session.Connect();
  session.Connect();
  EXPECT_TRUE(session.Connected());
  EXPECT_EQ(record_.created, 1);
  session.Disconnect();
  session.Disconnect();
  EXPECT_FALSE(session.Connected());
  EXPECT_EQ(record_.alive, 0);
  session.Connect();  // every connection makes a fresh server
  EXPECT_EQ(record_.created, 2);
}

TEST_F(TOutlookApplicationTest, FolderCommandsConnectShowAndDisconnect) {
  TOutlookApplication session(Factory(), opener_);
  session.ShowDefaultFolder(kFolderCalendar);
  session.ShowDefaultFolder(kFolderCalendar);
  EXPECT_EQ(record_.displayed, 2);
  EXPECT_EQ(record_.created, 2);
  EXPECT_FALSE(session.Connected());

  // A failure reaches the caller and leaves the session connected.
  record_.failDisplay = true;
  EXPECT_THROW(session.ShowDefaultFolder(kFolderCalendar), AutomationError);
  EXPECT_TRUE(session.Connected());
  EXPECT_THROW(session.ShowDefaultFolder(kFolderTasks), AutomationError);
  EXPECT_THROW(session.GetNamespace("CDO"), AutomationError);
}

TEST_F(TOutlookApplicationTest, TheVersionReadStaysConnectedUntilTheEnd) {
  {
    TOutlookApplication session(Factory(), opener_);
    EXPECT_EQ(session.ReadOutlookVersion(), "fake 1");
    EXPECT_TRUE(session.Connected());
    EXPECT_EQ(session.ReadOutlookVersion(), "fake 1");
    EXPECT_EQ(record_.alive, 1);
  }
  EXPECT_EQ(record_.alive, 0);  // destroying the session disconnects it
}

TEST_F(TOutlookApplicationTest, ServerFailuresBecomeAutomationErrors) {
  TOutlookApplication throwing(
      []() -> std::unique_ptr<_Application> { throw std::runtime_error("store locked"); }, opener_);
  try {
    throwing.Connect();
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_THAT(e.what(), HasSubstr("store locked"));
  }
  EXPECT_FALSE(throwing.Connected());
  TOutlookApplication empty([] { return std::unique_ptr<_Application>(); }, opener_);
  EXPECT_THROW(empty.ReadOutlookVersion(), AutomationError);
}

TEST_F(TOutlookApplicationTest, ItemLinksOpenTheItemFileWithTheCalendarProgram) {
  TOutlookApplication session(Factory(), opener_);
  session.OpenItemLink("OUTLOOK:4142");
  EXPECT_EQ(record_.lastEntryId, "4142");
  ASSERT_EQ(opener_.files.size(), 1u);
  EXPECT_EQ(opener_.files[0], "/items/4142.ics");
  EXPECT_EQ(opener_.programs[0], DesktopProgram::Calendar);
  EXPECT_FALSE(session.Connected());  // its own connection ended with the look-up

  session.Connect();
  session.OpenItemLink("outlook:43");
  EXPECT_TRUE(session.Connected());  // a connection made by others stays
  EXPECT_EQ(record_.created, 2);

  EXPECT_THROW(session.OpenItemLink("outlook:GONE"), AutomationError);
  EXPECT_THROW(session.OpenItemLink("https://example.org"), AutomationError);
  opener_.answer = {LaunchStatus::NoDefaultProgram, {}};
  EXPECT_THROW(session.OpenItemLink("outlook:44"), AutomationError);
  opener_.answer = {LaunchStatus::Failed, "crashed"};
  try {
    session.OpenItemLink("outlook:45");
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_THAT(e.what(), HasSubstr("crashed"));
  }

  TOutlookApplication plain([] { return std::make_unique<PlainServer>(); }, opener_);
  EXPECT_THROW(plain.OpenItemLink("outlook:46"), AutomationError);
  EXPECT_FALSE(plain.Connected());
}

}  // namespace
}  // namespace lumivane
