#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "display/RefreshDisplay.h"
#include "outlook/AutomationError.h"
#include "outlook/OutlookContract.h"
#include "outlook/TOutlookApplication.h"
#include "support/FormatFixtures.h"

namespace lumivane {
namespace {

const AutomationDate kNow = EncodeDateTime(2026, 12, 8, 9, 0);

// A server whose calendar holds one appointment today and whose task list
// holds one task; it ignores filter texts (the queries are tested elsewhere).
class FakeAppointment : public OutlookItem, public _AppointmentItem {
 public:
  _AppointmentItem* QueryAppointmentItem() override { return this; }
  _TaskItem* QueryTaskItem() override { return nullptr; }
  AutomationDate Start() const override { return EncodeDateTime(2026, 12, 8, 9, 30); }
  AutomationDate End() const override { return EncodeDateTime(2026, 12, 8, 10, 0); }
  bool AllDayEvent() const override { return false; }
  std::string Subject() const override { return "Stand-up"; }
  std::string Location() const override { return ""; }
  std::string Categories() const override { return ""; }
  std::string EntryID() const override { return "01"; }
};

class FakeTask : public OutlookItem, public _TaskItem {
 public:
  _AppointmentItem* QueryAppointmentItem() override { return nullptr; }
  _TaskItem* QueryTaskItem() override { return this; }
  AutomationDate DueDate() const override { return NoDate; }
  AutomationDate StartDate() const override { return NoDate; }
  bool Complete() const override { return false; }
  int Importance() const override { return 1; }
  std::string Subject() const override { return "Water the plants"; }
  std::string Categories() const override { return ""; }
  std::string EntryID() const override { return "02"; }
};

class FakeItems : public Items {
 public:
  explicit FakeItems(std::shared_ptr<OutlookItem> item) : item_(std::move(item)) {}
  void Sort(const std::string&, bool) override {}
  bool IncludeRecurrences() const override { return true; }
  void SetIncludeRecurrences(bool) override {}
  std::shared_ptr<OutlookItem> Find(const std::string&) override {
    given_ = true;
    return item_;
  }
  std::shared_ptr<OutlookItem> FindNext() override { return nullptr; }

 private:
  std::shared_ptr<OutlookItem> item_;
  bool given_ = false;
};

class FakeFolder : public MAPIFolder {
 public:
  explicit FakeFolder(std::shared_ptr<OutlookItem> item) : item_(std::move(item)) {}
  void Display() override {}
  std::shared_ptr<lumivane::Items> Items() override { return std::make_shared<FakeItems>(item_); }

 private:
  std::shared_ptr<OutlookItem> item_;
};

class FakeNameSpace : public NameSpace {
 public:
  std::shared_ptr<MAPIFolder> GetDefaultFolder(int code) override {
    if (code == kFolderCalendar)
      return std::make_shared<FakeFolder>(std::make_shared<FakeAppointment>());
    return std::make_shared<FakeFolder>(std::make_shared<FakeTask>());
  }
};

class FakeApplication : public _Application, public ReadProblemSource {
 public:
  explicit FakeApplication(StoreReadReport report = {}) : report_(std::move(report)) {}
  std::shared_ptr<lumivane::NameSpace> GetNamespace(const std::string&) override {
    return std::make_shared<FakeNameSpace>();
  }
  std::string Version() override { return "fake"; }
  StoreReadReport TakeReadReport() override { return std::exchange(report_, {}); }

 private:
  StoreReadReport report_;
};

class NoOpener : public DesktopOpener {
 public:
  LaunchResult Launch(DesktopProgram, const std::string&) override { return {}; }
};

// Records both kinds of call in one list, so their order can be checked.
class RecordingWindow : public RefreshWindow {
 public:
  std::vector<std::string> calls;
  bool fullScreen = false;
  int bitsPerPixel = 24;
  int left = 500;
  int width = 300;
  int clientHeight = 0;
  int maxHeight = 0;

