// Snapshots of the parsed store: the records read from a snapshot are those a
// parse gives, a snapshot that does not fit is ignored, and the cache folder
// follows the store.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ical/IcalTestSupport.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/IcalServer.h"
#include "outlook/ical/IcalStore.h"
#include "outlook/ical/StoreSnapshotFile.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;
using ical::IcalStore;

std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

void Overwrite(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", value);
  return text;
}

// Every field of every record, zones by what they do.
std::string Dump(const ical::Appointment& a, const ical::RecordTexts& t) {
  std::string text = Number(a.start) + " " + Number(a.end) + " " + std::to_string(a.allDay) + " " +
                     std::to_string(a.ordinal) + " [";
  ((((text += t[a.uid]) += "|") += t[a.subject]) += "|") += t[a.location];
  ((text += "|") += t[a.categories]) += "]";
  if (!a.series) return text + "\n";
  const ical::Series& s = *a.series;
  text += " series " + std::to_string(s.dtstart) + " " + std::to_string(s.isDate) + " " +
          std::to_string(static_cast<int>(s.base.kind)) + " " + std::to_string(s.durationDays) +
          " " + std::to_string(s.durationSeconds);
  if (s.base.zone) {
    for (const auto wall : {s.dtstart, s.dtstart + 86400 * 120, s.dtstart + 86400 * 200}) {
      text += " utc" + std::to_string(s.base.zone->UtcFromWall(wall));
    }
  }
  for (const auto& rule : s.rules) {
    text += " rule " + rule.text;
    if (!rule.native) continue;
    const ical::GregorianRule& n = *rule.native;
    text += " native " + std::to_string(static_cast<int>(n.frequency)) + "/" +
            std::to_string(n.interval) + "/" + std::to_string(n.count) + "/" +
            std::to_string(n.until) + "/" + std::to_string(n.weekStart) + "/" +
            std::to_string(n.weekdays) + "/" + std::to_string(n.monthDays) + "/" +
            std::to_string(n.lastMonthDays) + "/" + std::to_string(n.months);
    for (std::size_t day = 0; day < 7; ++day) {
      text += "/" + std::to_string(n.fromFirst[day]) + "," + std::to_string(n.fromLast[day]);
    }
  }
  for (const auto& r : s.rdates)
    text += " rdate " + std::to_string(r.start) + "/" + std::to_string(r.seconds);
  for (const auto e : s.exdates) text += " ex " + std::to_string(e);
  for (const auto d : s.exdateDays) text += " exday " + std::to_string(d);
  text += "\n";
  for (const auto& o : s.overrides) {
    text += "  override " + std::to_string(o.recurrenceId) + " " + std::to_string(o.dateOnly) +
            " " + std::to_string(o.cancelled) + " " + Dump(o.item, t);
  }
  return text;
}

std::string Dump(const ical::StoreSnapshot& snapshot) {
  std::string text;
  for (const auto& source : snapshot.sources) {
    text += "source " + source->name + " " + std::to_string(source->inVdir) + "\n";
    const ical::RecordTexts& texts = source->content.texts;
    for (const auto& a : source->content.appointments) text += Dump(a, texts);
    for (const auto& t : source->content.tasks) {
      text += "task " + Number(t.dueDate) + " " + Number(t.startDate) + " " +
              std::to_string(t.complete) + " " + std::to_string(t.importance) + " " +
              std::to_string(t.ordinal) + " [";
      ((((text += texts[t.uid]) += "|") += texts[t.subject]) += "|") += texts[t.categories];
      text += "]\n";
    }
  }
  return text;
}

