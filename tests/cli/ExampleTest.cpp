// The bundled example read end to end by kalviro-cli. Expected values are the
// ones the NWChem run behind the example printed (RHF/6-31G*, see
// scripts/formaldehyde.nw): coordinates from its final geometry block,
// frequencies and intensities from its projected tables.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace kalviro::test {
namespace {

using nlohmann::json;

json dumpExample() {
    const CliResult r = runCli({"dump", examplePath("formaldehyde_opt_freq.log")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return json::parse(r.out);
}

struct ExpectedAtom {
    const char* symbol;
    int number;
    double x, y, z;
};
// NWChem's "Output coordinates" after "Optimization converged".
const ExpectedAtom kOptimised[] = {{"C", 6, 0.0, 0.0, -0.52935269},
                                   {"O", 8, 0.0, 0.0, 0.65499746},
                                   {"H", 1, 0.0, 0.92416518, -1.11032238},
                                   {"H", 1, 0.0, -0.92416518, -1.11032238}};

void expectAtoms(const json& atoms, std::size_t count) {
    ASSERT_EQ(atoms.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        const json& a = atoms[i];
        EXPECT_EQ(a["symbol"], kOptimised[i].symbol) << i;
        EXPECT_EQ(a["atomicNumber"], kOptimised[i].number) << i;
        EXPECT_NEAR(a["x"].get<double>(), kOptimised[i].x, 1e-6) << i;
        EXPECT_NEAR(a["y"].get<double>(), kOptimised[i].y, 1e-6) << i;
        EXPECT_NEAR(a["z"].get<double>(), kOptimised[i].z, 1e-6) << i;
    }
}

double distance(const json& a, const json& b) {
    const double dx = a["x"].get<double>() - b["x"].get<double>();
    const double dy = a["y"].get<double>() - b["y"].get<double>();
    const double dz = a["z"].get<double>() - b["z"].get<double>();
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

TEST(ExampleTest, MoleculeIsTheOptimisedGeometry) {
    const json d = dumpExample();
    expectAtoms(d["atoms"], 4);
    // NWChem's optimised internal coordinates: C=O 1.18435, C-H 1.09161; an
    // RHF/6-31G* C=O is a little shorter than the measured 1.21 A.
    EXPECT_NEAR(distance(d["atoms"][0], d["atoms"][1]), 1.18435, 2e-5);
    EXPECT_NEAR(distance(d["atoms"][0], d["atoms"][2]), 1.09161, 2e-5);
    EXPECT_GT(distance(d["atoms"][0], d["atoms"][1]), 1.15);
    EXPECT_LT(distance(d["atoms"][0], d["atoms"][1]), 1.25);
}

TEST(ExampleTest, ModesAreTheCalculatedOnes) {
    const json d = dumpExample();
    EXPECT_EQ(d["modesLoaded"], true);
    EXPECT_EQ(d["dipolesLoaded"], true);
    struct Expected {
        double wavenumber;
        double kmPerMol;
        double atomicUnits; // NWChem's intensity in atomic units
        const char* species;
    };
    const Expected expected[] = {
        {1335.979, 0.368, 0.000377, "B1"},  {1383.292, 23.149, 0.023746, "B2"},
        {1679.633, 8.658, 0.008881, "A1"},  {2027.770, 150.124, 0.153997, "A1"},
        {3160.200, 49.708, 0.050991, "A1"}, {3231.939, 135.896, 0.139402, "B2"}};
    ASSERT_EQ(d["frequencies"].size(), 6u);
    ASSERT_EQ(d["intensities"].size(), 6u);
    ASSERT_EQ(d["symmetries"].size(), 6u);
    ASSERT_EQ(d["modes"].size(), 6u);
    ASSERT_EQ(d["dipoleDerivatives"].size(), 6u);
    for (std::size_t m = 0; m < 6; ++m) {
        EXPECT_DOUBLE_EQ(std::stod(d["frequencies"][m].get<std::string>()), expected[m].wavenumber)
            << m;
        EXPECT_DOUBLE_EQ(std::stod(d["intensities"][m].get<std::string>()), expected[m].kmPerMol)
            << m;
        EXPECT_EQ(d["symmetries"][m], expected[m].species) << m;

        // The derivative's square is the intensity in atomic units, and
        // 974.86 km/mol per atomic unit links it to the km/mol column.
        const json& v = d["dipoleDerivatives"][m];
        const double squared = v[0].get<double>() * v[0].get<double>() +
                               v[1].get<double>() * v[1].get<double>() +
                               v[2].get<double>() * v[2].get<double>();
        EXPECT_NEAR(squared, expected[m].atomicUnits, 1e-5 * expected[m].atomicUnits + 1e-9) << m;
        EXPECT_NEAR(974.86 * squared, expected[m].kmPerMol, 0.01 * expected[m].kmPerMol) << m;

        // Displacements are unit vectors over the molecule (printed to two
        // decimals, so the sum is only roughly 1).
        double norm = 0;
        ASSERT_EQ(d["modes"][m].size(), 4u);
        for (const json& row : d["modes"][m])
            for (const json& c : row)
                norm += c.get<double>() * c.get<double>();
        EXPECT_NEAR(norm, 1.0, 0.03) << m;
    }
}

TEST(ExampleTest, CarbonylStretchIsWhereItBelongs) {
    const json d = dumpExample();
    // Mode 4: C and O move against each other along the bond (z); NWChem's
    // derivative dipole for it is -1.885 debye/A along z, i.e.
    // -1.885 * 0.393430 / 1.889726 = -0.39245 e in atomic units.
    const json& mode = d["modes"][3];
    EXPECT_LT(mode[0][2].get<double>() * mode[1][2].get<double>(), 0.0);
    const json& dip = d["dipoleDerivatives"][3];
    EXPECT_DOUBLE_EQ(dip[0].get<double>(), 0.0);
    EXPECT_DOUBLE_EQ(dip[1].get<double>(), 0.0);
    EXPECT_NEAR(dip[2].get<double>(), -0.39245, 2e-4);
    // Unscaled Hartree-Fock puts the C=O stretch about 10 % above the
    // measured 1746 cm-1; it is also the strongest band.
    const double stretch = std::stod(d["frequencies"][3].get<std::string>());
    EXPECT_GT(stretch, 1700.0);
    EXPECT_LT(stretch, 2100.0);
    for (std::size_t m = 0; m < 6; ++m)
        EXPECT_LE(std::stod(d["intensities"][m].get<std::string>()), 150.124) << m;
}

TEST(ExampleTest, SummaryCountsWhatWasRead) {
    const CliResult r = runCli({"dump", "--summary", examplePath("formaldehyde_opt_freq.log")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("atoms 4"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("modes 6"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("dipoleDerivatives 6"), std::string::npos) << r.out;
}

// The example rewritten the ways real outputs differ: each must still give
// the optimised geometry (or, cut short, the rows before the cut).
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string text;
    for (const std::string& l : lines)
        text += l + end;
    return text;
}

// Orientation rows are the only ones with a zero type column and six decimals.
bool isOrientationRow(const std::string& l) {
    return l.size() == 70 && l[29] == '0' && l[l.size() - 7] == '.';
}

struct Variant {
    const char* name;
    std::string (*rewrite)(const std::string&);
    std::size_t atoms;
    std::size_t modes;
};

const Variant kVariants[] = {
    {"CrLf", [](const std::string& t) { return joinLines(splitLines(t), "\r\n"); }, 4, 6},
    {"NoTypeColumn",
     [](const std::string& t) {
         auto lines = splitLines(t);
         for (auto& l : lines) {
             if (isOrientationRow(l))
                 l.erase(16, 14);
             else if (const auto at = l.find("Type"); at != std::string::npos)
                 l.replace(at, 4, "    ");
         }
         return joinLines(lines);
     },
     4, 6},
    {"NeverConverged", // the last complete standard orientation
     [](const std::string& t) {
         auto lines = splitLines(t);
         for (auto& l : lines)
             if (const auto at = l.find("YES"); at != std::string::npos)
                 l.replace(at, 3, "NO ");
         return joinLines(lines);
     },
     4, 6},
    {"InputOrientationOnly", // as symmetry turned off prints it
     [](const std::string& t) {
         auto lines = splitLines(t);
         std::vector<std::string> kept;
         for (std::size_t i = 0; i < lines.size(); ++i) {
             if (lines[i].find("Standard orientation:") == std::string::npos) {
                 kept.push_back(lines[i]);
                 continue;
             }
             i += 4; // title, dashes, two headers, dashes
             while (isOrientationRow(lines[i + 1]))
                 ++i;
             ++i; // closing dashes
         }
         return joinLines(kept);
     },
     4, 6},
    {"CutInsideChosenTable", // two rows of the table after convergence
     [](const std::string& t) {
         const std::size_t done = t.find("Stationary point found");
         const std::size_t title = t.find("Standard orientation:", done);
         std::size_t end = title;
         for (int k = 0; k < 7; ++k)
             end = t.find('\n', end) + 1;
         return t.substr(0, end);
     },
     2, 0},
};

class ExampleVariantTest : public ::testing::TestWithParam<Variant> {};

TEST_P(ExampleVariantTest, GivesTheOptimisedGeometry) {
    TempDir dir;
    const std::string path = dir.path("variant.log");
    writeFileBytes(path,
                   GetParam().rewrite(readFileBytes(examplePath("formaldehyde_opt_freq.log"))));
    const CliResult r = runCli({"dump", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const json d = json::parse(r.out);
    expectAtoms(d["atoms"], GetParam().atoms);
    ASSERT_EQ(d["modes"].size(), GetParam().modes);
    if (GetParam().modes > 0) {
        EXPECT_EQ(d["frequencies"][3], "2027.7700");
        EXPECT_DOUBLE_EQ(d["modes"][3][1][2].get<double>(), 0.41); // O along the bond
    }
}

INSTANTIATE_TEST_SUITE_P(Rewritten, ExampleVariantTest, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalviro::test
