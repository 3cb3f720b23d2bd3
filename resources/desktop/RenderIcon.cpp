// Build-time tool: renders the application icon's SVG into a square PNG of a
// given size, with Qt's own SVG renderer (no further tool needed to build).
//   lumivane_render_icon IN.svg SIZE OUT.png
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: lumivane_render_icon IN.svg SIZE OUT.png\n");
    return 2;
  }
  // No application object: raster painting of shapes needs no platform, and
  // the icon has no text.
  const int size = std::atoi(argv[2]);
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid() || size <= 0 || size > 1024) {
    std::fprintf(stderr, "lumivane_render_icon: cannot render %s at %s\n", argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "lumivane_render_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
