// Frequency jobs of ORCA, Q-Chem, GAMESS-US, Firefly, Psi4 and NWChem read
// from the real files of the corpus and compared with what an independent
// parser read from them, or with numbers copied from the files' own tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/NumberText.h"
#include "model/readers/GaussianOutputReader.h"
#include "model/readers/OutputProgram.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::corpusDir;
using test::corpusFile;
using test::readFileBytes;

struct ExpectedCase {
    const char* path; // under files/ and expected-cclib/
    const char* program;
    bool symmetries; // the expected file has symmetry species
};

class ExpectedFileTest : public ::testing::TestWithParam<ExpectedCase> {};

TEST_P(ExpectedFileTest, MatchesTheIndependentReading) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const ExpectedCase& c = GetParam();
    const nlohmann::json expected = nlohmann::json::parse(
        readFileBytes((corpusDir() / "expected-cclib" / (std::string(c.path) + ".json")).string()));
    const ReadResult<FrequencyJob> job = readOtherProgramOutputFile(corpusFile(c.path));
    ASSERT_TRUE(job.ok()) << job.error();
    EXPECT_EQ(job->program, c.program);

    const auto& atoms = expected["atoms"];
    ASSERT_EQ(job->atoms.size(), atoms.size());
    for (std::size_t a = 0; a < atoms.size(); ++a) {
        const Vector3 want{atoms[a]["x"], atoms[a]["y"], atoms[a]["z"]};
        EXPECT_EQ(job->atoms[a].atomicNumber, atoms[a]["atomicNumber"].get<int>()) << a;
        EXPECT_LT((job->atoms[a].position() - want).length(), 3.5e-4) << a;
    }

    const auto& frequencies = expected["frequencies"];
    ASSERT_EQ(job->frequencies.size(), frequencies.size());
    ASSERT_EQ(job->modes.size(), frequencies.size());
    for (std::size_t m = 0; m < frequencies.size(); ++m)
        EXPECT_NEAR(parseNumber(job->frequencies[m]), frequencies[m].get<double>(), 0.01) << m;

    if (expected.contains("irIntensities")) {
        const auto& ir = expected["irIntensities"];
        ASSERT_EQ(job->intensities.size(), ir.size());
        for (std::size_t m = 0; m < ir.size(); ++m) {
            const double e = ir[m].get<double>();
            const double km = parseNumber(job->intensities[m]) * job->intensityToKmPerMol;
            EXPECT_NEAR(km, e, std::max(1e-3 * std::fabs(e), 1e-5)) << m;
        }
    } else {
        EXPECT_TRUE(job->intensities.empty());
    }

    if (c.symmetries) {
        const auto& sym = expected["symmetries"];
        ASSERT_EQ(job->symmetries.size(), sym.size());
        for (std::size_t m = 0; m < sym.size(); ++m)
            EXPECT_EQ(job->symmetries[m], sym[m].get<std::string>()) << m;
    }

    const auto& displacements = expected["displacements"];
    for (std::size_t m = 0; m < displacements.size(); ++m)
        for (std::size_t a = 0; a < atoms.size(); ++a) {
            const auto& d = displacements[m][a];
            EXPECT_LT((job->modes[m][a] - Vector3{d[0], d[1], d[2]}).length(), 3.5e-3) << m << " " << a;
        }

    // Where the file gives dipole derivatives, each one's square is the
    // mode's intensity in km/mol.
    if (!job->dipoleDerivatives.empty()) {
        ASSERT_EQ(job->dipoleDerivatives.size(), frequencies.size());
        for (std::size_t m = 0; m < frequencies.size(); ++m) {
            const Vector3& v = job->dipoleDerivatives[m];
            const double km = parseNumber(job->intensities[m]) * job->intensityToKmPerMol;
            const double squared = v.x * v.x + v.y * v.y + v.z * v.z;
            if (squared > 0.0) {
                EXPECT_NEAR(squared, km, 1e-9 + 1e-9 * km) << m;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, ExpectedFileTest,
    ::testing::Values(
        ExpectedCase{"orca/ORCA4.0_CO2_freqs.out", "ORCA 4.0.0.2", false},
        ExpectedCase{"orca/ORCA4.2_dvb_ir.out", "ORCA 4.2.0", false},
        ExpectedCase{"qchem/QChem4.2_water_ir.out", "Q-Chem 4.2", false},
        ExpectedCase{"qchem/QChem5.4_dvb_ir.out", "Q-Chem 5.4", false},
        ExpectedCase{"gamess-out/Firefly8.0_dvb_ir.out", "Firefly 8.0.1", false},
        ExpectedCase{"gamess-out/GAMESS-US2014_nh3_ts_ir.out", "GAMESS-US 5 DEC 2014 (R1)", false},
        ExpectedCase{"gamess-out/GAMESS-US2017_dvb_ir.out", "GAMESS-US 20 APR 2017 (R1)", false},
        ExpectedCase{"psi4/Psi4-1.3.1_dvb_ir_rhf.out", "Psi4 1.3.1", true}));

// Files without an expected file: numbers copied from their own tables.
TEST(OtherProgramsCorpusTest, Orca5TakesTheIntColumnAndScalesTheTransitionDipole) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto job = readOtherProgramOutputFile(corpusFile("orca/ORCA5.0_dvb_ir.out"));
    ASSERT_TRUE(job.ok()) << job.error();
    EXPECT_EQ(job->program, "ORCA 5.0.1");
    ASSERT_EQ(job->atoms.size(), 20u);
    EXPECT_EQ(job->atoms[0].atomicNumber, 6);
    EXPECT_DOUBLE_EQ(job->atoms[0].x, -1.415253);
    EXPECT_DOUBLE_EQ(job->atoms[2].y, 1.314461);
    ASSERT_EQ(job->frequencies.size(), 54u); // 60 rows, six zero ones left out
    EXPECT_EQ(job->frequencies[0], "45.66");
    EXPECT_EQ(job->frequencies[53], "3546.00");
    EXPECT_EQ(job->intensities[3], "0.26"); // "Int", not T**2 = 0.000090
    EXPECT_EQ(job->intensities[8], "6.13");
    // Mode 6 is the first column printed under "6": rows 0..2 are atom 1.
    EXPECT_DOUBLE_EQ(job->modes[0][0].z, -0.078644);
    EXPECT_DOUBLE_EQ(job->modes[3][1].y, -0.104462);
    // Mode 9: T = (0.008755, 0.003626, 0) and 0.26 km/mol; by hand,
    // sqrt(0.26 / (0.008755^2 + 0.003626^2)) = 53.808, times T.
    const Vector3& v = job->dipoleDerivatives[3];
    EXPECT_NEAR(v.x, 0.47110, 1e-4);
    EXPECT_NEAR(v.y, 0.19511, 1e-4);
    EXPECT_EQ(v.z, 0.0);
}

TEST(OtherProgramsCorpusTest, NWChemProjectedTables) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto job = readOtherProgramOutputFile(corpusFile("nwchem/NWChem6.0_dvb_ir_hf.out"));
    ASSERT_TRUE(job.ok()) << job.error();
    EXPECT_EQ(job->program, "NWChem 6.0");
    ASSERT_EQ(job->atoms.size(), 20u);
    EXPECT_EQ(job->atoms[10].atomicNumber, 6);
    EXPECT_DOUBLE_EQ(job->atoms[10].x, -0.52058577);
    EXPECT_DOUBLE_EQ(job->atoms[19].y, -3.67431499);
    ASSERT_EQ(job->frequencies.size(), 54u);
    EXPECT_EQ(job->frequencies[0], "37.56");
    EXPECT_EQ(job->frequencies[3], "197.50");
    EXPECT_EQ(job->intensities[2], "0.264");
    EXPECT_EQ(job->intensities[8], "3.161");
    EXPECT_EQ(job->intensities[50], "7.425");
    // Rows 1..3 of the column headed 7 are atom 1's x, y, z.
    EXPECT_DOUBLE_EQ(job->modes[0][0].z, -0.04178);
    EXPECT_DOUBLE_EQ(job->modes[3][0].x, -0.05727);
    // Mode 15: d/dq = (0, 0, 0.274), 3.161 km/mol: (0, 0, sqrt(3.161)).
    EXPECT_NEAR(job->dipoleDerivatives[8].z, 1.77792, 1e-5);
    // Mode 10: d/dq = (0.024, 0.069, 0), 0.227 km/mol; by hand
    // sqrt(0.227 / 0.005337) = 6.5218 times d/dq.
    EXPECT_NEAR(job->dipoleDerivatives[3].x, 0.15652, 1e-4);
    EXPECT_NEAR(job->dipoleDerivatives[3].y, 0.45000, 1e-4);
}

