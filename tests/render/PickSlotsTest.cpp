#include <gtest/gtest.h>

#include <vector>

#include "model/MoleculeState.h"
#include "document/PickedAtoms.h"
#include "render/Picking.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

struct SlotCase {
    const char* name;
    std::vector<int> picks;     // pick results in order, 0 = empty space
    std::vector<int> slots;     // the filled slots afterwards, in order
    std::vector<int> selected;  // 1-based atoms left highlighted
};

class PickSlotsTest : public test::DocumentTest {
  protected:
    MoleculeState molecule() {
        MoleculeState m;
        m.atoms.resize(5);
        return m;
    }
    // What a click does: the pass highlights the atom it hit, then the slots.
    static void click(PickedAtoms& p, MoleculeState& m, int n) {
        if (n != 0)
            m.atoms[n - 1].selected = 1;
        recordPick(p, m, n);
    }
};

TEST_F(PickSlotsTest, SlotRules) {
    const SlotCase cases[] = {
        {"oneAtom", {2}, {2}, {2}},
        {"sameAtomTwiceDeselects", {2, 2}, {}, {}},
        {"twoAtoms", {1, 3}, {1, 3}, {1, 3}},
        {"emptySpaceClears", {1, 3, 0}, {}, {}},
        {"takingOutMovesLaterPicksUp", {1, 3, 4, 3}, {1, 4}, {1, 4}},
        {"fourAtoms", {4, 3, 2, 1}, {4, 3, 2, 1}, {1, 2, 3, 4}},
        {"fifthAtomStartsAgain", {1, 2, 3, 4, 5}, {5}, {5}},
        {"fifthIsAPickedAtom", {1, 2, 3, 4, 2}, {1, 3, 4}, {1, 3, 4}},
    };
    for (const auto& c : cases) {
        MoleculeState m = molecule();
        PickedAtoms p;
        for (int n : c.picks)
            click(p, m, n);
        EXPECT_EQ(std::vector<int>(p.slots, p.slots + p.count), c.slots) << c.name;
        for (int k = p.count; k < PickedAtoms::kMaxPicks; ++k)
            EXPECT_EQ(p.slots[k], 0) << c.name;
        std::vector<int> selected;
        for (std::size_t i = 0; i < m.atoms.size(); ++i)
            if (m.atoms[i].selected)
                selected.push_back(static_cast<int>(i) + 1);
        EXPECT_EQ(selected, c.selected) << c.name;
    }
}

TEST_F(PickSlotsTest, SlotsOfAGoneMoleculeAreClearedSafely) {
    MoleculeState m = molecule();
    PickedAtoms p;
    p.slots[0] = 9;
    p.slots[1] = 12;
    p.count = 2;
    recordPick(p, m, 0);
    EXPECT_EQ(p.count, 0);
    EXPECT_EQ(p.slots[0], 0);
    EXPECT_EQ(p.slots[1], 0);
}

TEST(NearestNamedHitTest, NearestRecordWithANameWins) {
    // Records: names, min depth, max depth, names...
    const std::uint32_t axesThenAtoms[] = {0, 100, 200,    // unnamed line in front
                                           1, 500, 600, 2, // atom 2, behind
                                           1, 300, 400, 1, // atom 1, nearer
                                           0, 50,  60};    // unnamed bond, nearest
    EXPECT_EQ(nearestNamedHit(axesThenAtoms, 4), 1u);
    EXPECT_EQ(nearestNamedHit(axesThenAtoms, 2), 2u);
    const std::uint32_t unnamedOnly[] = {0, 1, 2, 0, 3, 4};
    EXPECT_EQ(nearestNamedHit(unnamedOnly, 2), 0u);
    EXPECT_EQ(nearestNamedHit(unnamedOnly, 0), 0u);
}

} // namespace
} // namespace kalviro
