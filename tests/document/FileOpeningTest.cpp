#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "document/AnalysisReset.h"
#include "document/FileOpening.h"
#include "document/PickedAtoms.h"
#include "document/ViewSettings.h"
#include "model/FileKind.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
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
        std::vector<Atom> atoms(1);
        atoms[0].symbol = "O";
        atoms[0].z = 1.5;
        replaceAtoms(doc.molecule, atoms, ElementSource::BySymbol);
        doc.molecule.atoms[0].x = 0.7;
        doc.molecule.pendingRotationX = 10;
        VibrationStore& v = doc.vibrations;
        v.frequencies = {"100.0"};
        v.spectrumReady = 1;
        v.spectra[3][5] = 2.5f;
        ViewSettings& s = doc.view;
        s.modesLoaded = s.dipolesLoaded = s.dipoleShown = s.surfaceShown = s.modesShown = 1;
        doc.orbitalFlags.orbitalLoaded = doc.orbitalFlags.orbitalShown = true;
        setDialogCloser(AnalysisDialog::DataSelection, [this] { closed_.push_back("data"); });
    }

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
        const std::string p = dir_.path(name);
        test::writeFileBytes(p, bytes);
        return p;
    }

    std::vector<std::string> closed_;
    test::TempDir dir_;
};

TEST_F(FileOpeningTest, ResetClosesTheDialogsInOrderAndClearsTheAnalysis) {
    // Registered backwards on purpose: the order is the reset's, not theirs.
    clearDialogClosers();
    setDialogCloser(AnalysisDialog::Rotation, [this] { closed_.push_back("rotation"); });
    setDialogCloser(AnalysisDialog::Preview, [this] { closed_.push_back("preview"); });
    setDialogCloser(AnalysisDialog::Axis, [this] { closed_.push_back("axis"); });
    setDialogCloser(AnalysisDialog::DataSelection, [this] {
        closed_.push_back("data");
        setDialogCloser(AnalysisDialog::DataSelection, nullptr); // a dialog forgetting itself
    });

    resetAnalysis(doc);

    EXPECT_EQ(closed_, (std::vector<std::string>{"data", "axis", "preview", "rotation"}));
    const Atom& a = doc.molecule.atoms[0];
    EXPECT_EQ(a.x, 0.0);
    EXPECT_EQ(a.z, 1.5);
    EXPECT_EQ(doc.molecule.pendingRotationX, 0);
    EXPECT_EQ(doc.orbitalFlags.orbitalLoaded, 0);
    EXPECT_EQ(doc.orbitalFlags.orbitalShown, 0);
    EXPECT_EQ(doc.vibrations.spectrumReady, 0);
    EXPECT_EQ(doc.vibrations.spectra[3][5], 0.0f);
    const ViewSettings& s = doc.view;
    EXPECT_EQ(s.modesLoaded + s.dipolesLoaded + s.dipoleShown + s.surfaceShown, 0);
    EXPECT_EQ(s.modesShown, 1); // not one of the four
    EXPECT_EQ(doc.vibrations.frequencies.size(), 1u);

    closed_.clear();
    resetAnalysis(doc); // the data-selection dialog is gone
    EXPECT_EQ(closed_, (std::vector<std::string>{"axis", "preview", "rotation"}));
}

TEST_F(FileOpeningTest, UnsupportedOrUnreadableFilesChangeNothing) {
    const std::string text = write("notes.txt", "hello\n");
    const std::string checkpoint = write("orbital.fchk", "x\n");
    const std::string cases[] = {text,
                                 checkpoint,
                                 dir_.path("missing.dat"),
                                 dir_.path("missing.log"),
                                 dir_.path("missing.inp"),
                                 dir_.dir().string() + "/folder.log"};
    std::filesystem::create_directory(dir_.path("folder.log"));
    for (const auto& path : cases) {
        EXPECT_FALSE(openMoleculeFile(doc, path).read) << path;
        expectUntouched();
    }
    EXPECT_EQ(platform_.messages,
              (std::vector<std::string>{"このファイル形式には対応していません",
                                        "このファイル形式には対応していません",
                                        "ファイルが開けません", "ファイルが開けません",
                                        "ファイルが開けません", "ファイルが開けません"}));
}

TEST_F(FileOpeningTest, CancelledReadingChangesNothing) {
    const std::string path = test::examplePath("formaldehyde_opt_freq.log");
    std::vector<std::uint64_t> reports;
    const OpenResult cancelled = openMoleculeFile(doc, path, [&reports](std::uint64_t bytes) {
        reports.push_back(bytes);
        return false;
    });
    EXPECT_FALSE(cancelled.read);
    ASSERT_EQ(reports.size(), 1u); // asked once, after the first line
    EXPECT_GT(reports[0], 0u);
    expectUntouched();
    EXPECT_TRUE(platform_.messages.empty()); // the user knows they cancelled

    const OpenResult read = openMoleculeFile(doc, path, [](std::uint64_t) { return true; });
    EXPECT_TRUE(read.read);
    EXPECT_TRUE(read.showDataSelection);
    EXPECT_TRUE(wasReset());
    EXPECT_EQ(doc.molecule.atoms.size(), 4u);
}

