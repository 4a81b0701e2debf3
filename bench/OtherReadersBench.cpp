// Reading speed of the other programs' output readers against the Gaussian
// reader on files of the same size: each real output of the corpus is
// repeated to about 8 MB (the reader takes the last job), and so is a
// Gaussian frequency output. Compare the MB/s counters (per second of CPU
// time, as in ReaderBench) of one run; skipped
// without the corpus.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "model/readers/GamessOutputReader.h"
#include "model/readers/GaussianOutputReader.h"
#include "model/readers/NWChemOutputReader.h"
#include "model/readers/OrcaOutputReader.h"
#include "model/readers/Psi4OutputReader.h"
#include "model/readers/QChemOutputReader.h"

namespace {

namespace fs = std::filesystem;
constexpr std::size_t kTargetBytes = 8u << 20;

// corpus/files/rel repeated to about kTargetBytes in a scratch file; "" when
// the corpus is absent.
std::string repeatedCopy(const std::string& rel) {
    const fs::path source = fs::path(KALVIRO_CORPUS_DIR) / "files" / rel;
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream text;
    text << in.rdbuf();
    const std::string once = text.str();
    const fs::path out = fs::temp_directory_path() /
                         ("kalviro-bench-" + std::to_string(::getpid()) + "-" +
                          source.filename().string());
    std::ofstream file(out, std::ios::binary);
    for (std::size_t written = 0; written < kTargetBytes && !once.empty(); written += once.size())
        file << once;
    return out.string();
}

template <class Read> void readFile(benchmark::State& state, const std::string& rel, Read read) {
    const std::string path = repeatedCopy(rel);
    if (path.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    const auto bytes = static_cast<double>(fs::file_size(path));
    for (auto _ : state) {
        auto job = read(path);
        if (!job) {
            state.SkipWithError("file not read");
            break;
        }
        benchmark::DoNotOptimize(job->atoms.data());
    }
    state.counters["MB/s"] = benchmark::Counter(bytes / (1 << 20), benchmark::Counter::kIsIterationInvariantRate);
    fs::remove(path);
}

void BM_Gaussian(benchmark::State& s) {
    readFile(s, "g09/dvb_ir.out", [](const std::string& p) { return kalviro::parseOutputFile(p); });
}
void BM_Orca(benchmark::State& s) {
    readFile(s, "orca/ORCA4.2_dvb_ir.out", kalviro::readOrcaOutputFile);
}
void BM_QChem(benchmark::State& s) {
    readFile(s, "qchem/QChem5.4_dvb_ir.out", kalviro::readQChemOutputFile);
}
void BM_Gamess(benchmark::State& s) {
    readFile(s, "gamess-out/GAMESS-US2017_dvb_ir.out", kalviro::readGamessOutputFile);
}
void BM_Psi4(benchmark::State& s) {
    readFile(s, "psi4/Psi4-1.3.1_dvb_ir_rhf.out", kalviro::readPsi4OutputFile);
}
void BM_NWChem(benchmark::State& s) {
    readFile(s, "nwchem/NWChem6.0_dvb_ir_hf.out", kalviro::readNWChemOutputFile);
}

} // namespace

BENCHMARK(BM_Gaussian)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Orca)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QChem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gamess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Psi4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NWChem)->Unit(benchmark::kMillisecond);
