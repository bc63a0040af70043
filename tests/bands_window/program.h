#pragma once
// The program's windows, created as the program entry creates them, with a model read from text.

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "bands/band_window.h"
#include "gui/scripted_dialogs.h"
#include "mainwindow/main_window.h"
#include "support/about_box.h"
#include "support/app_state.h"
#include "support/diagnostics_window.h"
#include "workbench/eigen_window.h"

// A chain of two orbitals coupled along X.
inline const char* const kTwoOrbitals =
    "two orbitals\n"
    "_alfa      a  -1.000  tok= 1 tox=0.500 toy=0.500 bepx= -1.000 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n"
    "_alfa      b   1.000  tok= 2 tox=0.500 toy=0.500 bepx=  0.500 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n"
    "_beta      a      b (ka) bemx=  0.300 bepx= -0.300 dstx=0.500 sorx= 0.000 soix= 0.000 \n";

// One orbital, E = -1 - 2 cos(pi kx).
inline const char* const kChain =
    "chain\n"
    "_alfa      s  -1.000  tok= 1 tox=0.500 toy=0.500 bepx= -1.000 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n";

// One orbital without hopping: every energy is -2.
inline const char* const kFlat =
    "flat\n"
    "_alfa      s  -2.000  tok= 1 tox=0.500 toy=0.500 bepx=  0.000 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n";

struct Program {
  explicit Program(const QStringList& arguments = {}) {
    App() = AppState();
    App().Messages.Show = [this](const std::string& text) {
      dialogs.Warning(nullptr, QString::fromStdString(text));
    };
    form = std::make_unique<TFormQuarnel>();
    pom = std::make_unique<TUnitPomDlg>();
    bands = std::make_unique<TBandDlg>();
    eigen = std::make_unique<TEigenDlg>();
    about = std::make_unique<TAboutUBox>(form.get());
    form->SetWindows(pom.get(), bands.get(), eigen.get(), about.get());
    form->SetArguments(arguments);
    form->FirstPaint();
  }
  ~Program() { App().Messages.Show = nullptr; }

  QString Write(const QString& name, const QByteArray& text) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    return path;
  }
  void Load(const char* model) { form->ReadModelFile(Write("model.qrg", model)); }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TFormQuarnel> form;
  std::unique_ptr<TUnitPomDlg> pom;
  std::unique_ptr<TBandDlg> bands;
  std::unique_ptr<TEigenDlg> eigen;
  std::unique_ptr<TAboutUBox> about;
};
