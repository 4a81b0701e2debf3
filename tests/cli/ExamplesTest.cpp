// The bundled examples, each opened as the program opens it. Expected values
// are the numbers the calculations behind the examples printed (NWChem for
// the outputs and the formaldehyde inputs, RHF/6-31G*; psi4 for the
// checkpoint files; see the scripts named in each file), written here as
// literals. The checkpoint examples' orbitals are checked beside the
// corpus's in OrbitalCorpusTest.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "model/MoleculeState.h"
#include "support/TestSupport.h"

namespace kalviro::test {
namespace {

using nlohmann::json;

json dump(const std::string& path) {
    const CliResult r = runCli({"dump", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return r.status == 0 ? json::parse(r.out) : json::object();
}

using Point = Vector3;

struct ExpectedAtom {
    const char* symbol;
    int number;
    Point at;
};

void expectAtoms(const json& atoms, const std::vector<ExpectedAtom>& want, double tolerance) {
    ASSERT_EQ(atoms.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("atom " + std::to_string(i + 1));
        EXPECT_EQ(atoms[i]["symbol"], want[i].symbol);
        EXPECT_EQ(atoms[i]["atomicNumber"], want[i].number);
        EXPECT_LT((Point{atoms[i]["x"], atoms[i]["y"], atoms[i]["z"]} - want[i].at).length(), tolerance);
    }
}

// NWChem's final coordinates of the formaldehyde optimisation (Angstrom),
// the same as the last standard orientation of formaldehyde_opt_freq.log.
const std::vector<ExpectedAtom> kFormaldehyde = {{"C", 6, {0.0, 0.0, -0.52935269}},
                                                 {"O", 8, {0.0, 0.0, 0.65499746}},
                                                 {"H", 1, {0.0, 0.92416518, -1.11032238}},
                                                 {"H", 1, {0.0, -0.92416518, -1.11032238}}};

// --- formaldehyde_opt_freq.log: the NWChem optimisation and frequencies.

TEST(ExampleTest, OptimisedGeometryAndTheCalculatedModes) {
    const json d = dump(examplePath("formaldehyde_opt_freq.log"));
    expectAtoms(d["atoms"], kFormaldehyde, 1e-6);
    EXPECT_EQ(d["modesLoaded"], true);
    EXPECT_EQ(d["dipolesLoaded"], true);
    struct Expected {
        double wavenumber;
        double kmPerMol;
        const char* species;
    };
    const Expected expected[] = {
        {1335.979, 0.368, "B1"},  {1383.292, 23.149, "B2"}, {1679.633, 8.658, "A1"},
        {2027.770, 150.124, "A1"}, {3160.200, 49.708, "A1"}, {3231.939, 135.896, "B2"}};
    for (const char* key :
         {"frequencies", "intensities", "symmetries", "modes", "dipoleDerivatives"})
        ASSERT_EQ(d[key].size(), 6u) << key;
    for (std::size_t m = 0; m < 6; ++m) {
        EXPECT_DOUBLE_EQ(std::stod(d["frequencies"][m].get<std::string>()), expected[m].wavenumber)
            << m;
        EXPECT_DOUBLE_EQ(std::stod(d["intensities"][m].get<std::string>()), expected[m].kmPerMol)
            << m;
        EXPECT_EQ(d["symmetries"][m], expected[m].species) << m;

        // In (km/mol)^1/2: the derivative's square is the printed intensity
        // to the printed six digits.
        const json& v = d["dipoleDerivatives"][m];
        const Point p{v[0].get<double>(), v[1].get<double>(), v[2].get<double>()};
        EXPECT_NEAR(p.dot(p), expected[m].kmPerMol, 1e-5 * expected[m].kmPerMol) << m;

        // Displacements are unit vectors over the molecule (printed to two
        // decimals, so the sum is only roughly 1).
        double norm = 0;
        ASSERT_EQ(d["modes"][m].size(), 4u);
        for (const json& row : d["modes"][m])
            for (const json& c : row)
                norm += c.get<double>() * c.get<double>();
        EXPECT_NEAR(norm, 1.0, 0.03) << m;
    }
    // Mode 4: C and O move against each other along the bond (z); NWChem's
    // derivative dipole for it is -1.885 debye/A along z, i.e.
    // -1.885 * 0.393430 / 1.889726 = -0.39245 e in atomic units, times
    // sqrt(974.88) (km/mol)^1/2 per atomic unit: -12.253.
    const json& mode = d["modes"][3];
    EXPECT_LT(mode[0][2].get<double>() * mode[1][2].get<double>(), 0.0);
    const json& dip = d["dipoleDerivatives"][3];
    EXPECT_DOUBLE_EQ(dip[0].get<double>(), 0.0);
    EXPECT_DOUBLE_EQ(dip[1].get<double>(), 0.0);
    EXPECT_NEAR(dip[2].get<double>(), -0.39245 * std::sqrt(974.88), 6e-3);
}

// The example rewritten the ways real outputs differ from it (the reader's
// own tests cover CR LF, missing type columns and input tables only).
struct Variant {
    const char* name;
    std::string (*rewrite)(const std::string&);
    std::size_t atoms;
    std::size_t modes;
};

const Variant kVariants[] = {
    {"NeverConverged", // the last complete standard orientation
     [](const std::string& t) { return replaceAll(t, "YES", "NO "); }, 4, 6},
    {"CutInsideChosenTable", // two rows of the table after convergence
     [](const std::string& t) {
         std::size_t end = t.find("Standard orientation:", t.find("Stationary point found"));
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
    const json d = dump(path);
    expectAtoms(d["atoms"],
                std::vector<ExpectedAtom>(kFormaldehyde.begin(),
                                          kFormaldehyde.begin() + static_cast<long>(GetParam().atoms)),
                1e-6);
    ASSERT_EQ(d["modes"].size(), GetParam().modes);
    if (GetParam().modes > 0) {
        EXPECT_EQ(d["frequencies"][3], "2027.7700");
        EXPECT_DOUBLE_EQ(d["modes"][3][1][2].get<double>(), 0.41); // O along the bond
    }
}

INSTANTIATE_TEST_SUITE_P(Rewritten, ExampleVariantTest, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

// --- water_freq_only.log: NWChem RHF/6-31G* frequencies of water at the
// experimental geometry, no optimisation (scripts/water.nw).

// NWChem's geometry (moved to the centre of nuclear charge): r(OH) 0.9572 A,
// H-O-H 104.52 degrees.
const std::vector<ExpectedAtom> kWater = {{"O", 8, {0.0, 0.0, 0.117176}},
                                          {"H", 1, {0.0, 0.756950, -0.468706}},
                                          {"H", 1, {0.0, -0.756950, -0.468706}}};

// A frequency job at a converged structure prints YES after its last table:
// no table follows the convergence, so the molecule is the last complete
// standard orientation, not the input orientation (moved 1 A along x here).
TEST(WaterExample, ConvergedAtTheEndKeepsTheLastStandardOrientation) {
    std::string t = readFileBytes(examplePath("water_freq_only.log"));
    std::size_t row = t.find("Input orientation:");
    for (int skip = 0; skip < 5; ++skip)
        row = t.find('\n', row) + 1;
    for (int atom = 0; atom < 3; ++atom, row = t.find('\n', row) + 1)
        t.replace(row + 30, 16, "        1.000000"); // the x field
    TempDir dir;
    writeFileBytes(dir.path("water.log"), replaceAll(t, "     NO ", "     YES"));
    const json d = dump(dir.path("water.log"));
    expectAtoms(d["atoms"], kWater, 1e-9);
    EXPECT_EQ(d["frequencies"], json::parse(R"(["1859.2310", "3937.2210", "4050.9280"])"));
    EXPECT_EQ(d["symmetries"], json::parse(R"(["A1", "A1", "B2"])"));
}

// --- The formaldehyde inputs, written from the NWChem optimisation (the
// readers' own tests place Z-matrix and Cartesian atoms).

TEST(InputExamples, GamessC2vGivesTheWholeMolecule) {
    // The file lists the symmetry-unique atoms; the second hydrogen comes
    // from the C2 axis, as GAMESS makes it.
    const json d = dump(examplePath("formaldehyde_c2v.inp"));
    expectAtoms(d["atoms"], kFormaldehyde, 1e-9);
}

} // namespace
} // namespace kalviro::test
