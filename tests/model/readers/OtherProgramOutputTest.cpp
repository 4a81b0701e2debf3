// Readers of other programs' frequency jobs on small texts: banners,
// layouts the corpus lacks, and texts that are not whole jobs.

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <random>
#include <string>

#include "model/readers/GamessOutputReader.h"
#include "model/readers/NWChemOutputReader.h"
#include "model/readers/OrcaOutputReader.h"
#include "model/readers/OutputProgram.h"
#include "model/readers/OutputReaderSupport.h"
#include "model/readers/Psi4OutputReader.h"
#include "model/readers/QChemOutputReader.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

TEST(OutputProgramTest, FirstBannerDecides) {
    // A Gaussian job whose title quotes ORCA's banner is Gaussian's.
    const char* gaussianQuotingOrca =
        " Entering Gaussian System, Link 0=g16\n"
        " Copyright (c) 1988-2017, Gaussian, Inc.  All Rights Reserved.\n"
        " #p freq b3lyp/6-31g(d)\n"
        " ---------------------------------\n"
        " compare with * O   R   C   A * run\n"
        " ---------------------------------\n";
    EXPECT_EQ(detectOutputProgram(gaussianQuotingOrca), OutputProgram::Gaussian);
    // Firefly's banner also names US GAMESS, further down.
    EXPECT_EQ(detectOutputProgram("   *   Firefly version 8.2.0   *\n"
                                  "   *  BASED ON  US GAMESS VERSION = 6 JUN 1999  *\n"),
              OutputProgram::Firefly);
    EXPECT_EQ(detectOutputProgram("* O   R   C   A *\n Entering Gaussian System\n"),
              OutputProgram::Orca);
    EXPECT_EQ(detectOutputProgram(""), OutputProgram::Unknown);
    EXPECT_EQ(detectOutputProgram("just some text\n1 2 3\n"), OutputProgram::Unknown);
    const auto gaussian = readOtherProgramOutput(gaussianQuotingOrca, "g.log");
    ASSERT_FALSE(gaussian.ok());
    EXPECT_NE(gaussian.error().find("g.log"), std::string::npos);
    EXPECT_FALSE(readOtherProgramOutput("just some text\n", "x.out").ok());
}

// Each reader on an empty text, on its banner alone and on a file that
// is not there: a failure that names the file, never content.
TEST(OtherProgramOutputTest, TextsThatAreNotJobs) {
    using Reader = ReadResult<FrequencyJob> (*)(std::string_view, std::string_view);
    using FileReader = ReadResult<FrequencyJob> (*)(const std::string&);
    const struct {
        Reader read;
        FileReader readFile;
        const char* banner;
    } readers[] = {
        {readOrcaOutput, readOrcaOutputFile,
         "* O   R   C   A *\n Program Version 6.0.0 -  RELEASE  -\n"},
        {readQChemOutput, readQChemOutputFile, " Welcome to Q-Chem\n Q-Chem 5.4, Q-Chem, Inc.\n"},
        {readGamessOutput, readGamessOutputFile, " *  GAMESS VERSION = 30 SEP 2018 (R3)  *\n"},
        {readPsi4Output, readPsi4OutputFile,
         " Psi4: An Open-Source Ab Initio Electronic Structure Package\n Psi4 1.9 release\n"},
        {readNWChemOutput, readNWChemOutputFile,
         " Northwest Computational Chemistry Package (NWChem) 7.0.2\n"},
    };
    for (const auto& r : readers) {
        for (const std::string& text :
             {std::string(), std::string("\n\n  \n"), std::string(r.banner)}) {
            const auto job = r.read(text, "job.out");
            ASSERT_FALSE(job.ok()) << r.banner;
            EXPECT_EQ(job.error().rfind("job.out：", 0), 0u) << job.error();
        }
        EXPECT_NE(r.read("", "a").error(), r.read(r.banner, "a").error())
            << "empty and no vibrations differ";
        EXPECT_FALSE(r.readFile("/nonexistent/folder/job.out").ok());
    }
}

// Small jobs of tests/data/other-output.
std::string smallJob(const std::string& name) {
    return test::readFileBytes(test::dataPath("other-output/" + name));
}

