#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/FileOpening.h"
#include "platform/Messages.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

const std::string& kHeader = test::kIrTableHeader;
using nlohmann::json;

json dump(const std::vector<std::string>& args) {
    const auto r = test::runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? json::parse(r.out) : json();
}

double frequency(const json& j, std::size_t k) {
    return std::stod(j["frequencies"][k].get<std::string>());
}

std::vector<std::string> splitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends in CR LF";
    return lines;
}

class BatchCommandsCorpusTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        KALVIRO_SKIP_WITHOUT_CORPUS();
    }
    test::TempDir dir_;
};

TEST_P(BatchCommandsCorpusTest, IrTablesMatchTheExpectedTexts) {
    const std::string rel = GetParam();
    std::ifstream in(test::corpusDir() / "expected" / (rel + ".json"));
    const auto expected = nlohmann::json::parse(in);
    const std::string file = test::corpusFile(rel);

    // The empty entries that fill a short last group up to three are no rows.
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < expected["frequencies"].size(); ++i)
        if (!expected["frequencies"][i].get<std::string>().empty())
            rows.push_back(expected["frequencies"][i].get<std::string>() + ", " +
                           expected["intensities"][i].get<std::string>() + ", " +
                           expected["symmetries"][i].get<std::string>());

    const std::string plain = dir_.path("ir.csv");
    auto r = test::runCli({"ir", file, "-o", plain});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string bytes = kHeader;
    for (const auto& row : rows)
        bytes += row + "\r\n";
    EXPECT_EQ(test::readFileBytes(plain), bytes);

    const std::string sorted = dir_.path("irsorted.csv");
    r = test::runCli({"ir", file, "-o", sorted, "--by-symmetry"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string sortedBytes = test::readFileBytes(sorted);
    ASSERT_EQ(sortedBytes.substr(0, kHeader.size()), kHeader);
    auto lines = splitCrLf(sortedBytes.substr(kHeader.size()));
    // The same rows, species in byte order, wavenumber texts in byte order within each.
    auto sortedRows = rows;
    std::sort(sortedRows.begin(), sortedRows.end());
    auto sortedLines = lines;
    std::sort(sortedLines.begin(), sortedLines.end());
    EXPECT_EQ(sortedLines, sortedRows);
    auto species = [](const std::string& l) { return l.substr(l.rfind(", ") + 2); };
    auto wavenumber = [](const std::string& l) { return l.substr(0, l.find(", ")); };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_LE(species(lines[i - 1]), species(lines[i])) << i;
        if (species(lines[i - 1]) == species(lines[i])) {
            EXPECT_LE(wavenumber(lines[i - 1]), wavenumber(lines[i])) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, BatchCommandsCorpusTest,
                         ::testing::Values("g98/test_H2.log", "g98/NIST_CCCBDB_1himidaz_m21b0.out",
                                           "g03/dvb_ir.out", "g09/benzene_freq.log",
                                           "g16/co_pbe1pbe_631ppGss.log"));

TEST(BatchCoordsCorpusTest, GaussianCartesianInputAsWritten) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    test::TempDir dir;
    const std::string out = dir.path("c.txt");
    const auto r =
        test::runCli({"coords", test::corpusFile("g16/water_hf_solvent_pcm.com"), "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFileBytes(out), "O -0.000000 -0.119160 0.000000\r\n"
                                        "H -0.790650 0.476640 0.000000\r\n"
                                        "H 0.790650 0.476640 -0.000000\r\n");
}

// The batch commands pair an output with its checkpoint file only when told
// to; the dump says where the vectors came from.
TEST(BatchPairingCorpusTest, FchkAddsTheVectorsAndTheDumpNamesTheirSource) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const std::string out = test::corpusFile("g09/dvb_ir.out");
    const std::string fchk = test::corpusFile("g09/dvb_ir.fchk");
    json a = dump({"dump", out}), p = dump({"dump", out, "--fchk", fchk});
    EXPECT_EQ(a["source"].dump(), R"({"dipoleDerivatives":"none","intensities":"output","modes":"output"})");
    EXPECT_EQ(p["source"]["dipoleDerivatives"], "checkpoint Hessian");
    EXPECT_EQ(p["dipoleDerivatives"].size(), a["modes"].size());
}

// dvb_raman.out prints Raman activities; the dump lists them and the Raman
// spectrum's heights follow S (nu0 - nu)^4 / (nu (1 - exp(-h c nu / k T))),
// whose ratio for two modes needs no normalisation.
TEST(BatchRamanCorpusTest, ActivitiesAndIntensitiesOfTwoModes) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const std::string file = test::corpusFile("g09/dvb_raman.out");
    json j = dump({"dump", file});
    ASSERT_EQ(j["ramanActivities"].size(), 54u);
    EXPECT_EQ(j["ramanActivities"][4], "7.6260");  // 262.8396 cm-1
    EXPECT_EQ(j["ramanActivities"][10], "9.6553"); // 577.9704 cm-1
    test::TempDir dir;
    auto height = [&](const char* nu, bool activities = false) {
        const std::string out = dir.path("r.csv");
        std::vector<std::string> args{"spectrum", file, "-o", out, "--raman", "--laser", "15798",
                                      "--temperature", "77", "--from", nu, "--to", "2000",
                                      "--shape", "gaussian", "--width", "0.001"};
        if (activities)
            args.push_back("--activities");
        const auto r = test::runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string bytes = test::readFileBytes(out);
        const std::size_t first = bytes.find("\n", bytes.rfind("# shift")) + 1;
        return std::stod(bytes.substr(bytes.find(',', first) + 1));
    };
    const double hcOverK = 6.62607015e-34 * 2.99792458e10 / 1.380649e-23;
    auto intensity = [&](double s, double nu) {
        return s * std::pow(15798 - nu, 4) / (nu * (1 - std::exp(-hcOverK * nu / 77)));
    };
    EXPECT_NEAR(height("262.8396") / height("577.9704"),
                intensity(7.6260, 262.8396) / intensity(9.6553, 577.9704), 1e-8);
    // --activities: the printed activity is the peak's height.
    EXPECT_NEAR(height("262.8396", true), 7.6260, 1e-9);
}

