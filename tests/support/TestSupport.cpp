#include "TestSupport.h"

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>


namespace kalviro::test {

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

TempDir::TempDir() {
    std::random_device rd;
    dir_ = std::filesystem::temp_directory_path() /
           ("kalviro-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
}

namespace {
std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}
} // namespace

CliResult runCli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{KALVIRO_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return runCommand(argv);
}

CliResult runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     const std::string& workDir) {
    TempDir tmp;
    std::string cmd;
    if (!workDir.empty())
        cmd = "cd " + shellQuote(workDir) + " && ";
    cmd += "env";
    for (const auto& e : env)
        cmd += e.find('=') == std::string::npos ? " -u " + shellQuote(e) : " " + shellQuote(e);
    for (const auto& a : argv)
        cmd += " " + shellQuote(a);
    cmd += " >" + shellQuote(tmp.path("out")) + " 2>" + shellQuote(tmp.path("err")) + " </dev/null";
    const int raw = std::system(cmd.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFileBytes(tmp.path("out"));
    r.err = readFileBytes(tmp.path("err"));
    return r;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size()))
        s.replace(p, from.size(), to);
    return s;
}

double angle(const Vector3& a, const Vector3& b, const Vector3& c) {
    const Vector3 u = a - b, v = c - b;
    return std::acos(u.dot(v) / (u.length() * v.length())) * 180.0 / 3.14159265358979323846;
}

} // namespace kalviro::test
