// SPDX-License-Identifier: GPL-3.0-or-later
// Checks that the program's icon renders with Qt's own SVG renderer (the one the program links),
// so the check needs nothing beyond the build's dependencies. Prints the rendered size as WxH
// and exits 1 when the picture is invalid or paints nothing.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: icon_check ICON.svg\n");
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "%s: not a valid SVG picture\n", argv[1]);
    return 1;
  }
  const QSize size = renderer.defaultSize();
  if (size.isEmpty()) return 1;
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  int painted = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) ++painted;
  // An icon that paints less than a tenth of its square is as good as empty.
  if (painted * 10 < size.width() * size.height()) {
    std::fprintf(stderr, "%s: renders almost empty\n", argv[1]);
    return 1;
  }
  std::printf("%dx%d\n", size.width(), size.height());
  return 0;
}