// GAMESS prints intensities in Debye^2/amu/A^2, 42.2561 km/mol each: a line
// as narrow as 0.001 cm-1 peaks at the intensity in km/mol.
TEST(BatchSpectrumCorpusTest, GamessIntensitiesInKmPerMol) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    test::TempDir dir;
    const auto r = test::runCli({"spectrum", test::corpusFile("gamess-out/GAMESS-US2017_dvb_ir.out"), "-o",
                                 dir.path("s.csv"), "--from", "467.26", "--to", "470", "--shape", "gaussian",
                                 "--width", "0.001"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = test::readFileBytes(dir.path("s.csv"));
    const std::size_t first = bytes.find("\n", bytes.rfind("# shift")) + 1;
    EXPECT_NEAR(std::stod(bytes.substr(bytes.find(',', first) + 1)), 0.13982 * 42.2561, 1e-9);
}

// `jcamp` writes the points the reader decoded, in the file's order and
// unit, as an independent JCAMP-DX reader decoded them.
TEST(JcampCommand, WritesThePointsOfTheFile) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    test::TempDir dir;
    const auto file = test::corpusDir() / "files/jcamp/carbon_monoxide.jdx";
    const auto r = test::runCli({"jcamp", file.string(), "-o", dir.path("co.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json expected = nlohmann::json::parse(
        std::ifstream(test::corpusDir() / "expected/jcamp/carbon_monoxide.jdx.json"))[0];
    std::istringstream csv(test::readFileBytes(dir.path("co.csv")));
    std::size_t n = 0;
    double largest = 0;
    for (double y : expected["y"])
        largest = std::max(largest, std::abs(y));
    for (std::string line; std::getline(csv, line); ++n) {
        ASSERT_EQ(line.back(), '\r');
        double x = 0, y = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf", &x, &y), 2) << line;
        ASSERT_LT(n, expected["x"].size());
        EXPECT_NEAR(x, expected["x"][n].get<double>(), 1e-6 * std::abs(x)) << n;
        EXPECT_NEAR(y, expected["y"][n].get<double>(), 1e-6 * largest) << n;
    }
    EXPECT_EQ(n, expected["x"].size());

    const auto missing = test::runCli({"jcamp", dir.path("none.jdx"), "-o", dir.path("x.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.jdx"), std::string::npos) << missing.err;
}

// Divinylbenzene: its output paired with its checkpoint file at unchanged
// masses ("1=12", a carbon), then the checkpoint file alone with every H
// made 2H.
TEST(IsotopeCorpusTest, AllHydrogensToDeuterium) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const std::string out = test::corpusFile("g09/dvb_ir.out");
    const std::string fchk = test::corpusFile("g09/dvb_ir.fchk");
    const json printed = dump({"dump", out});
    const json h = dump({"dump", out, "--fchk", fchk, "--isotope", "1=12"});
    const json& atoms = printed["atoms"];
    std::vector<double> m, md; // the file's masses, and with 2H
    std::string all;
    for (std::size_t a = 0; a < atoms.size(); ++a) {
        const bool hydrogen = atoms[a]["atomicNumber"] == 1;
        m.push_back(hydrogen ? 1.00782504 : 12.0);
        md.push_back(hydrogen ? 2.01410178 : 12.0);
        if (hydrogen)
            all += (all.empty() ? "" : ",") + std::to_string(a + 1) + "=2H";
    }
    const json d = dump({"dump", fchk, "--isotope", all});
    const std::size_t n = 3 * m.size() - 6;
    ASSERT_EQ(h["frequencies"].size(), n);
    ASSERT_EQ(d["frequencies"].size(), n);
    EXPECT_EQ(h["source"]["modes"], "checkpoint Hessian");

    // The recomputed modes are in the output's frame (the checkpoint's is
    // turned 180 degrees about x): each mode more than 1 cm-1 from the
    // others is the printed one up to sign and rounding.
    for (std::size_t k = 0; k < n; ++k) {
        if ((k > 0 && frequency(h, k) - frequency(h, k - 1) < 1) ||
            (k + 1 < n && frequency(h, k + 1) - frequency(h, k) < 1))
            continue;
        double pq = 0, pp = 0, qq = 0;
        for (std::size_t c = 0; c < 3 * m.size(); ++c) {
            const double p = printed["modes"][k][c / 3][c % 3], q = h["modes"][k][c / 3][c % 3];
            pq += p * q, pp += p * p, qq += q * q;
        }
        EXPECT_GT(std::abs(pq) / std::sqrt(pp * qq), 0.999) << "mode " << k + 1;
    }

    // C-H stretch to C-D stretch, as diatomics: sqrt(mu_CH / mu_CD), about
    // 0.734 (atom 6 is a hydrogen). The product rule over all modes is
    // checked on the model's own analysis.
    const double ratio = std::sqrt((12 * m[5] / (12 + m[5])) / (12 * md[5] / (12 + md[5])));
    EXPECT_NEAR(frequency(d, n - 1) / frequency(h, n - 1), ratio, 0.03 * ratio);

    const auto bad = test::runCli({"ir", fchk, "--isotope", "99=2H", "-o", "unused.csv"});
    EXPECT_NE(bad.err.find(msg::kIsotopeAtomOutOfRange), std::string::npos) << bad.err;

    // The Hessian goes with the next file.
    Document doc;
    ASSERT_TRUE(openMoleculeFile(doc, fchk).read && doc.hessian);
    ASSERT_TRUE(openMoleculeFile(doc, out).read);
    EXPECT_FALSE(doc.hessian);
}

} // namespace
} // namespace kalviro
