#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "document/AnalysisReset.h"
#include "document/CheckpointPairing.h"
#include "document/FileOpening.h"
#include "document/PickedAtoms.h"
#include "document/ViewSettings.h"
#include "model/FileKind.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "model/readers/GaussianOutputReader.h"
#include "orbital/OrbitalTestSupport.h"
#include "platform/Messages.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(FileKind, ExtensionDecidesWithoutRegardToCase) {
    // Only the file's own extension counts, in any case.
    const std::pair<const char*, FileKind> cases[] = {
        {"a.log a.LOG a.Log a.out /data/x.dat/a.log", FileKind::GaussianOutput},
        {"a.dat a.DAT a.com a.GJF", FileKind::GaussianInput},
        {"a.inp a.Inp", FileKind::GamessInput},
        {"a.FChk a.fch", FileKind::Checkpoint},
        {"a.molden a.MOLF", FileKind::Molden},
        {"a.txt alog dir.log/a a.logx", FileKind::Unsupported},
    };
    for (const auto& [paths, kind] : cases) {
        std::istringstream in(paths);
        for (std::string path; in >> path;)
            EXPECT_EQ(fileKindOf(path), kind) << path;
    }
}

class FileOpeningTest : public test::DocumentTest {
  protected:
    void SetUp() override {
        test::DocumentTest::SetUp();
        // A molecule turned by the view, and the traces of an earlier analysis.
        replaceAtoms(doc.molecule, {test::atomAt("O", 0, 0, 1.5)}, ElementSource::BySymbol);
        doc.molecule.atoms[0].x = 0.7;
        doc.molecule.pendingRotationX = 10;
        VibrationStore& v = doc.vibrations;
        v.frequencies = {"100.0"};
        v.spectrumReady = 1;
        v.spectra[3][5] = 2.5f;
        ViewSettings& s = doc.view;
        s.modesLoaded = s.dipolesLoaded = s.dipoleShown = s.surfaceShown = s.modesShown = 1;
        doc.orbitalFlags.orbitalLoaded = doc.orbitalFlags.orbitalShown = true;
        doc.orbitalFields.orbitalMax = 7;
        steps_.closeAnalysisDialogs = [this] { closed_.push_back("dialogs"); };
    }
    OpenResult open(const std::string& path) { return openMoleculeFile(doc, path, steps_); }

    bool wasReset() const { return !closed_.empty(); }
    void expectUntouched() const {
        EXPECT_TRUE(closed_.empty());
        EXPECT_EQ(doc.view.modesLoaded, 1);
        EXPECT_EQ(doc.vibrations.spectrumReady, 1);
        ASSERT_EQ(doc.molecule.atoms.size(), 1u);
        EXPECT_EQ(doc.molecule.atoms[0].x, 0.7);
        EXPECT_EQ(doc.molecule.pendingRotationX, 10);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        test::writeFileBytes(scratch_.path(name), bytes);
        return scratch_.path(name);
    }

    std::vector<std::string> closed_;
    OpenSteps steps_;
};

TEST_F(FileOpeningTest, ResetClosesTheDialogsAndClearsTheAnalysis) {
    resetAnalysis(doc, steps_.closeAnalysisDialogs);

    EXPECT_EQ(closed_, (std::vector<std::string>{"dialogs"}));
    EXPECT_EQ(doc.molecule.atoms[0].position(), (Vector3{0, 0, 1.5})); // where it was read
    EXPECT_EQ(doc.molecule.pendingRotationX + doc.vibrations.spectra[3][5], 0.0f);
    EXPECT_EQ(doc.orbitalFlags.orbitalLoaded + doc.orbitalFlags.orbitalShown, 0);
    EXPECT_EQ(doc.vibrations.spectrumReady, 0);
    const ViewSettings& s = doc.view;
    EXPECT_EQ(s.modesLoaded + s.dipolesLoaded + s.dipoleShown + s.surfaceShown, 0);
    EXPECT_EQ(s.modesShown, 1); // not one of the four
    EXPECT_EQ(doc.vibrations.frequencies.size(), 1u);
    EXPECT_EQ(doc.orbitalFields.orbitalMax, 0); // the "MO" group named the old file
    resetAnalysis(doc); // no window: nothing to close
}

