#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "RecordingHost.h"
#include "TestSupport.h"
#include "app/CommandLineLogic.h"
#include "app/DataSelectLogic.h"
#include "app/DialogTextLogic.h"
#include "app/FrameLayout.h"
#include "app/IsotopeDialogLogic.h"
#include "app/RecentFilesLogic.h"
#include "app/RotationAngleLogic.h"
#include "app/WxPlatform.h"
#include "document/PickedAtoms.h"
#include "model/MoleculeState.h"
#include "platform/Messages.h"
#include "model/VibrationStore.h"
#include "render/ViewCommands.h"

using namespace kalviro;

namespace {

using test::atomAt;
using Args = std::vector<std::string>;
using A = CommandLineAction;

class DialogLogicTest : public test::DocumentTest {};

} // namespace

TEST(AtomList, HeaderThenRightAlignedNumbersAndSymbols) {
    MoleculeState m;
    for (int i = 0; i < 123; ++i)
        m.atoms.push_back(atomAt(i == 11 ? "H" : "C", 0, 0, 0));
    m.atoms[122].symbol = "O";
    const auto lines = atomListLines(m);
    ASSERT_EQ(lines.size(), 124u);
    EXPECT_EQ(lines[0], "番号  原子");
    EXPECT_EQ(lines[1], "  1     C");
    EXPECT_EQ(lines[12], " 12     H");
    EXPECT_EQ(lines[123], "123     O");
    EXPECT_EQ(atomListLines(MoleculeState{}), std::vector<std::string>{"番号  原子"});
}

TEST(RotationAngles, WorkedExamples) {
    struct Case {
        Vector3 p1, p2;
        float alpha, beta;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 2}, 0, 90},
        {{0, 0, 0}, {1, 0, 0}, 0, 0},
        {{0, 0, 0}, {0, 3, 0}, 90, 90},
        // Shifted start, direction (0, -1, -1): alpha = atan2(-1, -1) = -135,
        // rho = 1, beta = 90.
        {{1, 1, 1}, {1, 0, 0}, -135, 90},
        // Direction (-1, 0, 0): alpha 0, rho 0, beta = atan2(0, -1) = 180.
        {{2, 0, 0}, {1, 0, 0}, 0, 180},
    };
    for (const Case& c : cases) {
        const auto a = computeRotationAngles(c.p1, c.p2);
        ASSERT_TRUE(a.has_value());
        EXPECT_NEAR(a->aboutX, c.alpha, 1e-4);
        EXPECT_NEAR(a->aboutY, c.beta, 1e-4);
    }
    EXPECT_FALSE(computeRotationAngles({1, 2, 3}, {1, 2, 3}).has_value());
}

TEST_F(DialogLogicTest, RotationAtomsSetOnlyValidPendingAngles) {
    MoleculeState& m = doc.molecule;
    m.atoms = {atomAt("C", 0, 0, 0), atomAt("O", 0, 3, 0), atomAt("H", 0, 0, 0)};
    const std::pair<const char*, const char*> bad[] = {
        {"0", "0"}, {"2", "2"}, {"", "2"}, {"abc", "1"}, {"1", "4"}, {"-1", "2"}, {"1", "3"},
    };
    for (const auto& [first, second] : bad) {
        m.pendingRotationX = m.pendingRotationY = 0;
        EXPECT_FALSE(applyRotationAtoms(m, first, second)) << first << "," << second;
        EXPECT_EQ(m.pendingRotationX, 0.0f);
        EXPECT_EQ(m.pendingRotationY, 0.0f);
    }
    ASSERT_EQ(platform_.messages.size(), std::size(bad));
    EXPECT_EQ(platform_.messages[0], "原子番号の選択が不適切です。");

    m.pendingRotationZ = 7;
    EXPECT_TRUE(applyRotationAtoms(m, "1", "2"));
    EXPECT_NEAR(m.pendingRotationX, 90, 1e-4);
    EXPECT_NEAR(m.pendingRotationY, 90, 1e-4);
    EXPECT_EQ(m.pendingRotationZ, 7.0f);
    EXPECT_EQ(platform_.messages.size(), std::size(bad));
}

TEST(ModeEntries, TextInFileOrderSkippingEmptyFrequencies) {
    VibrationStore v;
    v.frequencies = {"1000", "1200.5", "", ""};
    v.symmetries = {"A1", "B2", "", ""};
    v.intensities = {"12", "0.3", "", ""};
    const auto entries = modeEntries(v);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].text, "1000 cm-1 ( A1 , 12 )");
    EXPECT_EQ(entries[1].text, "1200.5 cm-1 ( B2 , 0.3 )");
    EXPECT_EQ(entries[1].mode, 1);

    // A short symmetry list is not read past.
    v.symmetries = {"A"};
    ASSERT_EQ(modeEntries(v).size(), 2u);
    EXPECT_EQ(modeEntries(v)[1].text, "1200.5 cm-1 (  , 0.3 )");
}

TEST(IsotopeDialog, FieldsBecomeAChangeListOrTheReason) {
    struct Case {
        const char *atoms, *isotope, *list, *reason; // list "" when refused
    };
    const Case cases[] = {
        {"3, 5-7", " 2H ", "3=2H,5=2H,6=2H,7=2H", ""},
        {"10", "17.9992", "10=17.9992", ""},
        {"7-5", "2H", "", msg::kIsotopeDialogBadAtoms},
        {"9-11", "2H", "", msg::kIsotopeAtomOutOfRange},
        {"3", "2H,4=D", "", msg::kIsotopeDialogNoIsotope},
    };
    for (const Case& c : cases) {
        const auto r = isotopeChangeList(c.atoms, c.isotope, 10);
        EXPECT_EQ(r ? *r : std::string(), c.list) << c.atoms << " " << c.isotope;
        EXPECT_NE(r.error().find(c.reason), std::string::npos) << r.error();
    }
    PickedAtoms picked{{3, 12, 0, 0}, 2};
    EXPECT_EQ(pickedAtomsText(picked), "3, 12");
}

