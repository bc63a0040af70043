// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_writer.h"

#include "support/number_text.h"
#include "support/text_file.h"

namespace quarnel {
namespace {

const char kAxis[] = {' ', 'x', 'y', 'z'};

std::string Key(const char* stem, int d) {
  return std::string(stem) + kAxis[d] + "=";
}

std::string OrbitalLine(const ModelData& m, int i) {
  std::string line =
      "_alfa " + PadLeft(OrbitalFileName(m, i), 6) + " " + FormatFixed(m.Alpha(i), 7, 3) + " ";
  line += " tok=" + FormatInt(m.OrbPlotKind[i], 2) + " tox=" + FormatFixed(m.OrbPlotX[i], 5, 3) +
          " toy=" + FormatFixed(m.OrbPlotY[i], 5, 3);
  for (int d = 1; d <= 3; ++d) line += " " + Key("bep", d) + FormatFixed(m.BetaPlus[i][i][d], 7, 3);
  line += " mef=" + FormatFixed(m.EffMass[i], 5, 3);
  return line + "\r\n";
}

// A value counts when its written text is not zero: a line of zeros would read back as nothing
// and the next save would drop it, so saving the same model twice could differ.
bool Written(double x) {
  return FormatFixed(x, 0, 3) != "0.000";
}

bool PairLineWanted(const ModelData& m, int i, int j, int d) {
  if (m.BetaTyp == 1)
    return (m.OverlapType[i][j][d] != 0 && Written(m.Beta[i][j][d])) || Written(m.Beta2[i][j][d]);
  if (m.BetaTyp == 2)
    return Written(m.BetaMinus[i][j][d]) || Written(m.BetaPlus[i][j][d]) ||
           Written(m.SocRe[i][j][d]) || Written(m.SocIm[i][j][d]);
  return false;
}

std::string PairLine(const ModelData& m, int i, int j, int d) {
  std::string line = "_beta " + PadLeft(OrbitalFileName(m, i), 6) + " " +
                     PadLeft(OrbitalFileName(m, j), 6) + " " + DirTag[d] + ") ";
  if (m.BetaTyp == 1) {
    line += FormatFixed(m.Beta[i][j][d], 7, 3) + " " + std::to_string(m.OverlapType[i][j][d]) +
            " " + FormatFixed(m.Beta2[i][j][d], 7, 3) + " ";
  } else {
    line += Key("bem", d) + FormatFixed(m.BetaMinus[i][j][d], 7, 3) + " ";
    line += Key("bep", d) + FormatFixed(m.BetaPlus[i][j][d], 7, 3) + " ";
    line += Key("dst", d) + FormatFixed(m.BetaPos[i][j][d], 5, 3) + " ";
    line += Key("sor", d) + FormatFixed(m.SocRe[i][j][d], 6, 3) + " ";
    line += Key("soi", d) + FormatFixed(m.SocIm[i][j][d], 6, 3) + " ";
  }
  return line + "\r\n";
}

}  // namespace

std::string FormatModelFile(const ModelData& m) {
  std::string text = m.HeaderText + "\r\n";
  for (int i = 1; i <= m.NOrb; ++i) text += OrbitalLine(m, i);
  for (int i = 1; i <= m.NOrb; ++i)
    for (int j = i + 1; j <= m.NOrb; ++j)
      for (int d = 1; d <= 3; ++d)
        if (PairLineWanted(m, i, j, d)) text += PairLine(m, i, j, d);
  // Only a set filling: files without one stay as they always were.
  if (m.FillElectrons > 0)
    text += "_fill electrons=" + FormatG(m.FillElectrons, 12) +
            " spin=" + std::to_string(m.FillSpin) + "\r\n";
  return text;
}

int WriteModelFile(ModelData& m, PendingMessages& messages, const std::string& name) {
  const int code = WriteWholeTextFile(name, FormatModelFile(m), messages);
  if (code != 0) return code;
  m.ModelFileName = name;
  return 0;
}

}  // namespace quarnel
