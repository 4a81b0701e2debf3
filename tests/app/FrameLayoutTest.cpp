// The menus and the toolbar name commands by id; the frame takes their texts
// from the command table and shows an id it cannot find as a separator, so
// every placed id must have a row, and menu entries a menu text.

#include <gtest/gtest.h>

#include <set>

#include "RecordingHost.h"
#include "app/FrameLayout.h"
#include "render/ViewCommands.h"

using namespace kalviro;

namespace {

using test::RecordingHost;

TEST(FrameLayout, EveryPlacedCommandHasARowAndEveryRowAPlace) {
    Document doc;
    RecordingHost host(doc);
    const ViewCommandTable table(doc, host);
    std::set<int> placed;
    for (const MenuPopup& popup : menuLayout())
        for (int id : popup.commands) {
            if (id == 0)
                continue;
            const ViewCommand* c = table.find(id);
            ASSERT_NE(c, nullptr) << id;
            EXPECT_NE(c->menuText, nullptr) << id;
            placed.insert(id);
        }
    for (int id : toolbarLayout())
        if (id != 0) {
            EXPECT_NE(table.find(id), nullptr) << id;
            placed.insert(id);
        }
    for (const ViewCommand& c : table.rows())
        EXPECT_TRUE(placed.count(c.id)) << c.id;
    EXPECT_EQ(placed.size(), table.rows().size());
    // The ids go down into wx's range and come back unchanged.
    for (const ViewCommand& c : table.rows()) {
        EXPECT_LT(menuIdFor(c.id), 32767) << c.id;
        EXPECT_EQ(commandForMenuId(menuIdFor(c.id)), c.id);
    }
}

} // namespace
