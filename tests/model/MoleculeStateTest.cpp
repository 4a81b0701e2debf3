#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "document/ViewSettings.h"

using namespace kalviro;

namespace {

using test::atomAt;

MoleculeState molecule(std::vector<Atom> atoms) {
    MoleculeState m;
    replaceAtoms(m, atoms, ElementSource::BySymbol);
    return m;
}

void expectNear(const Vector3& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, 1e-12);
    EXPECT_NEAR(v.y, y, 1e-12);
    EXPECT_NEAR(v.z, z, 1e-12);
}

} // namespace

TEST(Rotation, QuarterTurnsAndAGeneralVector) {
    Vector3 v{0, 1, 0}, w{1, 0, 0}, u{1, 0, 0};
    v.rotateXY(90, 0);
    w.rotateZ(90);
    u.rotateXY(0, 90); // about Y: x goes to -z
    expectNear(v, 0, 0, 1);
    expectNear(w, 0, -1, 0);
    expectNear(u, 0, 0, -1);

    // a = 30 about X: (1,2,3) -> (1, 2c-3s, 2s+3c); then b = 45 about Y.
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    const double y1 = 2 * c - 3 * s, z1 = 2 * s + 3 * c;
    const double r = std::sqrt(0.5);
    Vector3 g{1, 2, 3};
    g.rotateXY(30, 45);
    expectNear(g, r * 1 + r * z1, y1, r * z1 - r * 1);
}

// Bonds within 1.2 x (r1 + r2), 1.848 for two carbons; hydrogens (also
// labelled ones) and dummies own none, atoms on the same spot get none, and
// more than six neighbours are all kept.
TEST(Bonds, CountsPerAtom) {
    std::vector<Atom> sulfur{atomAt("S", 0, 0, 0)};
    for (int k = 0; k < 8; ++k)
        sulfur.push_back(atomAt("F", 1.5 * std::cos(k * M_PI / 4), 1.5 * std::sin(k * M_PI / 4), 0));
    const std::pair<std::vector<Atom>, std::vector<int>> cases[] = {
        {{atomAt("C", 0, 0, 0), atomAt("C", 1.84, 0, 0)}, {1, 1}},
        {{atomAt("C", 0, 0, 0), atomAt("C", 1.85, 0, 0)}, {0, 0}},
        {{atomAt("H", 0, 0, 0), atomAt("H", 0.74, 0, 0)}, {0, 0}},
        {{atomAt("O", 0, 0, 0.119), atomAt("H", 0, 0.763, -0.477), atomAt("H", 0, -0.763, -0.477),
          atomAt("X", 0, 0, 0.5)},
         {2, 0, 0, 0}},
        {{atomAt("H12", 0, 0, 0), atomAt("C1", 1.0, 0, 0)}, {0, 1}},
        {{atomAt("C", 1, 1, 1), atomAt("C", 1, 1, 1)}, {0, 0}},
        {sulfur, {8}}}; // the fluorines' own bonds aside
    for (const auto& [atoms, counts] : cases) {
        MoleculeState m = molecule(atoms);
        perceiveBonds(m);
        std::vector<int> got;
        for (std::size_t i = 0; i < counts.size(); ++i)
            got.push_back(m.atoms[i].bondCount());
        EXPECT_EQ(got, counts) << atoms[0].symbol << " " << atoms[1].x;
    }
    MoleculeState water = molecule(cases[3].first);
    perceiveBonds(water);
    EXPECT_EQ(water.atoms[0].bonds[0].partner, 1);
    EXPECT_EQ(water.atoms[0].bonds[1].partner, 2);
}

