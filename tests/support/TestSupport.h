#pragma once
// Helpers every test can use: where the fixture files are, a platform that
// records what the program asked of it, a fixture that gives each test a fresh
// document, a scratch folder and a way to run kalviro-cli.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/Document.h"
#include "model/Vector3.h"
#include "platform/Platform.h"

namespace kalviro::test {

inline std::string dataPath(const std::string& name) { return KALVIRO_TEST_DATA_DIR "/" + name; }
inline std::string examplePath(const std::string& name) { return KALVIRO_EXAMPLES_DIR "/" + name; }
inline std::filesystem::path corpusDir() { return KALVIRO_CORPUS_DIR; } // may be absent
inline bool corpusAvailable() { return std::filesystem::is_directory(corpusDir() / "files"); }
// Ends the test as skipped when the corpus is absent.
#define KALVIRO_SKIP_WITHOUT_CORPUS()                                                              \
    if (!::kalviro::test::corpusAvailable())                                                       \
    GTEST_SKIP() << "corpus absent"
inline std::string corpusFile(const std::string& rel) { return (corpusDir() / "files" / rel).string(); }

std::string readFileBytes(const std::string& path);
// The little-endian 32-bit word at byte `at` of a file's bytes.
inline std::uint32_t le32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = v << 8 | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(k)]);
    return v;
}
// Pixels of a 24-bit BMP that differ from its first (bottom-left) pixel.
inline std::size_t pixelsUnlikeTheFirst(const std::string& bmp) {
    std::size_t drawn = 0;
    for (std::size_t i = 54; i + 2 < bmp.size(); i += 3)
        drawn += bmp[i] != bmp[54] || bmp[i + 1] != bmp[55] || bmp[i + 2] != bmp[56];
    return drawn;
}
void writeFileBytes(const std::string& path, const std::string& bytes);
// The IR table's header line, "波数, 強度, 対称種" in Shift_JIS, then CR LF.
inline const std::string kIrTableHeader =
    "\x94\x67\x90\x94\x2C\x20\x8B\xAD\x93\x78\x2C\x20\x91\xCE\x8F\xCC\x8E\xED\r\n";
// s with every from (left to right, never inside a replacement) turned into to.
std::string replaceAll(std::string s, const std::string& from, const std::string& to);

// A dialog request in one line: name, extension, filter, then the flags set.
inline std::string dialogText(const FileDialogRequest& r) {
    return r.defaultFileName + " " + r.defaultExtension + " " + r.filter +
           (r.overwritePrompt ? " overwrite" : "") + (r.hideReadOnly ? " hide-read-only" : "");
}

// Geometry of worked values: a distance, the angle a-b-c in degrees.
inline double distance(const Vector3& a, const Vector3& b) { return (a - b).length(); }
double angle(const Vector3& a, const Vector3& b, const Vector3& c);

// Records messages and dialog requests; answers dialogs from a queue
// (an empty queue answers "cancelled").
class RecordingPlatform : public Platform {
public:
    std::vector<std::string> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    int redraws = 0;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    std::optional<std::string> chooseOpenPath(const FileDialogRequest& r) override {
        openRequests.push_back(r);
        return next(openAnswers);
    }
    std::optional<std::string> chooseSavePath(const FileDialogRequest& r) override {
        saveRequests.push_back(r);
        return next(saveAnswers);
    }
    void redrawView() override { ++redraws; }

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

// A scratch folder removed after the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path dir_;
};

// A fresh document and a recording platform for every test that opens files
// or runs commands.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc = Document();
        setPlatform(&platform_);
    }
    void TearDown() override { setPlatform(nullptr); }
    RecordingPlatform platform_;
    Document doc;
    TempDir scratch_; // removed after the test
};

inline Atom atomAt(const char* symbol, double x, double y, double z) {
    Atom a;
    a.symbol = symbol;
    a.x = x, a.y = y, a.z = z;
    return a;
}

// One mode at 1000 cm-1 with the given dipole derivative.
inline VibrationStore singleMode(const Vector3& dipole) {
    VibrationStore s;
    s.frequencies = {"1000.0"};
    s.dipoleDerivatives = {dipole};
    return s;
}

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs kalviro-cli with args (each passed as one argument).
CliResult runCli(const std::vector<std::string>& args);
// Runs argv[0] with the rest as its arguments, in workDir when one is given;
// env entries "NAME=value" set a variable, a bare "NAME" removes it.
CliResult runCommand(const std::vector<std::string>& argv,
                     const std::vector<std::string>& env = {}, const std::string& workDir = {});
inline bool onPath(const std::string& tool) {
    return runCommand({"sh", "-c", "command -v " + tool}).status == 0;
}

} // namespace kalviro::test
