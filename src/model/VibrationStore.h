#pragma once
// What a Gaussian output contributed: the IR table texts, the normal-mode
// displacement vectors, the dipole derivatives, their loaded copies and the
// computed spectra.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Vector3.h"

namespace kalviro {

constexpr int kSpectrumBlocks = 12;
constexpr int kSpectrumPoints = 900; // 600 .. 1499 cm-1
constexpr int kSpectrumFirstWavenumber = 600;

struct VibrationStore {
    using SpectrumBlock = std::array<float, kSpectrumPoints>;

    std::array<SpectrumBlock, kSpectrumBlocks> spectra{}; // zero until computed
    std::int32_t spectrumCount = kSpectrumBlocks;
    bool spectrumReady = false;
    float intensityMaximum = 0.0f; // largest stick of the latest calculation
    std::string program; // the program that wrote the file, "" when not known
    std::vector<std::string> frequencies; // as printed, one per mode
    std::vector<std::string> intensities;
    std::vector<std::string> symmetries;
    std::vector<std::string> ramanActivities; // as printed; empty when not printed
    std::vector<std::vector<Vector3>> modes; // [mode][atom]
    std::vector<std::vector<Vector3>> savedModes;
    // The modes of Gaussian's high-precision table, in the loaded frame
    // (never turned); only the pairing with a checkpoint file reads them.
    std::vector<std::vector<Vector3>> preciseModes;
    std::vector<Vector3> dipoleDerivatives; // [mode]
    std::vector<Vector3> savedDipoleDerivatives;
    // The printed intensity times this is km/mol (GAMESS prints another unit).
    double intensityToKmPerMol = 1.0;
    // Where the modes, intensities and dipole derivatives came from:
    // "output", "checkpoint Hessian", "checkpoint APT" or "none".
    struct Sources {
        std::string modes = "none";
        std::string intensities = "none";
        std::string dipoleDerivatives = "none";
    } sources;

    // Empties the program, the texts, the modes, the dipole derivatives and their
    // sources (not the saved copies, not the spectra).
    void clearVibrations();
    // The loaded copies := the current vectors.
    void saveVectors();
    // The current vectors := the loaded copies, index by index.
    void restoreVectors();
    void clearSpectra();

    void rotateModesXY(double a, double b);
    void rotateDipolesXY(double a, double b);
    void rotateModesZ(double c);
    void rotateDipolesZ(double c);
};

} // namespace kalviro
