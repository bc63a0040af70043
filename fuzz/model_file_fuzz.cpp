// SPDX-License-Identifier: GPL-3.0-or-later
// Model files in both forms: every input is read as a form 1 and as a form 2 file. A file that
// was read must give a model within its limits, and saving it, reading the save and saving again
// must give the same bytes (what the user saves is what the next session gets back).

#include <memory>

#include "fuzz_support.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "numeric/kpoint_calc.h"
#include "support/pending_messages.h"

using namespace quarnel;

namespace {

void CheckLimits(const ModelData& m) {
  FUZZ_CHECK(m.NOrb >= 0 && m.NOrb <= kMaxOrb);
  for (int i = 1; i <= m.NOrb; ++i) {
    FUZZ_CHECK(!m.OrbName[i].empty());
    for (unsigned char c : m.OrbName[i]) FUZZ_CHECK(c > ' ');  // one word
    FUZZ_CHECK(FindOrbital(m, m.OrbName[i]) == i);             // names are distinct
    FUZZ_CHECK(m.Alpha(i) <= 0);
  }
}

std::unique_ptr<ModelData> ReadSaved(const std::string& saved, int betaTyp) {
  const std::string& name = quarnel_fuzz::InputFile(
      reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size(), "saved");
  auto m = std::make_unique<ModelData>();
  m->BetaTyp = betaTyp;
  PendingMessages messages;
  FUZZ_CHECK(ReadModelFile(*m, messages, name) == 0);
  FUZZ_CHECK(messages.Text.empty());  // the writer's own file reads without a complaint
  return m;
}

// A second save equals the first, but for one change the model's rules make: a partner position
// written as 0.000 (an integer position reduced to 0, or a small one rounded to three decimals)
// reads as 0, which the refresh takes for the midway default 0.5.
bool SameExceptMidway(const std::string& first, const std::string& second) {
  if (first == second) return true;
  if (first.size() != second.size()) return false;
  for (std::size_t p = 0; p < first.size(); ++p) {
    if (first[p] == second[p]) continue;
    // Only the digit after "dst?=0." may differ, 0 against 5.
    if (p < 7 || first.compare(p - 7, 3, "dst") != 0 || first.compare(p - 3, 3, "=0.") != 0 ||
        first[p] != '0' || second[p] != '5')
      return false;
  }
  return true;
}

void ReadOneForm(const std::string& name, int betaTyp) {
  auto m = std::make_unique<ModelData>();
  m->BetaTyp = betaTyp;
  PendingMessages messages;
  FUZZ_CHECK(ReadModelFile(*m, messages, name) == 0);
  FUZZ_CHECK(messages.Text.empty() || messages.Text.rfind("Reading errors: \r\n", 0) == 0);
  CheckLimits(*m);

  const std::string saved = FormatModelFile(*m);
  std::unique_ptr<ModelData> m2 = ReadSaved(saved, betaTyp);
  FUZZ_CHECK(m2->NOrb == m->NOrb);
  FUZZ_CHECK(m2->HeaderText == m->HeaderText);
  const std::string savedAgain = FormatModelFile(*m2);
  if (!SameExceptMidway(saved, savedAgain)) {
    std::fprintf(stderr, "form %d, first save:\n", betaTyp);
    std::fwrite(saved.data(), 1, saved.size(), stderr);
    std::fprintf(stderr, "\nsecond save:\n");
    std::fwrite(savedAgain.data(), 1, savedAgain.size(), stderr);
    FUZZ_CHECK(false);
  }
  // After that one change the file is stable.
  if (savedAgain != saved)
    FUZZ_CHECK(FormatModelFile(*ReadSaved(savedAgain, betaTyp)) == savedAgain);

  // What the program does next with a model it has read: one k point.
  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  HamMatrix hamK = {};
  CalcKpoint(TableModel(*m), KPointFromNumerators(20, 3, -7, 11), hamK, *solver);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name = quarnel_fuzz::InputFile(data, size, "model");
  ReadOneForm(name, 1);
  ReadOneForm(name, 2);
  return 0;
}
