// Every checkpoint file of the corpus: the basis functions against an
// evaluator built in the test from the file's shell data, and the file's
// occupied orbitals orthonormal under analytic overlaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>


#include "GaussianReference.h"
#include "orbital/OrbitalSet.h"
#include "orbital/ShellBasis.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

struct CorpusFile {
    const char* path;
    // A scan's checkpoint keeps the orbitals of another point of the scan
    // than its geometry: only the HOMO, which no hydrogen reaches, holds.
    bool onlyHomo = false;
};

class ShellBasisCorpusTest : public ::testing::TestWithParam<CorpusFile> {};

// The orbital shown first is the HOMO the older program read; the dump's
// corpus test compares the rest of the header with the expected files.
TEST_P(ShellBasisCorpusTest, MatchesReferenceAndKeepsOccupiedOrbitalsOrthonormal) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const std::string path = GetParam().path;
    const auto file = readCheckpointSections(test::corpusFile(path));
    ASSERT_TRUE(file.ok()) << file.error();
    const auto set = orbitalsFromCheckpoint(*file);
    ASSERT_TRUE(set.ok()) << set.error();
    const Orbital& homo = set->orbitals[set->defaultOrbital()];
    EXPECT_EQ(homo.number, file->integer("Number of alpha electrons"));
    const auto basis = basisFromCheckpoint(*file);
    ASSERT_TRUE(basis.ok()) << basis.error();
    const auto reference = test::referenceBasis(*file);
    const auto n = static_cast<std::size_t>(file->integer("Number of basis functions"));
    ASSERT_EQ(reference.size(), n);
    ASSERT_EQ(static_cast<std::size_t>(basis->functionCount()), n);

    // Values near every atom and between them.
    const auto& atoms = file->values("Current cartesian coordinates");
    const std::vector<std::array<double, 3>> offsets = {
        {0.3, -0.2, 0.5}, {-0.7, 0.4, 0.1}, {0.05, 0.9, -1.3}, {1.6, -1.1, 0.8}};
    std::vector<double> values;
    for (std::size_t a = 0; a + 2 < atoms.size(); a += 3)
        for (const auto& o : offsets) {
            const std::array<double, 3> p{atoms[a] + o[0], atoms[a + 1] + o[1],
                                          atoms[a + 2] + o[2]};
            basis->evaluate(p, values);
            for (std::size_t mu = 0; mu < n; ++mu) {
                const double want = test::value(reference[mu], p);
                ASSERT_NEAR(values[mu], want, 1e-4 * std::max(1.0, std::abs(want)))
                    << "function " << mu << " at atom " << a / 3;
            }
        }

    // C S C^T = I over the occupied orbitals of each spin.
    std::vector<double> s(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j <= i; ++j)
            s[i * n + j] = s[j * n + i] = test::overlap(reference[i], reference[j]);
    const std::vector<double> analytic = basis->overlapMatrix();
    for (std::size_t i = 0; i < n * n; ++i)
        ASSERT_NEAR(analytic[i], s[i], 1e-9) << i / n << "," << i % n;
    for (const char* spin : {"Alpha", "Beta"}) {
        const auto& c = file->values(std::string(spin) + " MO coefficients");
        const long occupied = file->integer(std::string("Number of ") +
                                            (spin[0] == 'A' ? "alpha" : "beta") + " electrons");
        if (c.empty())
            continue;
        for (long p = 0; p < occupied; ++p)
            for (long q = 0; q <= p; ++q) {
                if (GetParam().onlyHomo && p != occupied - 1)
                    continue;
                double sum = 0.0;
                for (std::size_t i = 0; i < n; ++i) {
                    double row = 0.0;
                    for (std::size_t j = 0; j < n; ++j)
                        row += s[i * n + j] * c[q * n + j];
                    sum += c[p * n + i] * row;
                }
                ASSERT_NEAR(sum, p == q ? 1.0 : 0.0, 1e-6) << spin << " " << p << "," << q;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShellBasisCorpusTest,
    ::testing::Values(CorpusFile{"g03/dvb_gopt_qchem.fchk"}, CorpusFile{"g09/C_bigbasis.fchk"},
                      CorpusFile{"g09/dvb_ir.fchk"}, CorpusFile{"g09/water-pes.fchk", true},
                      CorpusFile{"g09/water_mp2.fchk"}, CorpusFile{"g16/CO_TD_delta.fchk"}),
    [](const auto& info) {
        std::string name = std::filesystem::path(info.param.path).stem();
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

} // namespace
} // namespace kalviro
