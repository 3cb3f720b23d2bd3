// One full refresh of the display over a generated store of 5,000
// appointments and 1,000 tasks in one file (bench/tools/generate_store.py):
// the store unchanged since the last refresh, both queries, the composing and
// the measuring of the window's size, as the desktop window runs it.
//
//   Refresh/defaults   the default settings (calendar and tasks)
//   Refresh/no-tasks   the task section off
// Each reports its number of display lines; targets: under 5 ms with the
// task section off and under 5 ms per 100 display lines.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/DisplayLabelSetup.h"
#include "app/LabelRefreshAdapter.h"
#include "base/Clock.h"
#include "display/DisplayImages.h"
#include "display/RefreshDisplay.h"
#include "display/markup/THTMLabel.h"
#include "display/markup/TImageList.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/ical/IcalServer.h"

namespace lumivane {
namespace {

namespace fs = std::filesystem;
std::string storeFile;

class NoDesktop final : public DesktopOpener {
 public:
  LaunchResult Launch(DesktopProgram, const std::string&) override {
    return {LaunchStatus::NoDefaultProgram, {}};
  }
};

void Refresh(benchmark::State& state, bool tasks) {
  Settings settings;
  settings.ShowTaks = tasks;
  TLanguage language;
  FormatSettings formats;  // ISO forms
  NoDesktop desktop;
  TOutlookApplication session(MakeIcalServerFactory(storeFile, formats, desktop), desktop);
  TImageList images(QSize(16, 16));
  FillDisplayImages(images);
  THTMLabel label;
  label.setAttribute(Qt::WA_DontShowOnScreen);
  SetUpDisplayLabel(label, &images, nullptr);
  LabelRefreshAdapter adapter(label);
  RefreshWindow window;
  const RefreshServices services{session, settings, language, formats, [] { return Now(); }};
  RefreshDisplay(window, adapter, services);  // the first refresh reads the store
  for (auto _ : state) {
    RefreshDisplay(window, adapter, services);
    benchmark::DoNotOptimize(window.Height());
  }
  state.counters["display_lines"] = label.HTMLText().Count();
  state.counters["window_w"] = window.Width();
  state.counters["window_h"] = window.Height();
}

}  // namespace
}  // namespace lumivane

int main(int argc, char** argv) {
  using namespace lumivane;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  std::string pattern = (fs::temp_directory_path() / "lumivane-refresh-XXXXXX").string();
  const fs::path root = mkdtemp(pattern.data());
  storeFile = (root / "store-5k.ics").string();
  const std::string command = "python3 \"" LUMIVANE_SOURCE_DIR
                              "/bench/tools/generate_store.py\" --events 5000 --tasks 1000 "
                              "--layout file --out \"" +
                              storeFile + "\"";
  if (std::system(command.c_str()) != 0) {
    std::cerr << "the store generator failed: " << command << "\n";
    return 1;
  }
  benchmark::RegisterBenchmark("Refresh/defaults", Refresh, true)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Refresh/no-tasks", Refresh, false)->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(root);
  return 0;
}
