// Molden files: the same orbitals as the checkpoint file psi4 wrote beside
// them, the Cartesian g order proved by orthonormal orbitals, vibrations,
// units and the reasons for files that cannot be read.

#include <gtest/gtest.h>

#include <cmath>

#include "GaussianReference.h"
#include "model/readers/CheckpointSections.h"
#include "orbital/MoldenReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(MoldenReaderTest, PureMoldenAndCheckpointGiveTheSameOrbitals) {
    const auto molden = readMolden(test::dataPath("orbital/oh_radical_pure.molden"));
    ASSERT_TRUE(molden.ok()) << molden.error();
    const auto sections = readCheckpointSections(test::dataPath("orbital/oh_radical_pure.fchk"));
    ASSERT_TRUE(sections.ok());
    const auto fchk = orbitalsFromCheckpoint(*sections);
    ASSERT_TRUE(fchk.ok()) << fchk.error();

    const OrbitalSet& m = molden->orbitals;
    ASSERT_EQ(m.basis.functionCount(), 30); // s s p d5 f7 g9 on O, s p on H
    ASSERT_EQ(m.orbitals.size(), fchk->orbitals.size());
    EXPECT_EQ(m.orbitals[m.defaultOrbital()].number, 5);
    EXPECT_EQ(m.orbitals[m.defaultOrbital()].spin, Spin::Alpha);
    ASSERT_EQ(m.atoms.size(), 2u);
    EXPECT_EQ(m.atoms[1].atomicNumber, 1);
    EXPECT_NEAR(m.atoms[1].position[1], fchk->atoms[1].position[1], 1e-6);

    const std::vector<Point3> points = {
        {0.4, -0.3, 0.2}, {0.7, 1.1, 0.9}, {-0.5, 0.6, -0.8}, {0.19, -0.09, 0.04}};
    for (std::size_t i = 0; i < m.orbitals.size(); ++i) {
        const Orbital& a = m.orbitals[i];
        const Orbital& b = fchk->orbitals[i];
        ASSERT_EQ(a.spin, b.spin);
        ASSERT_EQ(a.number, b.number);
        EXPECT_NEAR(a.energy, b.energy, 1e-6);
        EXPECT_EQ(a.occupation, b.occupation);
        for (const Point3& p : points)
            EXPECT_NEAR(m.basis.evaluateOrbital(a.coefficients, p),
                        fchk->basis.evaluateOrbital(b.coefficients, p), 1e-4)
                << (a.spin == Spin::Alpha ? "alpha " : "beta ") << a.number;
    }
}

// Cartesian files, one with functions normalised each on its own (the pure
// orbitals written out by cartesian_molden.py), one from psi4 with all
// normalised like x^l: occupied orbitals orthonormal under analytic
// overlaps of the test's own functions in the Molden order, and the first
// the same values as the pure checkpoint file.
class CartesianMoldenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CartesianMoldenTest, OrbitalsAreOrthonormalInMoldenOrder) {
    const auto molden = readMolden(test::dataPath(std::string("orbital/") + GetParam()));
    ASSERT_TRUE(molden.ok()) << molden.error();
    const OrbitalSet& m = molden->orbitals;
    const std::vector<std::array<int, 3>> moldenG = {
        {4, 0, 0}, {0, 4, 0}, {0, 0, 4}, {3, 1, 0}, {3, 0, 1}, {1, 3, 0}, {0, 3, 1}, {1, 0, 3},
        {0, 1, 3}, {2, 2, 0}, {2, 0, 2}, {0, 2, 2}, {2, 1, 1}, {1, 2, 1}, {1, 1, 2}};
    std::vector<test::ReferenceFunction> reference;
    for (const Shell& s : m.basis.shells()) {
        // Back to coefficients of normalised primitives (up to a common factor).
        std::vector<double> c;
        for (std::size_t k = 0; k < s.exponents.size(); ++k)
            c.push_back(s.coefficients[k] / (std::pow(2 * s.exponents[k] / std::numbers::pi, 0.75) *
                                             std::pow(4 * s.exponents[k], 0.5 * s.l)));
        auto functions = test::shellFunctions(s.l, false, s.centre, s.exponents, c,
                                              s.l == 4 ? moldenG : test::checkpointCartesian(s.l));
        reference.insert(reference.end(), functions.begin(), functions.end());
    }
    const std::size_t n = reference.size();
    ASSERT_EQ(n, 40u);
    std::vector<double> s(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j <= i; ++j)
            s[i * n + j] = s[j * n + i] = test::overlap(reference[i], reference[j]);
    std::vector<const Orbital*> occupied;
    for (const Orbital& o : m.orbitals)
        if (o.occupation > 0)
            occupied.push_back(&o);
    ASSERT_EQ(occupied.size(), 9u);
    for (const Orbital* p : occupied)
        for (const Orbital* q : occupied) {
            if (p->spin != q->spin)
                continue;
            double sum = 0.0;
            for (std::size_t i = 0; i < n; ++i)
                for (std::size_t j = 0; j < n; ++j)
                    sum += p->coefficients[i] * s[i * n + j] * q->coefficients[j];
            EXPECT_NEAR(sum, p == q ? 1.0 : 0.0, 1e-6) << p->number << "," << q->number;
        }
    if (std::string(GetParam()).find("psi4") != std::string::npos)
        return; // a calculation of its own
    const auto sections = readCheckpointSections(test::dataPath("orbital/oh_radical_pure.fchk"));
    ASSERT_TRUE(sections.ok());
    const auto fchk = orbitalsFromCheckpoint(*sections);
    ASSERT_TRUE(fchk.ok());
    ASSERT_EQ(fchk->orbitals.size(), m.orbitals.size());
    for (std::size_t i = 0; i < m.orbitals.size(); ++i)
        for (const Point3& p : {Point3{0.3, 0.2, -0.4}, Point3{0.9, 1.0, 0.6}})
            EXPECT_NEAR(m.basis.evaluateOrbital(m.orbitals[i].coefficients, p),
                        fchk->basis.evaluateOrbital(fchk->orbitals[i].coefficients, p), 1e-7)
                << i;
}

