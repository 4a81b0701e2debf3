#include "orbital/CheckpointReader.h"

#include <cctype>
#include <cstdlib>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>

#include "model/ProgramError.h"
#include "model/LineTokens.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"
#include "model/readers/CheckpointSections.h"
#include "orbital/ContourStore.h"
#include "orbital/ContourTracer.h"
#include "orbital/MoldenReader.h"
#include "orbital/MolecularOrbital.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {


std::string_view lastToken(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0 && isBlank(line[end - 1]))
        --end;
    std::size_t begin = end;
    while (begin > 0 && !isBlank(line[begin - 1]))
        --begin;
    return line.substr(begin, end - begin);
}

// Section titles start with a letter in column 1; data lines never do. A
// title ends any section still open, so a short or damaged array is never
// continued with the values of the next one.
bool isTitleLine(std::string_view line) {
    return !line.empty() && std::isalpha(static_cast<unsigned char>(line[0]));
}

// Up to `count` reals from the start of line, as " %f %f ..." reads them;
// stops at the first text that is not a number.
int readReals(std::string_view line, int count, float* out) {
    std::string buffer(line);
    const char* p = buffer.c_str();
    int n = 0;
    while (n < count) {
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p)
            break;
        out[n++] = static_cast<float>(v);
        p = end;
    }
    return n;
}

class CoefficientSection {
  public:
    CoefficientSection(int orbitalIndex) : wanted_(orbitalIndex) {}

    void open(const std::string& electronCountText, const std::string& basisCountText) {
        basisCount_ = leadingInteger(basisCountText);
        orbital_ = wanted_ >= 0 ? wanted_ : leadingInteger(electronCountText) / 2 - 1;
        if (basisCount_ > 0)
            values_.assign(static_cast<std::size_t>(basisCount_), 0.0f);
        open_ = basisCount_ > 0 && orbital_ >= 0;
        skipping_ = true;
        valuesPassed_ = 0;
        valuesTaken_ = 0;
    }
    bool isOpen() const { return open_; }
    void close() { open_ = false; }

    void line(std::string_view text) {
        float v[5] = {0, 0, 0, 0, 0};
        if (skipping_) {
            valuesPassed_ += 5;
            const long long start = static_cast<long long>(orbital_) * basisCount_;
            if (valuesPassed_ < start)
                return;
            skipping_ = false;
            if (valuesPassed_ == start)
                return;                                 // the next line starts the wanted orbital
            const int d = static_cast<int>(valuesPassed_ - start); // its first d values end this line
            const int got = readReals(text, 5, v);
            for (int k = 5 - d; k < 5; ++k)
                store(k, got, v);
            return;
        }
        const long long left = static_cast<long long>(basisCount_) - valuesTaken_;
        if (left <= 0) {
            open_ = false;
            return;
        }
        const int want = left >= 5 ? 5 : static_cast<int>(left);
        const int got = readReals(text, want, v);
        for (int k = 0; k < want; ++k)
            store(k, got, v);
        if (want < 5)
            open_ = false;
    }

    std::vector<float> values() const { return values_; }
    int index() const { return orbital_; }

  private:
    // A value the line does not have still takes its place (left at 0).
    void store(int k, int got, const float* v) {
        if (valuesTaken_ < basisCount_ && k < got)
            values_[static_cast<std::size_t>(valuesTaken_)] = v[k];
        ++valuesTaken_;
    }

    int wanted_;
    int basisCount_ = 0;           // values per orbital
    int orbital_ = -1;             // zero-based orbital being read
    bool open_ = false;
    bool skipping_ = true;         // still before the wanted orbital
    long long valuesPassed_ = 0;   // values on the lines skipped so far
    long long valuesTaken_ = 0;    // values of the wanted orbital taken so far
    std::vector<float> values_;
};

} // namespace

