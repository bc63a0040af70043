// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model as a self-contained Python script (numpy, and matplotlib only to plot) that builds
// H(k) with the model's numbers exactly as the program does, diagonalises it along a k path and
// plots the bands; "--print" prints the energies of each point instead, highest first.
//
// The script is one frame around a per-form part: the form's emitter writes the Python that
// defines N (the orbital count) and hamiltonian(k), a complex N x N array for k = (kx, ky, kz).
// A new model form plugs in as one more emitter returning PythonModelCode.

#include <string>
#include <vector>

#include "bands/kpath.h"
#include "model/model_data.h"

namespace quarnel {

// The per-form part of a script.
struct PythonModelCode {
  std::vector<std::string> orbitalNames;  // [0] is orbital 1
  std::string formName;                   // said in the script's first lines
  std::string hamiltonian;                // Python defining N and hamiltonian(k)
};

// Where the numbers came from, kept in the script as string constants.
struct PythonScriptSource {
  std::string modelFile;
  std::string modelHeader;  // the model file's first line
  std::string kPathName;    // the path file, or what the bands window's memo held
  std::string kPathTitle;   // line 0 of the path
};

// Forms 1 and 2 (by model.BetaTyp): the terms of every orbital and pair in use.
PythonModelCode PythonCodeOfModel(const ModelData& model);

// The whole script for the points of a path (as PathPoints gives them).
std::string PythonBandScript(const PythonModelCode& code, const std::vector<KPathPoint>& path,
                             const PythonScriptSource& source);

// A Python string literal of text: valid UTF-8 is kept, other bytes read as Latin-1 (as the
// windows show them), quotes, backslashes and control characters escaped.
std::string PythonString(const std::string& text);

// A Python float literal that reads back to exactly x.
std::string PythonNumber(double x);

}  // namespace quarnel