// The dipole derivative tensor times the printed displacements, worked out
// apart from the reader for the two strongest in-plane modes of the
// GAMESS-US 2017 file (modes 43 and 51: 0.44682 and 2.33422 D^2/amu/A^2).
TEST(OtherProgramsCorpusTest, GamessDipoleDerivativesFromTheTensor) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto job = readOtherProgramOutputFile(corpusFile("gamess-out/GAMESS-US2017_dvb_ir.out"));
    ASSERT_TRUE(job.ok()) << job.error();
    const struct {
        std::size_t mode; // modes 1 to 6 are left out
        Vector3 expected;
    } cases[] = {{43 - 7, {-1.12533, 4.19696, 0.0}}, {51 - 7, {9.65022, 2.34699, 0.0}}};
    for (const auto& c : cases)
        EXPECT_LT((job->dipoleDerivatives[c.mode] - c.expected).length(), 1.7e-4) << c.mode;
}

// A file that ends inside one of the tables is refused, with the file named.
// A file holding an earlier job before the job read alone gives that job's
// tables: the earlier job's are dropped, whatever state it left.
TEST(OtherProgramsCorpusTest, TheLastJobOfAFileIsRead) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const std::pair<const char*, const char*> files[] = {
        {"orca/ORCA4.0_CO2_freqs.out", "orca/ORCA4.2_dvb_ir.out"},
        {"qchem/QChem4.2_water_ir.out", "qchem/QChem5.4_dvb_ir.out"},
        {"gamess-out/GAMESS-US2014_nh3_ts_ir.out", "gamess-out/GAMESS-US2017_dvb_ir.out"},
        {"psi4/Psi4-1.3.1_dvb_ir_rhf.out", "psi4/Psi4-1.3.1_dvb_ir_rhf.out"},
        {"nwchem/NWChem6.0_dvb_ir_hf.out", "nwchem/NWChem6.0_dvb_ir_hf.out"}};
    for (const auto& [first, last] : files) {
        const std::string alone = readFileBytes(corpusFile(last));
        const auto one = readOtherProgramOutput(alone);
        const auto both = readOtherProgramOutput(readFileBytes(corpusFile(first)) + alone);
        ASSERT_TRUE(one.ok() && both.ok()) << last;
        EXPECT_EQ(both->frequencies, one->frequencies) << last;
        EXPECT_EQ(both->intensities, one->intensities) << last;
        EXPECT_EQ(both->symmetries, one->symmetries) << last;
        EXPECT_TRUE(both->modes == one->modes) << last;
        EXPECT_TRUE(both->dipoleDerivatives == one->dipoleDerivatives) << last;
    }
}

