// Every real Gaussian output of the corpus is read as the program reads it
// and compared with the values expected of it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "JsonCompare.h"
#include "TestSupport.h"
#include "cli/Dump.h"
#include "document/FileOpening.h"

using namespace kalviro;
namespace fs = std::filesystem;

namespace {

// The expected files of the Gaussian outputs (*.log.json, *.out.json).
std::vector<fs::path> expectedOutputFiles() {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(test::corpusDir() / "expected")) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".log.json") || name.ends_with(".out.json"))
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

class CorpusDump : public test::DocumentTest {};

TEST_F(CorpusDump, GaussianOutputsGiveTheExpectedStores) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const auto expectedFiles = expectedOutputFiles();
    ASSERT_FALSE(expectedFiles.empty());
    for (const fs::path& expectedPath : expectedFiles) {
        const fs::path relative = fs::relative(expectedPath, test::corpusDir() / "expected");
        const fs::path input = test::corpusDir() / "files" / relative.parent_path() /
                               relative.filename().replace_extension("");
        SCOPED_TRACE(input.string());
        doc = Document();
        std::ifstream in(expectedPath);
        const nlohmann::json expected = nlohmann::json::parse(in);
        const auto actual = dumpFile(input.string());
        ASSERT_TRUE(actual.has_value());
        EXPECT_TRUE(test::jsonNear(expected, *actual, 1e-6));
    }
}

// The dump and the status bar name the program as the file's banner does.
TEST_F(CorpusDump, OutputsNameTheirProgram) {
    KALVIRO_SKIP_WITHOUT_CORPUS();
    const std::pair<const char*, const char*> cases[] = {
        {"g09/dvb_ir.out", "Gaussian 09, Revision D.01"},
        {"g98/test_H2.log", "Gaussian 98, Revision A.11.4"},
        {"orca/ORCA5.0_dvb_ir.out", "ORCA 5.0.1"},
    };
    for (const auto& [file, program] : cases) {
        const std::string path = test::corpusFile(file);
        doc = Document();
        EXPECT_EQ(openMoleculeFile(doc, path).statusText, std::string(program) + " の出力");
        const auto dump = dumpFile(path);
        ASSERT_TRUE(dump.has_value());
        EXPECT_EQ((*dump)["program"], program);
    }
}