TEST_F(FileOpeningTest, FilesWithoutAtomsChangeNothingAndSayWhy) {
    std::filesystem::create_directory(scratch_.path("folder.log"));
    const std::pair<std::string, const char*> cases[] = {
        {write("notes.txt", "hello\n"), msg::kUnsupportedFile},
        {scratch_.path("missing.fchk"), msg::kReasonUnreadable},
        {scratch_.path("missing.dat"), msg::kReasonUnreadable},
        {scratch_.path("folder.log"), msg::kReasonUnreadable},
        {write("notes.log", "shopping list\n"), msg::kUnsupportedFile},
        {write("empty.log", ""), msg::kUnsupportedFile},
        {write("banner.log", " Entering Gaussian System\n"), msg::kReasonNoAtoms},
        {write("empty.dat", ""), msg::kReasonNoAtoms},
        {write("empty.inp", " $DATA\nt\nC1\n $END\n"), msg::kBadDataGroup},
        {write("bad.dat", "#p\n\nt\n\n0 1\nC\nH 7 1.0\n"), msg::kBadZMatrix},
    };
    for (const auto& [path, reason] : cases) {
        platform_.messages.clear();
        EXPECT_FALSE(open(path).read) << path;
        expectUntouched();
        const std::string name = std::filesystem::path(path).filename().string();
        EXPECT_EQ(platform_.messages,
                  std::vector<std::string>{"ファイルが開けません: " + name + "\n" + reason});
    }
}

TEST_F(FileOpeningTest, CancelledReadingChangesNothing) {
    const std::string path = test::examplePath("formaldehyde_opt_freq.log");
    std::vector<std::uint64_t> reports;
    steps_.progress = [&reports](std::uint64_t bytes) {
        reports.push_back(bytes);
        return false;
    };
    const OpenResult cancelled = open(path);
    EXPECT_FALSE(cancelled.read);
    ASSERT_EQ(reports.size(), 1u); // asked once, after the first line
    EXPECT_GT(reports[0], 0u);
    expectUntouched();
    EXPECT_TRUE(platform_.messages.empty()); // the user knows they cancelled

    steps_.progress = [](std::uint64_t) { return true; };
    const OpenResult read = open(path);
    EXPECT_TRUE(read.read);
    EXPECT_TRUE(read.showDataSelection);
    EXPECT_TRUE(wasReset());
    EXPECT_EQ(doc.molecule.atoms.size(), 4u);
}

TEST_F(FileOpeningTest, EveryFileOfAnotherMoleculeReplacesTheDocument) {
    const char* water = "#p\n\nt\n\n0 1\nO 0 0 0\nH 0 0 0.96\n";
    test::FchkParts parts;
    parts.coefficients.assign(49, 0.0);
    const std::string orbital = test::fchkText(parts);
    const std::tuple<const char*, const char*, std::size_t> cases[] = {
        {"w.DAT", water, 2},
        {"w.Gjf", water, 2},
        {"w.INP", " $DATA\nt\nC1\n O 8.0 0.0 0.0 0.25\n $END\n", 1},
        {"mo.FChk", orbital.c_str(), 3}, // an orbital of another molecule brings its atoms
    };
    for (const auto& [name, content, atoms] : cases) {
        SetUp();
        closed_.clear();
        doc.molecule.rotationY = doc.molecule.panX = 2.0f;
        doc.picked.slots[0] = doc.picked.count = 1;
        doc.scene.selectedMode = 0;
        doc.zoom.level = 2;
        const OpenResult r = open(write(name, content));
        EXPECT_TRUE(r.read && wasReset()) << name;
        EXPECT_EQ(r.statusText, "") << name; // inputs have no vibrations to miss
        EXPECT_EQ(doc.molecule.atoms.size(), atoms) << name;
        // Nothing of the previous file stays: no arrows on the new atoms.
        EXPECT_TRUE(doc.vibrations.frequencies.empty()) << name;
        EXPECT_FALSE(doc.view.modesShown || doc.view.modesLoaded) << name;
        EXPECT_EQ(doc.picked.count + doc.zoom.level, 0) << name;
        EXPECT_EQ(doc.molecule.rotationY + doc.molecule.panX, 0.0f) << name;
        EXPECT_TRUE(doc.view.fitPending) << name;
    }
    EXPECT_TRUE(platform_.messages.empty());
}