// The plain-decimal reader gives the C library's double, to the bit, for
// every such number of the corpus's outputs.
TEST(OtherProgramsCorpusTest, PlainDecimalsAreTheLibrarysDoubles) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    std::size_t numbers = 0;
    for (const char* folder : {"orca", "qchem", "gamess-out", "psi4", "nwchem", "g09", "g16"})
        for (const auto& entry : std::filesystem::directory_iterator(corpusDir() / "files" / folder)) {
            std::istringstream words(readFileBytes(entry.path().string()));
            double fast;
            for (std::string w; words >> w;) {
                if (!parsePlainDecimal(w, fast))
                    continue;
                ++numbers;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(fast),
                          std::bit_cast<std::uint64_t>(std::strtod(w.c_str(), nullptr))) << w;
            }
        }
    EXPECT_GT(numbers, 100000u);
}

struct CutCase {
    const char* path;
    const char* marker; // the cut falls `after` lines past its nth occurrence
    int occurrence;
    int after;
};

class CutFileTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutFileTest, IsAFailureWithAReason) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const CutCase& c = GetParam();
    const std::string text = readFileBytes(corpusFile(c.path));
    std::size_t at = 0;
    for (int k = 0; k < c.occurrence; ++k) {
        at = text.find(c.marker, k ? at + 1 : 0);
        ASSERT_NE(at, std::string::npos) << c.marker;
    }
    for (int k = 0; k < c.after; ++k)
        at = text.find('\n', at) + 1;
    // A negative count cuts that many lines before the marker's line.
    at = c.after < 0 ? text.rfind('\n', at) : at;
    for (int k = 0; k > c.after; --k)
        at = text.rfind('\n', at - 1);
    if (c.after < 0)
        ++at;
    const auto job = readOtherProgramOutput(std::string_view(text).substr(0, at), "cut.out");
    ASSERT_FALSE(job.ok()) << c.path << " " << c.marker << " +" << c.after;
    EXPECT_EQ(job.error().rfind("cut.out：", 0), 0u) << job.error();
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, CutFileTest,
    ::testing::Values(
        CutCase{"orca/ORCA4.2_dvb_ir.out", "CARTESIAN COORDINATES (ANGSTROEM)", 1, 6},
        CutCase{"orca/ORCA4.2_dvb_ir.out", "VIBRATIONAL FREQUENCIES", 1, 20},
        CutCase{"orca/ORCA4.2_dvb_ir.out", "NORMAL MODES", 1, 200},
        CutCase{"orca/ORCA4.2_dvb_ir.out", "NORMAL MODES", 1, 188},
        CutCase{"orca/ORCA5.0_dvb_ir.out", "IR SPECTRUM", 1, 30},
        CutCase{"qchem/QChem5.4_dvb_ir.out", "Standard Nuclear Orientation", 1, 8},
        CutCase{"qchem/QChem5.4_dvb_ir.out", "Mode:", 2, 12},
        CutCase{"qchem/QChem5.4_dvb_ir.out", "Mode:", 3, 0},
        CutCase{"gamess-out/GAMESS-US2017_dvb_ir.out", "DIPOLE DERIVATIVE TENSOR", 1, 20},
        CutCase{"gamess-out/GAMESS-US2017_dvb_ir.out", "FREQUENCY:", 2, 30},
        CutCase{"gamess-out/GAMESS-US2017_dvb_ir.out", "FREQUENCY:", 4, 0},
        CutCase{"gamess-out/Firefly8.0_dvb_ir.out", "IR INTENSITY:", 3, 2},
        CutCase{"psi4/Psi4-1.3.1_dvb_ir_rhf.out", "Vibration ", 3, 15},
        CutCase{"psi4/Psi4-1.3.1_dvb_ir_rhf.out", "Vibration ", 5, 0},
        CutCase{"nwchem/NWChem6.0_dvb_ir_hf.out", "P.Frequency", 4, 20},
        CutCase{"nwchem/NWChem6.0_dvb_ir_hf.out", "P.Frequency", 5, 0},
        // Between two blocks: the column numbers of the fifth not read.
        CutCase{"nwchem/NWChem6.0_dvb_ir_hf.out", "P.Frequency", 5, -2},
        CutCase{"qchem/QChem5.4_dvb_ir.out", "Mode:", 3, -1},
        CutCase{"gamess-out/GAMESS-US2017_dvb_ir.out", "FREQUENCY:", 4, -1},
        CutCase{"psi4/Psi4-1.3.1_dvb_ir_rhf.out", "Vibration ", 5, -1},
        CutCase{"nwchem/NWChem6.0_dvb_ir_hf.out", "Projected Derivative Dipole", 1, 30},
        CutCase{"nwchem/NWChem6.0_dvb_ir_hf.out", "Projected Infra Red", 1, 30}));

