#pragma once
// A large Gaussian output written on the fly, for the reading-speed benchmark
// and the huge-file test: a 300-atom molecule, optimisation steps (input and
// standard orientation, forces, convergence table) until the file reaches the
// size asked for, the converged step, then a frequency job with every group
// of three modes, its displacement table and the dipole derivatives. The
// reader should keep only atoms, modes and dipoles, whatever the size.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace kalviro::test {

constexpr int kAtoms = 300;
constexpr int kModes = 3 * kAtoms - 6;

// One printf-formatted line.
template <typename... A> std::string outputLine(const char* fmt, A... args) {
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, args...);
    return std::string(buffer, static_cast<std::size_t>(n > 0 ? n : 0)) + "\n";
}

// Atoms on a helix, elements repeating every ten.
inline int largeElement(int i) {
    static const int elements[] = {6, 1, 6, 1, 7, 6, 8, 1, 6, 1};
    return elements[i % 10];
}

inline std::string orientation(const char* title, double shift) {
    const std::string dashes =
        " ---------------------------------------------------------------------\n";
    std::string s = title + ("\n" + dashes) +
                    " Center     Atomic     Atomic              Coordinates (Angstroms)\n"
                    " Number     Number      Type              X           Y           Z\n" +
                    dashes;
    for (int i = 0; i < kAtoms; ++i)
        s += outputLine("%5d%11d%14d%16.6f%12.6f%12.6f", i + 1, largeElement(i), 0,
                        6.0 * std::cos(0.35 * i) + shift, 6.0 * std::sin(0.35 * i) - shift,
                        0.05 * i - 7.5);
    return s + dashes;
}

constexpr const char* kStandardOrientation =
    "                         Standard orientation:                         ";

inline std::string optimisationStep(int step, bool converged) {
    const double shift = converged ? 0.0 : 0.001 / (step + 1);
    std::string s =
        orientation("                          Input orientation:                          ", shift) +
        orientation(kStandardOrientation, shift) +
        " Rotational constants (GHZ):      0.0312345      0.0298765      0.0187654\n" +
        outputLine(" SCF Done:  E(RB+HF-LYP) =  -9876.54321%04d     A.U. after   12 cycles",
                   step % 10000);
    const std::string dashes =
        " -------------------------------------------------------------------\n";
    s += dashes + " Center     Atomic                   Forces (Hartrees/Bohr)\n" +
         " Number     Number              X              Y              Z\n" + dashes;
    for (int i = 0; i < kAtoms; ++i)
        s += outputLine("%5d%11d%22.9f%15.9f%15.9f", i + 1, largeElement(i),
                        0.001 * std::sin(i + step), -0.002 * std::cos(i * 0.5),
                        0.0005 * (i % 7 - 3));
    s += dashes + " Cartesian Forces:  Max     0.002000000 RMS     0.000912345\n" +
         " Berny optimization.\n" + outputLine(" Step number %3d out of a maximum of 9999", step + 1) +
         "         Item               Value     Threshold  Converged?\n";
    const char* flag = converged ? "YES" : "NO ";
    const int v = step % 1000;
    s += outputLine(" Maximum Force            0.000%03d     0.000450     %s\n"
                    " RMS     Force            0.000%03d     0.000300     %s\n"
                    " Maximum Displacement     0.001%03d     0.001800     %s\n"
                    " RMS     Displacement     0.000%03d     0.001200     %s",
                    v, flag, v, flag, v, flag, v, flag) +
         " Predicted change in Energy=-1.234567D-06\n";
    return converged ? s + " Optimization completed.\n    -- Stationary point found.\n" : s;
}

inline std::string frequencyJob() {
    std::string s = orientation(kStandardOrientation, 0.0);
    for (int k = 1; k <= kModes; ++k)
        s += outputLine(" Dipole derivatives wrt mode %3d: %12.5fD-01%12.5fD-02%12.5fD+00", k,
                        std::sin(k), std::cos(k), 0.1 * std::sin(0.5 * k));
    s += " Harmonic frequencies (cm**-1), IR intensities (KM/Mole),\n"
         " reduced masses (AMU), force constants (mDyne/A) and normal coordinates:\n";
    static const char* species[] = {"A", "B", "A'", "A\"", "AG", "BU"};
    for (int g = 0; g < kModes; g += 3) {
        const double f = 20.0 + 3.9 * g;
        s += outputLine("%22d%23d%23d", g + 1, g + 2, g + 3) +
             outputLine("%22s%23s%23s", species[g % 6], species[(g + 1) % 6], species[(g + 2) % 6]) +
             outputLine(" Frequencies --%11.4f%23.4f%23.4f", f, f + 1.3, f + 2.6) +
             outputLine(" Red. masses --%11.4f%23.4f%23.4f", 1.1, 3.2, 5.3) +
             outputLine(" Frc consts  --%11.4f%23.4f%23.4f", 0.01 * g, 0.02 * g, 0.03 * g) +
             outputLine(" IR Inten    --%11.4f%23.4f%23.4f", 0.5 * (g % 40), 12.25, 0.0) +
             " Atom AN      X      Y      Z        X      Y      Z        X      Y      Z\n";
        for (int i = 0; i < kAtoms; ++i) {
            const double a = std::sin(i + g) * 0.3, b = std::cos(i - g) * 0.2;
            s += outputLine("%4d%4d%9.2f%7.2f%7.2f%9.2f%7.2f%7.2f%9.2f%7.2f%7.2f", i + 1,
                            largeElement(i), a, b, -a, b, a, 0.01, -b, 0.0, a + b);
        }
    }
    return s + "\n -------------------\n - Thermochemistry -\n -------------------\n"
               " Normal termination of Gaussian 98.\n";
}

// Writes an output of about targetBytes (at least one optimisation step and
// the frequency job, about 7 MB); returns its exact size. The optimisation
// steps before the last are formatted once and repeated, so gigabytes take
// seconds.
inline std::uint64_t writeLargeOutput(const std::string& path, std::uint64_t targetBytes) {
    std::ofstream out(path, std::ios::binary);
    std::uint64_t size = 0;
    const auto put = [&](const std::string& s) {
        out << s;
        size += s.size();
    };
    put(" Entering Gaussian System, Link 0=large benchmark job\n"
        " %mem=4GB %nproc=8 #P B3LYP/6-31G(d) Opt=(MaxCycles=9999,Tight) Freq "
        "SCF=(XQC,MaxCycles=512) Int=UltraFine IOp(7/33=1) Pop=Full GFInput GFPrint Test "
        "Units=Ang\n");
    const std::string step = optimisationStep(0, false);
    int steps = 0;
    for (; size + (8ull << 20) < targetBytes; ++steps)
        put(step);
    put(optimisationStep(steps, true) + orientation(kStandardOrientation, 0.0) +
        " Normal termination of Gaussian 98.\n" + frequencyJob());
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
    return size;
}

} // namespace kalviro::test