CheckpointContents parseCheckpoint(TextLineReader& reader, int orbitalIndex,
                                   std::string electronCountText, std::string basisCountText) {
    CheckpointContents out;
    out.electronCountText = std::move(electronCountText);
    out.basisCountText = std::move(basisCountText);
    bool atomsOpen = false;
    bool coordinatesOpen = false;
    CoefficientSection coefficients(orbitalIndex);
    bool coefficientsSeen = false;

    std::string_view line;
    long lineNumber = 0;
    while (reader.next(line)) {
        ++lineNumber;
        if (lineNumber == 2)
            out.basisName = std::string(lastToken(line));
        const bool title = isTitleLine(line);
        if (title) {
            if (contains(line, "Number of electrons"))
                out.electronCountText = std::string(lastToken(line));
            else if (contains(line, "Number of basis functions"))
                out.basisCountText = std::string(lastToken(line));
            else if (contains(line, "Pure/Cartesian d shells"))
                out.pureCartesianD = leadingInteger(lastToken(line));
        }

        // Atomic numbers: fields of 12 characters.
        if (atomsOpen && (title || contains(line, "Nuclear charges")))
            atomsOpen = false;
        else if (atomsOpen)
            for (std::size_t k = 0; k + 12 <= line.size(); k += 12)
                out.atomicNumbers.push_back(leadingInteger(line.substr(k, 12)));
        if (!atomsOpen && contains(line, "Atomic numbers"))
            atomsOpen = true;

        // Coordinates in bohr: fields of 16 characters.
        if (coordinatesOpen &&
            (title || contains(line, "Atom types") || contains(line, "Shell types")))
            coordinatesOpen = false;
        else if (coordinatesOpen)
            for (std::size_t k = 0; k + 16 <= line.size(); k += 16)
                out.coordinates.push_back(parseNumber(line.substr(k, 16)));
        if (!coordinatesOpen && contains(line, "Current cartesian coordinates"))
            coordinatesOpen = true;

        // The wanted orbital's coefficients, found by counting values.
        if (coefficients.isOpen() && title)
            coefficients.close();
        else if (coefficients.isOpen())
            coefficients.line(line);
        if (!coefficientsSeen && contains(line, "Alpha MO coefficients")) {
            coefficientsSeen = true;
            coefficients.open(out.electronCountText, out.basisCountText);
        }
    }
    out.orbitalIndex = coefficientsSeen    ? coefficients.index()
                       : orbitalIndex >= 0 ? orbitalIndex
                                           : leadingInteger(out.electronCountText) / 2 - 1;
    out.coefficients = coefficients.values();
    const int nb = leadingInteger(out.basisCountText);
    if (nb > 0 && out.coefficients.size() < static_cast<std::size_t>(nb))
        out.coefficients.resize(static_cast<std::size_t>(nb), 0.0f);
    return out;
}

namespace {

// Traces mo into contours; a tracing failure is told and leaves none.
OrbitalOutcome traceInto(const MolecularOrbital& mo, ContourStore& contours,
                         OrbitalOutcome outcome) {
    try {
        ContourStore traced = traceAllSlices(mo);
        traced.restoreContours();
        contours = std::move(traced);
    } catch (const ProgramError& e) {
        outcome.messages.push_back(e.text());
        return outcome;
    }
    outcome.computed = true;
    return outcome;
}

// Files without shell data: the built-in STO-3G and 6-31G tables.
OrbitalOutcome builtInOrbital(const std::string& path, int orbitalIndex, MolecularOrbital& mo,
                              CheckpointState& state, ContourStore& contours) {
    OrbitalOutcome outcome;
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file) {
        outcome.messages.push_back(msg::kCannotOpenFile);
        return outcome;
    }
    TextLineReader reader(file.get());
    CheckpointContents contents =
        parseCheckpoint(reader, orbitalIndex, state.electronCountText, state.basisCountText);
    if (reader.failed()) {
        outcome.messages.push_back(msg::kCannotOpenFile);
        return outcome;
    }
    state.electronCountText = contents.electronCountText;
    state.basisCountText = contents.basisCountText;
    state.alphaCount = leadingInteger(contents.basisCountText);
    state.betaCount = 0;
    state.homoNumber = leadingInteger(contents.electronCountText) / 2;
    if (orbitalIndex >= state.alphaCount) {
        outcome.messages.push_back(msg::kBadOrbitalNumber);
        return outcome;
    }
    // Without a table the grid would be all zeros: nothing to show.
    const BasisFamily family = basisFamilyOf(upperCaseName(contents.basisName));
    if (family != BasisFamily::Sto3g && family != BasisFamily::SixThirtyOne) {
        outcome.messages.push_back(
            msg::withDetail(upperCaseName(contents.basisName), msg::kUnsupportedBasis));
        return outcome;
    }

