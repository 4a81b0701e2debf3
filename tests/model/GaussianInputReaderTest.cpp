#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/MoleculeState.h"
#include "model/readers/GaussianInputReader.h"
#include "render/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::ProcessStateTest;
using test::TempDir;

struct P {
    double x, y, z;
};
P pos(const Atom& a) {
    return {a.x, a.y, a.z};
}
P sub(P a, P b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(P a, P b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
P cross(P a, P b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double len(P a) {
    return std::sqrt(dot(a, a));
}
double deg(double rad) {
    return rad * 180.0 / M_PI;
}

double distance(const Atom& a, const Atom& b) {
    return len(sub(pos(a), pos(b)));
}
// Angle a-b-c at b, degrees.
double angle(const Atom& a, const Atom& b, const Atom& c) {
    const P u = sub(pos(a), pos(b)), v = sub(pos(c), pos(b));
    return deg(std::acos(dot(u, v) / (len(u) * len(v))));
}
// Signed dihedral a-b-c-d, degrees: atan2(|b2| b1.(b2 x b3), (b1 x b2).(b2 x b3)).
double dihedral(const Atom& a, const Atom& b, const Atom& c, const Atom& d) {
    const P b1 = sub(pos(b), pos(a)), b2 = sub(pos(c), pos(b)), b3 = sub(pos(d), pos(c));
    return deg(std::atan2(len(b2) * dot(b1, cross(b2, b3)), dot(cross(b1, b2), cross(b2, b3))));
}

std::string input(const std::string& molecule, const std::string& rest = "") {
    return "#p hf/sto-3g\n\ntitle\n\n0 1\n" + molecule + rest;
}

const char* kMethane = "C\nH 1 R1\nH 1 R1 2 A1\nH 1 R1 2 A1 3 D1\n";

void expectTetrahedral(const std::vector<Atom>& atoms) {
    ASSERT_EQ(atoms.size(), 4u);
    for (int i = 1; i < 4; ++i) {
        EXPECT_NEAR(distance(atoms[0], atoms[i]), 1.09, 1e-9) << i;
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NEAR(angle(atoms[i], atoms[0], atoms[j]), 109.47, 5e-3) << i << "," << j;
    }
}

class MethaneParameterForms : public ::testing::TestWithParam<const char*> {};

TEST_P(MethaneParameterForms, EveryHCHAngleIs10947) {
    auto r = parseInputText(input(kMethane, GetParam()));
    ASSERT_EQ(r.status, InputReadStatus::Ok);
    expectTetrahedral(r.atoms);
    EXPECT_EQ(r.atoms[0].symbol, "C");
    EXPECT_EQ(r.atoms[3].symbol, "H");
}

INSTANTIATE_TEST_SUITE_P(
    GaussianInput, MethaneParameterForms,
    ::testing::Values("Variables:\nR1 1.09\nA1 109.47\nD1 120.0\n",
                      "\nR1=1.09\nA1=109.47\nD1=120.0\n", "\nR1 = 1.09\nA1 = 109.47\nD1 = 120.0\n",
                      " Variables:\nR1 1.09\n Constants:\nA1 109.47\nD1 120.0\n",
                      "\nR1 1.09\nA1 109.47\n\nD1 120.0\n",
                      "\tVARIABLES :\nR1\t1.09\nA1,109.47\nD1 1.2D2\n",
                      // the first definition of a name is the one used
                      "\nR1 1.09\nA1 109.47\nD1 120.0\nD1 5.0\n"));

TEST(GaussianInput, MoleculeSectionFollowsRouteTitleAndChargeSections) {
    const std::string expected = input(kMethane, "\nR1 1.09\nA1 109.47\nD1 120.0\n");
    const std::string variants[] = {
        "%chk=methane.chk\n%mem=1GB\n" + expected,
        "#p hf/sto-3g\n opt freq\n\ntitle line one\ntitle line two\n\n0 1\n" +
            std::string(kMethane) + "\nR1 1.09\nA1 109.47\nD1 120.0\n",
        "#p " + std::string(5000, 'x') + "\n\n" + std::string(3000, 't') + "\n\n0 1\n" + kMethane +
            "\nR1 1.09\nA1 109.47\nD1 120.0\n",
    };
    for (const auto& text : variants)
        expectTetrahedral(parseInputText(text).atoms);
}

TEST(GaussianInput, CrLfReadsLikeLf) {
    std::string text = input(kMethane, "\nR1 1.09\nA1 109.47\nD1 120.0\n");
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    expectTetrahedral(parseInputText(crlf).atoms);
}

struct DihedralCase {
    const char* phi;
    P expected;
};

class DihedralPlacement : public ::testing::TestWithParam<DihedralCase> {};

// A = (0,0,0), B = (0,0,1), C = (1,0,1), r = 1, theta = 90.
TEST_P(DihedralPlacement, NewAtomSitsAtTheWrittenDihedral) {
    const auto& c = GetParam();
    auto r = parseInputText(
        input("O\nX 1 1.0\nC 2 1.0 1 90.0\nH 1 1.0 2 90.0 3 " + std::string(c.phi) + "\n"));
    ASSERT_EQ(r.atoms.size(), 4u);
    EXPECT_NEAR(r.atoms[2].x, 1.0, 1e-12);
    EXPECT_NEAR(r.atoms[2].z, 1.0, 1e-12);
    EXPECT_NEAR(r.atoms[3].x, c.expected.x, 1e-12);
    EXPECT_NEAR(r.atoms[3].y, c.expected.y, 1e-12);
    EXPECT_NEAR(r.atoms[3].z, c.expected.z, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(GaussianInput, DihedralPlacement,
                         ::testing::Values(DihedralCase{"90.0", {0, -1, 0}},
                                           DihedralCase{"0.0", {1, 0, 0}},
                                           DihedralCase{"-90.0", {0, 1, 0}},
                                           DihedralCase{"180.0", {-1, 0, 0}}));

TEST(GaussianInput, ChiralZMatrixGivesTheSameEnantiomerAsItsCartesianForm) {
    // Bromochlorofluoromethane-like centre, written both ways.
    auto z = parseInputText(input("C\nH 1 1.0\nF 1 1.0 2 90.0\nCl 1 1.0 2 90.0 3 90.0\n"));
    auto c =
        parseInputText(input("C 0.0 0.0 0.0\nH 0.0 0.0 1.0\nF 1.0 0.0 0.0\nCl 0.0 -1.0 0.0\n"));
    ASSERT_EQ(z.atoms.size(), 4u);
    ASSERT_EQ(c.atoms.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(z.atoms[i].x, c.atoms[i].x, 1e-12) << i;
        EXPECT_NEAR(z.atoms[i].y, c.atoms[i].y, 1e-12) << i;
        EXPECT_NEAR(z.atoms[i].z, c.atoms[i].z, 1e-12) << i;
    }
}

TEST(GaussianInput, GeneralGeometryKeepsEveryInternalCoordinate) {
    // Off-axis references, so nothing lines up with a coordinate axis.
    auto r = parseInputText(input("C\nC 1 1.54\nH 1 1.09 2 110.0\nH 2 1.10 1 111.0 3 60.0\n"
                                  "O 4 1.40 2 105.0 1 -75.0\nN 5 1.30 4 120.0 2 33.3\n"));
    ASSERT_EQ(r.status, InputReadStatus::Ok);
    const auto& a = r.atoms;
    EXPECT_NEAR(distance(a[3], a[1]), 1.10, 1e-9);
    EXPECT_NEAR(angle(a[3], a[1], a[0]), 111.0, 1e-9);
    EXPECT_NEAR(dihedral(a[3], a[1], a[0], a[2]), 60.0, 1e-9);
    EXPECT_NEAR(distance(a[4], a[3]), 1.40, 1e-9);
    EXPECT_NEAR(angle(a[4], a[3], a[1]), 105.0, 1e-9);
    EXPECT_NEAR(dihedral(a[4], a[3], a[1], a[0]), -75.0, 1e-9);
    EXPECT_NEAR(dihedral(a[5], a[4], a[3], a[1]), 33.3, 1e-9);
}

TEST(GaussianInput, SignedReferences) {
    // -D1 of a negative value is positive; an angle written "-A1" does not
    // stop the dihedral from being filled in.
    auto r = parseInputText(
        input("O\nX 1 1.0\nC 2 1.0 1 90.0\nH 1 1.0 2 -A1 3 -D1\n", "\nA1 -90.0\nD1 -90.0\n"));
    ASSERT_EQ(r.atoms.size(), 4u);
    EXPECT_NEAR(r.atoms[3].x, 0.0, 1e-12);
    EXPECT_NEAR(r.atoms[3].y, -1.0, 1e-12);
    EXPECT_NEAR(r.atoms[3].z, 0.0, 1e-12);
}

TEST(GaussianInput, UndefinedParameterCountsAsZero) {
    auto r = parseInputText(input("O\nH 1 R9\n"));
    ASSERT_EQ(r.atoms.size(), 2u);
    EXPECT_EQ(r.atoms[1].z, 0.0);
}

TEST(GaussianInput, ThirdAtomLiesInTheXzPlaneOnThePositiveSide) {
    struct Case {
        const char* line;
        double x, z;
    };
    const Case cases[] = {
        {"H 1 1.0 2 120.0", std::sin(M_PI * 2 / 3), -0.5},  // from the first atom
        {"H 2 1.0 1 120.0", std::sin(M_PI * 2 / 3), 2.5},   // from the second (z 2)
        {"H 1 1.0 2 -120.0", std::sin(M_PI * 2 / 3), -0.5}, // |sin|
    };
    for (const auto& c : cases) {
        auto r = parseInputText(input(std::string("O\nO 1 2.0\n") + c.line + "\n"));
        ASSERT_EQ(r.atoms.size(), 3u) << c.line;
        EXPECT_NEAR(r.atoms[2].x, c.x, 1e-12) << c.line;
        EXPECT_NEAR(r.atoms[2].y, 0.0, 1e-12) << c.line;
        EXPECT_NEAR(r.atoms[2].z, c.z, 1e-12) << c.line;
    }
}

TEST(GaussianInput, ReferencesByLabel) {
    auto byLabel = parseInputText(
        input("C1\nH1 C1 1.09\nH2 C1 1.09 H1 109.47\nH3 c1 1.09 h1 109.47 H2 120.0\n"));
    ASSERT_EQ(byLabel.status, InputReadStatus::Ok);
    expectTetrahedral(byLabel.atoms);
    EXPECT_EQ(byLabel.atoms[0].symbol, "C1");
}

TEST(GaussianInput, ReferenceToNoEarlierAtomIsRejected) {
    const char* molecules[] = {
        "C\nH 2 1.09\n",                                       // itself
        "C\nH 1 1.09\nH 1 1.09 3 109.0\n",                     // a later atom
        "C\nH\n",                                              // no reference at all
        "C\nH Q 1.09\n",                                       // a label no atom has
        "C\nH 1 1.09\nH 1 1.09 2 109.47\nH 1 1.09 2 109.47\n", // dihedral missing
    };
    for (const char* m : molecules) {
        auto r = parseInputText(input(m));
        EXPECT_EQ(r.status, InputReadStatus::BadZMatrix) << m;
    }
}

TEST(GaussianInput, CollinearDihedralReferenceStillPlacesTheAtom) {
    // C lies on the line AB: any perpendicular will do, but the bond and
    // angle must hold and nothing may be NaN.
    auto r = parseInputText(input("C\nC 1 1.0\nC 2 1.0 1 180.0\nH 1 1.0 2 90.0 3 45.0\n"));
    ASSERT_EQ(r.atoms.size(), 4u);
    for (const Atom& a : r.atoms)
        EXPECT_TRUE(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z));
    EXPECT_NEAR(distance(r.atoms[3], r.atoms[0]), 1.0, 1e-12);
    EXPECT_NEAR(angle(r.atoms[3], r.atoms[0], r.atoms[1]), 90.0, 1e-9);
}

TEST(GaussianInput, CartesianForm) {
    struct Case {
        const char* molecule;
        std::size_t atoms;
        P last;
        const char* lastSymbol;
    };
    const Case cases[] = {
        {"O 0.0 0.0 0.1\nH 0.0 0.75 -0.5\nH 0.0 -0.75 -0.5\n", 3, {0, -0.75, -0.5}, "H"},
        {"O\t0.0\t0.0\t0.1\nH,0.0,0.75,-0.5\n", 2, {0, 0.75, -0.5}, "H"},
        // a line of spaces ends the molecule
        {"O 0.0 0.0 0.1\nH 0.0 0.75 -0.5\n   \nH 9 9 9\n", 2, {0, 0.75, -0.5}, "H"},
        // an atomic number in place of the symbol
        {"8 1.0 2.0 3.0\n", 1, {1, 2, 3}, "O"},
        // dummy atoms keep their symbol
        {"X 1.5D0 -2 3e-1\n", 1, {1.5, -2, 0.3}, "X"},
        // "C 0 x y z" lines are coordinates too
        {"C 0 1.0 2.0 3.0\nH -1 -1.0 -2.0 -3.0\n", 2, {-1, -2, -3}, "H"},
        {"C 1.0 2.0 3.0\nH -1 -1.0 -2.0 -3.0\n", 2, {-1, -2, -3}, "H"},
    };
    for (const auto& c : cases) {
        auto r = parseInputText(input(c.molecule));
        ASSERT_EQ(r.status, InputReadStatus::Ok) << c.molecule;
        ASSERT_EQ(r.atoms.size(), c.atoms) << c.molecule;
        EXPECT_EQ(r.atoms.back().symbol, c.lastSymbol) << c.molecule;
        EXPECT_DOUBLE_EQ(r.atoms.back().x, c.last.x) << c.molecule;
        EXPECT_DOUBLE_EQ(r.atoms.back().y, c.last.y) << c.molecule;
        EXPECT_DOUBLE_EQ(r.atoms.back().z, c.last.z) << c.molecule;
    }
}

class ReadInputTest : public ProcessStateTest {
  protected:
    TempDir dir_;
};

TEST_F(ReadInputTest, InstallsAtomsWithElementsAndEyeDistance) {
    const std::string path = dir_.path("w.com");
    test::writeFileBytes(path, input("O 0.0 0.0 0.1\nH1 0.0 0.75 -0.5\nX 0 0 0\n"));
    viewSettings().eyeDistance = 3.0f;
    ASSERT_TRUE(readInput(path));
    const auto& atoms = moleculeState().atoms;
    ASSERT_EQ(atoms.size(), 3u);
    EXPECT_EQ(atoms[0].atomicNumber, 8);
    EXPECT_EQ(atoms[1].atomicNumber, 1);
    EXPECT_EQ(atoms[1].symbol, "H1");
    EXPECT_TRUE(atoms[2].isDummy());
    EXPECT_EQ(atoms[1].loadedPosition.y, 0.75);
    EXPECT_EQ(viewSettings().eyeDistance, 20.0f);
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(ReadInputTest, FailuresKeepThePreviousMolecule) {
    const std::string good = dir_.path("good.dat");
    test::writeFileBytes(good, input("O 0.0 0.0 0.1\n"));
    ASSERT_TRUE(readInput(good));
    const std::string bad = dir_.path("bad.dat");
    test::writeFileBytes(bad, input("C\nH 7 1.0\n"));
    viewSettings().eyeDistance = 3.0f;

    EXPECT_FALSE(readInput(bad));
    EXPECT_FALSE(readInput(dir_.path("missing.dat")));
    ASSERT_EQ(platform_.messages.size(), 2u);
    EXPECT_EQ(platform_.messages[0], "Zマトリックスを読み込めません");
    EXPECT_EQ(platform_.messages[1], "ファイルが開けません");
    ASSERT_EQ(moleculeState().atoms.size(), 1u);
    EXPECT_EQ(moleculeState().atoms[0].z, 0.1);
    EXPECT_EQ(viewSettings().eyeDistance, 3.0f);
}

} // namespace
} // namespace kalviro
