// Reading speed and peak memory of the Gaussian output reader on a large
// generated output: a 300-atom molecule, many optimisation steps (input and
// standard orientation, forces, convergence table), then a frequency job with
// every group of three modes, its displacement table and the dipole
// derivatives.
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

#include "model/TextLineReader.h"
#include "model/readers/GaussianOutputReader.h"

namespace {

namespace fs = std::filesystem;
using kalviro::parseOutputFile;

constexpr int kAtoms = 300;
constexpr int kModes = 3 * kAtoms - 6;
constexpr std::uint64_t kMB = 1 << 20;

// Buffered writer with printf formatting; the files are hundreds of MB.
class Writer {
  public:
    explicit Writer(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {
        if (!f_)
            throw std::runtime_error("cannot write " + path);
        std::setvbuf(f_, nullptr, _IOFBF, 1 << 20);
    }
    ~Writer() {
        if (f_)
            std::fclose(f_);
    }
    template <typename... A> void line(const char* fmt, A... args) {
        std::fprintf(f_, fmt, args...);
        std::fputc('\n', f_);
    }
    void text(const char* s) { std::fputs(s, f_); }
    std::uint64_t size() { return static_cast<std::uint64_t>(std::ftell(f_)); }

  private:
    std::FILE* f_;
};

struct Molecule {
    int number[kAtoms];
    double xyz[kAtoms][3];
};

Molecule makeMolecule() {
    static const int elements[] = {6, 1, 6, 1, 7, 6, 8, 1, 6, 1};
    Molecule m{};
    for (int i = 0; i < kAtoms; ++i) {
        m.number[i] = elements[i % 10];
        const double t = 0.35 * i;
        m.xyz[i][0] = 6.0 * std::cos(t);
        m.xyz[i][1] = 6.0 * std::sin(t);
        m.xyz[i][2] = 0.05 * i - 7.5;
    }
    return m;
}

void orientation(Writer& w, const char* title, const Molecule& m, double shift) {
    const char* dashes = " ---------------------------------------------------------------------";
    w.line("%s", title);
    w.line("%s", dashes);
    w.line(" Center     Atomic     Atomic              Coordinates (Angstroms)");
    w.line(" Number     Number      Type              X           Y           Z");
    w.line("%s", dashes);
    for (int i = 0; i < kAtoms; ++i)
        w.line("%5d%11d%14d%16.6f%12.6f%12.6f", i + 1, m.number[i], 0, m.xyz[i][0] + shift,
               m.xyz[i][1] - shift, m.xyz[i][2]);
    w.line("%s", dashes);
}

void optimisationStep(Writer& w, const Molecule& m, int step, bool converged) {
    const double shift = converged ? 0.0 : 0.001 / (step + 1);
    orientation(w, "                          Input orientation:                          ", m,
                shift);
    orientation(w, "                         Standard orientation:                         ", m,
                shift);
    w.line(" Rotational constants (GHZ):      0.0312345      0.0298765      0.0187654");
    w.line(" SCF Done:  E(RB+HF-LYP) =  -9876.54321%04d     A.U. after   12 cycles", step % 10000);
    const char* dashes = " -------------------------------------------------------------------";
    w.line("%s", dashes);
    w.line(" Center     Atomic                   Forces (Hartrees/Bohr)");
    w.line(" Number     Number              X              Y              Z");
    w.line("%s", dashes);
    for (int i = 0; i < kAtoms; ++i)
        w.line("%5d%11d%22.9f%15.9f%15.9f", i + 1, m.number[i], 0.001 * std::sin(i + step),
               -0.002 * std::cos(i * 0.5), 0.0005 * (i % 7 - 3));
    w.line("%s", dashes);
    w.line(" Cartesian Forces:  Max     0.002000000 RMS     0.000912345");
    w.line(" Berny optimization.");
    w.line(" Step number %3d out of a maximum of 9999", step + 1);
    w.line("         Item               Value     Threshold  Converged?");
    const char* flag = converged ? "YES" : "NO ";
    w.line(" Maximum Force            0.000%03d     0.000450     %s", step % 1000, flag);
    w.line(" RMS     Force            0.000%03d     0.000300     %s", step % 1000, flag);
    w.line(" Maximum Displacement     0.001%03d     0.001800     %s", step % 1000, flag);
    w.line(" RMS     Displacement     0.000%03d     0.001200     %s", step % 1000, flag);
    w.line(" Predicted change in Energy=-1.234567D-06");
    if (converged) {
        w.line(" Optimization completed.");
        w.line("    -- Stationary point found.");
    }
}

void frequencyJob(Writer& w, const Molecule& m) {
    orientation(w, "                         Standard orientation:                         ", m,
                0.0);
    for (int k = 1; k <= kModes; ++k)
        w.line(" Dipole derivatives wrt mode %3d: %12.5fD-01%12.5fD-02%12.5fD+00", k, std::sin(k),
               std::cos(k), 0.1 * std::sin(0.5 * k));
    w.line(" Harmonic frequencies (cm**-1), IR intensities (KM/Mole),");
    w.line(" reduced masses (AMU), force constants (mDyne/A) and normal coordinates:");
    static const char* species[] = {"A", "B", "A'", "A\"", "AG", "BU"};
    for (int g = 0; g < kModes; g += 3) {
        w.line("%22d%23d%23d", g + 1, g + 2, g + 3);
        w.line("%22s%23s%23s", species[g % 6], species[(g + 1) % 6], species[(g + 2) % 6]);
        const double f = 20.0 + 3.9 * g;
        w.line(" Frequencies --%11.4f%23.4f%23.4f", f, f + 1.3, f + 2.6);
        w.line(" Red. masses --%11.4f%23.4f%23.4f", 1.1, 3.2, 5.3);
        w.line(" Frc consts  --%11.4f%23.4f%23.4f", 0.01 * g, 0.02 * g, 0.03 * g);
        w.line(" IR Inten    --%11.4f%23.4f%23.4f", 0.5 * (g % 40), 12.25, 0.0);
        w.line(" Atom AN      X      Y      Z        X      Y      Z        X      Y      Z");
        for (int i = 0; i < kAtoms; ++i) {
            const double a = std::sin(i + g) * 0.3, b = std::cos(i - g) * 0.2;
            w.line("%4d%4d%9.2f%7.2f%7.2f%9.2f%7.2f%7.2f%9.2f%7.2f%7.2f", i + 1, m.number[i], a, b,
                   -a, b, a, 0.01, -b, 0.0, a + b);
        }
    }
    w.line("%s", "");
    w.line(" -------------------");
    w.line(" - Thermochemistry -");
    w.line(" -------------------");
    w.line(" Normal termination of Gaussian 98.");
}

// Writes an output of about targetMB megabytes; returns its exact size.
std::uint64_t writeOutput(const std::string& path, std::uint64_t targetMB) {
    const Molecule m = makeMolecule();
    Writer w(path);
    w.line(" Entering Gaussian System, Link 0=large benchmark job");
    w.text(" %mem=4GB %nproc=8 #P B3LYP/6-31G(d) Opt=(MaxCycles=9999,Tight) Freq "
           "SCF=(XQC,MaxCycles=512) Int=UltraFine IOp(7/33=1) Pop=Full GFInput "
           "GFPrint Test Units=Ang\n");
    // The frequency part is about 7 MB; optimisation steps fill the rest.
    const std::uint64_t target = targetMB * kMB;
    int step = 0;
    while (w.size() + 8 * kMB < target)
        optimisationStep(w, m, step++, false);
    optimisationStep(w, m, step, true);
    orientation(w, "                         Standard orientation:                         ", m,
                0.0);
    w.line(" Normal termination of Gaussian 98.");
    frequencyJob(w, m);
    return w.size();
}

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
                size = writeOutput(path.string(), mb);
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
