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

class OtherProgramOpening : public test::ProcessStateTest {};

// The open path picks the reader from the banner, whatever the extension:
// every other program's output in the corpus opens like a Gaussian output,
// with the atoms and modes cclib read from it.
TEST_F(OtherProgramOpening, EveryOutputOpensWithItsAtomsAndModes) {
    if (!test::corpusAvailable())
        GTEST_SKIP() << "no corpus";
    const auto expectedDir = test::corpusDir() / "expected-cclib";
    int files = 0;
    std::size_t lastAtoms = 0;
    for (const auto& folder : std::filesystem::directory_iterator(expectedDir)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = entry.path().stem().string(); // "X.out"
            const auto path = test::corpusDir() / "files" / folder.path().filename() / name;
            nlohmann::json expected = nlohmann::json::parse(std::ifstream(entry.path()));
            ASSERT_TRUE(openMoleculeFile(path.string()).read) << name;
            EXPECT_EQ(moleculeState().atoms.size(), expected["atoms"].size()) << name;
            EXPECT_EQ(vibrationStore().frequencies.size(), expected["frequencies"].size()) << name;
            EXPECT_EQ(moleculeState().atoms[0].atomicNumber, expected["atoms"][0]["atomicNumber"].get<int>()) << name;
            EXPECT_TRUE(viewSettings().modesLoaded) << name;
            lastAtoms = moleculeState().atoms.size();
            ++files;
        }
    }
    EXPECT_EQ(files, 8);
    EXPECT_TRUE(platform_.messages.empty());

    // A file cut inside its mode table is refused with the reader's reason,
    // and what was open stays.
    const std::string text =
        test::readFileBytes((test::corpusDir() / "files/orca/ORCA4.2_dvb_ir.out").string());
    test::TempDir dir;
    const std::string cut = dir.path("cut.out");
    test::writeFileBytes(cut, text.substr(0, text.find("NORMAL MODES") + 400));
    EXPECT_FALSE(openMoleculeFile(cut).read);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_NE(platform_.messages[0].find("cut.out"), std::string::npos) << platform_.messages[0];
    EXPECT_EQ(moleculeState().atoms.size(), lastAtoms);
}

} // namespace
} // namespace kalviro