  bool FullScreenAppActive() override { return fullScreen; }
  int MaxClientHeight() const override { return maxHeight; }
  void SetBusyCursor(bool busy) override {
    calls.push_back(busy ? "cursor busy" : "cursor normal");
  }
  int Left() const override { return left; }
  int Width() const override { return width; }
  void SetLeft(int l) override {
    left = l;
    calls.push_back("left " + std::to_string(l));
  }
  void SetClientSize(int w, int h) override {
    width = w;
    clientHeight = h;
    calls.push_back("size " + std::to_string(w) + "x" + std::to_string(h));
  }
  void LockUpdates(bool locked) override { calls.push_back(locked ? "lock" : "unlock"); }
  void SetRefreshEnabled(bool e) override { calls.push_back(e ? "refresh on" : "refresh off"); }
  void SetTrayPicture(int i) override { calls.push_back("tray " + std::to_string(i)); }
  void SetTrayHint(const std::string& hint) override { calls.push_back("hint " + hint); }
  int ScreenBitsPerPixel() const override { return bitsPerPixel; }
  void SetAlphaLevel(int alpha) override { calls.push_back("alpha " + std::to_string(alpha)); }
  void ReportReadProblems(const std::vector<std::string>& problems) override {
    for (const std::string& problem : problems) calls.push_back("problem " + problem);
  }
};

class RecordingLabel : public RefreshLabel {
 public:
  std::vector<std::string> lines{"old line"};
  int measuredWidth = 250;
  int FontPointSize() const override { return 8; }
  void SetIgnoreClearType(bool) override {}
  void SetLinkColorToFontColor() override {}
  void ClearLines() override { lines.clear(); }
  void AddLine(std::string line) override { lines.push_back(std::move(line)); }
  void MeasureLines(int& w, int& h) override {
    w = measuredWidth;
    h = 13 * static_cast<int>(lines.size());
  }
  int TextHeight(const std::string&) override { return 13; }
};

struct Fixture {
  Settings settings;
  TLanguage language;
  FormatSettings formats = test::GermanFormats();
  NoOpener opener;
  bool failConnect = false;
  StoreReadReport report;
  TOutlookApplication session{[this]() -> std::unique_ptr<_Application> {
                                if (failConnect)
                                  throw AutomationError("The calendar store is gone");
                                return std::make_unique<FakeApplication>(report);
                              },
                              opener};
  RecordingWindow window;
  RecordingLabel label;