TEST(RecentFileList, NewestFirstFourAtMostNoRepeats) {
    RecentFiles r;
    for (const char* p : {"a", "b", "c", "d", "e"})
        r.add(p);
    EXPECT_EQ(r.entries(), (std::vector<std::string>{"e", "d", "c", "b"}));
    r.add("c");
    EXPECT_EQ(r.entries(), (std::vector<std::string>{"c", "e", "d", "b"}));
    r.add("");
    EXPECT_EQ(r.entries().size(), 4u);
    r.assign({"x", "y", "x", "z", "w", "v"});
    EXPECT_EQ(r.entries(), (std::vector<std::string>{"x", "y", "z", "w"}));
}

TEST(FramePlacement, CentredAcrossAndAQuarterDown) {
    const FramePlacement p = mainFramePlacement(1024, 768), odd = mainFramePlacement(1281, 1023);
    EXPECT_EQ(std::vector<int>({p.x, p.y, p.width, p.height}), std::vector<int>({212, 42, 600, 600}));
    EXPECT_EQ(std::vector<int>({odd.x, odd.y}), std::vector<int>({340, 105}));
}

// The menus and the toolbar name commands by id; the frame takes their texts
// from the command table and shows an id it cannot find as a separator, so
// every placed id must have a row, and menu entries a menu text.
TEST(FrameLayout, EveryPlacedCommandHasARowAndEveryRowAPlace) {
    Document doc;
    test::RecordingHost host(doc);
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


TEST(FileDialogFilter, DropsTheClosingBarsAndKeepsJapanese) {
    EXPECT_EQ(wildcardFromFilter("text|*.csv|AllFile(*.*)|*.*||"), "text|*.csv|AllFile(*.*)|*.*");
    EXPECT_EQ(wildcardFromFilter("FCHK(*.FChk)|*.FChk|"), "FCHK(*.FChk)|*.FChk");
    EXPECT_EQ(wildcardFromFilter("(*.bmp)|*.bmp|全て(*.*)|*.*||").utf8_string(),
              "(*.bmp)|*.bmp|全て(*.*)|*.*");
    EXPECT_EQ(wildcardFromFilter(""), "");
}

TEST(FileDialogName, DefaultExtensionOnlyWhenTheNameHasNone) {
    const char* const cases[][3] = {
        {"/tmp/ir", "csv", "/tmp/ir.csv"},
        {"/tmp/ir.txt", "csv", "/tmp/ir.txt"},
        {"/tmp/a.b/ir", "csv", "/tmp/a.b/ir.csv"},
        {"/tmp/picture", "", "/tmp/picture"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDefaultExtension(c[0], c[1]), c[2]) << c[0];
}

// The desktop program's own arguments: the help lists every entry of the
// option table, and the parser answers every name the table gives.
TEST(CommandLineTest, HelpListsEveryOptionTheParserAccepts) {
    const std::string help = programHelpText();
    EXPECT_NE(help.find("FILE"), std::string::npos);
    for (const ProgramOption& o : kProgramOptions) {
        SCOPED_TRACE(o.name);
        ASSERT_NE(*o.description, '\0');
        EXPECT_NE(help.find(std::string(o.name) + "  "), std::string::npos) << help;
        EXPECT_NE(help.find(o.description), std::string::npos) << help;
        // The parser knows the name the help shows.
        const A expected = o.action == A::EndOfOptions ? A::Run : o.action;
        EXPECT_EQ(parseCommandLine({o.name}).action, expected);
        if (*o.shortName) {
            EXPECT_NE(help.find(std::string(o.shortName) + ", "), std::string::npos) << help;
            EXPECT_EQ(parseCommandLine({o.shortName}).action, expected);
        }
    }
}

TEST(CommandLineTest, ParsesFilesOptionsAndMistakes) {
    struct Case {
        Args args;
        A action;
        std::string file;
    };
    const Case cases[] = {
        {{}, A::Run, ""}, {{"/data/job.log"}, A::Run, "/data/job.log"}, {{"-"}, A::Run, "-"},
        {{"--", "-odd.log"}, A::Run, "-odd.log"}, {{"--", "--help"}, A::Run, "--help"},
        {{"--"}, A::Run, ""}, {{"job.log", "--version"}, A::Version, ""},
        {{"--version", "--help"}, A::Help, ""}, {{"--bogus", "--help"}, A::Help, ""},
        {{"--bogus", "--version"}, A::Version, ""}, {{"--version", "--bogus"}, A::Version, ""},
        {{"--bogus"}, A::Error, ""}, {{"-x", "job.log"}, A::Error, ""},
        {{"a.log", "b.log"}, A::Error, ""}, {{"--", "a.log", "--", "b.log"}, A::Error, ""},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        const CommandLine line = parseCommandLine(c.args);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.error.empty(), c.action != A::Error);
    }
}

TEST(CommandLineTest, ErrorNamesTheFirstMistake) {
    EXPECT_EQ(parseCommandLine({"--colour", "-q"}).error, "unknown option '--colour'");
    EXPECT_EQ(parseCommandLine({"a.log", "b.log", "c.log"}).error,
              "only one FILE can be opened at start ('b.log')");
}