// The orbital of the molecule shown, written turned 180 degrees about x, is
// laid over it turned the same way; the molecule stays as loaded.
TEST_F(FileOpeningTest, OrbitalOfTheShownMoleculeIsTurnedIntoItsFrame) {
    test::FchkParts parts;
    parts.coefficients.assign(49, 0.0);
    parts.coefficients[4 * 7 + 3] = 1.0; // the HOMO is O 2py
    const std::string path = write("mo.fchk", test::fchkText(parts));
    Document own;
    ASSERT_TRUE(openMoleculeFile(own, path).orbitalRead);
    ASSERT_EQ(own.molecule.atoms.size(), 3u);
    std::vector<Atom> turned = own.molecule.atoms;
    for (Atom& a : turned)
        a.y = -a.y, a.z = -a.z;
    replaceAtoms(doc.molecule, turned, ElementSource::ByNumber);

    EXPECT_TRUE(open(path).orbitalRead);
    EXPECT_FALSE(wasReset());
    EXPECT_EQ(doc.vibrations.frequencies.size(), 1u);
    EXPECT_EQ(doc.molecule.pendingRotationX, 0.0f);
    EXPECT_EQ(doc.molecule.atoms[1].position(), turned[1].position());
    const auto expectTurned = [](const std::vector<Vector3>& got, const std::vector<Vector3>& was) {
        ASSERT_EQ(got.size(), was.size());
        ASSERT_FALSE(got.empty());
        for (std::size_t k = 0; k < got.size(); ++k)
            EXPECT_LT((got[k] - Vector3{was[k].x, -was[k].y, -was[k].z}).length(), 1e-6) << k;
    };
    expectTurned(doc.contours.loadedPoints, own.contours.loadedPoints);
    for (int s = 0; s < 2; ++s)
        expectTurned(doc.surfaces.shown[s].positions, own.surfaces.shown[s].positions);
}

TEST_F(FileOpeningTest, OutputCutBeforeTheFrequenciesOpensWithANote) {
    const std::string full = test::readFileBytes(test::examplePath("formaldehyde_opt_freq.log"));
    const std::size_t cut = full.find("Harmonic frequencies");
    ASSERT_NE(cut, std::string::npos);
    const OpenResult r = open(write("cut.log", full.substr(0, cut)));
    ASSERT_TRUE(r.read);
    EXPECT_EQ(r.statusText, "Gaussian の出力：振動データがありません"); // no banner in the example
    EXPECT_EQ(doc.molecule.atoms.size(), 4u);
    EXPECT_TRUE(doc.vibrations.modes.empty());
    EXPECT_FALSE(doc.view.modesLoaded);
    EXPECT_TRUE(platform_.messages.empty());
}

// What each reader gave; the reset and the failures are tested above.
TEST_F(FileOpeningTest, InstallsWhatEachReaderGave) {
    ASSERT_TRUE(open(test::dataPath("gaussian-output/g98_opt_freq.log")).read);
    EXPECT_EQ(doc.molecule.atoms[1].symbol, "O");
    EXPECT_EQ(doc.molecule.atoms[1].loadedPosition.z, 0.6839);
    EXPECT_EQ(doc.vibrations.modes.size(), 6u);
    EXPECT_EQ(doc.view.modesLoaded + doc.view.dipolesLoaded, 2);

    // Elements from symbols for a Gaussian input (dummies kept), from the
    // nuclear charge for GAMESS.
    ASSERT_TRUE(open(write("w.com", "#p\n\nt\n\n0 1\n8 0.0 0.0 0.1\nH1 0.0 0.75 -0.5\nX 0 0 0\n")).read);
    const auto& atoms = doc.molecule.atoms;
    ASSERT_EQ(atoms.size(), 3u);
    EXPECT_EQ(atoms[0].symbol, "O");
    EXPECT_EQ(atoms[1].symbol, "H1");
    EXPECT_EQ(atoms[1].atomicNumber, 1);
    EXPECT_TRUE(atoms[2].isDummy());
    ASSERT_TRUE(open(write("g.inp", " $DATA\nt\nC1\n O 8.0 0.0 0.0 0.1173\n $END\n")).read);
    ASSERT_EQ(atoms.size(), 1u);
    EXPECT_EQ(atoms[0].atomicNumber, 8);
}

