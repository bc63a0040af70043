// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A workbench with scripted dialogs and a folder for its matrix files; warnings of the pending
// message buffer reach the scripted dialogs as in the program.

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "document/model_document.h"
#include "gui/harness/scripted_dialogs.h"
#include "widgets/string_grid.h"
#include "workbench/eigen_window.h"

struct Bench {
  Bench() {
    doc.Messages().Show = [this](const std::string& text) {
      dialogs.Warning(nullptr, QString::fromStdString(text));
    };
    window = std::make_unique<TEigenDlg>(doc);
  }
  ~Bench() {
    window.reset();
    doc.Messages().Show = nullptr;
  }

  QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }

  QString Write(const QString& name, const QByteArray& text) const {
    QFile f(Path(name));
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    return Path(name);
  }

  // Opens a file through the Open button as a user would.
  void Open(const QString& path) {
    dialogs.openAnswers << path;
    window->btnOpenA->click();
  }
  void Load(const QByteArray& text) { Open(Write("m.qmx", text)); }

  QString A(int col, int row) const { return window->sgJacobiA->Cell(col, row); }
  QString R1(int col, int row) const { return window->sgJacobiR1->Cell(col, row); }
  QString R2(int col, int row) const { return window->sgJacobiR2->Cell(col, row); }

  ScriptedDialogs dialogs;
  QTemporaryDir dir;
  ModelDocument doc;
  std::unique_ptr<TEigenDlg> window;
};

// The complex 2 x 2 example [[1, 2+3i], [2-3i, 4]]; its real matrix of order 4.
inline const QByteArray kExample = "example\r\n1 2 0 3\r\n2 4 -3 0\r\n";
inline const double kExampleReal[5][5] = {
    {}, {0, 1, 2, 0, 3}, {0, 2, 4, -3, 0}, {0, 0, -3, 1, 2}, {0, 3, 0, 2, 4}};
