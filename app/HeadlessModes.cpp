#include "app/HeadlessModes.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <iostream>
#include <utility>
#include <vector>

#include "app/DisplayLabelSetup.h"
#include "app/LabelRefreshAdapter.h"
#include "app/LanguagesFolder.h"
#include "app/SettingsStore.h"
#include "base/Clock.h"
#include "base/FileIo.h"
#include "display/DisplayImages.h"
#include "display/RefreshDisplay.h"
#include "display/markup/MarkupEntities.h"
#include "display/markup/MarkupPlainText.h"
#include "display/markup/THTMLabel.h"
#include "display/markup/TImageList.h"
#include "outlook/OutlookStore.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/ical/IcalServer.h"
#include "outlook/ical/SampleStore.h"
#include "platform/DesktopLauncher.h"
#include "platform/LocaleFormats.h"

namespace lumivane {
namespace {

class LinesLabel : public RefreshLabel {
 public:
  explicit LinesLabel(int points) : points_(points) {}
  std::vector<std::string> lines;
  int FontPointSize() const override { return points_; }
  void SetIgnoreClearType(bool) override {}
  void SetLinkColorToFontColor() override {}
  void ClearLines() override { lines.clear(); }
  void AddLine(std::string line) override { lines.push_back(std::move(line)); }
  void MeasureLines(int& width, int& height) override { width = height = 0; }
  int TextHeight(const std::string&) override { return 0; }

 private:
  int points_;
};

// A window never shown, telling what could not be read on standard error.
class HeadlessWindow : public RefreshWindow {
 public:
  void ReportReadProblems(const std::vector<std::string>& problems) override {
    for (const std::string& problem : problems) std::cerr << "lumivane: " << problem << "\n";
  }
};

struct LoadedForRefresh {
  StoredSettings stored;
  TLanguage language;
  FormatSettings formats;
};

LoadedForRefresh LoadForRefresh(const HeadlessContext& context) {
  LoadResult loaded = LoadSettingsFile(
      SettingsFilePath(), MakeLoadContext(LanguagesFolder(context.programFolder), false));
  for (const std::string& error : loaded.errors) std::cerr << "lumivane: " << error << "\n";
  LoadedForRefresh result{loaded.stored, {}, SystemFormatSettings()};
  result.language.LanguageFile = loaded.stored.LanguageFile;
  return result;
}

int PointsOf(const StoredSettings& stored) {
  return PointsFromHeight(StoredDisplayFont(stored).height);
}

void RequireStore() {
  if (!OutlookIsRegistered()) {
    throw std::runtime_error("This program requires Microsoft Outlook installed\n" +
                             OutlookStoreHint());
  }
}

// One refresh as the window would run it, into `label`.
void RefreshInto(LoadedForRefresh& loaded, RefreshWindow& window, RefreshLabel& label) {
  DesktopLauncher launcher;
  TOutlookApplication session(
      MakeIcalServerFactory(
          std::make_shared<ical::IcalStore>(OutlookStorePath(), ical::SnapshotCacheFolder()),
          loaded.formats, launcher),
      launcher);
  RefreshDisplay(window, label,
                 RefreshServices{session, loaded.stored.settings, loaded.language, loaded.formats,
                                 [] { return Now(); }});
}

// One refresh into a plain line list.
std::vector<std::string> RefreshLines(const HeadlessContext& context) {
  RequireStore();
  LoadedForRefresh loaded = LoadForRefresh(context);
  HeadlessWindow window;  // never shown: composition counts as off
  LinesLabel label(PointsOf(loaded.stored));
  RefreshInto(loaded, window, label);
  return std::move(label.lines);
}

// The display as the window would show it, its background in the key colour.
int WriteScreenshot(const HeadlessContext& context, const std::string& file, int argc,
                    char** argv) {
  RequireStore();
  // No display is needed: the picture is drawn off screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  LoadedForRefresh loaded = LoadForRefresh(context);
  TImageList images(QSize(16, 16));
  FillDisplayImages(images);
  THTMLabel label;
  label.setAttribute(Qt::WA_DontShowOnScreen);
  SetUpDisplayLabel(label, &images, nullptr);
  ApplyLoadedLook(label, StoredDisplayFont(loaded.stored), loaded.stored.settings);
  LabelRefreshAdapter adapter(label);
  HeadlessWindow window;  // never shown: composition counts as off
  RefreshInto(loaded, window, adapter);

  label.resize(window.Width(), window.Height());
  // In device pixels, at the ratio the window would be drawn at (a scale
  // factor set for the program applies here too).
  const qreal ratio = app.devicePixelRatio();
  QImage picture(label.size() * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  // The background as the label paints it, also for a system colour.
  picture.fill(BackgroundKeyColor(loaded.stored.settings));
  label.render(&picture);
  if (!picture.save(QString::fromStdString(file), "PNG")) {
    throw std::runtime_error("Cannot write the picture " + file);
  }
  return 0;
}

}  // namespace

std::string MarkupOutputLine(std::string line) {
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::string DisplayPlainText(const std::string& markup) {
  // The markup read as the label reads it: prepared as before layout
  // (entities expanded, a carriage return a line break, a line feed dropped),
  // the tags taken out, then the entities of a text run.
  const std::string text = DecodeRunEntities(MarkupToPlainText(PreprocessMarkup(markup)));
  std::string out;
  out.reserve(text.size() + 1);
  // Line by line: a line break reads as "\r\n", its "\r" going with the
  // blanks at the line's end. Text after the last line end is a line too.
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t newline = text.find('\n', start);
    const std::size_t end = newline == std::string::npos ? text.size() : newline;
    const std::size_t lineStart = out.size();
    out.append(text, start, end - start);
    while (out.size() > lineStart &&
           (out.back() == ' ' || out.back() == '\t' || out.back() == '\r')) {
      out.pop_back();
    }
    out += '\n';
    start = end + 1;
  }
  return out;
}

int RunHeadless(const CommandLine& line, const HeadlessContext& context, int argc, char** argv) {
  try {
    switch (line.mode) {
      case RunMode::MakeSampleStore: {
        // What was written, and whether an earlier sample was replaced.
        const bool replacing = IsRegularFile(line.argument + "/" + kSampleFiles[0]) ||
                               IsRegularFile(line.argument + "/" + kSampleFiles[1]);
        for (const std::string& path : WriteSampleStore(line.argument, Now())) {
          std::cout << (replacing ? "Replaced " : "Wrote ") << path << "\n";
        }
        return 0;
      }
      case RunMode::Markup:
        for (std::string& l : RefreshLines(context))
          std::cout << MarkupOutputLine(std::move(l)) << "\n";
        return 0;
      case RunMode::Text: {
        const std::vector<std::string> lines = RefreshLines(context);
        std::size_t size = 0;
        for (const std::string& l : lines) size += l.size();
        std::string markup;
        markup.reserve(size);
        for (const std::string& l : lines) markup += l;
        std::cout << DisplayPlainText(markup);
        return 0;
      }
      case RunMode::Screenshot:
        return WriteScreenshot(context, line.argument, argc, argv);
      default:
        std::cerr << "lumivane: this mode is not available\n";
        return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "lumivane: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace lumivane
