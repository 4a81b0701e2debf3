#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
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
    const std::tuple<const char*, std::vector<Atom>, std::string> cases[] = {
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
    for (const auto& [name, atoms, bytes] : cases)
        EXPECT_EQ(coordinateFileBytes(moleculeOf(atoms)), bytes) << name;
}

using CoordinateCommandTest = test::DocumentTest;

TEST_F(CoordinateCommandTest, WritesTheAtomsAsReadWithoutMovingThem) {
    EXPECT_FALSE(askAndSaveCoordinates(doc.molecule)); // no atoms: no dialog
    EXPECT_TRUE(platform_.openRequests.empty());
    replaceAtoms(doc.molecule, {atomAt("C", 0, 1.2345, -0.5), atomAt("H", 1, 0, 0)},
                 ElementSource::BySymbol);
    // The view turned the molecule 90 degrees about Z.
    doc.molecule.pendingRotationZ = 90;
    applyPendingRotation(doc.molecule, doc.vibrations, false, false);
    const Vector3 turned = doc.molecule.atoms[1].position();
    ASSERT_NEAR(turned.y, -1.0, 1e-12);

    const std::string path = scratch_.path("default.txt");
    platform_.openAnswers.push_back(path);
    EXPECT_TRUE(askAndSaveCoordinates(doc.molecule));
    EXPECT_EQ(test::readFileBytes(path),
              "C 0.000000 1.234500 -0.500000\r\nH 1.000000 0.000000 0.000000\r\n");
    EXPECT_EQ(doc.molecule.atoms[1].position(), turned);

    ASSERT_EQ(platform_.openRequests.size(), 1u);
    EXPECT_EQ(test::dialogText(platform_.openRequests[0]),
              "default.txt txt text|*.txt|AllFile(*.*)|*.*|| overwrite");
    EXPECT_FALSE(askAndSaveCoordinates(doc.molecule)); // cancelled
    EXPECT_EQ(platform_.openRequests.size(), 2u);
    EXPECT_TRUE(platform_.messages.empty()); // unwritable paths: see SpectrumExportTest
}

} // namespace
} // namespace kalviro