INSTANTIATE_TEST_SUITE_P(Files, CartesianMoldenTest,
                         ::testing::Values("oh_radical_cartesian.molden",
                                           "oh_radical_cartesian_psi4.molden"));

// Carbon monoxide: a zero mode and one stretch, atoms in Angs, [FR-COORD] in bohr.
const std::string kVibrations = test::readFileBytes(test::dataPath("orbital/co_vibrations.molden"));

TEST(MoldenReaderTest, VibrationsWithoutTheZeroModes) {
    const auto read = parseMolden(kVibrations);
    ASSERT_TRUE(read.ok()) << read.error();
    ASSERT_TRUE(read->frequencies.has_value());
    const FrequencyJob& job = *read->frequencies;
    EXPECT_EQ(job.frequencies, std::vector<std::string>{"2143.2"});
    EXPECT_EQ(job.intensities, std::vector<std::string>{"86.3"});
    ASSERT_EQ(job.modes.size(), 1u);
    EXPECT_DOUBLE_EQ(job.modes[0][1].z, 0.56);
    ASSERT_EQ(job.atoms.size(), 2u);
    EXPECT_EQ(job.atoms[1].atomicNumber, 8);
    EXPECT_NEAR(job.atoms[1].z, 2.1316 * 0.529177, 1e-5); // bohr to angstrom
    ASSERT_EQ(read->orbitals.atoms.size(), 2u);           // Angs to bohr
    EXPECT_NEAR(read->orbitals.atoms[1].position[2], 1.128 / 0.529177, 1e-5);
    EXPECT_TRUE(read->orbitals.orbitals.empty());

    // Without [FR-COORD] the atoms are those of [Atoms].
    std::string text = kVibrations;
    text.replace(text.find("[FR-COORD]"), 10, "[Unknown]");
    const auto fromAtoms = parseMolden(text);
    ASSERT_TRUE(fromAtoms.ok()) << fromAtoms.error();
    EXPECT_NEAR(fromAtoms->frequencies->atoms[1].z, 1.128, 1e-9);
}

TEST(MoldenReaderTest, UnreadableFilesGiveReasons) {
    const std::string atoms = "[Molden Format]\n[Atoms] AU\nH 1 1 0 0 0\n";
    const std::string gto = "[GTO]\n1 0\n s 1 1.0\n 1.0 1.0\n\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"just text\n", "Molden 形式の項目が見つかりません"},
        {atoms + "[GTO]\n1 0\n k 1 1.0\n 1.0 1.0\n",
         "Molden ファイルに知らない殻の種類があります (行 6)"},
        {atoms + "[GTO]\n2 0\n s 1 1.0\n 1.0 1.0\n",
         "Molden ファイルの基底関数が存在しない原子を指しています (行 5)"},
        {atoms + "[GTO]\n1 0\n s 2 1.0\n 1.0 1.0\n", "Molden ファイルの行が読めません (行 6)"},
        {atoms + "[MO]\n Ene= -0.5\n 1 1.0\n",
         "Molden ファイルに [MO] がありますが [GTO] がありません"},
        {atoms + gto + "[MO]\n Ene= -0.5\n 2 1.0\n",
         "Molden ファイルの分子軌道の係数の番号が基底関数の数を超えています (行 11)"},
        {atoms + gto + "[MO]\n Ene= abc\n 1 1.0\n", "Molden ファイルの行が読めません (行 10)"},
        {atoms + "[FREQ]\n100.0\n200.0\n[FR-NORM-COORD]\nvibration 1\n0 0 1\n",
         "Molden ファイルの基準振動の数が振動数の数と合いません"},
    };
    for (const auto& [text, reason] : cases) {
        const auto read = parseMolden(text);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error(), reason) << text;
    }
    EXPECT_EQ(readMolden(test::dataPath("orbital/absent.molden")).error(), "ファイルが開けません");
}

} // namespace
} // namespace kalviro
