// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a chart's numbers and picture, for every window that shows one: a name is asked for
// (proposed beside the model file as <model>_<what>.csv or .png), failures are shown at once.

#include <string>

class QCustomPlot;
class QString;
class QWidget;

// Writes text as the chosen CSV file. False when cancelled or failed.
bool SaveCsvTextAs(QWidget* parent, const std::string& text, const std::string& modelFile,
                   const char* what);

// Writes text as the file name; a failure is shown at once, with its reason. False when failed.
bool WriteTextAs(QWidget* parent, const QString& name, const std::string& text);

// The chart's picture as PNG (twice the chart's size), SVG or PDF (the chart's size), by the
// extension of the chosen name. False when cancelled or failed.
bool SaveChartPictureAs(QWidget* parent, QCustomPlot* chart, const std::string& modelFile,
                        const char* what);