TEST(CheckpointBeside, SameNameAnyCaseOfFchkOrFch) {
    test::TempDir dir;
    for (const char* name : {"job.log", "job.chk", "job2.fchk", "Job.fch"})
        test::writeFileBytes(dir.path(name), "");
    EXPECT_FALSE(checkpointBeside(dir.path("job.log")));
    test::writeFileBytes(dir.path("job.FChk"), "");
    EXPECT_EQ(checkpointBeside(dir.path("job.log")), dir.path("job.FChk"));
}

std::string section(std::string name, char type, const std::vector<double>& values) {
    name.resize(43, ' ');
    std::ostringstream s;
    s.precision(17);
    s << name << type << "   N=" << values.size() << "\n";
    for (double v : values)
        s << " " << v;
    return s.str() + "\n";
}

// A checkpoint file without a Hessian: the vectors come from the output's
// five-decimal table. Its polar tensor answers strongly to x displacements,
// which the ordinary table rounds to zero in the first mode.
class PairingWithoutHessian : public test::DocumentTest {};

TEST_F(PairingWithoutHessian, VectorsComeFromTheHighPrecisionTable) {
    const std::string output = test::dataPath("gaussian-output/g09_hpmodes.log");
    ASSERT_TRUE(openMoleculeFile(doc, output).read);
    const FrequencyJob job = *parseOutputFile(output);
    std::vector<double> xyz, apt;
    for (const Atom& a : job.atoms)
        for (double c : {a.x, a.y, a.z})
            xyz.push_back(c / 0.529177210903);
    for (int j = 0; j < 27; ++j)
        apt.push_back(std::sin(1.0 + j) + (j % 9 < 3 ? 40.0 : 0.0));
    test::writeFileBytes(scratch_.path("w.fchk"), "w\nFreq\n" + section("Atomic numbers", 'I', {8, 1, 1}) +
                                                 section("Current cartesian coordinates", 'R', xyz) +
                                                 section("Dipole Derivatives", 'R', apt));
    EXPECT_EQ(addCheckpointVectors(doc, scratch_.path("w.fchk")),
              msg::kPairedFromPreciseModes + std::string("w.fchk"));
    EXPECT_EQ(doc.vibrations.sources.dipoleDerivatives, "checkpoint APT");

    // dmu/dQ = sum_i APT_i^T d_i, as a direction: |v|^2 is the printed intensity.
    const auto direction = [&](const std::vector<Vector3>& d) {
        Vector3 mu;
        for (std::size_t i = 0; i < 3 * d.size(); ++i) {
            const Vector3& di = d[i / 3];
            mu = mu + Vector3{apt[3 * i], apt[3 * i + 1], apt[3 * i + 2]} *
                          (i % 3 == 0 ? di.x : i % 3 == 1 ? di.y : di.z);
        }
        return mu * (1.0 / mu.length());
    };
    ASSERT_EQ(doc.vibrations.dipoleDerivatives.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const Vector3& v = doc.vibrations.dipoleDerivatives[k];
        EXPECT_NEAR(v.dot(v), std::stod(job.intensities[k]), 1e-9) << k;
        EXPECT_NEAR(v.dot(direction(job.preciseModes[k])) / v.length(), 1.0, 1e-10) << k;
    }
    EXPECT_LT(direction(job.modes[0]).dot(direction(job.preciseModes[0])), 0.99);
}

} // namespace
} // namespace kalviro
