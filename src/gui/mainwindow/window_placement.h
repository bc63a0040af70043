// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the main window and the Bands&DOS window start: side by side at the top left of the
// screen, each fully on it. On a narrow screen the bands window gives up width first, down to
// the width at which nothing of it scrolls, then the main window down to its minimum, then the
// bands window down to its narrowest (its panel scrolling sideways).

#include <QMargins>
#include <QRect>
#include <QSize>

namespace quarnel {

struct StartWindow {
  QSize design;  // client size it is built with
  int minWidth;  // narrowest client width that still shows every control
  // Narrowest client width at which nothing has to scroll (0: minWidth).
  int fitWidth = 0;
};

// Client rectangles of both windows on the available screen area; frame is the window
// manager's frame around each client.
struct StartGeometry {
  QRect main, bands;
};
StartGeometry PlaceStartWindows(const QRect& screen, const QMargins& frame, const StartWindow& main,
                                const StartWindow& bands);

}  // namespace quarnel
