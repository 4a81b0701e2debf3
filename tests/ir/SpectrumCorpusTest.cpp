// Spectra of the real outputs that carry dipole derivatives, checked against
// the Lorentzian sum worked out here from the expected dump values.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

namespace fs = std::filesystem;
using test::corpusAvailable;
using test::corpusDir;

struct Loaded {
    std::vector<double> wavenumbers;
    std::vector<std::array<double, 3>> dipoles;
};

std::vector<std::vector<std::string>> rowsOf(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::vector<std::string> cells;
        const std::string line = text.substr(start, end - start);
        std::size_t from = 0;
        for (std::size_t c; (c = line.find(',', from)) != std::string::npos; from = c + 1)
            cells.push_back(line.substr(from, c - from));
        rows.push_back(cells);
    }
    return rows;
}

double lorentzian(const Loaded& l, int j, double (*stick)(const std::array<double, 3>&, double),
                  double angle) {
    double sum = 0;
    for (std::size_t k = 0; k < l.dipoles.size(); ++k) {
        const double d = 600 + j - l.wavenumbers[k];
        sum += stick(l.dipoles[k], angle) / (d * d + 1); // w = 2
    }
    return sum;
}

TEST(SpectrumCorpus, RealOutputsGiveTheExpectedSpectra) {
    if (!corpusAvailable())
        GTEST_SKIP() << "corpus not present";
    const std::regex cell("-?[0-9]+(\\.[0-9]+)?(e[-+][0-9]{3})?");
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(corpusDir() / "expected")) {
        const std::string expectedPath = entry.path().string();
        if (!expectedPath.ends_with(".json"))
            continue;
        std::ifstream in(expectedPath);
        const auto j = nlohmann::json::parse(in);
        if (!j.contains("dipolesLoaded") || !j["dipolesLoaded"].get<bool>())
            continue;
        Loaded l;
        for (const auto& d : j["dipoleDerivatives"])
            l.dipoles.push_back({d[0].get<double>(), d[1].get<double>(), d[2].get<double>()});
        for (std::size_t k = 0; k < l.dipoles.size(); ++k) {
            const std::string text = j["frequencies"][k].get<std::string>();
            l.wavenumbers.push_back(text.empty() ? 0.0 : std::stod(text));
        }
        const fs::path rel = fs::relative(entry.path(), corpusDir() / "expected");
        const std::string input = (corpusDir() / "files" / rel).replace_extension("").string();
        SCOPED_TRACE(input);
        ++files;

        test::TempDir dir;
        const auto r = test::runCli({"spectrum", input, "-o", dir.path("IRSpec.csv")});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto rows = rowsOf(test::readFileBytes(dir.path("IRSpec.csv")));
        ASSERT_EQ(rows.size(), 900u);
        auto length = [](const std::array<double, 3>& v, double) {
            return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        };
        for (int p = 0; p < 900; ++p) {
            ASSERT_TRUE(std::regex_match(rows[p][1], cell)) << rows[p][1];
            const double expected = lorentzian(l, p, length, 0);
            EXPECT_NEAR(std::stod(rows[p][1]), expected, 1e-5 * expected) << 600 + p;
        }

        const auto x = test::runCli({"projection", input, "--axis", "x", "-o", dir.path("x.csv")});
        ASSERT_EQ(x.status, 0) << x.err;
        const auto xrows = rowsOf(test::readFileBytes(dir.path("x.csv")));
        ASSERT_EQ(xrows.size(), 901u);
        auto aboutX = [](const std::array<double, 3>& v, double t) {
            const double y = v[1] * std::cos(t) - v[2] * std::sin(t);
            return y * y;
        };
        for (int p = 0; p < 900; p += 37)
            for (int a = 0; a < 12; ++a) {
                const double expected = lorentzian(l, p, aboutX, a * 15 * M_PI / 180);
                EXPECT_NEAR(std::stod(xrows[p + 1][1 + a]), expected, 1e-5 * expected + 1e-45)
                    << 600 + p << " block " << a;
            }
    }
    EXPECT_GE(files, 1);
}

} // namespace
} // namespace kalviro