// A zone the system does not know, a series with every kind of exception, a
// date series, a task with a zoned due date.
const std::string kOwnZone = test::Calendar(R"(
  BEGIN:VTIMEZONE
  TZID:Island Time
  BEGIN:STANDARD
  DTSTART:19701025T030000
  RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU
  TZOFFSETFROM:+0300
  TZOFFSETTO:+0200
  END:STANDARD
  BEGIN:DAYLIGHT
  DTSTART:19700329T020000
  RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU
  TZOFFSETFROM:+0200
  TZOFFSETTO:+0300
  END:DAYLIGHT
  END:VTIMEZONE
  BEGIN:VEVENT
  UID:island@test
  SUMMARY:Island standup
  LOCATION:Beach
  CATEGORIES:Work,Sun
  DTSTART;TZID=Island Time:20260302T090000
  DURATION:PT30M
  RRULE:FREQ=DAILY;COUNT=40
  RDATE;TZID=Island Time:20260501T120000
  EXDATE;TZID=Island Time:20260304T090000
  EXDATE;VALUE=DATE:20260305
  END:VEVENT
  BEGIN:VEVENT
  UID:island@test
  RECURRENCE-ID;TZID=Island Time:20260303T090000
  DTSTART;TZID=Island Time:20260303T150000
  SUMMARY:Island standup, moved
  END:VEVENT
  BEGIN:VEVENT
  UID:island@test
  RECURRENCE-ID;TZID=Island Time:20260306T090000
  STATUS:CANCELLED
  END:VEVENT
  BEGIN:VEVENT
  UID:holiday@test
  SUMMARY:Holidays
  DTSTART;VALUE=DATE:20260310
  DTEND;VALUE=DATE:20260313
  RRULE:FREQ=YEARLY
  END:VEVENT
  BEGIN:VTODO
  UID:file@test
  SUMMARY:File the report
  DUE;TZID=America/New_York:20260320T230000
  PRIORITY:2
  END:VTODO
)");

// The agenda as the program asks for it: the week's appointments with their
// occurrences in start order, then the open tasks by due date.
std::string Agenda(std::shared_ptr<IcalStore> store) {
  test::RecordingOpener opener;
  auto server = MakeIcalServerFactory(std::move(store), test::UsFormats(), opener)();
  auto space = server->GetNamespace("MAPI");
  auto calendar = space->GetDefaultFolder(kFolderCalendar)->Items();
  calendar->Sort("[Start]", false);
  calendar->SetIncludeRecurrences(true);
  std::string text;
  for (auto item = calendar->Find("[Start] >= \"03/01/2026 00:00\" And "
                                  "[Start] <= \"04/30/2026 23:59\"");
       item; item = calendar->FindNext()) {
    const _AppointmentItem& a = *item->QueryAppointmentItem();
    text +=
        Number(a.Start()) + " " + Number(a.End()) + " " + a.Subject() + " " + a.EntryID() + "\n";
  }
  auto tasks = space->GetDefaultFolder(kFolderTasks)->Items();
  tasks->Sort("[DueDate]", false);
  for (auto item = tasks->Find("([Complete] = False)"); item; item = tasks->FindNext()) {
    const _TaskItem& t = ToTaskItem(*item);
    text += "task " + Number(t.DueDate()) + " " + t.Subject() + " " + t.EntryID() + "\n";
  }
  return text;
}

std::string VdirItem(const std::string& uid, const std::string& subject, const std::string& day) {
  return test::Calendar("BEGIN:VEVENT\nUID:" + uid + "\nSUMMARY:" + subject +
                        "\nDTSTART;TZID=Europe/Berlin:" + day +
                        "T100000\nDURATION:PT1H\nEND:VEVENT");
}

class StoreSnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseBerlinTime();
    for (const char* name : {"window.ics", "tasks.ics"}) {
      fs::copy_file(test::IcsData(name), store_.Path(name));
    }
    fs::copy_file(std::string(LUMIVANE_TEST_DATA) + "/queries/calendar.ics",
                  store_.Path("queries.ics"));
    store_.Write("island.ics", kOwnZone);
    store_.Write("team/a.ics", VdirItem("a@test", "Team A", "20260327"));
    store_.Write("team/b.ics", VdirItem("b@test", "Team B", "20260328"));
    folder_ = cache_.Root() + "/lumivane";
  }
  void TearDown() override {
    unsetenv("TZ");
    tzset();
  }

  // A store as a new process would make it.
  std::unique_ptr<IcalStore> Fresh(bool withCache = true) {
    return std::make_unique<IcalStore>(store_.Root(), withCache ? folder_ : std::string());
  }
  std::string Parsed() { return Dump(*Fresh(false)->Refresh()); }

  std::vector<std::string> CacheFiles() {
    std::vector<std::string> names;
    if (!fs::exists(folder_)) return names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().string());
    return names;
  }

  test::TempStore store_;
  test::TempStore cache_;
  std::string folder_;
};

