// SPDX-License-Identifier: GPL-3.0-or-later
// The editing panels' Apply with arbitrary texts on a model of any size and form, with row and
// column numbers inside and outside the model. Afterwards the model must hold finite values
// within its rules, the grid texts and panels must be made from it, a save must read back to the
// same file, and one k point must be computed from it.

#include <cmath>
#include <cstring>
#include <memory>

#include "fuzz_support.h"
#include "model/grid_texts.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "model/panel_values.h"
#include "numeric/kpoint_calc.h"

using namespace quarnel;

namespace {

// Takes the texts one line at a time from the input.
class Texts {
 public:
  Texts(const std::uint8_t* data, std::size_t size)
      : text_(reinterpret_cast<const char*>(data), size) {}
  int Byte() {
    if (at_ >= text_.size()) return 0;
    return static_cast<unsigned char>(text_[at_++]);
  }
  std::string Next() {
    const std::size_t end = text_.find('\n', at_);
    std::string s = text_.substr(at_ < text_.size() ? at_ : text_.size(),
                                 end == std::string::npos ? std::string::npos : end - at_);
    at_ = end == std::string::npos ? text_.size() : end + 1;
    return s;
  }

 private:
  std::string text_;
  std::size_t at_ = 0;
};

template <typename Table>
bool SameTable(const Table& a, const Table& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameModel(const ModelData& a, const ModelData& b) {
  for (int i = 0; i <= kMaxOrb; ++i)
    if (a.OrbName[i] != b.OrbName[i]) return false;
  return a.NOrb == b.NOrb && SameTable(a.Beta, b.Beta) && SameTable(a.Beta2, b.Beta2) &&
         SameTable(a.OverlapType, b.OverlapType) && SameTable(a.BetaPlus, b.BetaPlus) &&
         SameTable(a.BetaMinus, b.BetaMinus) && SameTable(a.BetaPos, b.BetaPos) &&
         SameTable(a.SocRe, b.SocRe) && SameTable(a.SocIm, b.SocIm) &&
         SameTable(a.EffMass, b.EffMass) && SameTable(a.OrbPlotX, b.OrbPlotX) &&
         SameTable(a.OrbPlotY, b.OrbPlotY) && SameTable(a.OrbPlotKind, b.OrbPlotKind);
}

template <typename Table>
bool AllFinite(const Table& t) {
  for (const auto& row : t)
    for (const auto& cell : row)
      for (double v : cell)
        if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Texts in(data, size);
  auto m = std::make_unique<ModelData>();
  ClearModel(*m);
  m->BetaTyp = 1 + in.Byte() % 2;
  m->NOrb = in.Byte() % (kMaxOrb + 1);
  for (int i = 1; i <= m->NOrb; ++i) m->OrbName[i] = "o" + std::to_string(i);
  const int r = in.Byte() % (kMaxOrb + 3) - 1;  // -1..17
  const int c = in.Byte() % (kMaxOrb + 3) - 1;
  const int kindItem = in.Byte() % 16 - 2;
  int types[4];
  for (int& t : types) t = static_cast<signed char>(in.Byte());
  const int shown = in.Byte();

  for (int round = 0; round < 2 && in.Byte() != 0; ++round) {
    const auto before = std::make_unique<ModelData>(*m);
    OrbitalPanelTexts o;
    o.name = in.Next();
    o.alpha = in.Next();
    for (int d = 1; d <= 3; ++d) o.beta[d] = in.Next();
    o.effMass = in.Next();
    o.plotX = in.Next();
    o.plotY = in.Next();
    o.kindItem = kindItem;
    ApplyOrbitalPanel(*m, r, o);
    if (!ValidOrbital(*before, r)) FUZZ_CHECK(SameModel(*m, *before));

    BetaPanelTexts b;
    for (int d = 1; d <= 3; ++d) {
      b.type[d] = types[d];
      b.beta[d] = in.Next();
      b.beta2[d] = in.Next();
    }
    const auto beforePair = std::make_unique<ModelData>(*m);
    ApplyBetaPanel(*m, r, c, b);
    if (ValidPair(*m, r, c)) {
      for (int d = 1; d <= 3; ++d) {
        FUZZ_CHECK(m->OverlapType[r][c][d] >= 0 && m->OverlapType[r][c][d] <= 4);
        FUZZ_CHECK(m->Beta[r][c][d] <= 0 && m->Beta2[r][c][d] <= 0);
      }
    } else {
      FUZZ_CHECK(SameModel(*m, *beforePair));
    }

    BetaGenPanelTexts g;
    for (int d = 1; d <= 3; ++d) {
      g.minus[d] = in.Next();
      g.plus[d] = in.Next();
      g.pos[d] = in.Next();
      g.socRe[d] = in.Next();
      g.socIm[d] = in.Next();
      g.posShown[d] = (shown >> d) & 1;
    }
    ApplyBetaGenPanel(*m, r, c, g);
    NormalizeModel(*m);
  }

  for (auto* t :
       {&m->Beta, &m->Beta2, &m->BetaPlus, &m->BetaMinus, &m->BetaPos, &m->SocRe, &m->SocIm})
    FUZZ_CHECK(AllFinite(*t));
  for (int i = 1; i <= m->NOrb; ++i) {
    FUZZ_CHECK(m->OrbName[i].find_first_of(" \t") == std::string::npos);
    FUZZ_CHECK(std::isfinite(m->EffMass[i]) && std::isfinite(m->OrbPlotX[i]) &&
               std::isfinite(m->OrbPlotY[i]));
    FUZZ_CHECK(m->Alpha(i) <= 0);
  }

  // What the window shows next.
  for (int i = 1; i <= m->NOrb; ++i) {
    AlphaCellText(*m, i);
    DiagonalCellText(*m, i);
    OrbitalPanelFill(*m, i);
    for (int j = i + 1; j <= m->NOrb; ++j) {
      PairCellsText(*m, i, j);
      BetaPanelFill(*m, i, j);
      BetaGenPanelFill(*m, i, j);
    }
  }

  // A save reads back to the same file, unless two orbitals were given one name (then the file
  // holds one orbital for both, as the reader's rule for repeated names says).
  bool distinct = true;
  for (int i = 1; i <= m->NOrb; ++i)
    for (int j = i + 1; j <= m->NOrb; ++j)
      if (!m->OrbName[i].empty() && m->OrbName[i] == m->OrbName[j]) distinct = false;
  const std::string saved = FormatModelFile(*m);
  if (distinct) {
    const std::string& name = quarnel_fuzz::InputFile(
        reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size(), "saved");
    auto m2 = std::make_unique<ModelData>();
    m2->BetaTyp = m->BetaTyp;
    PendingMessages messages;
    FUZZ_CHECK(ReadModelFile(*m2, messages, name) == 0);
    FUZZ_CHECK(messages.Text.empty());
    FUZZ_CHECK(m2->NOrb == m->NOrb);
    for (int i = 1; i <= m->NOrb; ++i)
      if (!m->OrbName[i].empty()) FUZZ_CHECK(m2->OrbName[i] == m->OrbName[i]);
  }

  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  HamMatrix hamK = {};
  CalcKpoint(TableModel(*m), KPointFromNumerators(20, 5, 0, -3), hamK, *solver);
  return 0;
}
