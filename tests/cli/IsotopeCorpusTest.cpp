#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/FileOpening.h"
#include "platform/Messages.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using nlohmann::json;

json dump(const std::vector<std::string>& args) {
    const auto r = test::runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? json::parse(r.out) : json();
}

double frequency(const json& j, std::size_t k) {
    return std::stod(j["frequencies"][k].get<std::string>());
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
