// `cmake --install` into a scratch prefix: the programs run from there, the
// desktop entry, MIME types, icon, examples and README are in place, and the
// desktop tools accept what we ship.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "support/TestSupport.h"

namespace kalviro {
namespace {

namespace fs = std::filesystem;
using test::readFileBytes;
using test::runCommand;

using test::onPath;

// The prefix is installed once for all tests below.
class InstallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = new test::TempDir;
        const auto r = runCommand({KALVIRO_CMAKE_COMMAND, "--install", KALVIRO_BUILD_DIR,
                                   "--prefix", prefix_->dir().string()});
        installStatus_ = r.status;
        installLog_ = r.out + r.err;
    }
    static void TearDownTestSuite() {
        delete prefix_;
        prefix_ = nullptr;
    }
    void SetUp() override { ASSERT_EQ(installStatus_, 0) << installLog_; }
    static std::string at(const std::string& relative) { return prefix_->path(relative); }

    static inline test::TempDir* prefix_ = nullptr;
    static inline int installStatus_ = -1;
    static inline std::string installLog_;
};

TEST_F(InstallTest, PutsEveryFileInPlace) {
    std::vector<std::string> files = {
        "bin/kalviro-cli",
        "share/applications/kalviro.desktop",
        "share/mime/packages/kalviro.xml",
        "share/icons/hicolor/scalable/apps/kalviro.svg",
        "share/doc/kalviro/README.md",
    };
    // Every picture the README shows, at the path it names.
    const std::string readme = test::readFileBytes(std::string(KALVIRO_SOURCE_DIR) + "/README.md");
    const std::regex picture(R"(\]\((docs/[^)]+\.png)\))");
    int pictures = 0;
    for (std::sregex_iterator m(readme.begin(), readme.end(), picture), end; m != end;
         ++m, ++pictures)
        files.push_back("share/doc/kalviro/" + (*m)[1].str());
    EXPECT_GE(pictures, 2);
    if (KALVIRO_GUI_BUILT)
        files.push_back("bin/kalviro");
    for (const auto& f : files) {
        SCOPED_TRACE(f);
        ASSERT_TRUE(fs::is_regular_file(at(f)));
        EXPECT_GT(fs::file_size(at(f)), 0u);
    }

    // Every example, byte for byte, whatever the folder holds.
    const fs::path examples = fs::path(KALVIRO_SOURCE_DIR) / "examples";
    int count = 0;
    for (const auto& e : fs::recursive_directory_iterator(examples)) {
        if (!e.is_regular_file())
            continue;
        const std::string rel = fs::relative(e.path(), examples).string();
        SCOPED_TRACE(rel);
        const std::string installed = at("share/kalviro/examples/" + rel);
        ASSERT_TRUE(fs::exists(installed));
        EXPECT_EQ(readFileBytes(installed), readFileBytes(e.path().string()));
        ++count;
    }
    EXPECT_GE(count, 1);
}

