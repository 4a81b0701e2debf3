#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/MoleculeState.h"
#include "model/readers/GaussianInputReader.h"
#include "document/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::angle;
using test::distance;

// Signed dihedral a-b-c-d: atan2(|b2| b1.(b2 x b3), (b1 x b2).(b2 x b3)).
double dihedral(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
    const Vector3 b1 = b - a, b2 = c - b, b3 = d - c;
    return std::atan2(b2.length() * b1.dot(b2.cross(b3)), b1.cross(b2).dot(b2.cross(b3))) * 180 /
           M_PI;
}

std::string input(const std::string& molecule) {
    return "#p hf/sto-3g\n\ntitle\n\n0 1\n" + molecule;
}

const std::string kMethane = "C\nH 1 R1\nH 1 R1 2 A1\nH 1 R1 2 A1 3 D1\n";

class MethaneForms : public ::testing::TestWithParam<std::string> {};

// Every way of writing the sections and parameters gives 1.09 and 109.47
// (the third pair only roughly: 120 degrees is not the exact tetrahedral dihedral).
TEST_P(MethaneForms, EveryCHIs109AndEveryHCHIs10947) {
    auto r = parseInputText(GetParam());
    ASSERT_EQ(r.status, InputReadStatus::Ok);
    ASSERT_EQ(r.atoms.size(), 4u);
    for (int i = 1; i < 4; ++i) {
        EXPECT_NEAR(distance(r.atoms[0], r.atoms[i]), 1.09, 1e-9);
        for (int j = i + 1; j < 4; ++j)
            EXPECT_NEAR(angle(r.atoms[i], r.atoms[0], r.atoms[j]), 109.47, 5e-3) << i << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    GaussianInput, MethaneForms,
    ::testing::Values(
        input(kMethane + "Variables:\nR1 1.09\nA1 109.47\nD1 120.0\n"),
        input(kMethane + "\nR1=1.09\nA1=109.47\nD1=120.0\n"),
        input(kMethane + "\nR1 = 1.09\nA1 = 109.47\nD1 = 120.0\n"),
        input(kMethane + " Variables:\nR1 1.09\n Constants:\nA1 109.47\n\nD1 1.2D2\n"),
        input(kMethane + "\tVARIABLES :\nR1\t1.09\nA1,109.47\nD1 120.0\nD1 5.0\n"), // first wins
        "%chk=m.chk\n%mem=1GB\n" + input(kMethane + "\nR1 1.09\nA1 109.47\nD1 120.0\n"),
        "#p hf\n opt\n\n" + std::string(3000, 't') + "\nline two\n\n0 1\n" + kMethane +
            "\nR1 1.09\nA1 109.47\nD1 120.0\n",
        "#p\r\n\r\nt\r\n\r\n0 1\r\nC\r\nH 1 R1\r\nH 1 R1 2 A1\r\nH 1 R1 2 A1 3 D1\r\n\r\n"
        "R1 1.09\r\nA1 109.47\r\nD1 120.0\r\n",
        input("C1\nH1 C1 1.09\nH2 C1 1.09 H1 109.47\nH3 c1 1.09 h1 109.47 H2 120.0\n")));

struct Placement {
    const char* molecule;
    Vector3 last;
};

class LastAtomPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(LastAtomPlacement, WorkedByHand) {
    auto r = parseInputText(input(GetParam().molecule));
    ASSERT_EQ(r.status, InputReadStatus::Ok);
    const Atom& a = r.atoms.back();
    EXPECT_NEAR(a.x, GetParam().last.x, 1e-12);
    EXPECT_NEAR(a.y, GetParam().last.y, 1e-12);
    EXPECT_NEAR(a.z, GetParam().last.z, 1e-12);
}

// First three atoms at A = (0,0,0), B = (0,0,1), C = (1,0,1); the fourth at
// r = 1, theta = 90 from A and B has the dihedral new-A-B-C as written.
#define ABC "O\nX 1 1.0\nC 2 1.0 1 90.0\n"
INSTANTIATE_TEST_SUITE_P(
    GaussianInput, LastAtomPlacement,
    ::testing::Values(Placement{ABC, {1, 0, 1}},
                      Placement{ABC "H 1 1.0 2 90.0 3 90.0\n", {0, -1, 0}},
                      Placement{ABC "H 1 1.0 2 90.0 3 0.0\n", {1, 0, 0}},
                      Placement{ABC "H 1 1.0 2 90.0 3 -90.0\n", {0, 1, 0}},
                      Placement{ABC "H 1 1.0 2 90.0 3 180.0\n", {-1, 0, 0}},
                      // -D1 of a negative D1 is positive; "-A1" does not block the dihedral
                      Placement{ABC "H 1 1.0 2 -A1 3 -D1\n\nA1 -90.0\nD1 -90.0\n", {0, -1, 0}},
                      Placement{"O\nH 1 R9\n", {0, 0, 0}}, // undefined: 0
                      // third atom: xz-plane, x >= 0, z from the side of its bond atom
                      Placement{"O\nO 1 2.0\nH 1 1.0 2 120.0\n", {std::sqrt(0.75), 0, -0.5}},
                      Placement{"O\nO 1 2.0\nH 2 1.0 1 120.0\n", {std::sqrt(0.75), 0, 2.5}},
                      Placement{"O\nO 1 2.0\nH 1 1.0 2 -120.0\n", {std::sqrt(0.75), 0, -0.5}},
                      // Cartesian form, separators, numbers, freeze codes
                      Placement{"O 0.0 0.0 0.1\nH 0.0 0.75 -0.5\n   \nH 9 9 9\n", {0, 0.75, -0.5}},
                      Placement{"O\t0.0\t0.0\t0.1\nH,1.5D0,-2,3e-1\n", {1.5, -2, 0.3}},
                      Placement{"C 1.0 2.0 3.0\nH -1 -1.0 -2.0 -3.0\n", {-1, -2, -3}},
                      Placement{"C 0 1.0 2.0 3.0\nH 1 1.0 2 90.0\n", {1, 2, 4}}));
#undef ABC

TEST(GaussianInput, ChiralZMatrixIsTheEnantiomerOfItsCartesianForm) {
    auto z = parseInputText(input("C\nH 1 1.0\nF 1 1.0 2 90.0\nCl 1 1.0 2 90.0 3 90.0\n"));
    auto c =
        parseInputText(input("C 0.0 0.0 0.0\nH 0.0 0.0 1.0\nF 1.0 0.0 0.0\nCl 0.0 -1.0 0.0\n"));
    ASSERT_EQ(z.atoms.size(), 4u);
    ASSERT_EQ(c.atoms.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(distance(z.atoms[i], c.atoms[i]), 0.0, 1e-12) << i;

    // Off-axis references: every internal coordinate, dihedral sign included.
    auto g = parseInputText(input("C\nC 1 1.54\nH 1 1.09 2 110.0\nH 2 1.10 1 111.0 3 60.0\n"
                                  "O 4 1.40 2 105.0 1 -75.0\nN 5 1.30 4 120.0 2 33.3\n"));
    ASSERT_EQ(g.atoms.size(), 6u);
    const auto& a = g.atoms;
    EXPECT_NEAR(distance(a[4], a[3]), 1.40, 1e-9);
    EXPECT_NEAR(angle(a[4], a[3], a[1]), 105.0, 1e-9);
    EXPECT_NEAR(dihedral(a[3], a[1], a[0], a[2]), 60.0, 1e-9);
    EXPECT_NEAR(dihedral(a[4], a[3], a[1], a[0]), -75.0, 1e-9);
    EXPECT_NEAR(dihedral(a[5], a[4], a[3], a[1]), 33.3, 1e-9);
}

TEST(GaussianInput, CollinearDihedralReferenceStillPlacesTheAtom) {
    auto r = parseInputText(input("C\nC 1 1.0\nC 2 1.0 1 180.0\nH 1 1.0 2 90.0 3 45.0\n"));
    ASSERT_EQ(r.atoms.size(), 4u);
    EXPECT_NEAR(distance(r.atoms[3], r.atoms[0]), 1.0, 1e-12); // NaN fails too
    EXPECT_NEAR(angle(r.atoms[3], r.atoms[0], r.atoms[1]), 90.0, 1e-9);
}

TEST(GaussianInput, ReferenceToNoEarlierAtomIsRejected) {
    for (const char* m : {"C\nH 2 1.09\n", "C\nH 1 1.09\nH 1 1.09 3 109.0\n", "C\nH\n",
                          "C\nH Q 1.09\n", "C\nH 1 1.09\nH 1 1.09 2 109.47\nH 1 1.09 2 109.47\n"})
        EXPECT_EQ(parseInputText(input(m)).status, InputReadStatus::BadZMatrix) << m;
}

} // namespace
} // namespace kalviro