    state.computedNumber = contents.orbitalIndex + 1;
    mo.coefficients = std::move(contents.coefficients);
    mo.atomicNumbers = contents.atomicNumbers;
    mo.nuclearCount = static_cast<std::int32_t>(contents.atomicNumbers.size());
    mo.atomPositions.clear();
    for (std::size_t n = 0; n < contents.atomicNumbers.size(); ++n) {
        std::array<float, 3> p{};
        for (std::size_t a = 0; a < 3; ++a) {
            const std::size_t k = 3 * n + a;
            p[a] = k < contents.coordinates.size()
                       ? static_cast<float>(contents.coordinates[k] * kBohrInAngstrom)
                       : 0.0f;
        }
        mo.atomPositions.push_back(p);
    }
    mo.electronCount = leadingInteger(contents.electronCountText);
    mo.basisName = contents.basisName;

    try {
        selectBasisSet(mo);
    } catch (const ProgramError& e) {
        outcome.messages.push_back(e.text());
        return outcome;
    }
    return traceInto(mo, contours, std::move(outcome));
}

} // namespace

ReadResult<FileOrbitals> readFileOrbitals(const std::string& path) {
    FileOrbitals out;
    if (isMoldenPath(path)) {
        auto molden = readMolden(path);
        if (!molden)
            return ReadResult<FileOrbitals>::failure(molden.error());
        if (molden->orbitals.orbitals.empty())
            return ReadResult<FileOrbitals>::failure(msg::kOrbitalsNoCoefficients);
        out.set = std::move(molden->orbitals);
        out.basisName = "MOLDEN";
        return out;
    }
    auto sections = readCheckpointSections(path);
    // Not an all-zero orbital reported as computed.
    if (sections && sections->values("Alpha MO coefficients").empty())
        return ReadResult<FileOrbitals>::failure(msg::kOrbitalsNoCoefficients);
    if (!sections || !sections->find("Primitive exponents")) {
        out.builtIn = true;
        return out;
    }
    auto set = orbitalsFromCheckpoint(*sections);
    if (!set)
        return ReadResult<FileOrbitals>::failure(set.error());
    out.set = std::move(*set);
    // Psi4 writes line 2 only 70 wide, the name inside the method's columns:
    // the last word of the line, as for files without shell data.
    out.basisName = upperCaseName(
        lastToken(sections->basisName.empty() ? sections->method : sections->basisName));
    return out;
}

namespace {

// Highest occupied orbital of one spin, zero-based; 0 when none is.
int highestOccupied(const std::vector<const Orbital*>& orbitals) {
    int best = 0;
    for (std::size_t i = 0; i < orbitals.size(); ++i)
        if (orbitals[i]->occupation > 0.0 && orbitals[i]->energy >= orbitals[best]->energy)
            best = static_cast<int>(i);
    return best;
}

} // namespace

void evaluateOnContourGrid(const ShellBasis& basis, const std::vector<double>& coefficients,
                           MolecularOrbital& mo) {
    placeGrid(mo);
    const OrbitalEvaluator orbital(basis, coefficients);
    std::atomic<int> nextPlane{0};
    auto work = [&]() {
        for (int k = nextPlane++; k < kGridSize; k = nextPlane++) {
            const double z = mo.gridOrigin[2] + k * double(mo.gridStep[2]);
            for (int j = 0; j < kGridSize; ++j) {
                const double y = mo.gridOrigin[1] + j * double(mo.gridStep[1]);
                for (int i = 0; i < kGridSize; ++i)
                    mo.at(i, j, k) = static_cast<float>(
                        orbital({mo.gridOrigin[0] + i * double(mo.gridStep[0]), y, z}));
            }
        }
    };
    std::thread helper(work);
    work();
    helper.join();
}

namespace {

// The contour grid as the cube export's grid, x slowest and z fastest.
void copyContourGrid(const MolecularOrbital& mo, CubeRequest& cube) {
    cube.grid.points = kGridSize;
    for (int a = 0; a < 3; ++a) {
        cube.grid.origin[a] = mo.gridOrigin[a];
        cube.grid.step[a] = mo.gridStep[a];
    }
    cube.grid.values.clear();
    for (int x = 0; x < kGridSize; ++x)
        for (int y = 0; y < kGridSize; ++y)
            for (int z = 0; z < kGridSize; ++z)
                cube.grid.values.push_back(mo.at(x, y, z));
    cube.atoms.clear();
    for (std::size_t n = 0; n < mo.atomicNumbers.size() && n < mo.atomPositions.size(); ++n)
        cube.atoms.push_back({mo.atomicNumbers[n],
                              {mo.atomPositions[n][0], mo.atomPositions[n][1],
                               mo.atomPositions[n][2]}});
}

} // namespace

