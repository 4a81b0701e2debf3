// GAMESS inputs: the $DATA group in every layout the reader accepts, and
// unique atoms expanded by every point group GAMESS offers, against full
// geometries worked out by hand in GAMESS's master frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "document/ViewSettings.h"
#include "model/MoleculeState.h"
#include "model/readers/GamessInputReader.h"
#include "model/readers/GamessSymmetry.h"

namespace kalviro {
namespace {

using Point = std::array<double, 3>;

Atom at(const Point& p) { return test::atomAt("", p[0], p[1], p[2]); }

// Same atoms in any order, each expected one matched once.
::testing::AssertionResult sameSet(std::vector<Point> expected, const std::vector<Atom>& actual,
                                   double tolerance) {
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure()
               << "expected " << expected.size() << " atoms, got " << actual.size();
    for (const Atom& a : actual) {
        auto hit = std::find_if(expected.begin(), expected.end(), [&](const Point& p) {
            return std::fabs(p[0] - a.x) < tolerance && std::fabs(p[1] - a.y) < tolerance &&
                   std::fabs(p[2] - a.z) < tolerance;
        });
        if (hit == expected.end())
            return ::testing::AssertionFailure()
                   << "unexpected atom " << a.x << " " << a.y << " " << a.z;
        expected.erase(hit);
    }
    return ::testing::AssertionSuccess();
}

struct GroupCase {
    const char* line; // the $DATA group line
    std::vector<Point> unique;
    std::vector<Point> full;
};

class ExpandTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(ExpandTest, GivesTheWholeMolecule) {
    const GroupCase& c = GetParam();
    const auto group = parseGamessPointGroup(c.line);
    ASSERT_TRUE(group) << c.line;
    std::vector<Atom> unique;
    for (const Point& p : c.unique)
        unique.push_back(at(p));
    const auto atoms = expandGamessSymmetry(*group, unique);
    ASSERT_TRUE(atoms.ok()) << atoms.error();
    EXPECT_TRUE(sameSet(c.full, *atoms, 1e-6)) << c.line;
}

constexpr double h = 0.8660254037844386; // sin 60
const double k = 0.94 * h;

INSTANTIATE_TEST_SUITE_P(
    AllGroups, ExpandTest,
    ::testing::Values(
        GroupCase{"C1", {{1, 2, 3}}, {{1, 2, 3}}},
        // Mirror plane xy; an atom in it stays single.
        GroupCase{"CS", {{1, 2, 3}, {1, 2, 0}}, {{1, 2, 3}, {1, 2, -3}, {1, 2, 0}}},
        GroupCase{"Ci", {{1, 2, 3}, {0, 0, 0}}, {{1, 2, 3}, {-1, -2, -3}, {0, 0, 0}}},
        GroupCase{"CN 2", {{1, 2, 3}, {0, 0, 1}}, {{1, 2, 3}, {-1, -2, 3}, {0, 0, 1}}},
        GroupCase{"CN 3", {{1, 0, 0}}, {{1, 0, 0}, {-0.5, h, 0}, {-0.5, -h, 0}}},
        // S4: C4 (x, y, z) -> (-y, x, z), then z -> -z.
        GroupCase{"S2N 2", {{1, 2, 3}}, {{1, 2, 3}, {-2, 1, -3}, {-1, -2, 3}, {2, -1, -3}}},
        GroupCase{"CNH 2",
                  {{1, 2, 3}, {1, 2, 0}},
                  {{1, 2, 3}, {-1, -2, 3}, {1, 2, -3}, {-1, -2, -3}, {1, 2, 0}, {-1, -2, 0}}},
        // Water with its hydrogens in the xz plane, a sigma-v.
        GroupCase{"CNV 2",
                  {{0, 0, 0.1}, {0.75, 0, -0.47}},
                  {{0, 0, 0.1}, {0.75, 0, -0.47}, {-0.75, 0, -0.47}}},
        GroupCase{"CNV 2", {{1, 2, 3}}, {{1, 2, 3}, {-1, -2, 3}, {1, -2, 3}, {-1, 2, 3}}},
        // Ammonia: one hydrogen in the xz plane, the others 120 degrees on.
        GroupCase{"cnv 3",
                  {{0, 0, 0.1}, {0.94, 0, -0.3}},
                  {{0, 0, 0.1}, {0.94, 0, -0.3}, {-0.47, k, -0.3}, {-0.47, -k, -0.3}}},
        GroupCase{"DN 2", {{1, 2, 3}}, {{1, 2, 3}, {-1, -2, 3}, {1, -2, -3}, {-1, 2, -3}}},
        // Ethylene along z, hydrogens in the yz plane.
        GroupCase{"DNH 2",
                  {{0, 0, 0.67}, {0, 0.92, 1.23}},
                  {{0, 0, 0.67}, {0, 0, -0.67}, {0, 0.92, 1.23}, {0, -0.92, 1.23},
                   {0, 0.92, -1.23}, {0, -0.92, -1.23}}},
        // Allene: C2 axes x and y, the hydrogens in the sigma-d planes x = y
        // (top) and x = -y (bottom).
        GroupCase{"DND 2",
                  {{0, 0, 0}, {0, 0, 1.3}, {0.65, 0.65, 1.85}},
                  {{0, 0, 0}, {0, 0, 1.3}, {0, 0, -1.3}, {0.65, 0.65, 1.85}, {-0.65, -0.65, 1.85},
                   {-0.65, 0.65, -1.85}, {0.65, -0.65, -1.85}}},
        // D3d: an atom on the C2 axis x has six images, 60 degrees apart.
        GroupCase{"DND 3",
                  {{1, 0, 0}, {0, 0, 0.77}},
                  {{1, 0, 0}, {0.5, h, 0}, {-0.5, h, 0}, {-1, 0, 0}, {-0.5, -h, 0}, {0.5, -h, 0},
                   {0, 0, 0.77}, {0, 0, -0.77}}}));

// The cubic groups: a signed permutation maps (x1, x2, x3) to
// (s1 x_p1, s2 x_p2, s3 x_p3). With the two-fold axes on x, y, z, Td is
// those with an even number of minus signs, T the even permutations among
// them, Th the even permutations with any signs, O those of determinant +1,
// Oh all 48. A point on a symmetry element has fewer, distinct, images.
enum class Cubic { Oh, O, Td, T, Th };

void addImages(const Point& p, Cubic group, std::vector<Point>& out) {
    std::array<int, 3> perm = {0, 1, 2};
    do {
        int inversions = 0;
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j)
                inversions += perm[i] > perm[j];
        for (int signs = 0; signs < 8; ++signs) {
            const int minus = (signs & 1) + (signs >> 1 & 1) + (signs >> 2 & 1);
            const bool even = inversions % 2 == 0;
            const bool take = group == Cubic::Oh   ? true
                              : group == Cubic::O  ? (inversions + minus) % 2 == 0
                              : group == Cubic::Td ? minus % 2 == 0
                              : group == Cubic::T  ? even && minus % 2 == 0
                                                   : even;
            const Point q = {(signs & 1 ? -1 : 1) * p[perm[0]], (signs & 2 ? -1 : 1) * p[perm[1]],
                             (signs & 4 ? -1 : 1) * p[perm[2]]};
            if (take && std::find(out.begin(), out.end(), q) == out.end())
                out.push_back(q);
        }
    } while (std::next_permutation(perm.begin(), perm.end()));
}

TEST(GamessSymmetryTest, CubicGroups) {
    const struct {
        const char* line;
        Cubic group;
        std::vector<Point> unique;
        std::size_t count;
    } cases[] = {{"OH", Cubic::Oh, {{1, 2, 3}}, 48},
                 {"O", Cubic::O, {{1, 2, 3}}, 24},
                 {"TD", Cubic::Td, {{1, 2, 3}}, 24},
                 {"T", Cubic::T, {{1, 2, 3}}, 12},
                 {"TH", Cubic::Th, {{1, 2, 0}}, 12},             // in a mirror plane
                 {"TD", Cubic::Td, {{0, 0, 0}, {0.63, 0.63, 0.63}}, 5}, // methane
                 {"O", Cubic::O, {{0, 0, 0}, {0, 0, 1.56}}, 7},         // SF6
                 {"OH", Cubic::Oh, {{0, 0, 1.56}, {1, 1, 1}}, 14}};
    for (const auto& c : cases) {
        std::vector<Atom> unique;
        std::vector<Point> full;
        for (const Point& p : c.unique) {
            unique.push_back(at(p));
            addImages(p, c.group, full);
        }
        const auto atoms = expandGamessSymmetry(*parseGamessPointGroup(c.line), unique);
        ASSERT_TRUE(atoms.ok());
        ASSERT_EQ(full.size(), c.count);
        EXPECT_TRUE(sameSet(full, *atoms, 1e-9)) << c.line;
    }
}

TEST(GamessSymmetryTest, NearlyOnAPlaneIsOnIt) {
    // z typed as 0.0001 instead of 0: one atom, not two 0.0002 apart.
    const auto atoms = expandGamessSymmetry(*parseGamessPointGroup("CS"), {at({1, 2, 1e-4})});
    ASSERT_TRUE(atoms.ok());
    EXPECT_EQ(atoms->size(), 1u);
}

TEST(GamessSymmetryTest, GroupLines) {
    EXPECT_FALSE(parseGamessPointGroup("CNV")); // the order is needed
    EXPECT_FALSE(parseGamessPointGroup("CNV 0"));
    EXPECT_FALSE(parseGamessPointGroup("DNH 9")); // beyond what the program takes
    EXPECT_FALSE(parseGamessPointGroup("I"));     // not a group it offers
    EXPECT_FALSE(parseGamessPointGroup(""));
    const auto g = parseGamessPointGroup("  dnh  4 ");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->name, "DNH");
    EXPECT_EQ(g->order, 4);
    GamessPointGroup unknown{"XYZ", 1};
    const auto bad = expandGamessSymmetry(unknown, {at({1, 2, 3})});
    ASSERT_FALSE(bad.ok());
    EXPECT_FALSE(bad.error().empty());
}