TEST(OtherProgramOutputTest, OrcaImaginaryModeAndT2Column) {
    const auto job = readOrcaOutput(smallJob("orca_imaginary.out"));
    ASSERT_TRUE(job.ok()) << job.error();
    EXPECT_EQ(job->program, "ORCA 4.2.1");
    ASSERT_EQ(job->frequencies, (std::vector<std::string>{"-512.30", "1600.00", "3700.00"}));
    EXPECT_EQ(job->intensities, (std::vector<std::string>{"4.000000", "25.000000", "0.000000"}));
    EXPECT_EQ(job->modes[0][1].x, 0.3); // row 3 of column 6: atom 2, x
    EXPECT_EQ(job->modes[1][2].y, 0.1);
    EXPECT_EQ(job->modes[2][0].z, -0.2);
    // |T|^2 already equals T**2 here: the vectors stay as printed.
    EXPECT_NEAR(job->dipoleDerivatives[0].z, -2.0, 1e-12);
    EXPECT_NEAR(job->dipoleDerivatives[1].x, 3.0, 1e-12);
    EXPECT_NEAR(job->dipoleDerivatives[1].y, 4.0, 1e-12);
    EXPECT_EQ(job->dipoleDerivatives[2], Vector3{});
    EXPECT_EQ(job->atoms[1].atomicNumber, 1);
    EXPECT_EQ(job->atoms[1].symbol, "H");
}

TEST(OtherProgramOutputTest, QChemRamanColumn) {
    const std::string text = smallJob("qchem_raman.out");
    const auto job = readQChemOutput(text);
    ASSERT_TRUE(job.ok()) << job.error();
    EXPECT_EQ(job->program, "Q-Chem 5.1");
    EXPECT_EQ(job->frequencies, (std::vector<std::string>{"-2200.50", "2300.00"}));
    EXPECT_EQ(job->ramanActivities, (std::vector<std::string>{"12.345", "0.500"}));
    EXPECT_EQ(job->modes[0][1].z, -0.56);
    EXPECT_EQ(job->modes[1][1].z, -0.2);
    // (-12, -16, 0) has length 20; scaled to sqrt(90).
    EXPECT_NEAR(job->dipoleDerivatives[0].x, -12.0 / 20.0 * std::sqrt(90.0), 1e-12);
    EXPECT_NEAR(job->dipoleDerivatives[0].y, -16.0 / 20.0 * std::sqrt(90.0), 1e-12);
    // A weak mode whose printed vector rounds to zero has no direction.
    EXPECT_EQ(job->dipoleDerivatives[1], Vector3{});
    // Cut before the analysis ends: not a whole job.
    const std::string cut = text.substr(0, text.find(" TransDip"));
    EXPECT_FALSE(readQChemOutput(cut).ok());
}

// The layout of Psi4 1.0 and 1.1: irreps in a table of their own, then
// one block per mode.
TEST(OtherProgramOutputTest, Psi4OldLayout) {
    const auto job = readPsi4Output(smallJob("psi4_old_layout.out"));
    ASSERT_TRUE(job.ok()) << job.error();
    EXPECT_EQ(job->program, "Psi4 1.1");
    EXPECT_EQ(job->frequencies, (std::vector<std::string>{"-200.10", "1775.65"}));
    EXPECT_EQ(job->symmetries, (std::vector<std::string>{"B2", "A1"}));
    EXPECT_TRUE(job->intensities.empty());
    EXPECT_NEAR(job->atoms[1].y, -1.43 * 0.529177210903, 1e-12); // bohr to angstrom
    EXPECT_EQ(job->modes[0][2].y, 0.56);
    EXPECT_EQ(job->modes[1][0].z, -0.068);
}

// Geometry labels: a symbol, or one or two letters of a symbol before a number.
TEST(OtherProgramOutput, AtomLabelsGiveTheElement) {
    const std::pair<const char*, int> cases[] = {
        {"H", 1}, {"Cl", 17}, {"Cl12", 17}, {"CL3", 17}, {"C3", 6}, {"CARBON", 0}, {"12", 0}};
    for (const auto& [label, z] : cases)
        EXPECT_EQ(output::atomicNumberOfLabel(label), z) << label;
}

// The fast line tests against plain searches, on random lines of letters,
// digits, blanks, control and high bytes.
TEST(OtherProgramOutput, FastLineTestsAgreeWithPlainSearches) {
    const std::string alphabet = "aZ1 .-\t\r\x01\x80@[`{";
    constexpr LineNeedle needle("Z1 a");
    std::mt19937 random(7);
    for (int n = 0; n < 20000; ++n) {
        std::string line(random() % 40, ' ');
        for (char& c : line)
            c = alphabet[random() % alphabet.size()];
        bool pair = false;
        for (std::size_t i = 0; i + 1 < line.size(); ++i)
            pair = pair || (std::isalpha(static_cast<unsigned char>(line[i])) &&
                            std::isalpha(static_cast<unsigned char>(line[i + 1])));
        ASSERT_EQ(output::hasLetterPair(line), pair) << line;
        ASSERT_EQ(needle.in(line), line.find("Z1 a") != std::string::npos) << line;
        const LineTokens<6> plain(line);
        const output::RowTokens<6> fast(line);
        ASSERT_EQ(fast.count, plain.count) << line;
        for (std::size_t k = 0; k < plain.count; ++k)
            ASSERT_EQ(fast[k], plain[k]) << line;
    }
}

} // namespace
} // namespace kalviro