OrbitalOutcome computeFileOrbital(const std::string& path, Spin spin, int orbitalIndex,
                                  MolecularOrbital& mo, CheckpointState& state,
                                  ContourStore& contours, CubeRequest* cube) {
    // Every calculation starts without contours: a failed one leaves none.
    contours = ContourStore();
    OrbitalOutcome outcome;
    auto file = readFileOrbitals(path);
    if (!file) {
        outcome.noCoefficients = file.error() == msg::kOrbitalsNoCoefficients;
        outcome.messages.push_back(file.error());
        return outcome;
    }
    if (file->builtIn) {
        if (spin == Spin::Beta) {
            outcome.noCoefficients = true;
            outcome.messages.push_back(msg::kOrbitalsNoCoefficients);
            return outcome;
        }
        if (cube && (cube->points != kGridSize || cube->margin != kDefaultGridMargin)) {
            outcome.messages.push_back(msg::kCubeGridFixed);
            return outcome;
        }
        outcome = builtInOrbital(path, orbitalIndex, mo, state, contours);
        if (outcome && cube)
            copyContourGrid(mo, *cube); // positions are bohr after the evaluation
        return outcome;
    }
    const OrbitalSet& set = file->set;
    std::vector<const Orbital*> alpha, beta;
    double electrons = 0.0;
    for (const Orbital& o : set.orbitals) {
        (o.spin == Spin::Alpha ? alpha : beta).push_back(&o);
        electrons += o.occupation;
    }
    state.electronCountText = std::to_string(std::lround(electrons));
    state.basisCountText = std::to_string(set.basis.functionCount());
    state.alphaCount = static_cast<std::int32_t>(alpha.size());
    state.betaCount = static_cast<std::int32_t>(beta.size());
    state.homoNumber = alpha.empty() ? 0 : highestOccupied(alpha) + 1;

    const auto& chosen = spin == Spin::Alpha ? alpha : beta;
    if (chosen.empty()) {
        outcome.noCoefficients = true;
        outcome.messages.push_back(msg::kOrbitalsNoCoefficients);
        return outcome;
    }
    const int index = orbitalIndex < 0 ? highestOccupied(chosen) : orbitalIndex;
    if (index >= static_cast<int>(chosen.size())) {
        outcome.messages.push_back(msg::kBadOrbitalNumber);
        return outcome;
    }
    mo.atomicNumbers.clear();
    mo.atomPositions.clear();
    for (const OrbitalAtom& a : set.atoms) {
        mo.atomicNumbers.push_back(a.atomicNumber);
        mo.atomPositions.push_back({static_cast<float>(a.position[0] * kBohrInAngstrom),
                                    static_cast<float>(a.position[1] * kBohrInAngstrom),
                                    static_cast<float>(a.position[2] * kBohrInAngstrom)});
    }
    mo.nuclearCount = static_cast<std::int32_t>(set.atoms.size());
    mo.electronCount = static_cast<std::int32_t>(std::lround(electrons));
    mo.basisName = file->basisName;
    const std::vector<double>& c = chosen[static_cast<std::size_t>(index)]->coefficients;
    mo.coefficients.assign(c.begin(), c.end());
    state.computedNumber = index + 1;
    evaluateOnContourGrid(set.basis, c, mo);
    if (cube) {
        cube->atoms = set.atoms;
        cube->grid = evaluateOrbitalGrid(set.basis, c, set.atoms, cube->points, cube->margin);
    }
    return traceInto(mo, contours, std::move(outcome));
}

OrbitalOutcome readCheckpoint(CheckpointState& state, ContourStore& contours, int orbitalIndex,
                              Spin spin) {
    auto mo = std::make_unique<MolecularOrbital>();
    return computeFileOrbital(state.checkpointPath, spin, orbitalIndex, *mo, state, contours);
}

} // namespace kalviro
