#include <gtest/gtest.h>

#include <string>

#include "model/MoleculeState.h"
#include "model/readers/GamessInputReader.h"
#include "document/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

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
