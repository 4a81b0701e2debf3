#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

const std::string& kHeader = test::kIrTableHeader;

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
    auto alone = test::runCli({"dump", out});
    auto paired = test::runCli({"dump", out, "--fchk", fchk});
    ASSERT_EQ(alone.status + paired.status, 0) << alone.err << paired.err;
    const auto a = nlohmann::json::parse(alone.out), p = nlohmann::json::parse(paired.out);
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
    const auto dump = test::runCli({"dump", file});
    ASSERT_EQ(dump.status, 0) << dump.err;
    const auto j = nlohmann::json::parse(dump.out);
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

} // namespace
} // namespace kalviro