// Running them also proves them executable.
TEST_F(InstallTest, InstalledProgramsRunWithoutTheBuildTree) {
    const std::string cli = at("bin/kalviro-cli");
    const auto version = runCommand({cli, "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("kalviro-cli ") + KALVIRO_PROJECT_VERSION + "\n");

    // Formaldehyde: four atoms, 3 x 4 - 6 = 6 modes, each with a derivative.
    const auto summary = runCommand(
        {cli, "dump", at("share/kalviro/examples/formaldehyde_opt_freq.log"), "--summary"});
    EXPECT_EQ(summary.status, 0) << summary.err;
    EXPECT_EQ(summary.out, "atoms 4 modes 6 dipoleDerivatives 6\n");

    if (!KALVIRO_GUI_BUILT)
        return;
    // The viewer answers --help and --version before it looks for a display.
    const std::string viewer = at("bin/kalviro");
    const auto help = runCommand({viewer, "--help"}, {"DISPLAY", "WAYLAND_DISPLAY"});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_NE(help.out.find("Usage: kalviro"), std::string::npos) << help.out;
    const auto v = runCommand({viewer, "--version"}, {"DISPLAY", "WAYLAND_DISPLAY"});
    EXPECT_EQ(v.status, 0) << v.err;
    EXPECT_EQ(v.out, std::string("kalviro ") + KALVIRO_PROJECT_VERSION + "\n");
    const auto wrong = runCommand({viewer, "--no-such-option"}, {"DISPLAY", "WAYLAND_DISPLAY"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("kalviro --help"), std::string::npos) << wrong.err;
}

TEST_F(InstallTest, DesktopEntryNamesTheProgramIconAndMimeTypes) {
    const std::string entry = readFileBytes(at("share/applications/kalviro.desktop"));
    for (const char* line : {"Name=KALVIRO\n", "Exec=kalviro %f\n", "Icon=kalviro\n",
                             "Categories=Science;Chemistry;Education;\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    for (const char* key :
         {"Name[ja]=", "GenericName=", "GenericName[ja]=", "Comment=", "Comment[ja]="})
        EXPECT_NE(entry.find(std::string("\n") + key), std::string::npos) << key;

    // The entry claims exactly the types the MIME package defines.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(entry, m, std::regex("\nMimeType=([^\n]*)\n")));
    std::set<std::string> claimed;
    const std::string list = m[1];
    for (std::size_t start = 0, end; (end = list.find(';', start)) != std::string::npos;
         start = end + 1)
        claimed.insert(list.substr(start, end - start));
    const std::string xml = readFileBytes(at("share/mime/packages/kalviro.xml"));
    std::set<std::string> defined;
    const std::regex type("<mime-type type=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), type); it != std::sregex_iterator();
         ++it)
        defined.insert((*it)[1]);
    EXPECT_EQ(claimed,
              (std::set<std::string>{"chemical/x-gaussian-log", "chemical/x-gaussian-input",
                                     "chemical/x-gamess-input", "chemical/x-gaussian-checkpoint"}));
    EXPECT_EQ(claimed, defined);

    if (!onPath("desktop-file-validate"))
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    const auto v = runCommand({"desktop-file-validate", at("share/applications/kalviro.desktop")});
    EXPECT_EQ(v.status, 0) << v.out << v.err;
    EXPECT_EQ((v.out + v.err).find("error:"), std::string::npos) << v.out << v.err;
}

TEST_F(InstallTest, MimeDatabaseMapsEveryExtension) {
    if (!onPath("update-mime-database"))
        GTEST_SKIP() << "update-mime-database is not installed (package shared-mime-info)";
    // The compiled database, built from our package alone in the prefix.
    const auto r = runCommand({"update-mime-database", at("share/mime")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string globs = readFileBytes(at("share/mime/globs2"));
    // weight:type:pattern; *.log and *.out below the default 50 so that a
    // plain log stays text/x-log unless the content says Gaussian.
    for (const char* line :
         {"40:chemical/x-gaussian-log:*.log\n", "40:chemical/x-gaussian-log:*.out\n",
          "50:chemical/x-gaussian-input:*.gjf\n", "40:chemical/x-gaussian-input:*.dat\n",
          "50:chemical/x-gamess-input:*.inp\n", "50:chemical/x-gaussian-checkpoint:*.fchk\n",
          "50:chemical/x-gaussian-checkpoint:*.fch\n"})
        EXPECT_NE(globs.find(line), std::string::npos) << line << globs;
    const std::string magic = readFileBytes(at("share/mime/magic"));
    EXPECT_NE(magic.find(" Entering Gaussian System"), std::string::npos);

    if (!onPath("gio"))
        return;
    // What a file manager sees: the content decides whether a .log is ours.
    test::TempDir files;
    test::writeFileBytes(files.path("build.log"), "make: Nothing to be done for 'all'.\n");
    test::writeFileBytes(files.path("job.log"),
                         readFileBytes(test::examplePath("formaldehyde_opt_freq.log")));
    test::writeFileBytes(files.path("job.inp"), " $DATA\nwater\nC1\n $END\n");
    const std::string dirs = "XDG_DATA_DIRS=" + at("share") + ":/usr/share";
    for (const auto& [name, type] : {std::pair{"build.log", "text/x-log"},
                                     {"job.log", "chemical/x-gaussian-log"},
                                     {"job.inp", "chemical/x-gamess-input"}}) {
        const auto info =
            runCommand({"gio", "info", "-a", "standard::content-type", files.path(name)}, {dirs});
        EXPECT_NE(info.out.find(std::string("content-type: ") + type + "\n"), std::string::npos)
            << name << "\n"
            << info.out << info.err;
    }
}

} // namespace
} // namespace kalviro
