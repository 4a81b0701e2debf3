#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "document/FileOpening.h"
#include "document/ViewSettings.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

class OpeningRealFiles : public test::DocumentTest {};

// The open path picks the reader from the banner, whatever the extension:
// every other program's output in the corpus opens like a Gaussian output,
// with the atoms and modes cclib read from it.
TEST_F(OpeningRealFiles, EveryOutputOpensWithItsAtomsAndModes) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto expectedDir = test::corpusDir() / "expected-cclib";
    int files = 0;
    std::size_t lastAtoms = 0;
    for (const auto& folder : std::filesystem::directory_iterator(expectedDir)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = entry.path().stem().string(); // "X.out"
            const auto path = test::corpusDir() / "files" / folder.path().filename() / name;
            nlohmann::json expected = nlohmann::json::parse(std::ifstream(entry.path()));
            ASSERT_TRUE(openMoleculeFile(doc, path.string()).read) << name;
            EXPECT_EQ(doc.molecule.atoms.size(), expected["atoms"].size()) << name;
            EXPECT_EQ(doc.vibrations.frequencies.size(), expected["frequencies"].size()) << name;
            EXPECT_EQ(doc.molecule.atoms[0].atomicNumber,
                      expected["atoms"][0]["atomicNumber"].get<int>())
                << name;
            EXPECT_TRUE(doc.view.modesLoaded) << name;
            lastAtoms = doc.molecule.atoms.size();
            ++files;
        }
    }
    EXPECT_EQ(files, 8);
    EXPECT_TRUE(platform_.messages.empty());

    // A file cut inside its mode table is refused with the reader's reason,
    // and what was open stays.
    const std::string text =
        test::readFileBytes((test::corpusDir() / "files/orca/ORCA4.2_dvb_ir.out").string());
    const std::string cut = scratch_.path("cut.out");
    test::writeFileBytes(cut, text.substr(0, text.find("NORMAL MODES") + 400));
    EXPECT_FALSE(openMoleculeFile(doc, cut).read);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_NE(platform_.messages[0].find("cut.out"), std::string::npos) << platform_.messages[0];
    EXPECT_EQ(doc.molecule.atoms.size(), lastAtoms);
}

// A frequency job's checkpoint file opens with the modes computed from its
// Hessian: the same frequencies and intensities as the job's output.
TEST_F(OpeningRealFiles, AFrequencyCheckpointFileOpensWithItsModes) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto dir = test::corpusDir() / "files/g09";
    ASSERT_TRUE(openMoleculeFile(doc, (dir / "dvb_ir.out").string()).read);
    const VibrationStore printed = doc.vibrations;
    const OpenResult r = openMoleculeFile(doc, (dir / "dvb_ir.fchk").string());
    ASSERT_TRUE(r.read);
    const VibrationStore& computed = doc.vibrations;
    ASSERT_EQ(computed.frequencies.size(), printed.frequencies.size());
    ASSERT_EQ(computed.dipoleDerivatives.size(), printed.frequencies.size());
    EXPECT_EQ(doc.molecule.atoms.size(), 20u);
    EXPECT_TRUE(doc.view.modesLoaded && doc.view.dipolesLoaded);
    EXPECT_TRUE(r.orbitalRead); // and its orbital, as for any checkpoint file
    // The lowest modes are far apart: compare them in order.
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_NEAR(std::stod(computed.frequencies[k]), std::stod(printed.frequencies[k]), 0.5);
        const double intensity = std::stod(printed.intensities[k]);
        EXPECT_NEAR(std::stod(computed.intensities[k]), intensity, 0.01 * intensity + 1e-3);
        EXPECT_EQ(computed.symmetries[k], ""); // the file has no species
    }

    // A Hessian of the wrong length is refused and the modes shown stay.
    const std::string text = test::readFileBytes((dir / "dvb_ir.fchk").string());
    const std::string label = "Cartesian Force Constants                  R   N=        ";
    ASSERT_NE(text.find(label + "1830"), std::string::npos);
    const std::string cut = scratch_.path("short.fchk");
    test::writeFileBytes(cut, test::replaceAll(text, label + "1830", label + "1829"));
    EXPECT_FALSE(openMoleculeFile(doc, cut).read);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].rfind("ファイルが開けません: short.fchk\n", 0), 0u)
        << platform_.messages[0];
    EXPECT_EQ(doc.vibrations.frequencies.size(), printed.frequencies.size());
}

} // namespace
} // namespace kalviro
