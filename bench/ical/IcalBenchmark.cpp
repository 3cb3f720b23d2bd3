// The iCalendar server over generated stores (bench/tools/generate_store.py):
// 5,000 appointments and 1,000 tasks as one file and as a vdir folder, and
// 50,000 and 10,000 as one file, dated around today.
//
//   WarmWalk     a refresh of an unchanged store: connect, the 6-day calendar
//                filter walk with recurrences, the open-task walk (target:
//                under 3 ms for the 5,000 store as one file)
//   ColdRead     reading the store from scratch (target: within 1.5 times
//                LibicalParse, libical's own parse and free of the same file)
//   FirstWalk    a cold read followed by the first walk (series expanded anew)
//   HeldMemory   heap held by the store once read (target: under 100 MB for
//                the 50,000 store); the parse tree alone is reported beside it
//   SnapshotRead reading the store from warm snapshots instead of parsing
//   WatchedWalk  WarmWalk with the store watcher's notices: nothing reported
//                (target: under 3 ms for the 5,000-file vdir folder), or one
//                item file rewritten and reported (target: under 5 ms), its
//                folder's snapshot written again
#include <benchmark/benchmark.h>
#include <libical/ical.h>
#include <malloc.h>
#include <stdlib.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

#include "base/LargeBlocks.h"
#include "outlook/ical/IcalServer.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;

struct Stores {
  fs::path root;
  std::string file5k, vdir5k, file50k;
  std::string Snapshots() const { return (root / "cache").string(); }
};
Stores* stores = nullptr;

class NoDesktop final : public DesktopOpener {
 public:
  LaunchResult Launch(DesktopProgram, const std::string&) override {
    return {LaunchStatus::NoDefaultProgram, {}};
  }
};
NoDesktop desktop;

FormatSettings UsFormats() {
  FormatSettings fs;
  fs.shortDateFormat = "mm/dd/yyyy";
  fs.dateSeparator = "/";
  fs.timeSeparator = ":";
  return fs;
}

std::string DayText(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[16];
  std::strftime(text, sizeof text, "%m/%d/%Y", &local);
  return text;
}

// The calendar query's first text for today and five days more.
std::string CalendarFilter() {
  const std::time_t now = std::time(nullptr);
  const std::string t0 = DayText(now) + " 00:00";
  const std::string e1 = DayText(now + 5 * 86400) + " 23:59";
  return "(([Start] >= \"" + t0 + "\") And ([Start] <= \"" + e1 + "\"))or ([End]>\"" + t0 +
         "\") And ([End] <= \"" + e1 + "\")";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// One refresh as the composer makes it; returns the items read.
std::size_t Walk(const TOutlookApplication::ServerFactory& factory, const std::string& filter) {
  std::size_t count = 0;
  auto server = factory();
  auto space = server->GetNamespace("MAPI");
  auto calendar = space->GetDefaultFolder(kFolderCalendar)->Items();
  calendar->Sort("[Start]", false);
  calendar->SetIncludeRecurrences(true);
  for (auto item = calendar->Find(filter); item; item = calendar->FindNext()) {
    if (_AppointmentItem* a = item->QueryAppointmentItem()) {
      benchmark::DoNotOptimize(a->Start() + a->End());
      benchmark::DoNotOptimize(a->Subject().size() + a->Location().size() + a->Categories().size());
      benchmark::DoNotOptimize(a->EntryID().size());
      ++count;
    }
  }
  auto tasks = space->GetDefaultFolder(kFolderTasks)->Items();
  tasks->Sort("[DueDate]", false);
  for (auto item = tasks->Find("([Complete] = False)"); item; item = tasks->FindNext()) {
    _TaskItem& t = ToTaskItem(*item);
    benchmark::DoNotOptimize(t.DueDate() + t.Importance() + t.Complete());
    benchmark::DoNotOptimize(t.Subject().size() + t.Categories().size() + t.EntryID().size());
    ++count;
  }
  return count;
}

void WarmWalk(benchmark::State& state, const std::string* path) {
  const auto factory = MakeIcalServerFactory(*path, UsFormats(), desktop);
  const std::string filter = CalendarFilter();
  std::size_t items = Walk(factory, filter);  // the first refresh reads the store
  for (auto _ : state) items = Walk(factory, filter);
  state.counters["items"] = static_cast<double>(items);
}

void ColdRead(benchmark::State& state, const std::string* path) {
  for (auto _ : state) {
    ical::IcalStore store(*path);
    benchmark::DoNotOptimize(store.Refresh());
  }
}

void FirstWalk(benchmark::State& state, const std::string* path) {
  const std::string filter = CalendarFilter();
  for (auto _ : state) {
    benchmark::DoNotOptimize(Walk(MakeIcalServerFactory(*path, UsFormats(), desktop), filter));
  }
}

void SnapshotRead(benchmark::State& state, const std::string* path) {
  ical::IcalStore(*path, stores->Snapshots()).Refresh();  // writes the snapshots
  std::uint64_t parsed = 0;
  for (auto _ : state) {
    ical::IcalStore store(*path, stores->Snapshots());
    benchmark::DoNotOptimize(store.Refresh());
    parsed += store.FilesRead();
  }
  state.counters["files_parsed"] = static_cast<double>(parsed);
}

void WatchedWalk(benchmark::State& state, const std::string* path, bool changeOne) {
  FolderChanges next;
  auto store = std::make_shared<ical::IcalStore>(*path, stores->Snapshots());
  store->SetChangeSource([&next] { return std::exchange(next, FolderChanges{}); });
  const auto factory = MakeIcalServerFactory(store, UsFormats(), desktop);
  const std::string filter = CalendarFilter();
  std::size_t items = Walk(factory, filter);
  // One item file of the folder, rewritten in place with its text changed.
  std::string changed;
  for (const auto& entry : fs::recursive_directory_iterator(*path)) {
    if (entry.is_regular_file()) changed = entry.path().string();
  }
  const std::string name = changed.substr(path->size() + 1);
  std::string text = ReadFile(changed);
  const auto summary = text.find("SUMMARY:");
  std::uint64_t round = 0;
  for (auto _ : state) {
    if (changeOne) {
      state.PauseTiming();
      text[summary + 8] = static_cast<char>('A' + round++ % 26);
      std::ofstream(changed, std::ios::binary | std::ios::trunc) << text;
      next.files.insert(name);
      state.ResumeTiming();
    }
    items = Walk(factory, filter);
  }
  state.counters["items"] = static_cast<double>(items);
  state.counters["files_parsed"] = static_cast<double>(store->FilesRead());
}

void LibicalParse(benchmark::State& state, const std::string* path) {
  icalerror_set_errors_are_fatal(0);
  const std::string text = ReadFile(*path);
  for (auto _ : state) {
    icalcomponent* root = icalparser_parse_string(text.c_str());
    benchmark::DoNotOptimize(root);
    icalcomponent_free(root);
  }
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
}

// Heap in use, blocks of their own (mmap) included, and the large blocks
// mapped beside the heap (a snapshot read whole, the arrays of records).
double HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd + MappedBlockBytes());
}

