// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours of the chart series: entry 0 for totals, entry j for orbital j (1..16).

#include <QColor>

inline const QColor SeriesColors[20] = {
    QColor(0x00, 0x00, 0x00),                            // black
    QColor(0xFF, 0x00, 0x00),                            // red
    QColor(0x00, 0x80, 0x00),                            // green
    QColor(0x00, 0x00, 0xFF),                            // blue
    QColor(0xFF, 0x00, 0xFF),                            // fuchsia
    QColor(0x00, 0x80, 0x80),                            // teal
    QColor(0x00, 0x00, 0x80),                            // navy
    QColor(0xA6, 0xCA, 0xF0),                            // sky blue
    QColor(0x80, 0x00, 0x00),                            // maroon
    QColor(0x00, 0xFF, 0x00),                            // lime
    QColor(0x80, 0x80, 0x00),                            // olive
    QColor(0x80, 0x00, 0x80),                            // purple
    QColor(0xFF, 0x80, 0x00),                            // orange
    QColor(0x80, 0x00, 0x40), QColor(0x80, 0x40, 0x00),  // brown
    QColor(0x80, 0x80, 0x80),                            // grey
    QColor(0xFF, 0xBB, 0xDD),                            // pink
    QColor(0xC0, 0xDC, 0xC0),                            // money green
    QColor(0xFF, 0xA0, 0xA0), QColor(0xFF, 0xFF, 0xFF),  // white
};
