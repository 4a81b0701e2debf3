#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/SaveCommands.h"
#include "ir/IrTableExport.h"
#include "model/VibrationStore.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

const std::string& kHeader = test::kIrTableHeader;

VibrationStore storeOf(std::vector<std::string> f, std::vector<std::string> i,
                       std::vector<std::string> s) {
    VibrationStore v;
    v.frequencies = std::move(f);
    v.intensities = std::move(i);
    v.symmetries = std::move(s);
    return v;
}

TEST(IrTable, Bytes) {
    struct Case {
        const char* name;
        VibrationStore store;
        std::string body;
    };
    const Case cases[] = {
        {"empty", storeOf({}, {}, {}), ""},
        {"one row", storeOf({"1234.5678"}, {"12.3456"}, {"A1"}), "1234.5678, 12.3456, A1\r\n"},
        {"empty field", storeOf({"1234.5678"}, {""}, {"A1"}), "1234.5678, , A1\r\n"},
        {"short lists", storeOf({"10.0", "20.0"}, {"1.5"}, {}), "10.0, 1.5, \r\n20.0, , \r\n"},
        {"reading order", storeOf({"300.0", "-12.3"}, {"0.1", "0.0000"}, {"B2", "A'"}),
         "300.0, 0.1, B2\r\n-12.3, 0.0000, A'\r\n"},
        // A short last group leaves empty entries behind: they are no modes.
        {"short last group", storeOf({"4419.2", "", ""}, {"0.0000", "", ""}, {"SGG", "", ""}),
         "4419.2, 0.0000, SGG\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(irTableBytes(irRows(c.store)), kHeader + c.body) << c.name;
}

std::vector<std::string> order(std::vector<IrRow> rows) {
    sortIrRowsBySymmetry(rows);
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(r.wavenumber + " " + r.symmetry);
    return out;
}

TEST(IrTable, SortGroupsBySpeciesThenTextOrder) {
    EXPECT_EQ(order({{"300.0", "a", "B2"}, {"1200.0", "b", "A1"}, {"50.0", "c", "B1"},
                     {"800.0", "d", "A1"}}),
              (std::vector<std::string>{"1200.0 A1", "800.0 A1", "50.0 B1", "300.0 B2"}));
    // Byte order of species: A" < A' < A1 < A2 < B1 < lower case.
    EXPECT_EQ(order({{"1", "", "a1"}, {"2", "", "B1"}, {"3", "", "A2"}, {"4", "", "A1"},
                     {"5", "", "A'"}, {"6", "", "A\""}}),
              (std::vector<std::string>{"6 A\"", "5 A'", "4 A1", "3 A2", "2 B1", "1 a1"}));
    // Within a species, text order: a leading minus first, 1050 before 345 before 98.
    EXPECT_EQ(order({{"98.7654", "", "A1"}, {"345.6789", "", "A1"}, {"1050.1234", "", "A1"},
                     {"-123.4567", "", "A1"}}),
              (std::vector<std::string>{"-123.4567 A1", "1050.1234 A1", "345.6789 A1",
                                        "98.7654 A1"}));
    EXPECT_TRUE(order({}).empty());
}

TEST(IrTable, EqualRowsKeepTheOrderTheExchangeSortGives) {
    // Worked by hand through both passes: pass 1 swaps rows 0 and 2 (B > A)
    // and nothing else, so the two equal B rows end up reversed; pass 2
    // swaps nothing (equal texts).
    std::vector<IrRow> rows = {{"5", "first", "B"}, {"5", "second", "B"}, {"5", "third", "A"}};
    sortIrRowsBySymmetry(rows);
    EXPECT_EQ(rows[0].intensity, "third");
    EXPECT_EQ(rows[1].intensity, "second");
    EXPECT_EQ(rows[2].intensity, "first");
}

class IrTableCommandTest : public test::DocumentTest {
  protected:
    test::TempDir dir_;
};

TEST_F(IrTableCommandTest, ExportsWriteTheTableAsReadOrGrouped) {
    const struct {
        bool (*command)(const VibrationStore&);
        const char* name;
        std::string body;
    } cases[] = {{&askAndSaveIrTable, "ir.csv",
                  "300.0, 1, B2\r\n1200.0, 2, A1\r\n50.0, 3, B1\r\n800.0, 4, A1\r\n"},
                 {&askAndSaveIrTableBySymmetry, "irsorted.csv",
                  "1200.0, 2, A1\r\n800.0, 4, A1\r\n50.0, 3, B1\r\n300.0, 1, B2\r\n"}};
    doc.vibrations = storeOf({"300.0", "1200.0", "50.0", "800.0"}, {"1", "2", "3", "4"},
                               {"B2", "A1", "B1", "A1"});
    for (const auto& c : cases) {
        platform_.openRequests.clear();
        platform_.openAnswers.push_back(dir_.path(c.name));
        EXPECT_TRUE(c.command(doc.vibrations));
        EXPECT_EQ(test::readFileBytes(dir_.path(c.name)), kHeader + c.body);
        ASSERT_EQ(platform_.openRequests.size(), 1u);
        const FileDialogRequest& r = platform_.openRequests[0];
        EXPECT_EQ(r.filter, "csv|*.csv|AllFile(*.*)|*.*||");
        EXPECT_EQ(r.defaultExtension, "csv");
        EXPECT_EQ(r.defaultFileName, c.name);
        EXPECT_TRUE(!r.hideReadOnly && r.overwritePrompt);
    }
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(IrTableCommandTest, EmptyTableCancelAndUnwritableTarget) {
    const std::string existing = dir_.path("ir.csv");
    test::writeFileBytes(existing, "old");
    EXPECT_FALSE(askAndSaveIrTableBySymmetry(doc.vibrations)); // empty: message, no dialog
    EXPECT_FALSE(askAndSaveIrTable(doc.vibrations));           // cancelled
    platform_.openAnswers.push_back(dir_.path("no/such/folder/ir.csv"));
    EXPECT_FALSE(askAndSaveIrTable(doc.vibrations));
    EXPECT_EQ(platform_.messages, (std::vector<std::string>{"IRデータの読み込みができていません",
                                                            "ファイルを保存できません: ir.csv\n"
                                                            "保存先のフォルダがありません"}));
    EXPECT_EQ(platform_.openRequests.size(), 2u);
    EXPECT_EQ(test::readFileBytes(existing), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.dir()), {}), 1);

    platform_.openAnswers.push_back(existing); // the header alone replaces the old file
    EXPECT_TRUE(askAndSaveIrTable(doc.vibrations));
    EXPECT_EQ(test::readFileBytes(existing), kHeader);
}

} // namespace
} // namespace kalviro
