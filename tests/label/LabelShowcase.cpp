// A window holding one markup label set up as the desktop display's label,
// showing the composer's first worked example, for end-to-end checks under a
// real X server. It writes what the label reports to standard output: first
// each link's rectangle in window coordinates ("link <target> x y w h"), then
// one line per event ("enter", "exit", "click", "open").
#include <QApplication>
#include <QFont>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <map>
#include <string>

#include "display/DisplayImages.h"
#include "display/markup/THTMLabel.h"
#include "display/markup/TImageList.h"
#include "support/WorkedExamples.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lumivane;
  QApplication app(argc, argv);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Label showcase"));
  window.resize(320, 200);
  TImageList images(QSize(16, 16), &window);
  FillDisplayImages(images);

  auto* label = new THTMLabel(&window);
  label->SetAlign(TAlign::alClient);
  label->SetColor(RGB(30, 60, 110));
  label->SetTransparent(false);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(8);
  label->SetFont(font);
  label->SetFontColor(clWhite);
  label->SetShadowColor(clBlack);
  label->SetShadowOffset(1);
  label->SetURLColor(clBlue);
  label->SetVAlignment(TVAlignment::tvaTop);
  label->SetImages(&images);
  for (const std::string& line : test::FirstWorkedExampleLines()) {
    label->HTMLText().Add(line);
  }

  label->OnAnchorEnter = [](const std::string& anchor) { Say("enter " + anchor); };
  label->OnAnchorExit = [](const std::string&) { Say("exit"); };
  label->OnAnchorClick = [](const std::string& anchor) { Say("click " + anchor); };
  label->UrlOpener = [](const QUrl& address) { Say("open " + address.toString().toStdString()); };

  window.show();
  // The links as the label finds them, for the test to point at.
  std::map<std::string, Rect> links;
  for (int y = 0; y < label->height() && links.size() < 2; y += 2) {
    for (int x = 0; x < label->width(); x += 3) {
      const LabelAnchor anchor = label->AnchorAt(x, y);
      if (!anchor.target.empty()) links.emplace(anchor.target, anchor.rect);
    }
  }
  for (const auto& [target, r] : links) {
    Say("link " + target + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
        std::to_string(r.Width()) + " " + std::to_string(r.Height()));
  }
  Say("ready");
  return app.exec();
}
