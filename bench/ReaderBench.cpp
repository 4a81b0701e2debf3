// Reading speed and peak memory of the Gaussian output reader on a large
// generated output (tests/support/LargeGaussianOutput.h).
//
// Files are written once per size into a scratch folder and read from the
// warm page cache. MB/s is per second of CPU time, so that other work on a
// shared machine does not count against the reader; with a warm cache and an
// idle machine the wall time is the same.
//
// peakMB is how far the process's peak resident size rose above its size
// before the read (the peak is reset first). It should stay flat from the
// small file to the large one: only atoms, modes and dipoles are kept.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "LargeGaussianOutput.h"
#include "model/TextLineReader.h"
#include "model/readers/GaussianOutputReader.h"

namespace {

namespace fs = std::filesystem;
using kalviro::parseOutputFile;

using kalviro::test::kAtoms;
using kalviro::test::kModes;
using kalviro::test::writeLargeOutput;
constexpr std::uint64_t kMB = 1 << 20;

// The generated files, removed when the benchmark ends unless
// KALVIRO_READERBENCH_DIR names a folder to keep them in (and reuse them from).
class Scratch {
  public:
    Scratch() {
        if (const char* kept = std::getenv("KALVIRO_READERBENCH_DIR")) {
            dir_ = kept;
            keep_ = true;
        } else {
            dir_ =
                fs::temp_directory_path() / ("kalviro-readerbench-" + std::to_string(::getpid()));
        }
    }
    ~Scratch() {
        std::error_code ec;
        if (!keep_)
            fs::remove_all(dir_, ec);
    }
    const std::string& file(std::uint64_t mb, std::uint64_t& bytes) {
        auto it = files_.find(mb);
        if (it == files_.end()) {
            fs::create_directories(dir_);
            const fs::path path = dir_ / (std::to_string(mb) + "MB.log");
            std::error_code ec;
            std::uint64_t size = fs::file_size(path, ec);
            if (!keep_ || ec)
                size = writeLargeOutput(path.string(), mb * kMB);
            it = files_.emplace(mb, std::make_pair(path.string(), size)).first;
        }
        bytes = it->second.second;
        return it->second.first;
    }

  private:
    fs::path dir_;
    bool keep_ = false;
    std::map<std::uint64_t, std::pair<std::string, std::uint64_t>> files_;
};

Scratch& scratch() {
    static Scratch s;
    return s;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); 0 when absent.
long statusKB(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(field);
    while (std::getline(in, line)) {
        if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
            return std::stol(line.substr(n + 1));
    }
    return 0;
}

// Lets the peak resident size start again from the current size.
bool resetPeak() {
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    out.flush();
    return static_cast<bool>(out);
}

void BM_ParseOutputFile(benchmark::State& state) {
    std::uint64_t bytes = 0;
    const std::string& path = scratch().file(static_cast<std::uint64_t>(state.range(0)), bytes);
    if (!parseOutputFile(path)) { // warms the cache
        state.SkipWithError("cannot read the generated file");
        return;
    }
    double peakMB = 0;
    std::size_t atoms = 0, modes = 0, dipoles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool canReset = resetPeak();
        const long before = statusKB("VmRSS");
        state.ResumeTiming();
        auto content = parseOutputFile(path);
        state.PauseTiming();
        if (canReset)
            peakMB = std::max(peakMB, (statusKB("VmHWM") - before) / 1024.0);
        if (content) {
            atoms = content->atoms.size();
            modes = content->modes.size();
            dipoles = content->dipoleDerivatives.size();
        }
        content.reset();
        state.ResumeTiming();
    }
    if (atoms != kAtoms || modes != kModes || dipoles != kModes)
        state.SkipWithError("the generated file was not read as written");
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["fileMB"] = static_cast<double>(bytes) / kMB;
    state.counters["peakMB"] = peakMB;
}

// Only splitting the file into lines: the ceiling for the reader.
void BM_SplitLines(benchmark::State& state) {
    std::uint64_t bytes = 0;
    const std::string& path = scratch().file(static_cast<std::uint64_t>(state.range(0)), bytes);
    std::size_t lines = 0;
    for (auto _ : state) {
        std::unique_ptr<std::FILE, kalviro::FileCloser> f(kalviro::openForReading(path));
        kalviro::TextLineReader reader(f.get());
        std::string_view line;
        lines = 0;
        while (reader.next(line))
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["lines"] = static_cast<double>(lines);
}

BENCHMARK(BM_SplitLines)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseOutputFile)->Arg(48)->Arg(256)->Unit(benchmark::kMillisecond);

} // namespace
