#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "document/SaveCommands.h"
#include "document/ViewSettings.h"
#include "ir/CoordinateExport.h"
#include "ir/IrTableExport.h"
#include "model/MoleculeState.h"
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
    const std::tuple<const char*, VibrationStore, std::string> cases[] = {
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
    for (const auto& [name, store, body] : cases)
        EXPECT_EQ(irTableBytes(irRows(store)), kHeader + body) << name;
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

using IrTableCommandTest = test::DocumentTest;

TEST_F(IrTableCommandTest, ExportsWriteTheTableAsReadOrGrouped) {
    const std::tuple<bool (*)(const VibrationStore&), const char*, std::string> cases[] = {
        {&askAndSaveIrTable, "ir.csv",
         "300.0, 1, B2\r\n1200.0, 2, A1\r\n50.0, 3, B1\r\n800.0, 4, A1\r\n"},
        {&askAndSaveIrTableBySymmetry, "irsorted.csv",
         "1200.0, 2, A1\r\n800.0, 4, A1\r\n50.0, 3, B1\r\n300.0, 1, B2\r\n"}};
    doc.vibrations = storeOf({"300.0", "1200.0", "50.0", "800.0"}, {"1", "2", "3", "4"},
                               {"B2", "A1", "B1", "A1"});
    for (const auto& [command, name, body] : cases) {
        platform_.openRequests.clear();
        platform_.openAnswers.push_back(scratch_.path(name));
        EXPECT_TRUE(command(doc.vibrations));
        EXPECT_EQ(test::readFileBytes(scratch_.path(name)), kHeader + body);
        ASSERT_EQ(platform_.openRequests.size(), 1u);
        EXPECT_EQ(test::dialogText(platform_.openRequests[0]),
                  name + std::string(" csv csv|*.csv|AllFile(*.*)|*.*|| overwrite"));
    }
    EXPECT_TRUE(platform_.messages.empty());
}

// Unwritable paths are told as for every save (SpectrumExportTest).
TEST_F(IrTableCommandTest, EmptyTableAndCancel) {
    const std::string existing = scratch_.path("ir.csv");
    test::writeFileBytes(existing, "old");
    EXPECT_FALSE(askAndSaveIrTableBySymmetry(doc.vibrations)); // empty: message, no dialog
    EXPECT_FALSE(askAndSaveIrTable(doc.vibrations));           // cancelled
    EXPECT_EQ(platform_.messages, std::vector<std::string>{"IRデータの読み込みができていません"});
    EXPECT_EQ(platform_.openRequests.size(), 1u);
    EXPECT_EQ(test::readFileBytes(existing), "old");

    platform_.openAnswers.push_back(existing); // the header alone replaces the old file
    EXPECT_TRUE(askAndSaveIrTable(doc.vibrations));
    EXPECT_EQ(test::readFileBytes(existing), kHeader);
}

using test::atomAt;

MoleculeState moleculeOf(const std::vector<Atom>& atoms) {
    MoleculeState m;
    replaceAtoms(m, atoms, ElementSource::BySymbol);
    return m;
}

TEST(CoordinateFile, Bytes) {
    const std::tuple<const char*, std::vector<Atom>, std::string> cases[] = {
        {"carbon", {atomAt("C", 0, 1.2345, -0.5)}, "C 0.000000 1.234500 -0.500000\r\n"},
        {"negative zero",
         {atomAt("H", -0.0, 0.0000004, -0.0000004)},
         "H -0.000000 0.000000 -0.000000\r\n"},
        {"rounding",
         {atomAt("O", 1.0000005, 2.9999994, 123456.25)},
         "O 1.000001 2.999999 123456.250000\r\n"},
        {"empty symbol and dummy",
         {atomAt("", 1, 2, 3), atomAt("X", -1, -2, -3)},
         " 1.000000 2.000000 3.000000\r\nX -1.000000 -2.000000 -3.000000\r\n"},
        {"label kept", {atomAt("C12", 0.5, 0, 0)}, "C12 0.500000 0.000000 0.000000\r\n"},
        {"none", {}, ""},
    };
    for (const auto& [name, atoms, bytes] : cases)
        EXPECT_EQ(coordinateFileBytes(moleculeOf(atoms)), bytes) << name;
}

using CoordinateCommandTest = test::DocumentTest;

TEST_F(CoordinateCommandTest, WritesTheAtomsAsReadWithoutMovingThem) {
    EXPECT_FALSE(askAndSaveCoordinates(doc.molecule)); // no atoms: no dialog
    EXPECT_TRUE(platform_.openRequests.empty());
    replaceAtoms(doc.molecule, {atomAt("C", 0, 1.2345, -0.5), atomAt("H", 1, 0, 0)},
                 ElementSource::BySymbol);
    // The view turned the molecule 90 degrees about Z.
    doc.molecule.pendingRotationZ = 90;
    applyPendingRotation(doc.molecule, doc.vibrations, false, false);
    const Vector3 turned = doc.molecule.atoms[1].position();
    ASSERT_NEAR(turned.y, -1.0, 1e-12);

    const std::string path = scratch_.path("default.txt");
    platform_.openAnswers.push_back(path);
    EXPECT_TRUE(askAndSaveCoordinates(doc.molecule));
    EXPECT_EQ(test::readFileBytes(path),
              "C 0.000000 1.234500 -0.500000\r\nH 1.000000 0.000000 0.000000\r\n");
    EXPECT_EQ(doc.molecule.atoms[1].position(), turned);

    ASSERT_EQ(platform_.openRequests.size(), 1u);
    EXPECT_EQ(test::dialogText(platform_.openRequests[0]),
              "default.txt txt text|*.txt|AllFile(*.*)|*.*|| overwrite");
    EXPECT_FALSE(askAndSaveCoordinates(doc.molecule)); // cancelled
    EXPECT_EQ(platform_.openRequests.size(), 2u);
    EXPECT_TRUE(platform_.messages.empty()); // unwritable paths: see SpectrumExportTest
}

} // namespace
} // namespace kalviro
