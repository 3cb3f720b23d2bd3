// The markup engine's speed: a display of 60 lines (the composer's kind of
// markup) laid out, drawn and hit-tested through QtCanvas, as the label does
// on every paint and every mouse move (the hit test must stay under 1 ms);
// and 64 KiB inputs of the worst kinds (each must finish in under 1 s).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <functional>
#include <string>

#include "display/markup/DrawMarkup.h"
#include "display/markup/MarkupPlainText.h"
#include "display/markup/QtCanvas.h"
#include "display/markup/TImageList.h"
#include "support/TestCanvas.h"

namespace lumivane {
namespace {

constexpr int kDisplayLines = 60;
constexpr std::size_t k64KiB = 64 * 1024;
const Rect kDisplayRect{0, 0, 420, 1200};
// Rectangle of a label that sizes itself: no limit to stop the lines.
const Rect kUnlimitedRect{0, 0, 400, 1 << 29};

// Heading, day headings and appointments with times, links and locations,
// the task heading and tasks with importance images and coloured dates: one
// markup line per display line, in the shadow.
std::string ComposerDisplay(int lines) {
  std::string markup = "<P align=\"left\">";
  markup +=
      "<SHAD><IMG src=\"idx:1\" align=\"middle\" > <a href=\"Calendar\"><U><B>Calendar"
      "</B></U></a><BR></SHAD></a>";
  int written = 1;
  const int taskLines = 10;
  for (int day = 0; written < lines - taskLines; ++day) {
    markup += "<SHAD><b>Day " + std::to_string(day) + " (0" + std::to_string(day % 9 + 1) +
              "/Dec) </b><BR></SHAD>";
    ++written;
    for (int i = 0; i < 12 && written < lines - taskLines; ++i, ++written) {
      markup +=
          "<SHAD>  <IMG src=\"idx:4\" align=\"middle\"> <font size=\"7\">09:30 - </font>"
          "<a href=\"outlook:00000000A1B2C3D4" +
          std::to_string(written) + "\">Weekly planning &amp; review " + std::to_string(i) +
          "</a> (Room " + std::to_string(i) + ") <BR></SHAD>";
    }
  }
  markup +=
      "<br></a><SHAD><IMG src=\"idx:0\" align=\"middle\"> <a href=\"Tasks\"><U><B>Tasks"
      "</B></U></a><BR></SHAD></a>";
  for (written += 2; written < lines; ++written) {
    markup +=
        "<SHAD><IMG src=\"idx:2\" align=\"middle\"> <font color=\"#FF0000\" Size=\"7\">"
        "05/12/2026 - </Font><font color=\"#FF0000\"><a href=\"outlook:T" +
        std::to_string(written) + "\">Pay the rent</a></font></SHAD><br>";
  }
  return markup + "<br>";
}

struct QtSurface {
  QtSurface()
      : image(kDisplayRect.right, kDisplayRect.bottom, QImage::Format_RGB32),
        images(QSize(16, 16)) {
    image.fill(Qt::white);
    for (int i = 0; i < 6; ++i) {
      QPixmap picture(16, 16);
      picture.fill(QColor::fromHsv(i * 60, 255, 200));
      images.Add(picture);
    }
    font.setFamily("DejaVu Sans");
    font.setPointSize(8);
  }
  // A fresh canvas per call, as the label makes one per paint or mouse move;
  // the label keeps its text extents between them.
  MarkupResult Run(std::string_view markup, const Rect& rect, const MarkupOptions& options) {
    QPainter painter(&image);
    QtCanvas canvas(painter, keepExtents ? &extents : nullptr);
    canvas.SetImages(&images);
    canvas.SetFont(QtCanvas::FontStyleFromQFont(font, RGB(0, 0, 0xFF)));
    return DrawMarkup(canvas, markup, rect, options);
  }
  QImage image;
  TImageList images;
  QFont font;
  bool keepExtents = true;
  TextExtentCache extents;
};

void BM_DrawDisplay60Lines(benchmark::State& state) {
  QtSurface surface;
  const std::string markup = ComposerDisplay(kDisplayLines);
  MarkupResult result;
  for (auto _ : state) {
    result = surface.Run(markup, kDisplayRect, {});
    benchmark::DoNotOptimize(result);
  }
  state.counters["height"] = result.totalHeight;
}
BENCHMARK(BM_DrawDisplay60Lines)->Unit(benchmark::kMicrosecond);

void BM_MeasureDisplay60Lines(benchmark::State& state) {
  QtSurface surface;
  const std::string markup = ComposerDisplay(kDisplayLines);
  MarkupOptions options;
  options.measureOnly = true;
  for (auto _ : state) benchmark::DoNotOptimize(surface.Run(markup, kDisplayRect, options));
}
BENCHMARK(BM_MeasureDisplay60Lines)->Unit(benchmark::kMicrosecond);

// The pointer over the link of the 30th line; with the label's text extents
// kept from the calls before (every mouse move after the first), and without.
void BM_HitTestDisplay60Lines(benchmark::State& state) {
  QtSurface surface;
  surface.keepExtents = state.range(0) != 0;
  state.SetLabel(surface.keepExtents ? "extents kept" : "extents measured anew");
  const std::string markup = ComposerDisplay(kDisplayLines);
  MarkupOptions options;
  options.measureOnly = true;
  const MarkupResult layout = surface.Run(markup, kDisplayRect, options);
  const int lineHeight = layout.totalHeight / kDisplayLines;
  options.point = Point{120, 29 * lineHeight + lineHeight / 2};
  MarkupResult result;
  for (auto _ : state) {
    result = surface.Run(markup, kDisplayRect, options);
    benchmark::DoNotOptimize(result);
  }
  if (!result.overAnchor) state.SkipWithError("the pointer found no link");
  state.counters["anchor"] = result.anchorNumber;
}
BENCHMARK(BM_HitTestDisplay60Lines)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// 64 KiB of one piece repeated.
std::string Repeat(std::string_view piece) {
  std::string text;
  text.reserve(k64KiB + piece.size());
  while (text.size() < k64KiB) text += piece;
  text.resize(k64KiB);
  return text;
}

struct WorstCase {
  const char* name;
  std::function<std::string()> make;
};

const WorstCase kWorstCases[] = {
    // Each "&amp;" leaves an "&" for the next: one sweep at a time would take
    // 13000 sweeps over the whole text.
    {"entity_chain", [] { return "&" + Repeat("amp;") + "euro;"; }},
    {"entities", [] { return Repeat("&amp;lt;&QUOT;&nbsp;&euro;x "); }},
    {"words", [] { return Repeat("word "); }},
    {"one_word", [] { return Repeat("w"); }},
    {"tags_in_a_word", [] { return Repeat("a<b>b</b>"); }},
    {"line_breaks", [] { return Repeat("<BR>"); }},
    {"unclosed_signs", [] { return Repeat("a<b"); }},
    {"escaped_signs", [] { return Repeat("&lt;&gt;"); }},
    {"lists", [] { return Repeat("<UL><LI>x"); }},
    {"fonts", [] { return Repeat("<font size=\"7\" color=\"#FF0000\" face=\"Serif\">x</font> "); }},
    {"images", [] { return Repeat("<IMG src=\"idx:1\" align=\"middle\">"); }},
    {"anchors", [] { return Repeat("<a href=\"x\">y</a> "); }},
    {"hidden", [] { return "<Z>" + Repeat("hidden "); }},
    {"composer", [] { return Repeat(ComposerDisplay(kDisplayLines)); }},
};

void BM_Markup64KiBTestCanvas(benchmark::State& state) {
  const WorstCase& worst = kWorstCases[state.range(0)];
  state.SetLabel(worst.name);
  const std::string markup = worst.make();
  MarkupOptions options;
  options.measureOnly = true;
  options.point = Point{50, 5000};
  for (auto _ : state) {
    TestCanvas canvas;
    canvas.imageCount = 6;
    benchmark::DoNotOptimize(DrawMarkup(canvas, markup, kUnlimitedRect, options));
  }
}
BENCHMARK(BM_Markup64KiBTestCanvas)
    ->DenseRange(0, static_cast<int>(std::size(kWorstCases)) - 1)
    ->Unit(benchmark::kMillisecond);

void BM_Markup64KiBQtCanvas(benchmark::State& state) {
  const WorstCase& worst = kWorstCases[state.range(0)];
  state.SetLabel(worst.name);
  const std::string markup = worst.make();
  QtSurface surface;
  surface.keepExtents = false;
  for (auto _ : state) benchmark::DoNotOptimize(surface.Run(markup, kUnlimitedRect, {}));
}
BENCHMARK(BM_Markup64KiBQtCanvas)
    ->DenseRange(0, static_cast<int>(std::size(kWorstCases)) - 1)
    ->Unit(benchmark::kMillisecond);

void BM_MarkupToPlainText64KiB(benchmark::State& state) {
  const std::string markup = Repeat("<z>a</z><BR>b<c");
  for (auto _ : state) benchmark::DoNotOptimize(MarkupToPlainText(markup));
}
BENCHMARK(BM_MarkupToPlainText64KiB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumivane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