  bool Run() {
    return RefreshDisplay(
        window, label, RefreshServices{session, settings, language, formats, [] { return kNow; }});
  }
};

TEST(RefreshDisplay, FillsTheLabelSizesTheWindowAndPutsEverythingBack) {
  Fixture f;
  f.settings.ShowTodayTasks = false;
  ASSERT_TRUE(f.Run());
  ASSERT_EQ(f.label.lines.size(), 8u);
  EXPECT_EQ(f.label.lines[0], "<P align=\"left\">");
  EXPECT_EQ(f.label.lines[3],
            "<font size=\"7\">09:30 - </font><font size=\"7\">10:00 - </font>Stand-up<BR>");
  EXPECT_EQ(f.label.lines[6], "<IMG src=\"idx:4\" align=\"middle\"> Water the plants<br>");
  EXPECT_EQ(f.label.lines[7], "<br>");
  const std::vector<std::string> expected = {
      "cursor busy", "lock", "refresh off", "tray 1", "hint Reading Data...",
      // 8 lines of 13 pixels, less one line; the importance icons add 16.
      "size 266x91", "unlock", "tray 0", "refresh on",
      "hint Lumivane\nLast Outlook data received at 08.12.2026 09:00:00", "cursor normal"};
  EXPECT_EQ(f.window.calls, expected);
  EXPECT_FALSE(f.session.Connected());
}

TEST(RefreshDisplay, ADisplayTallerThanTheWindowMayBeIsCutAndSaysWhatIsLeftOut) {
  Fixture f;
  f.settings.ShowTodayTasks = false;
  f.window.maxHeight = 60;
  ASSERT_TRUE(f.Run());
  // Three lines, the note and the final blank: 5 lines of 13 pixels less one.
  const std::vector<std::string> expected = {"<P align=\"left\">", f.label.lines[1],
                                             f.label.lines[2],
                                             "<i>... 2 more items not shown</i><br>", "<br>"};
  EXPECT_EQ(f.label.lines, expected);
  EXPECT_NE(f.label.lines[2].find("Today"), std::string::npos);
  EXPECT_EQ(f.window.clientHeight, 52);
  // With room for all, nothing is cut.
  Fixture roomy;
  roomy.settings.ShowTodayTasks = false;
  roomy.window.maxHeight = 91;
  ASSERT_TRUE(roomy.Run());
  EXPECT_EQ(roomy.label.lines.size(), 8u);
  EXPECT_EQ(HiddenItemsLine(1), "<i>... 1 more item not shown</i><br>");
}

TEST(RefreshDisplay, TheLargestFittingCountIsFoundWithFewProbesNearTheEstimate) {
  for (int total : {1, 2, 7, 100, 20000}) {
    for (int cut : {0, 1, 2, total / 2, total - 1, total}) {
      if (cut < 0 || cut > total) continue;
      for (int estimate : {-5, 1, cut, cut + 3, total, total * 2}) {
        int probes = 0;
        const int found = LargestFittingCount(total, estimate, [&](int count) {
          ++probes;
          return count <= cut;
        });
        EXPECT_EQ(found, std::max(cut, 1)) << total << " " << cut << " " << estimate;
        EXPECT_LE(probes, 2 * 16 + 2) << total << " " << cut << " " << estimate;
      }
    }
  }
  int probes = 0;
  EXPECT_EQ(LargestFittingCount(20000, 41, [&](int count) { return ++probes, count <= 40; }), 40);
  EXPECT_LE(probes, 3);
}

TEST(RefreshDisplay, FilesThatCouldNotBeReadAreReportedAndCountedInTheHint) {
  Fixture f;
  f.report.newProblems = {"The file \"a.ics\" in the calendar store cannot be read."};
  f.report.filesWithProblems = 2;
  ASSERT_TRUE(f.Run());
  EXPECT_EQ(f.label.lines.size(), 8u);  // the rest is shown
  const auto& calls = f.window.calls;
  EXPECT_NE(std::find(calls.begin(), calls.end(),
                      "problem The file \"a.ics\" in the calendar store cannot be read."),
            calls.end());
  EXPECT_EQ(calls[calls.size() - 2],
            "hint Lumivane\nLast Outlook data received at 08.12.2026 09:00:00\n"
            "2 calendar files could not be read");
  // Nothing new and one file: no report, the count alone.
  f.report = {{}, 1};
  f.window.calls.clear();
  ASSERT_TRUE(f.Run());
  EXPECT_EQ(std::count_if(f.window.calls.begin(), f.window.calls.end(),
                          [](const std::string& c) { return c.rfind("problem", 0) == 0; }),
            0);
  EXPECT_EQ(f.window.calls[f.window.calls.size() - 2],
            "hint Lumivane\nLast Outlook data received at 08.12.2026 09:00:00\n"
            "1 calendar file could not be read");
}

TEST(RefreshDisplay, FullScreenProgramHoldsTheRefreshBackUnlessAllowed) {
  Fixture f;
  f.window.fullScreen = true;
  EXPECT_FALSE(f.Run());
  EXPECT_TRUE(f.window.calls.empty());
  EXPECT_EQ(f.label.lines, std::vector<std::string>{"old line"});
  f.settings.NoRefreshFullScreenApp = false;
  EXPECT_TRUE(f.Run());
}

TEST(RefreshDisplay, OpacityOnlyAtThirtyTwoBitsAndTheWidthAtLeastOneHundred) {
  Fixture f;
  f.settings.AlphaLevel = 180;
  f.settings.ShowImpIcons = false;
  f.label.measuredWidth = 40;
  f.window.bitsPerPixel = 32;
  f.Run();
  EXPECT_NE(std::find(f.window.calls.begin(), f.window.calls.end(), "alpha 180"),
            f.window.calls.end());
  EXPECT_EQ(f.window.width, 100);
}

TEST(RefreshDisplay, RightAlignedWindowKeepsItsRightEdge) {
  Fixture f;
  f.settings.Align = 1;
  f.Run();
  EXPECT_EQ(f.window.width, 266);
  EXPECT_EQ(f.window.left + f.window.width, 800);
  EXPECT_EQ(f.label.lines[0], "<P align=\"right\">");
}

TEST(RefreshDisplay, AFailedConnectionLeavesTheLabelAndStillCleansUp) {
  Fixture f;
  f.failConnect = true;
  EXPECT_THROW(f.Run(), AutomationError);
  EXPECT_EQ(f.label.lines, std::vector<std::string>{"old line"});
  EXPECT_EQ(f.window.calls.back(), "cursor normal");
  EXPECT_EQ(f.window.calls[f.window.calls.size() - 3], "refresh on");
  // The window was not resized.
  EXPECT_EQ(std::count_if(f.window.calls.begin(), f.window.calls.end(),
                          [](const std::string& c) { return c.rfind("size", 0) == 0; }),
            0);
}

}  // namespace
}  // namespace lumivane
