#pragma once
// A large Gaussian output written on the fly, for the reading-speed benchmark
// and the huge-file test: a 300-atom molecule, optimisation steps (input and
// standard orientation, forces, convergence table) until the file reaches the
// size asked for, the converged step, then a frequency job with every group
// of three modes, its displacement table and the dipole derivatives. The
// reader should keep only atoms, modes and dipoles, whatever the size.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace kalviro::test {

constexpr int kAtoms = 300;
constexpr int kModes = 3 * kAtoms - 6;

// Buffered writer with printf formatting; the files run to gigabytes.
class OutputWriter {
  public:
    explicit OutputWriter(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {
        if (!f_)
            throw std::runtime_error("cannot write " + path);
    }
    OutputWriter() = default; // collects text only
    ~OutputWriter() {
        if (f_) {
            flush();
            std::fclose(f_);
        }
    }
    OutputWriter(const OutputWriter&) = delete;
    OutputWriter& operator=(const OutputWriter&) = delete;

    template <typename... A> void line(const char* fmt, A... args) {
        char buffer[512];
        const int n = std::snprintf(buffer, sizeof buffer, fmt, args...);
        text(std::string(buffer, static_cast<std::size_t>(std::max(n, 0))) + "\n");
    }
    void text(const std::string& s) {
        buffer_ += s;
        written_ += s.size();
        if (f_ && buffer_.size() > (1u << 20))
            flush();
    }
    std::uint64_t size() const { return written_; }
    const std::string& collected() const { return buffer_; }

  private:
    void flush() {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), f_) != buffer_.size())
            throw std::runtime_error("cannot write the large output");
        buffer_.clear();
    }
    std::FILE* f_ = nullptr;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

struct LargeMolecule {
    int number[kAtoms];
    double xyz[kAtoms][3];
};

inline LargeMolecule makeLargeMolecule() {
    static const int elements[] = {6, 1, 6, 1, 7, 6, 8, 1, 6, 1};
    LargeMolecule m{};
    for (int i = 0; i < kAtoms; ++i) {
        m.number[i] = elements[i % 10];
        const double t = 0.35 * i;
        m.xyz[i][0] = 6.0 * std::cos(t);
        m.xyz[i][1] = 6.0 * std::sin(t);
        m.xyz[i][2] = 0.05 * i - 7.5;
    }
    return m;
}

inline void orientation(OutputWriter& w, const char* title, const LargeMolecule& m, double shift) {
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

constexpr const char* kStandardOrientation =
    "                         Standard orientation:                         ";

inline void optimisationStep(OutputWriter& w, const LargeMolecule& m, int step, bool converged) {
    const double shift = converged ? 0.0 : 0.001 / (step + 1);
    orientation(w, "                          Input orientation:                          ", m,
                shift);
    orientation(w, kStandardOrientation, m, shift);
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

inline void frequencyJob(OutputWriter& w, const LargeMolecule& m) {
    orientation(w, kStandardOrientation, m, 0.0);
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

// Writes an output of about targetBytes (at least one optimisation step and
// the frequency job, about 7 MB); returns its exact size. The optimisation
// steps before the last are formatted once and repeated, so gigabytes take
// seconds.
inline std::uint64_t writeLargeOutput(const std::string& path, std::uint64_t targetBytes) {
    const LargeMolecule m = makeLargeMolecule();
    OutputWriter step;
    optimisationStep(step, m, 0, false);
    OutputWriter w(path);
    w.line(" Entering Gaussian System, Link 0=large benchmark job");
    w.text(" %mem=4GB %nproc=8 #P B3LYP/6-31G(d) Opt=(MaxCycles=9999,Tight) Freq "
           "SCF=(XQC,MaxCycles=512) Int=UltraFine IOp(7/33=1) Pop=Full GFInput "
           "GFPrint Test Units=Ang\n");
    const std::uint64_t frequencyPart = 8ull << 20;
    int steps = 0;
    while (w.size() + frequencyPart < targetBytes) {
        w.text(step.collected());
        ++steps;
    }
    optimisationStep(w, m, steps, true);
    orientation(w, kStandardOrientation, m, 0.0);
    w.line(" Normal termination of Gaussian 98.");
    frequencyJob(w, m);
    return w.size();
}

} // namespace kalviro::test
