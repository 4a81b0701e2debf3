#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "document/SaveCommands.h"
#include "ir/CoordinateExport.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "document/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::atomAt;

MoleculeState moleculeOf(const std::vector<Atom>& atoms) {
    MoleculeState m;
    replaceAtoms(m, atoms, ElementSource::BySymbol);
    return m;
}

TEST(CoordinateFile, Bytes) {
    struct Case {
        const char* name;
        std::vector<Atom> atoms;
        std::string bytes;
    };
    const Case cases[] = {
        {"carbon", {atomAt("C", 0, 1.2345, -0.5)}, "C 0.000000 1.234500 -0.500000\r\n"},
        {"negative zero",
         {atomAt("H", -0.0, 0.0000004, -0.0000004)},
         "H -0.000000 0.000000 -0.000000\r\n"},
        {"rounding",
         {atomAt("O", 1.0000005, 2.9999994, 123456.25)},
         "O 1.000001 2.999999 123456.250000\r\n"},
        {"empty symbol and dummy",
         {atomAt("", 1, 2, 3), atomAt("X", -1, -2, -3)},
         " 1.000000 2.000000 3.000000\r\nX -1.000000 -2.000000 -3.000000\r\n"},
        {"label kept", {atomAt("C12", 0.5, 0, 0)}, "C12 0.500000 0.000000 0.000000\r\n"},
        {"none", {}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(coordinateFileBytes(moleculeOf(c.atoms)), c.bytes) << c.name;
}

class CoordinateCommandTest : public test::DocumentTest {
  protected:
    test::TempDir dir_;
};

TEST_F(CoordinateCommandTest, WritesTheAtomsAsReadWithoutMovingThem) {
    replaceAtoms(doc.molecule, {atomAt("C", 0, 1.2345, -0.5), atomAt("H", 1, 0, 0)},
                 ElementSource::BySymbol);
    // The view turned the molecule 90 degrees about Z.
    doc.molecule.pendingRotationZ = 90;
    applyPendingRotation(doc.molecule, doc.vibrations, false, false);
    const double turnedX = doc.molecule.atoms[1].x;
    const double turnedY = doc.molecule.atoms[1].y;
    ASSERT_NEAR(turnedY, -1.0, 1e-12);

    const std::string path = dir_.path("default.txt");
    platform_.openAnswers.push_back(path);
    EXPECT_TRUE(askAndSaveCoordinates(doc.molecule));
    EXPECT_EQ(test::readFileBytes(path),
              "C 0.000000 1.234500 -0.500000\r\nH 1.000000 0.000000 0.000000\r\n");
    EXPECT_EQ(doc.molecule.atoms[1].x, turnedX);
    EXPECT_EQ(doc.molecule.atoms[1].y, turnedY);

    ASSERT_EQ(platform_.openRequests.size(), 1u);
    const FileDialogRequest& r = platform_.openRequests[0];
    EXPECT_EQ(r.filter, "text|*.txt|AllFile(*.*)|*.*||");
    EXPECT_EQ(r.defaultExtension, "txt");
    EXPECT_EQ(r.defaultFileName, "default.txt");
    EXPECT_FALSE(r.hideReadOnly);
    EXPECT_TRUE(r.overwritePrompt);
}

TEST_F(CoordinateCommandTest, NothingWithoutAtomsOrWhenCancelled) {
    EXPECT_FALSE(askAndSaveCoordinates(doc.molecule));
    EXPECT_TRUE(platform_.openRequests.empty());
    replaceAtoms(doc.molecule, {atomAt("C", 0, 0, 0)}, ElementSource::BySymbol);
    EXPECT_FALSE(askAndSaveCoordinates(doc.molecule));
    EXPECT_EQ(platform_.openRequests.size(), 1u);
    platform_.openAnswers.push_back(dir_.dir().string()); // a folder cannot be written
    EXPECT_FALSE(askAndSaveCoordinates(doc.molecule));
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_NE(platform_.messages[0].find("\n同じ名前のフォルダがあります"), std::string::npos);
}

} // namespace
} // namespace kalviro
