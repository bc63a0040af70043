// SPDX-License-Identifier: GPL-3.0-or-later
// The program's readers on the files of the stress runs (one 10 MB line, a million lines, 1,000
// orbital names, random bytes) against a plain read of the same bytes: std::ifstream and getline
// into a vector. Prints the ratio per file kind at the end. Linear readers stay at a small
// constant ratio whatever the size; anything quadratic shows at once.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bands/kpoint_files.h"
#include "model/model_reader.h"
#include "stress/stress_files.h"
#include "support/text_file.h"
#include "workbench/matrix_file.h"

namespace {

namespace fs = std::filesystem;
using namespace quarnel;

struct Case {
  std::string name;    // kind/file
  std::string reader;  // model, qrk, klist, qmx, lines
  std::string path;
  std::uintmax_t bytes = 0;
};

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path p = fs::temp_directory_path() / ("quarnel-stress-bench-" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
  }();
  return folder;
}

std::vector<Case>& Cases() {
  static std::vector<Case> cases;
  return cases;
}

void AddCase(const std::string& name, const std::string& reader, const std::string& file,
             const std::string& bytes) {
  Case c{name, reader, (Folder() / file).string(), bytes.size()};
  if (!fs::exists(c.path)) std::ofstream(c.path, std::ios::binary) << bytes;
  Cases().push_back(c);
}

void MakeCases() {
  // Every kind at two sizes, a tenth and the full one: a linear reader keeps its ratio.
  constexpr std::size_t mb = 1u << 20;
  constexpr int tenth = stress::kMillion / 10;
  AddCase("model/long line 1 MB", "model", "long1.qrg", stress::ModelLongLine(mb));
  AddCase("model/long line 10 MB", "model", "long.qrg", stress::ModelLongLine());
  AddCase("model/bad line 1 MB", "model", "bad1.qrg", stress::ModelLongBadLine(mb));
  AddCase("model/bad line 10 MB", "model", "bad.qrg", stress::ModelLongBadLine());
  AddCase("model/header+name 2x1 MB", "model", "header1.qrg", stress::ModelLongHeaderAndName(mb));
  AddCase("model/header+name 2x10 MB", "model", "header.qrg", stress::ModelLongHeaderAndName());
  AddCase("model/100k lines", "model", "tenth.qrg", stress::ModelMillionLines(tenth));
  AddCase("model/1M lines", "model", "million.qrg", stress::ModelMillionLines());
  AddCase("model/1000 orbitals", "model", "names.qrg", stress::ModelThousandNames());
  AddCase("model/garbage", "model", "garbage.qrg", stress::ModelGarbage());
  AddCase("qrk/long line 1 MB", "qrk", "long1.qrk", stress::KpointLongLine(mb));
  AddCase("qrk/long line 10 MB", "qrk", "long.qrk", stress::KpointLongLine());
  AddCase("qrk/100k lines", "qrk", "tenth.qrk", stress::KpointMillionLines(tenth));
  AddCase("qrk/1M lines", "qrk", "million.qrk", stress::KpointMillionLines());
  AddCase("qrk/garbage", "qrk", "garbage.qrk", stress::RandomBytes(stress::kGarbageBytes, 7));
  AddCase("klist/100k lines", "klist", "tenth.klist_band", stress::KlistMillionLines(tenth));
  AddCase("klist/1M lines", "klist", "million.klist_band", stress::KlistMillionLines());
  AddCase("klist/garbage", "klist", "garbage.klist_band",
          stress::RandomBytes(stress::kGarbageBytes, 8));
  AddCase("qmx/long row 1 MB", "qmx", "long1.qmx", stress::MatrixLongLine(mb));
  AddCase("qmx/long row 10 MB", "qmx", "long.qmx", stress::MatrixLongLine());
  AddCase("qmx/1M rows", "qmx", "million.qmx", stress::MatrixMillionLines());
  AddCase("qmx/garbage", "qmx", "garbage.qmx", stress::RandomBytes(stress::kGarbageBytes, 9));
  // The line reader alone, on the biggest files.
  AddCase("lines/long line 10 MB", "lines", "long.qrg", "");
  AddCase("lines/1M lines", "lines", "million.qrg", "");
  for (auto& c : Cases()) c.bytes = fs::file_size(c.path);
}

void PlainRead(const Case& c) {
  std::ifstream in(c.path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
  benchmark::DoNotOptimize(lines.data());
}

void ProgramRead(const Case& c) {
  PendingMessages messages;
  if (c.reader == "model") {
    auto m = std::make_unique<ModelData>();
    ReadModelFile(*m, messages, c.path);
    benchmark::DoNotOptimize(m->NOrb);
  } else if (c.reader == "qrk" || c.reader == "klist") {
    std::vector<std::string> lines;
    if (c.reader == "qrk")
      ReadKpointList(c.path, lines, messages);
    else
      ReadKlistBand(c.path, lines, messages);
    benchmark::DoNotOptimize(lines.data());
  } else if (c.reader == "qmx") {
    MatrixGrid grid;
    auto solver = std::make_unique<JacobiSolver>();
    LoadMatrixFile(c.path, grid, *solver, messages);
    benchmark::DoNotOptimize(solver->JacN);
  } else {
    TextFile f;
    OpenTextFile(f, c.path, kReadText, 1, messages);
    std::vector<std::string> lines;
    for (std::string line; f.ReadLine(line);) lines.push_back(line);
    benchmark::DoNotOptimize(lines.data());
  }
  benchmark::DoNotOptimize(messages.Text.data());
}

double Fastest(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

void Register() {
  for (const Case& c : Cases()) {
    for (bool plain : {true, false}) {
      const std::string name = std::string(plain ? "plain/" : "reader/") + c.name;
      benchmark::RegisterBenchmark(
          name.c_str(),
          [c, plain](benchmark::State& state) {
            for (auto _ : state) plain ? PlainRead(c) : ProgramRead(c);
            state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.bytes));
          })
          ->Unit(benchmark::kMillisecond)
          ->Iterations(2)
          ->Repetitions(3)
          ->ComputeStatistics("min", Fastest)
          ->ReportAggregatesOnly(true);
    }
  }
}

// The fastest repetition of every run, for the ratios at the end. Processor time: the machine
// is shared, and both sides read from the page cache.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs)
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "min") {
        std::string name = r.run_name.str();
        name = name.substr(0, name.find("/iterations:"));
        times[name] = r.GetAdjustedCPUTime();
      }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MakeCases();
  Register();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nprogram's reader / plain getline read of the same file (same run, CPU time):\n");
  for (const Case& c : Cases()) {
    const auto p = reporter.times.find("plain/" + c.name);
    const auto r = reporter.times.find("reader/" + c.name);
    if (p == reporter.times.end() || r == reporter.times.end() || p->second <= 0) continue;
    std::printf("  %-28s %8.1f MB  reader %8.1f ms  plain %7.1f ms  ratio %6.2fx\n", c.name.c_str(),
                c.bytes / 1048576.0, r->second, p->second, r->second / p->second);
  }
  std::error_code ec;
  fs::remove_all(Folder(), ec);
  benchmark::Shutdown();
  return 0;
}
