// run.sh without a display, on the programs of this build: the whole batch
// pipeline runs and every file it lists exists and holds something.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::runCommand;

const std::string kScript = std::string(KALVIRO_SOURCE_DIR) + "/run.sh";

using test::onPath;

bool canDrawPictures() {
    return onPath("xvfb-run") && onPath("Xvfb");
}

// Runs run.sh in workDir with no display, on this build, writing to out.
// The leak checker of a sanitizer build flags the off-screen picture's GL
// set-up, which that build leaves to the gl tests it does not run.
test::CliResult runScript(const std::vector<std::string>& args, const std::string& out,
                          const std::string& workDir) {
    std::vector<std::string> argv{"bash", kScript};
    argv.insert(argv.end(), args.begin(), args.end());
    return runCommand(argv,
                      {"DISPLAY", "WAYLAND_DISPLAY",
                       std::string("KALVIRO_PREBUILT=") + KALVIRO_BUILD_DIR, "KALVIRO_OUT=" + out,
                       "ASAN_OPTIONS=detect_leaks=0"},
                      workDir);
}

// The lines after "Wrote:", each "  PATH".
std::vector<std::string> listedFiles(const std::string& out) {
    std::vector<std::string> files;
    std::istringstream in(out.substr(std::min(out.find("Wrote:\n"), out.size())));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line) && line.rfind("  ", 0) == 0)
        files.push_back(line.substr(2));
    return files;
}

// The script listed exactly the expected file names, all in folder (relative
// to where the script was started, workDir), and each is there and not empty.
void expectWrote(const std::string& out, const std::set<std::string>& expected,
                 const fs::path& folder, const fs::path& workDir) {
    const auto listed = listedFiles(out);
    std::set<std::string> names;
    for (const auto& f : listed)
        names.insert(fs::path(f).filename().string());
    EXPECT_EQ(names, expected) << out;
    for (const auto& f : listed) {
        SCOPED_TRACE(f);
        EXPECT_EQ(fs::path(f).parent_path(), folder);
        const fs::path p = workDir / f;
        ASSERT_TRUE(fs::is_regular_file(p));
        EXPECT_GT(fs::file_size(p), 0u);
    }
}

TEST(RunScriptTest, WholePipelineOnTheExample) {
    test::TempDir dir;
    const std::string out = dir.path("results");
    const auto r = runScript({}, out, dir.dir().string());
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    // The viewer, built or not, is not started without a display.
    EXPECT_NE(r.out.find("running the batch commands"), std::string::npos) << r.out;

    // The orbital files come from the example's checkpoint file.
    std::set<std::string> expected = {
        "dump.json",        "ir.csv",           "irsorted.csv", "IRSpec.csv",
        "projection-x.csv", "projection-z.csv", "spectrum.svg", "projection-x.svg",
        "projection-z.svg", "default.txt",      "orbital.cube", "orbital-contours.txt",
    };
    if (canDrawPictures())
        expected.insert("picture.png");
    expectWrote(r.out, expected, "results", dir.dir());

    // A glance inside: formaldehyde has 4 atoms and 6 modes; the IR table
    // is a header and one CR LF line per mode.
    const auto dump = nlohmann::json::parse(readFileBytes(out + "/dump.json"));
    EXPECT_EQ(dump["atoms"].size(), 4u);
    EXPECT_EQ(dump["frequencies"].size(), 6u);
    const std::string ir = readFileBytes(out + "/ir.csv");
    EXPECT_EQ(std::count(ir.begin(), ir.end(), '\n'), 7);
    EXPECT_EQ(std::count(ir.begin(), ir.end(), '\r'), 7);
    EXPECT_NE(readFileBytes(out + "/spectrum.svg").find("<svg"), std::string::npos);
    // Formaldehyde's 16 electrons fill 8 orbitals: the HOMO is number 8, on
    // the 51-point grid, around 4 atoms.
    std::istringstream cube(readFileBytes(out + "/orbital.cube"));
    std::string title, basis, atoms, gridX, gridY, gridZ;
    for (std::string* line : {&title, &basis, &atoms, &gridX, &gridY, &gridZ})
        std::getline(cube, *line);
    EXPECT_NE(title.find("orbital 8 "), std::string::npos) << title;
    EXPECT_EQ(basis.rfind("basis 6-31G*, ", 0), 0u) << basis; // psi4's short line 2
    EXPECT_EQ(atoms.substr(0, 6), "   -4 ");
    for (const std::string& g : {gridX, gridY, gridZ})
        EXPECT_EQ(g.substr(0, 6), "   51 ");
    if (expected.count("picture.png")) {
        EXPECT_EQ(readFileBytes(out + "/picture.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    }
}

TEST(RunScriptTest, InputFileGivesMoleculeOnlyAndRelativePathsFollowTheCaller) {
    // An input has no modes: no IR table or spectrum, and that is no failure.
    // Both paths are relative to where the script was started.
    test::TempDir dir;
    test::writeFileBytes(dir.path("water.inp"),
                         readFileBytes(test::dataPath("fuzz-seeds/water_c1.inp")));
    const auto r = runScript({"water.inp"}, "mine", dir.dir().string());
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    // The bundled checkpoint example belongs to the bundled output, not here.
    std::set<std::string> expected = {"dump.json", "default.txt"};
    if (canDrawPictures())
        expected.insert("picture.png");
    expectWrote(r.out, expected, "mine", dir.dir());
    EXPECT_NE(r.out.find("no IR table"), std::string::npos) << r.out;
    const std::string coords = readFileBytes(dir.path("mine/default.txt"));
    EXPECT_EQ(std::count(coords.begin(), coords.end(), '\n'), 3); // O, H, H
}

TEST(RunScriptTest, UnreadableFileIsReportedAsFailure) {
    test::TempDir dir;
    fs::create_directories(dir.path("o"));
    test::writeFileBytes(dir.path("o/dump.json"), "{\"from\":\"an earlier run\"}");
    const auto r = runScript({dir.path("missing.log")}, dir.path("o"), dir.dir().string());
    EXPECT_NE(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Failed"), std::string::npos) << r.out;
    EXPECT_TRUE(listedFiles(r.out).empty()) << r.out;
    // The earlier result is neither emptied nor listed as new.
    EXPECT_EQ(readFileBytes(dir.path("o/dump.json")), "{\"from\":\"an earlier run\"}");
}

} // namespace
} // namespace kalviro