TEST_F(StoreSnapshotTest, AWarmStoreReadsNoFileAndHoldsTheParsedRecords) {
  const std::string parsed = Parsed();
  ASSERT_NE(parsed.find("Island standup, moved"), std::string::npos);
  auto first = Fresh();
  EXPECT_EQ(Dump(*first->Refresh()), parsed);
  EXPECT_EQ(first->FilesRead(), 6u);
  // One snapshot per calendar file and one for the vdir folder, private.
  const auto files = CacheFiles();
  EXPECT_EQ(files.size(), 5u);
  struct stat status {};
  ASSERT_EQ(stat(folder_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  for (const std::string& file : files) {
    ASSERT_EQ(stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u) << file;
  }
  auto warm = Fresh();
  EXPECT_EQ(Dump(*warm->Refresh()), parsed);
  EXPECT_EQ(warm->FilesRead(), 0u);

  // The same agenda through the server, with and without snapshots.
  test::RecordingOpener opener;
  const std::string filter = "[Start] < \"04/30/2026 00:00\" AND [End] > \"03/01/2026 00:00\"";
  auto walk = [&](bool withCache) {
    auto server = MakeIcalServerFactory(Fresh(withCache), test::UsFormats(), opener)();
    auto items = server->GetNamespace("MAPI")->GetDefaultFolder(kFolderCalendar)->Items();
    items->Sort("[Start]", false);
    items->SetIncludeRecurrences(true);
    return test::WalkAppointments(*items, filter);
  };
  const auto rows = walk(true);
  EXPECT_GT(rows.size(), 30u);
  EXPECT_EQ(rows, walk(false));
}

// A zone of the system's zone data is made from the rules kept beside the
// records (the zone data is not loaded), with the same offsets; a file too
// small to carry them keeps a snapshot without them.
TEST_F(StoreSnapshotTest, ANamedZoneFromItsKeptRulesGivesTheSameTimes) {
  std::string filler;
  for (int i = 0; i < 40; ++i) {
    filler += "BEGIN:VEVENT\nUID:filler" + std::to_string(i) +
              "@test\nSUMMARY:Filler\nDTSTART:20260101T090000Z\nEND:VEVENT\n";
  }
  store_.Write("small.ics", test::Calendar("BEGIN:VEVENT\nUID:small@test\nSUMMARY:Small\n"
                                           "DTSTART;TZID=Europe/Paris:20260302T090000\n"
                                           "RRULE:FREQ=DAILY\nEND:VEVENT"));
  store_.Write("abroad.ics", test::Calendar(filler + R"(BEGIN:VEVENT
UID:abroad@test
SUMMARY:Call with New York
DTSTART;TZID=America/New_York:20260302T090000
DURATION:PT1H
RRULE:FREQ=WEEKLY;UNTIL=20261130T140000Z
END:VEVENT
BEGIN:VEVENT
UID:sydney@test
SUMMARY:Call with Sydney
DTSTART;TZID=/example.org/Australia/Sydney:20260301T180000
DURATION:PT30M
RRULE:FREQ=MONTHLY;BYDAY=1SU
END:VEVENT)"));
  const std::string parsed = Parsed();
  ASSERT_NE(parsed.find("Call with Sydney"), std::string::npos);
  Fresh()->Refresh();
  EXPECT_EQ(Dump(*Fresh()->Refresh()), parsed);
  EXPECT_EQ(Agenda(Fresh()), Agenda(Fresh(false)));
  // Every hour of three years, the changes of offset included.
  const auto zones = [](IcalStore& store) {
    std::vector<std::shared_ptr<const ical::IcalTimeZone>> found;
    for (const auto& source : store.Refresh()->sources) {
      if (source->name != "abroad.ics") continue;
      for (const auto& item : source->content.appointments) {
        if (item.series) found.push_back(item.series->base.zone);
      }
    }
    return found;
  };
  auto warmStore = Fresh();
  auto parsedStore = Fresh(false);
  const auto warm = zones(*warmStore);
  EXPECT_EQ(warmStore->FilesRead(), 0u);
  const auto parsedZones = zones(*parsedStore);
  ASSERT_EQ(warm.size(), 2u);
  ASSERT_EQ(parsedZones.size(), 2u);
  for (std::size_t i = 0; i < warm.size(); ++i) {
    ASSERT_TRUE(warm[i] && parsedZones[i]);
    for (ical::UtcSeconds t = 1735689600; t < 1735689600 + 3 * 365 * 86400; t += 3600) {
      ASSERT_EQ(warm[i]->OffsetAtUtc(t), parsedZones[i]->OffsetAtUtc(t)) << i << " at " << t;
    }
  }
}

TEST_F(StoreSnapshotTest, ASnapshotIsAtMostHalfAgainItsSources) {
  Fresh()->Refresh();
  auto store = Fresh();
  store->Refresh();
  for (const char* name : {"window.ics", "island.ics", "queries.ics"}) {
    EXPECT_LE(fs::file_size(store->PathOf(name)) * 2, fs::file_size(store_.Path(name)) * 3) << name;
  }
}

TEST_F(StoreSnapshotTest, EveryKindOfChangeIsParsedAgain) {
  Fresh()->Refresh();
  const std::string path = store_.Path("island.ics");
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  const auto setTimes = [](const std::string& file, const struct stat& like) {
    const timespec times[2] = {like.st_atim, like.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
  };
  struct Step {
    const char* what;
    std::function<void()> change;
    std::string subject;  // expected in the records afterwards
  } steps[] = {
      {"touched, unchanged",
       [&] {
         const timespec now[2] = {{0, UTIME_NOW}, {0, UTIME_NOW}};
         utimensat(AT_FDCWD, path.c_str(), now, 0);
       },
       "Island standup"},
      {"replaced by rename, same size and time",
       [&] {
         std::string text = Read(path);
         text.replace(text.find("Island standup"), 14, "Islund standup");
         Overwrite(path + ".new", text);
         setTimes(path + ".new", before);
         fs::rename(path + ".new", path);
       },
       "Islund standup"},
      {"edited in place, time kept",
       [&] {
         struct stat now {};
         stat(path.c_str(), &now);
         std::string text = Read(path);
         text.replace(text.find("Islund standup"), 14, "Isl0nd standup");
         Overwrite(path, text);
         setTimes(path, now);
       },
       "Isl0nd standup"},
  };
  for (const Step& step : steps) {
    step.change();
    auto store = Fresh();
    const std::string records = Dump(*store->Refresh());
    EXPECT_EQ(store->FilesRead(), 1u) << step.what;
    EXPECT_EQ(records, Parsed()) << step.what;
    EXPECT_NE(records.find(step.subject), std::string::npos) << step.what;
  }
}

TEST_F(StoreSnapshotTest, SnapshotsFollowTheStoreAsFilesAndFoldersGo) {
  Fresh()->Refresh();
  auto probe = Fresh();
  const std::string teamSnapshot = probe->PathOf("team/a.ics");
  const std::string windowSnapshot = probe->PathOf("window.ics");
  ASSERT_TRUE(fs::exists(teamSnapshot));

  fs::rename(store_.Path("team"), store_.Path("crew"));
  fs::remove(store_.Path("window.ics"));
  auto store = Fresh();
  const std::string records = Dump(*store->Refresh());
  EXPECT_EQ(records, Parsed());
  EXPECT_NE(records.find("source crew/a.ics"), std::string::npos);
  EXPECT_EQ(store->FilesRead(), 2u);  // the two items under their new names
  EXPECT_FALSE(fs::exists(teamSnapshot));
  EXPECT_FALSE(fs::exists(windowSnapshot));
  EXPECT_TRUE(fs::exists(store->PathOf("crew/a.ics")));

  // Within one process as well.
  fs::remove(store_.Path("island.ics"));
  store->Refresh();
  EXPECT_FALSE(fs::exists(store->PathOf("island.ics")));
}

// A running program does not write a vdir folder's snapshot whole for each
// changed item; it does so when the store is closed.
TEST_F(StoreSnapshotTest, AnOutdatedSnapshotIsWrittenWhenTheStoreCloses) {
  Fresh()->Refresh();
  auto store = Fresh();
  store->Refresh();
  const std::string snapshot = store->PathOf("team/a.ics");
  const std::string before = Read(snapshot);
  store_.Write("team/a.ics", VdirItem("a@test", "Team A moved", "20260329"));
  store->Refresh();
  EXPECT_EQ(Read(snapshot), before);
  store.reset();
  EXPECT_NE(Read(snapshot), before);
  auto warm = Fresh();
  EXPECT_NE(Dump(*warm->Refresh()).find("Team A moved"), std::string::npos);
  EXPECT_EQ(warm->FilesRead(), 0u);
}

TEST_F(StoreSnapshotTest, AnotherTimeZoneGivesTheRecordsOfAParseThere) {
  Fresh()->Refresh();
  const std::string berlin = Parsed();
  for (const char* zone : {"America/New_York", ":Asia/Tokyo", "UTC0"}) {
    setenv("TZ", zone, 1);
    tzset();
    auto store = Fresh();
    const std::string records = Dump(*store->Refresh());
    EXPECT_EQ(records, Parsed()) << zone;
    EXPECT_NE(records, berlin) << zone;
    EXPECT_EQ(store->FilesRead(), 6u) << zone;
    auto warm = Fresh();
    EXPECT_EQ(Dump(*warm->Refresh()), records) << zone;
    EXPECT_EQ(warm->FilesRead(), 0u) << zone;
  }
}

TEST_F(StoreSnapshotTest, ACutOrAlteredSnapshotIsIgnoredAndReplaced) {
  Fresh()->Refresh();
  const std::string parsed = Parsed();
  const std::string path = Fresh()->PathOf("island.ics");
  const std::string intact = Read(path);
  ASSERT_GT(intact.size(), 300u);
  std::vector<std::pair<std::string, std::string>> damaged;
  for (std::size_t size = 0; size < intact.size(); size += 100) {
    damaged.emplace_back("cut at " + std::to_string(size), intact.substr(0, size));
  }
  // Every byte of the header (magic, version, the hashes of the build, the
  // time environment and the source, body length and hash) and some of the body.
  constexpr std::size_t kHeader = 8 + 4 + 3 * 8 + 8 + 8;
  for (std::size_t at = 0; at < intact.size(); at += at < kHeader + 40 ? 1 : 97) {
    std::string altered = intact;
    altered[at] = static_cast<char>(altered[at] ^ 0x21);
    damaged.emplace_back("byte " + std::to_string(at) + " altered", altered);
  }
  damaged.emplace_back("grown", intact + "x");
  for (const auto& [what, text] : damaged) {
    Overwrite(path, text);
    auto store = Fresh();
    ASSERT_EQ(Dump(*store->Refresh()), parsed) << what;
    EXPECT_EQ(store->FilesRead(), 1u) << what;
    EXPECT_EQ(Read(path), intact) << what;  // written anew after the parse
  }
}

// Records keep only where their texts lie; a place outside the entry's
// texts (which no writer of ours makes) makes the entry unusable.
TEST(StoreSnapshotFile, ATextOutsideItsEntryMakesTheEntryUnusable) {
  const ical::SnapshotStamp stamp{"build", "environment", "store\nfile.ics"};
  ical::ZoneCache zones;
  const auto decoded = [&](ical::TextRef subject) -> std::optional<std::string> {
    ical::SourceContent content;
    ical::Appointment& item = content.appointments.emplace_back();
    item.uid = content.texts.Add("uid-1");
    item.subject =
        subject.offset == 0 && subject.size == 0 ? content.texts.Add("Dentist") : subject;
    const ical::SnapshotItem entry{"file.ics", {}, &content};
    const auto text = ical::EncodeStoreSnapshot(stamp, {&entry, 1}, zones);
    ical::StoreSnapshotReader reader;
    if (!text || !reader.Open(SharedBytes::Of(*text), stamp)) return "no snapshot";
    const auto records = reader.Decode(reader.Entries().at(0), zones);
    if (!records) return std::nullopt;
    return std::string(records->texts[records->appointments.at(0).subject]);
  };
  EXPECT_EQ(decoded({}), "Dentist");
  // Without "Dentist" the texts are "uid-1", five bytes.
  EXPECT_EQ(decoded({0, 5}), "uid-1");
  EXPECT_EQ(decoded({5, 0}), "");
  EXPECT_EQ(decoded({0, 6}), std::nullopt);
  EXPECT_EQ(decoded({5, 1}), std::nullopt);
  EXPECT_EQ(decoded({0xFFFFFFF0u, 0x20}), std::nullopt);  // offset + size wraps around
}

TEST_F(StoreSnapshotTest, ACacheThatCannotBeWrittenChangesNothing) {
  store_.Write("../blocker", "a file where the cache folder would start");
  folder_ = fs::path(store_.Root()).parent_path().string() + "/blocker/lumivane";
  auto store = Fresh();
  EXPECT_EQ(Dump(*store->Refresh()), Parsed());
  EXPECT_EQ(Dump(*Fresh()->Refresh()), Parsed());
  fs::remove(fs::path(store_.Root()).parent_path() / "blocker");
}

TEST_F(StoreSnapshotTest, NoCacheFolderWhenAskedNotTo) {
  setenv("XDG_CACHE_HOME", "/somewhere/cache", 1);
  setenv("LUMIVANE_NO_CACHE", "0", 1);
  EXPECT_EQ(ical::SnapshotCacheFolder(), "/somewhere/cache/lumivane");
  setenv("LUMIVANE_NO_CACHE", "1", 1);
  EXPECT_EQ(ical::SnapshotCacheFolder(), "");
  unsetenv("LUMIVANE_NO_CACHE");
  unsetenv("XDG_CACHE_HOME");
}

// The store looks only where the change source says.
TEST_F(StoreSnapshotTest, ReportedChangesAreTheOnlyPlacesLookedAt) {
  FolderChanges next;
  auto store = Fresh(false);
  store->SetChangeSource([&next] { return std::exchange(next, FolderChanges{}); });
  store->Refresh();
  const std::uint64_t parsedAtFirst = store->FilesRead();

  // Nothing reported: nothing looked at, even though a file changed.
  store_.Write("team/a.ics", VdirItem("a@test", "Team A moved", "20260329"));
  EXPECT_EQ(Dump(*store->Refresh()).find("Team A moved"), std::string::npos);
  next.files.insert("team/a.ics");
  EXPECT_NE(Dump(*store->Refresh()).find("Team A moved"), std::string::npos);
  EXPECT_EQ(store->FilesRead(), parsedAtFirst + 1);

  store_.Write("team/c.ics", VdirItem("c@test", "Team C", "20260330"));
  next.folders.insert("team/");
  EXPECT_EQ(Dump(*store->Refresh()), Parsed());

  fs::rename(store_.Path("team"), store_.Path("a-team"));
  store_.Write("b.ics", VdirItem("top@test", "Top level", "20260330"));
  next.folders.insert("");
  EXPECT_EQ(Dump(*store->Refresh()), Parsed());

  fs::remove(store_.Path("a-team/b.ics"));
  store_.Write("window.ics", VdirItem("w@test", "Window replaced", "20260330"));
  next.everything = true;
  EXPECT_EQ(Dump(*store->Refresh()), Parsed());
}

// Files rewritten, broken, mended and removed, each reported on its own:
// the watched store holds what a store reading everything anew holds.
TEST_F(StoreSnapshotTest, ReportedFileChangesGiveWhatAFullRefreshGives) {
  // A root file named like the folder lists after the folder's files.
  store_.Write("team.ics", VdirItem("t@test", "Team file", "20260329"));
  FolderChanges next;
  std::shared_ptr<IcalStore> store = Fresh();
  store->SetChangeSource([&next] { return std::exchange(next, FolderChanges{}); });
  store->Refresh();
  const std::string cachedTasks = store->PathOf("tasks.ics");
  ASSERT_TRUE(fs::exists(cachedTasks));
  const auto expectFullRefresh = [&](const std::string& what) {
    std::shared_ptr<IcalStore> full = Fresh(false);
    const auto fullSnapshot = full->Refresh();
    const auto snapshot = store->Refresh();
    EXPECT_EQ(Dump(*snapshot), Dump(*fullSnapshot)) << what;
    EXPECT_EQ(snapshot->problems, fullSnapshot->problems) << what;
    EXPECT_EQ(Agenda(store), Agenda(full)) << what;
  };
  const auto report = [&](const std::string& name) {
    next.files.insert(name);
    return store->Refresh();
  };

  store_.Write("team/a.ics", VdirItem("a@test", "Team A moved", "20260330"));
  const std::uint64_t read = store->FilesRead();
  EXPECT_NE(Dump(*report("team/a.ics")).find("Team A moved"), std::string::npos);
  EXPECT_EQ(store->FilesRead(), read + 1);
  expectFullRefresh("a vdir item edited");

  store_.Write("island.ics", kOwnZone + VdirItem("late@test", "Late addition", "20260331"));
  report("island.ics");
  expectFullRefresh("a calendar file edited");

  // Broken: out of the sources, one problem, told once.
  store_.Write("team/b.ics", "BEGIN:VCALENDAR\r\nno calendar\r\n");
  ASSERT_EQ(report("team/b.ics")->problems.size(), 1u);
  EXPECT_NE(store->Refresh()->problems[0].find("\"team/b.ics\""), std::string::npos);
  EXPECT_EQ(store->TakeNewProblems().size(), 1u);
  expectFullRefresh("a vdir item broken");
  report("team/b.ics");  // reported, but unchanged
  EXPECT_TRUE(store->TakeNewProblems().empty());
  store_.Write("team/b.ics", "still no calendar");
  report("team/b.ics");
  EXPECT_EQ(store->TakeNewProblems().size(), 1u);
  // Mended: back in its place among the sources, the problem gone.
  store_.Write("team/b.ics", VdirItem("b@test", "Team B mended", "20260328"));
  EXPECT_TRUE(report("team/b.ics")->problems.empty());
  expectFullRefresh("a vdir item mended");

  // A file that came is listed when its folder's notice arrives.
  store_.Write("team/c.ics", VdirItem("c@test", "Team C", "20260330"));
  EXPECT_EQ(Dump(*report("team/c.ics")).find("Team C"), std::string::npos);
  next.folders.insert("team/");
  next.files.insert("team/c.ics");
  expectFullRefresh("a vdir item added");

  // A file reported changed but gone leaves before its folder's notice, a
  // broken one with its problem, a calendar file with its snapshot.
  store_.Write("team/a.ics", "garbage");
  report("team/a.ics");
  fs::remove(store_.Path("team/a.ics"));
  report("team/a.ics");
  expectFullRefresh("a vdir item removed");
  fs::remove(store_.Path("tasks.ics"));
  report("tasks.ics");
  expectFullRefresh("a calendar file removed");
  EXPECT_FALSE(fs::exists(cachedTasks));
  next.folders.insert("");
  next.folders.insert("team/");
  expectFullRefresh("the folders' notices after the removals");
}

// A notice for the root alone lists its links as a full listing does: a link
// back to the root, to a vdir folder that reported nothing (its kept files
// count as seen) or to one of its files, or to a root file adds nothing.
TEST_F(StoreSnapshotTest, ARootNoticeSkipsLinksToWhatIsListedAsAFullRefreshDoes) {
  FolderChanges next;
  std::shared_ptr<IcalStore> store = Fresh(false);
  store->SetChangeSource([&next] { return std::exchange(next, FolderChanges{}); });
  const std::size_t sources = store->Refresh()->sources.size();
  fs::create_directory_symlink(".", store_.Path("self.ics"));
  fs::create_directory_symlink(store_.Path("team"), store_.Path("z-team"));
  fs::create_symlink(store_.Path("team/a.ics"), store_.Path("z-a.ics"));
  fs::create_symlink(store_.Path("island.ics"), store_.Path("z-island.ics"));
  store_.Write("z-new.ics", VdirItem("n@test", "New in the root", "20260330"));
  next.folders.insert("");
  const auto snapshot = store->Refresh();
  EXPECT_EQ(snapshot->sources.size(), sources + 1);
  EXPECT_EQ(Dump(*snapshot), Parsed());
}

// With every file broken by reported changes the refresh fails as a full one
// does, naming the first failure, and recovers when one file is mended.
TEST_F(StoreSnapshotTest, ReportedChangesThatBreakEveryFileFailTheRefresh) {
  test::TempStore small;
  small.Write("team/a.ics", VdirItem("a@test", "Team A", "20260327"));
  small.Write("team/b.ics", VdirItem("b@test", "Team B", "20260328"));
  FolderChanges next;
  IcalStore store(small.Root());
  store.SetChangeSource([&next] { return std::exchange(next, FolderChanges{}); });
  store.Refresh();
  small.Write("team/a.ics", "garbage");
  small.Write("team/b.ics", "more garbage");
  next.files = {"team/a.ics", "team/b.ics"};
  std::string error;
  try {
    store.Refresh();
  } catch (const AutomationError& e) {
    error = e.what();
  }
  EXPECT_NE(error.find("\"team/a.ics\""), std::string::npos) << error;
  EXPECT_THROW(store.Refresh(), AutomationError);  // unchanged, still failing
  EXPECT_TRUE(store.TakeNewProblems().empty());    // the error itself told
  small.Write("team/b.ics", VdirItem("b@test", "Team B", "20260328"));
  next.files = {"team/b.ics"};
  const auto snapshot = store.Refresh();
  ASSERT_EQ(snapshot->sources.size(), 1u);
  EXPECT_EQ(snapshot->sources[0]->name, "team/b.ics");
  ASSERT_EQ(snapshot->problems.size(), 1u);
  EXPECT_NE(snapshot->problems[0].find("\"team/a.ics\""), std::string::npos);
}

}  // namespace
}  // namespace lumivane