TEST(GamessSymmetryTest, CoordinateKinds) {
    const struct {
        const char* contrl;
        bool unique;
    } cases[] = {{" $CONTRL SCFTYP=RHF RUNTYP=HESSIAN $END", true},
                 {" $CONTRL COORD=UNIQUE $END", true},
                 {" $contrl coord=unique $end", true},
                 {" $CONTRL COORD=CART UNITS=ANGS $END", false},
                 {" $CONTRL COORD = ZMT $END", false},
                 {" $CONTRL COORD=ZMTMPC $END", false},
                 {" $CONTRL COORD=FRAGONLY $END", false},
                 {" $CONTRL RUNTYP=ENERGY COORD=PRINAXIS$END", false},
                 {" $CONTRL ICOORD=3 $END", true}};
    for (const auto& c : cases)
        EXPECT_EQ(gamessListsUniqueAtoms(c.contrl), c.unique) << c.contrl;
}

const char* kHeader = " $CONTRL SCFTYP=RHF RUNTYP=HESSIAN $END\n $BASIS GBASIS=STO NGAUSS=3 $END\n";
// Every atom listed, whatever the point group.
const char* kCartesianHeader = " $CONTRL SCFTYP=RHF COORD=CART $END\n";

struct Layout {
    const char* name;
    std::string text;
};

