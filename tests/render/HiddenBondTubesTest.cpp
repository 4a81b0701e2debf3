// Which bond tubes an opaque frame may leave out or cull, worked out from the
// bonds perception finds: a heavy-heavy bond is held from both ends, a bond to
// hydrogen only by the heavy atom; carbon's sphere is 0.5 x 0.77 = 0.385 at
// the default scale, the joint sphere 0.24, the tube 0.1.

#include <gtest/gtest.h>

#include <tuple>

#include "model/MoleculeState.h"
#include "render/HiddenBondTubes.h"
#include "document/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

class HiddenBondTubesTest : public test::DocumentTest {
  protected:
    // C0 - C1 - H2, and a dummy X3 beside C0.
    void SetUp() override {
        DocumentTest::SetUp();
        replaceAtoms(doc.molecule,
                     {test::atomAt("C", 0, 0, 0), test::atomAt("C", 1.5, 0, 0),
                      test::atomAt("H", 2.6, 0, 0), test::atomAt("X", -1, 0, 0)},
                     ElementSource::BySymbol);
        perceiveBonds(doc.molecule);
    }
    const BondSlot& slot(int owner, int partner) {
        for (const BondSlot& b : doc.molecule.atoms[owner].bonds)
            if (b.partner == partner)
                return b;
        ADD_FAILURE() << owner << " holds no bond to " << partner;
        return doc.molecule.atoms[owner].bonds.at(0);
    }
};

TEST_F(HiddenBondTubesTest, OnlyTheSecondTubeOfAMutualBondIsLeftOut) {
    const MoleculeState& m = doc.molecule;
    ASSERT_EQ(m.atoms[0].bondCount(), 1);
    ASSERT_EQ(m.atoms[1].bondCount(), 2);
    EXPECT_FALSE(tubeDrawnFromPartner(m, 0, slot(0, 1)));
    EXPECT_TRUE(tubeDrawnFromPartner(m, 1, slot(1, 0)));
    // Hydrogen holds no slot back: the heavy atom's tube is the only one.
    EXPECT_FALSE(tubeDrawnFromPartner(m, 1, slot(1, 2)));
    // A slot naming an atom that is not there is never taken as drawn.
    BondSlot stray;
    stray.partner = 9;
    EXPECT_FALSE(tubeDrawnFromPartner(m, 1, stray));
    stray.partner = -1;
    EXPECT_FALSE(tubeDrawnFromPartner(m, 1, stray));
}

TEST_F(HiddenBondTubesTest, EndsAreEnclosedOnlyByOpaqueSolidSpheres) {
    const MoleculeState& m = doc.molecule;
    ViewSettings& s = doc.view;
    struct Case {
        const char* style;
        bool shown, solid;
        float scale;
        bool heavyHeavy, heavyHydrogen;
    };
    // Hydrogen (0.29): 0.145 at scale 0.5, 0.087 at 0.3; carbon 0.077 at 0.1.
    const Case cases[] = {
        {"solid spheres", 1, 1, 0.5f, true, true},  {"wire spheres", 1, 0, 0.5f, false, false},
        {"small spheres", 1, 1, 0.3f, true, false}, {"tiny spheres", 1, 1, 0.1f, false, false},
        {"joints only", 0, 1, 0.5f, true, false},
    };
    for (const Case& c : cases) {
        std::tie(s.atomsShown, s.atomsSolid, s.atomScale) = std::tuple(c.shown, c.solid, c.scale);
        EXPECT_EQ(tubeEndsEnclosed(m, s, 0, 1), c.heavyHeavy) << c.style;
        EXPECT_EQ(tubeEndsEnclosed(m, s, 1, 2), c.heavyHydrogen) << c.style;
        EXPECT_FALSE(tubeEndsEnclosed(m, s, 0, 3)) << c.style << ": a dummy draws no sphere";
        EXPECT_FALSE(tubeEndsEnclosed(m, s, 0, 7)) << c.style << ": no such atom";
    }
}

} // namespace
} // namespace kalviro
