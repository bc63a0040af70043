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

void ReadOneForm(const std::string& name, int betaTyp) {
  auto m = std::make_unique<ModelData>();
  m->BetaTyp = betaTyp;
  PendingMessages messages;
  FUZZ_CHECK(ReadModelFile(*m, messages, name) == 0);
  FUZZ_CHECK(messages.Text.empty() || messages.Text.rfind("Reading errors: \r\n", 0) == 0);
  CheckLimits(*m);

  const std::string saved = FormatModelFile(*m);
  const std::string& again = quarnel_fuzz::InputFile(
      reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size(), "saved");
  auto m2 = std::make_unique<ModelData>();
  m2->BetaTyp = betaTyp;
  PendingMessages messages2;
  FUZZ_CHECK(ReadModelFile(*m2, messages2, again) == 0);
  FUZZ_CHECK(messages2.Text.empty());  // the writer's own file reads without a complaint
  FUZZ_CHECK(m2->NOrb == m->NOrb);
  FUZZ_CHECK(m2->HeaderText == m->HeaderText);
  const std::string savedAgain = FormatModelFile(*m2);
  if (savedAgain != saved) {
    std::fprintf(stderr, "form %d, first save:\n", betaTyp);
    std::fwrite(saved.data(), 1, saved.size(), stderr);
    std::fprintf(stderr, "\nsecond save:\n");
    std::fwrite(savedAgain.data(), 1, savedAgain.size(), stderr);
  }
  FUZZ_CHECK(savedAgain == saved);

  // What the program does next with a model it has read: one k point.
  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  HamMatrix hamK = {};
  CalcKpoint(*m, KPointFromNumerators(20, 3, -7, 11), hamK, *solver);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name = quarnel_fuzz::InputFile(data, size, "model");
  ReadOneForm(name, 1);
  ReadOneForm(name, 2);
  return 0;
}