// Two atoms, written in every group layout the reader must accept.
class GamessLayouts : public ::testing::TestWithParam<Layout> {};

TEST_P(GamessLayouts, ReadsEveryAtom) {
    auto r = parseGamessText(GetParam().text);
    ASSERT_EQ(r.status, GamessReadStatus::Ok);
    ASSERT_EQ(r.atoms.size(), 2u);
    EXPECT_EQ(r.atoms[0].symbol, "O");
    EXPECT_EQ(r.atoms[0].atomicNumber, 8);
    EXPECT_EQ(r.atoms[0].z, 0.1173);
    EXPECT_EQ(r.atoms[1].atomicNumber, 1);
    EXPECT_EQ(r.atoms[1].x, -0.7572);
    EXPECT_EQ(r.atoms[1].y, 1.25);
    EXPECT_EQ(r.atoms[1].z, -0.4692);
}

const std::string kAtoms = " O 8.0 0.0 0.0 0.1173\n H1 1.0 -0.7572 1.25 -0.4692\n";

INSTANTIATE_TEST_SUITE_P(
    GamessInput, GamessLayouts,
    ::testing::Values(
        Layout{"Cnv", std::string(kCartesianHeader) + " $DATA\nwater\nCnv 2\n\n" + kAtoms + " $END\n"},
        Layout{"C1", std::string(kHeader) + " $DATA\nwater\nC1\n" + kAtoms + " $END\n"},
        Layout{"c1Lower", std::string(kHeader) + " $data\nwater\n c1 \n" + kAtoms + " $end\n"},
        Layout{"MixedCase", std::string(kCartesianHeader) + " $Data\nwater\nCS\n\n" + kAtoms + " $End\n"},
        Layout{"CrLf", " $DATA\r\nwater\r\nC1\r\n O 8.0 0.0 0.0 0.1173\r\n"
                       " H1 1.0 -0.7572 1.25 -0.4692\r\n $END\r\n"},
        Layout{"LongLines", std::string(kHeader) + " $DATA\n" + std::string(400, 'w') +
                                "\nC1\n O 8.0 0.0 0.0 0.1173" + std::string(300, ' ') +
                                "\n H1 1.0 -0.7572 1.25 -0.4692\n $END\n"},
        Layout{
            "ExponentsAndBlankLines",
            " $DATA\nwater\nC1\n O 8.0 0 0 1.173e-1\n\n H1 1.0 -7.572E-1 125D-2 -0.4692\n $END\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GamessInput, ChargeGivesTheElement) {
    struct Case {
        const char* charge;
        int number;
        const char* symbol;
    };
    const Case cases[] = {
        {"6.0", 6, "C"}, {"5.9", 5, "B"}, {"0.0", 0, "LP"}, {"-1.0", -1, "X"}, {"1e30", 0, "XX"}};
    for (const auto& c : cases) {
        auto r = parseGamessText(std::string(" $DATA\nt\nC1\n XX ") + c.charge +
                                 " 1.0 2.0 3.0\n $END\n");
        ASSERT_EQ(r.status, GamessReadStatus::Ok) << c.charge;
        ASSERT_EQ(r.atoms.size(), 1u);
        MoleculeState m;
        replaceAtoms(m, r.atoms, ElementSource::ByNumber);
        EXPECT_EQ(m.atoms[0].atomicNumber, c.number) << c.charge;
        EXPECT_EQ(m.atoms[0].symbol, c.symbol) << c.charge;
    }
}

TEST(GamessInput, LineWithoutChargeReusesThePreviousOne) {
    auto r = parseGamessText(" $DATA\nt\nC1\n C 6.0 1.0 2.0 3.0\n C2\n $END\n");
    ASSERT_EQ(r.atoms.size(), 2u);
    EXPECT_EQ(r.atoms[1].atomicNumber, 6);
    EXPECT_EQ(r.atoms[1].x, 0.0);
}

TEST(GamessInput, GroupsWithoutCartesianAtomsAreRejected) {
    const std::string texts[] = {
        std::string(kHeader),                                    // no $DATA
        " $DATA\nt\nC1\n O 8.0 0.0 0.0 0.1\n",                   // no $END
        " $DATA\nt\nCnv 2\n\n $END\n",                           // no atom lines
        " $DATA\nt\n $END\n",                                    // shorter than its header
        " $DATA\nt\nCnv 2\n\n c\n h 1 hc2\n\nhc2 1.09\n $END\n", // a Z-matrix
        " $DATA\nt\nCnv 2\n\n O 8.0 0.0 0.0 0.1\n",              // $END never comes
    };
    for (const auto& t : texts)
        EXPECT_EQ(parseGamessText(t).status, GamessReadStatus::BadGroup) << t;
}

} // namespace
} // namespace kalviro