TEST(Bonds, AngleLengthAndAxisOfABond) {
    MoleculeState up = molecule({atomAt("C", 0, 0, 0), atomAt("O", 0, 0, 1.2)});
    perceiveBonds(up);
    const BondSlot& b = up.atoms[0].bonds.at(0);
    EXPECT_NEAR(b.angle, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(b.length, 1.2);
    expectNear(b.axis, 0, 0, 0);
    // Seen from the oxygen the bond points down -Z.
    EXPECT_NEAR(up.atoms[1].bonds.at(0).angle, -180.0, 1e-9);

    MoleculeState side = molecule({atomAt("C", 0, 0, 0), atomAt("O", 1.2, 0, 0)});
    perceiveBonds(side);
    const BondSlot& s = side.atoms[0].bonds.at(0);
    EXPECT_NEAR(s.angle, -90.0, 1e-9);
    expectNear(s.axis, 0, -1, 0); // (dy/r, -dx/r, 0)
}

TEST(Molecule, EmptyMoleculeIsValidEverywhere) {
    MoleculeState m = molecule({});
    VibrationStore v;
    ViewSettings s;
    perceiveBonds(m);
    applyPendingRotation(m, v, s.dipolesLoaded == 1, s.modesLoaded == 1);
    accumulateRotation(m);
    restoreAllPositions(m);
    EXPECT_TRUE(m.atoms.empty());
}

class RotationRoundTrip : public test::DocumentTest {};

TEST_F(RotationRoundTrip, RestoringReturnsAtomsAndVectorsExactlyToTheLoadedValues) {
    MoleculeState& m = doc.molecule;
    replaceAtoms(m, {atomAt("C", 0.1, 0.2, 0.3), atomAt("O", -1.0, 0.5, 2.0)},
                 ElementSource::BySymbol);
    VibrationStore& v = doc.vibrations;
    v.modes = {{{1, 0, 0}, {0, 1, 0}}, {{0.3, -0.2, 0.1}, {0, 0, 1}}};
    v.dipoleDerivatives = {{0.5, 0.25, -1}, {2, 3, 4}};
    v.saveVectors();
    ViewSettings& s = doc.view;
    s.modesLoaded = 1;
    s.dipolesLoaded = 1;

    for (int step = 0; step < 5; ++step) {
        m.pendingRotationX = 17.0f * step + 3;
        m.pendingRotationY = -41.5f;
        m.pendingRotationZ = 123.25f;
        applyPendingRotation(m, v, s.dipolesLoaded == 1, s.modesLoaded == 1);
        accumulateRotation(m);
    }
    EXPECT_NE(m.atoms[0].x, 0.1);
    EXPECT_NE(v.modes[0][0].x, 1.0);
    EXPECT_FLOAT_EQ(m.rotationY, -41.5f * 5);
    EXPECT_EQ(m.pendingRotationX, 0.0f);

    restoreAllPositions(m);
    v.restoreVectors();
    EXPECT_EQ(m.atoms[1].position(), (Vector3{-1.0, 0.5, 2.0}));
    EXPECT_EQ(v.modes[1][0], (Vector3{0.3, -0.2, 0.1}));
    EXPECT_EQ(v.dipoleDerivatives[1], (Vector3{2, 3, 4}));
}

TEST_F(RotationRoundTrip, VectorsStayPutWhenTheirFlagIsOff) {
    MoleculeState& m = doc.molecule;
    replaceAtoms(m, {atomAt("C", 1, 0, 0)}, ElementSource::BySymbol);
    VibrationStore& v = doc.vibrations;
    v.modes = {{{1, 0, 0}}};
    v.dipoleDerivatives = {{1, 0, 0}};
    m.pendingRotationZ = 90;
    applyPendingRotation(m, v, false, true); // dipoles not loaded
    expectNear(m.atoms[0], 0, -1, 0);
    expectNear(v.modes[0][0], 0, -1, 0);
    EXPECT_EQ(v.dipoleDerivatives[0], (Vector3{1, 0, 0}));
}

TEST(ReplaceAtoms, CopiesPositionKeepsItAndSetsTheElement) {
    MoleculeState m;
    Atom p = atomAt("ignored", 1, 2, 3);
    p.atomicNumber = 8;
    p.selected = true;
    replaceAtoms(m, {p}, ElementSource::ByNumber);
    ASSERT_EQ(m.atoms.size(), 1u);
    EXPECT_EQ(m.atoms[0].symbol, "O");
    EXPECT_EQ(m.atoms[0].loadedPosition, (Vector3{1, 2, 3}));
    EXPECT_FALSE(m.atoms[0].selected);
    EXPECT_EQ(m.atoms[0].material, MaterialId::Red);
}

TEST(VibrationStore, ClearKeepsTheSavedCopiesAndSpectra) {
    VibrationStore v;
    v.frequencies = {"1"};
    v.modes = {{{1, 2, 3}}};
    v.dipoleDerivatives = {{4, 5, 6}};
    v.saveVectors();
    v.spectra[3][7] = 2.5f;
    v.clearVibrations();
    EXPECT_TRUE(v.frequencies.empty());
    EXPECT_TRUE(v.modes.empty());
    EXPECT_EQ(v.savedModes.size(), 1u);
    EXPECT_EQ(v.savedDipoleDerivatives.at(0), (Vector3{4, 5, 6}));
    EXPECT_EQ(v.spectra[3][7], 2.5f);
    // Restoring into emptied lists changes no size.
    v.restoreVectors();
    EXPECT_TRUE(v.modes.empty());
}
