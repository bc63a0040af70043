// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one model, solver and message buffer, and the flags its windows share. Windows
// reach them through App(); the core functions they call take them by reference.

#include <functional>
#include <string>

#include "model/model_data.h"
#include "numeric/hamiltonian.h"
#include "numeric/jacobi_solver.h"
#include "support/pending_messages.h"

struct AppState {
  quarnel::ModelData Model;
  quarnel::JacobiSolver Solver;
  quarnel::HamMatrix HamK = {};
  quarnel::PendingMessages Messages;

  // Runs of the bands window.
  bool StopFlag = false;
  bool PauseFlag = false;
  int MarkerSize = 10;

  // Orbital chart: edge length of a cell in chart units, track-bar steps per unit, a request to
  // recompute the axis ranges, and whether the Gamma phase picture is the one shown.
  double OrbPlotScale = 2.0;
  int OrbScaleSteps = 4;
  bool OrbPlotRescale = false;
  bool GammaPictureShown = false;
  // Recomputes the orbital chart's axes (set by the orbital pictures; called by the bands
  // window's "Resize" and track bar).
  std::function<void()> FitOrbitalAxes;

  // Program title; at first paint it gets the model extension, "Quarnel V7.12 (qrg)".
  std::string CaptionBase = "Quarnel V7.12 ";
  std::string ModelExtension = "qrg";
  std::string BaseDir;
  std::string ProgramDir;
  // Where a package installs the manual: share/quarnel/Quarnel beside the program's bin folder.
  std::string InstalledManualDir;
  std::string PdfViewerPath;
};

AppState& App();