// The high-precision mode table of a real freq=hpmodes output.
TEST(GaussianOutputCorpus, HighPrecisionTableIsTheOrdinaryOneWithMoreDigits) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto job = parseOutputFile(test::corpusFile("g09/benzene_HPfreq.log"));
    ASSERT_TRUE(job);
    ASSERT_EQ(job->modes.size(), 30u);
    ASSERT_EQ(job->preciseModes.size(), 30u);
    EXPECT_DOUBLE_EQ(job->preciseModes[0][0].z, -0.04497);   // first row block
    EXPECT_DOUBLE_EQ(job->preciseModes[29][11].y, -0.31749); // last row
    double finest = 0.0; // furthest of a precise value from its two decimals
    for (std::size_t k = 0; k < 30; ++k) {
        ASSERT_EQ(job->preciseModes[k].size(), 12u);
        for (std::size_t a = 0; a < 12; ++a) {
            const Vector3& p = job->preciseModes[k][a];
            const Vector3& o = job->modes[k][a];
            for (auto [precise, ordinary] : {std::pair{p.x, o.x}, {p.y, o.y}, {p.z, o.z}}) {
                EXPECT_NEAR(precise, ordinary, 0.005 + 1e-12) << k << " " << a;
                finest = std::max(finest, std::abs(precise - std::round(precise * 100) / 100));
            }
        }
    }
    EXPECT_GT(finest, 1e-4);
}

} // namespace
} // namespace kalviro
