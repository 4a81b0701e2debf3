#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "document/CheckpointPairing.h"
#include "document/Document.h"
#include "document/FileOpening.h"
#include "model/readers/CheckpointSections.h"
#include "platform/Messages.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

constexpr double kDeuterium = 2.01410177812; // amu

// The first column of an IR table written by `ir`.
std::vector<double> wavenumbers(const std::string& csv) {
    std::vector<double> w;
    for (std::size_t at = csv.find("\r\n") + 2; at < csv.size(); at = csv.find("\r\n", at) + 2)
        w.push_back(std::stod(csv.substr(at, csv.find(',', at) - at)));
    return w;
}

// Ix Iy Iz of the masses at xyz (any unit): the determinant of the inertia tensor.
double inertiaProduct(const std::vector<double>& m, const std::vector<double>& xyz) {
    double c[3] = {0, 0, 0}, total = 0, t[3][3] = {};
    for (std::size_t a = 0; a < m.size(); ++a) {
        total += m[a];
        for (int i = 0; i < 3; ++i)
            c[i] += m[a] * xyz[3 * a + i];
    }
    for (std::size_t a = 0; a < m.size(); ++a) {
        double r[3], rr = 0;
        for (int i = 0; i < 3; ++i) {
            r[i] = xyz[3 * a + i] - c[i] / total;
            rr += r[i] * r[i];
        }
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                t[i][j] += m[a] * ((i == j ? rr : 0) - r[i] * r[j]);
    }
    return t[0][0] * (t[1][1] * t[2][2] - t[1][2] * t[2][1]) -
           t[0][1] * (t[1][0] * t[2][2] - t[1][2] * t[2][0]) +
           t[0][2] * (t[1][0] * t[2][1] - t[1][1] * t[2][0]);
}

class IsotopeCorpusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::corpusAvailable())
            GTEST_SKIP() << "corpus not available";
    }
    const std::string out_ = (test::corpusDir() / "files/g09/dvb_ir.out").string();
    const std::string fchk_ = (test::corpusDir() / "files/g09/dvb_ir.fchk").string();
    test::TempDir dir_;
};

// Divinylbenzene with every H made 2H, from the checkpoint file alone and
// paired with its output: the C-H stretch becomes a C-D stretch and the
// Teller-Redlich product rule holds over all modes.
TEST_F(IsotopeCorpusTest, AllHydrogensToDeuterium) {
    auto file = readCheckpointSections(fchk_);
    ASSERT_TRUE(file);
    const std::vector<double>& z = file->values("Atomic numbers");
    const std::vector<double>& xyz = file->values("Current cartesian coordinates");
    std::vector<double> m = file->values("Real atomic weights"), md = m;
    std::string all;
    double mH = 0;
    for (std::size_t a = 0; a < z.size(); ++a)
        if (z[a] == 1) {
            mH = m[a];
            all += (all.empty() ? "" : ",") + std::to_string(a + 1) + "=2H";
            md[a] = kDeuterium;
        }
    const std::string h = dir_.path("h.csv"), d = dir_.path("d.csv");
    ASSERT_EQ(test::runCli({"ir", fchk_, "-o", h}).status, 0);
    const auto r = test::runCli({"ir", fchk_, "--isotope", all, "-o", d});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto wh = wavenumbers(test::readFileBytes(h)), wd = wavenumbers(test::readFileBytes(d));
    ASSERT_EQ(wh.size(), 3 * z.size() - 6);
    ASSERT_EQ(wd.size(), wh.size());

    // C-H against C-D, as diatomics: sqrt(mu_CH / mu_CD), about 0.734.
    const double ratio = std::sqrt((12 * mH / (12 + mH)) /
                                   (12 * kDeuterium / (12 + kDeuterium)));
    EXPECT_NEAR(wd.back() / wh.back(), ratio, 0.03 * ratio);

    double logRatio = 0, mass = 0, massD = 0;
    for (std::size_t k = 0; k < wh.size(); ++k)
        logRatio += std::log(wd[k] / wh[k]);
    for (std::size_t a = 0; a < m.size(); ++a) {
        logRatio -= 1.5 * std::log(m[a] / md[a]);
        mass += m[a];
        massD += md[a];
    }
    logRatio -= 1.5 * std::log(massD / mass) +
                0.5 * std::log(inertiaProduct(md, xyz) / inertiaProduct(m, xyz));
    EXPECT_NEAR(logRatio, 0.0, 1e-3);

    // The output paired with the file gets the same modes, in its own frame.
    const auto paired = test::runCli({"dump", out_, "--fchk", fchk_, "--isotope", all});
    ASSERT_EQ(paired.status, 0) << paired.err;
    const auto j = nlohmann::json::parse(paired.out);
    ASSERT_EQ(j["frequencies"].size(), wd.size());
    EXPECT_NEAR(std::stod(j["frequencies"].back().get<std::string>()), wd.back(), 1e-4);
    EXPECT_EQ(j["source"]["modes"], "checkpoint Hessian");
    EXPECT_EQ(j["dipoleDerivatives"].size(), wd.size());

    const auto bad = test::runCli({"ir", fchk_, "--isotope", "99=2H", "-o", d});
    EXPECT_NE(bad.status, 0);
    EXPECT_NE(bad.err.find(msg::kIsotopeAtomOutOfRange), std::string::npos) << bad.err;
}

// An unchanged mass gives the Hessian's modes in the output's frame (the
// checkpoint's is turned 180 degrees about x): each mode more than 1 cm-1
// from the others is the printed one up to sign and rounding.
TEST_F(IsotopeCorpusTest, RecomputedModesAreInTheOutputsFrame) {
    const auto printed = test::runCli({"dump", out_});
    const auto again = test::runCli({"dump", out_, "--fchk", fchk_, "--isotope", "1=12"});
    ASSERT_EQ(printed.status + again.status, 0) << again.err;
    const auto p = nlohmann::json::parse(printed.out), q = nlohmann::json::parse(again.out);
    std::vector<double> f;
    for (const auto& t : p["frequencies"])
        f.push_back(std::stod(t.get<std::string>()));
    ASSERT_EQ(q["modes"].size(), f.size());
    int compared = 0;
    for (std::size_t k = 0; k < f.size(); ++k) {
        if ((k > 0 && f[k] - f[k - 1] < 1) || (k + 1 < f.size() && f[k + 1] - f[k] < 1))
            continue;
        double pq = 0, pp = 0, qq = 0;
        for (std::size_t a = 0; a < p["modes"][k].size(); ++a)
            for (int i = 0; i < 3; ++i) {
                const double x = p["modes"][k][a][i], y = q["modes"][k][a][i];
                pq += x * y, pp += x * x, qq += y * y;
            }
        EXPECT_GT(std::abs(pq) / std::sqrt(pp * qq), 0.999) << "mode " << k + 1;
        ++compared;
    }
    EXPECT_GT(compared, 40);
}

// The Hessian stays with the document that used it and goes with the next file.
TEST_F(IsotopeCorpusTest, DocumentKeepsTheHessianOfItsFile) {
    Document doc;
    ASSERT_TRUE(openMoleculeFile(doc, fchk_).read);
    EXPECT_TRUE(doc.hessian);
    ASSERT_TRUE(openMoleculeFile(doc, out_).read);
    EXPECT_FALSE(doc.hessian);
    ASSERT_TRUE(addCheckpointVectors(doc, fchk_));
    EXPECT_TRUE(doc.hessian);
}

} // namespace
} // namespace kalviro