TEST_F(FileOpeningTest, EachKindIsReadWithOrWithoutTheReset) {
    struct Case {
        const char* name;
        const char* content;
        bool reset;
        std::size_t atoms;
    };
    const char* water = "#p\n\nt\n\n0 1\nO 0 0 0\nH 0 0 0.96\n";
    const Case cases[] = {
        {"w.DAT", water, true, 2},
        {"w.com", water, true, 2},
        {"w.Gjf", water, true, 2},
        {"empty.log", " Entering Gaussian System\n", true, 0}, // read, but nothing to select
        {"w.INP", " $DATA\nt\nC1\n O 8.0 0.0 0.0 0.25\n $END\n", false, 1},
        {"mo.FChk", "x\n", false, 1},
    };
    for (const auto& c : cases) {
        SetUp();
        closed_.clear();
        setCheckpointOpener(
            [](const std::string& path) { return path.find("mo.") != std::string::npos; });
        const OpenResult r = openMoleculeFile(doc, write(c.name, c.content));
        EXPECT_TRUE(r.read) << c.name;
        EXPECT_FALSE(r.showDataSelection) << c.name;
        EXPECT_EQ(wasReset(), c.reset) << c.name;
        EXPECT_EQ(doc.view.modesLoaded, c.reset ? 0 : 1) << c.name;
        EXPECT_EQ(doc.molecule.pendingRotationX, c.reset ? 0 : 10) << c.name;
        EXPECT_EQ(doc.molecule.atoms.size(), c.atoms) << c.name;
        // An input file leaves the vibration data of the earlier output.
        if (c.name[0] == 'w') {
            EXPECT_EQ(doc.vibrations.frequencies, (std::vector<std::string>{"100.0"})) << c.name;
        }
    }
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(FileOpeningTest, InstallsWhatEachReaderGaveAndKeepsTheMoleculeOnFailure) {
    ViewSettings& s = doc.view;
    s.eyeDistance = 3.0f;
    s.axisLength = 4.0f;
    doc.picked.slots[0] = 1;
    doc.picked.count = 1;
    ASSERT_TRUE(openMoleculeFile(doc, test::dataPath("gaussian-output/g98_opt_freq.log")).read);
    EXPECT_EQ(doc.picked.count, 0); // the picks named atoms of the molecule replaced
    EXPECT_EQ(doc.picked.slots[0], 0);
    EXPECT_EQ(doc.molecule.atoms[1].symbol, "O");
    EXPECT_EQ(doc.molecule.atoms[1].loadedPosition.z, 0.6839);
    EXPECT_EQ(doc.vibrations.modes.size(), 6u);
    EXPECT_EQ(s.modesLoaded + s.dipolesLoaded, 2);
    EXPECT_EQ(s.eyeDistance, 20.0f);
    EXPECT_EQ(s.axisLength, 4.0f); // other camera fields untouched

    // Elements from symbols for a Gaussian input (dummies kept), from the
    // nuclear charge for GAMESS, whose reader leaves the camera alone.
    s.eyeDistance = 3.0f;
    ASSERT_TRUE(openMoleculeFile(doc, write("w.com", "#p\n\nt\n\n0 1\n8 0.0 0.0 0.1\nH1 0.0 0.75 -0.5\n"
                                                "X 0 0 0\n"))
                    .read);
    const auto& atoms = doc.molecule.atoms;
    ASSERT_EQ(atoms.size(), 3u);
    EXPECT_EQ(atoms[0].symbol, "O");
    EXPECT_EQ(atoms[1].symbol, "H1");
    EXPECT_EQ(atoms[1].atomicNumber, 1);
    EXPECT_TRUE(atoms[2].isDummy());
    EXPECT_EQ(s.eyeDistance, 20.0f);
    s.eyeDistance = 3.0f;
    ASSERT_TRUE(
        openMoleculeFile(doc, write("g.inp", " $DATA\nt\nC1\n O 8.0 0.0 0.0 0.1173\n $END\n")).read);
    ASSERT_EQ(atoms.size(), 1u);
    EXPECT_EQ(atoms[0].atomicNumber, 8);
    EXPECT_EQ(s.eyeDistance, 3.0f);

    EXPECT_FALSE(openMoleculeFile(doc, write("bad.dat", "#p\n\nt\n\n0 1\nC\nH 7 1.0\n")).read);
    EXPECT_FALSE(openMoleculeFile(doc, write("bad.inp", " $DATA\nt\nC1\n")).read);
    EXPECT_EQ(platform_.messages, (std::vector<std::string>{"Zマトリックスを読み込めません",
                                                            "$DATA グループを読み込めません"}));
    EXPECT_EQ(atoms.size(), 1u);
    EXPECT_EQ(s.eyeDistance, 3.0f);
}

} // namespace
} // namespace kalviro
