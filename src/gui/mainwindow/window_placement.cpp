// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/window_placement.h"

#include <algorithm>

namespace quarnel {

StartGeometry PlaceStartWindows(const QRect& screen, const QMargins& frame, const StartWindow& main,
                                const StartWindow& bands) {
  const int fw = frame.left() + frame.right(), fh = frame.top() + frame.bottom();
  const int clients = screen.width() - 2 * fw;  // width left for the two clients
  int mainW = main.design.width(), bandsW = bands.design.width();
  if (mainW + bandsW > clients) {
    const int bandsFit = std::min(bandsW, std::max(bands.minWidth, bands.fitWidth));
    bandsW = std::max(bandsFit, clients - mainW);
    mainW = std::max(main.minWidth, std::min(mainW, clients - bandsW));
    bandsW = std::max(bands.minWidth, clients - mainW);
  }
  const int maxH = std::max(1, screen.height() - fh);
  const int mainH = std::min(main.design.height(), maxH);
  // Beside the main window the bands window is as tall as it, which its charts can use.
  const int bandsH = std::min(std::max(bands.design.height(), mainH), maxH);
  StartGeometry g;
  g.main = QRect(screen.left() + frame.left(), screen.top() + frame.top(), mainW, mainH);
  int x = g.main.right() + 1 + frame.right() + frame.left();
  // A screen too small for both keeps the bands window on it, over the main window's right side.
  x = std::max(screen.left() + frame.left(),
               std::min(x, screen.right() - frame.right() - bandsW + 1));
  g.bands = QRect(x, screen.top() + frame.top(), bandsW, bandsH);
  return g;
}

}  // namespace quarnel
