// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows, created as the program entry creates them, with scripted dialogs and a
// folder for the files one test writes.

#include <qcustomplot.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "bandwindows/band_window.h"
#include "connect_windows.h"
#include "document/model_document.h"
#include "gui/harness/scripted_dialogs.h"
#include "mainwindow/main_window.h"
#include "widgets/about_box.h"
#include "widgets/diagnostics_window.h"
#include "widgets/string_grid.h"
#include "workbench/eigen_window.h"

inline const QString kExamples = QStringLiteral(QUARNEL_EXAMPLES);

// The control of window that has name as objectName (its member's name). The windows it owns
// (k map, About, ...) have controls of their own and are not searched; a name that is missing or
// not unique is a fault of the test and ends it at once.
template <class T>
T* Find(const QObject* window, const char* name) {
  T* found = nullptr;
  int count = 0;
  std::vector<const QObject*> open{window};
  while (!open.empty()) {
    const QObject* o = open.back();
    open.pop_back();
    for (QObject* child : o->children()) {
      const auto* w = qobject_cast<const QWidget*>(child);
      if (w && w->isWindow() && w->windowType() != Qt::Popup) continue;
      T* t = qobject_cast<T*>(child);
      if (t && child->objectName() == QLatin1String(name)) {
        found = t;
        ++count;
      }
      open.push_back(child);
    }
  }
  if (count != 1) qFatal("%d controls named %s", count, name);
  return found;
}

struct Program {
  explicit Program(const QStringList& arguments = {}) {
    doc.Messages().Show = [this](const std::string& text) {
      dialogs.Warning(nullptr, QString::fromStdString(text));
    };
    form = std::make_unique<TFormQuarnel>(doc);
    pom = std::make_unique<TUnitPomDlg>();
    bands = std::make_unique<TBandDlg>(doc);
    eigen = std::make_unique<TEigenDlg>(doc);
    about = std::make_unique<TAboutUBox>(doc.Messages(), form.get());
    ConnectWindows(doc, *form, pom.get(), bands.get(), eigen.get(), about.get());
    form->SetArguments(arguments);
    form->FirstPaint();
    bands->resize(900, 600);
  }
  ~Program() { doc.Messages().Show = nullptr; }

  // A file of this test's folder.
  QString Write(const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    return path;
  }
  void Load(const char* model) { form->ReadModelFile(Write("model.qrg", model)); }

  // A control of the main window or the bands window by its name.
  template <class T>
  T* Form(const char* name) const {
    return Find<T>(form.get(), name);
  }
  template <class T>
  T* Bands(const char* name) const {
    return Find<T>(bands.get(), name);
  }

  QString Cell(int col, int row) const {
    return Form<StringGrid>("sgInputOverlap")->Cell(col, row);
  }
  // A click on a grid cell, as the mouse gives it (also on the cell that is current).
  void Select(int col, int row) const {
    StringGrid* g = Form<StringGrid>("sgInputOverlap");
    const QModelIndex at = g->model()->index(row - 1, col);
    g->scrollTo(at);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(at).center());
  }
  QCustomPlot* Chart() const { return Bands<QCustomPlot>("Chart3"); }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  // The program's document; the windows, destroyed before it, show it.
  ModelDocument doc;
  std::unique_ptr<TFormQuarnel> form;
  std::unique_ptr<TUnitPomDlg> pom;
  std::unique_ptr<TBandDlg> bands;
  std::unique_ptr<TEigenDlg> eigen;
  std::unique_ptr<TAboutUBox> about;
};

// A model file written for one test.
inline QString WriteModel(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
  const QString path = dir.filePath(name);
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(text);
  return path;
}