void HeldMemory(benchmark::State& state, const std::string* path, bool fromSnapshot) {
  icalerror_set_errors_are_fatal(0);
  const std::string snapshots = fromSnapshot ? stores->Snapshots() : std::string();
  if (fromSnapshot) ical::IcalStore(*path, snapshots).Refresh();
  double held = 0;
  double tree = 0;
  for (auto _ : state) {
    const double before = HeapInUse();
    auto store = std::make_unique<ical::IcalStore>(*path, snapshots);
    benchmark::DoNotOptimize(store->Refresh());
    held = HeapInUse() - before;
    state.PauseTiming();
    const std::string text = ReadFile(*path);
    const double beforeTree = HeapInUse();
    icalcomponent* root = icalparser_parse_string(text.c_str());
    tree = HeapInUse() - beforeTree;
    icalcomponent_free(root);
    state.ResumeTiming();
  }
  state.counters["held_MB"] = held / 1e6;
  state.counters["parse_tree_MB"] = tree / 1e6;
  state.counters["file_MB"] = static_cast<double>(fs::file_size(*path)) / 1e6;
}

void Generate(const std::string& out, int events, int tasks, const char* layout) {
  const std::string command = "python3 \"" LUMIVANE_SOURCE_DIR
                              "/bench/tools/generate_store.py\" --events " +
                              std::to_string(events) + " --tasks " + std::to_string(tasks) +
                              " --layout " + layout + " --out \"" + out + "\"";
  if (std::system(command.c_str()) != 0) {
    std::cerr << "the store generator failed: " << command << "\n";
    std::exit(1);
  }
}

}  // namespace
}  // namespace lumivane

int main(int argc, char** argv) {
  using namespace lumivane;
  benchmark::Initialize(&argc, argv);
  std::string pattern = (fs::temp_directory_path() / "lumivane-bench-XXXXXX").string();
  Stores generated{mkdtemp(pattern.data()), {}, {}, {}};
  generated.file5k = (generated.root / "store-5k.ics").string();
  generated.vdir5k = (generated.root / "store-5k").string();
  generated.file50k = (generated.root / "store-50k.ics").string();
  Generate(generated.file5k, 5000, 1000, "file");
  Generate(generated.vdir5k, 5000, 1000, "vdir");
  Generate(generated.file50k, 50000, 10000, "file");
  stores = &generated;

  benchmark::RegisterBenchmark("WarmWalk/file/5k", WarmWalk, &stores->file5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WarmWalk/vdir/5k", WarmWalk, &stores->vdir5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WarmWalk/file/50k", WarmWalk, &stores->file50k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ColdRead/file/5k", ColdRead, &stores->file5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("LibicalParse/file/5k", LibicalParse, &stores->file5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ColdRead/vdir/5k", ColdRead, &stores->vdir5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("FirstWalk/file/5k", FirstWalk, &stores->file5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ColdRead/file/50k", ColdRead, &stores->file50k)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("LibicalParse/file/50k", LibicalParse, &stores->file50k)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("SnapshotRead/file/5k", SnapshotRead, &stores->file5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SnapshotRead/vdir/5k", SnapshotRead, &stores->vdir5k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("SnapshotRead/file/50k", SnapshotRead, &stores->file50k)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WatchedWalk/vdir/5k/unchanged", WatchedWalk, &stores->vdir5k, false)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("WatchedWalk/vdir/5k/one-changed", WatchedWalk, &stores->vdir5k,
                               true)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("HeldMemory/file/50k", HeldMemory, &stores->file50k, false)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::RegisterBenchmark("HeldMemory/file/50k/snapshot", HeldMemory, &stores->file50k, true)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(generated.root);
  return 0;
}
