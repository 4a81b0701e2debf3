// kalviro-cli spectrum / projection / plot end to end on a small Gaussian
// output: modes at 1000, 700 and 3800 cm-1 with IR intensities 25, 4 and 1
// km/mol and dipole derivatives (3, 0, 4), (0, 2, 0) and (0, 0, 1), written
// with D exponents.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "XmlCheck.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::runCli;

struct Mode {
    double nu, x, y, z;
};
constexpr Mode kModes[3] = {{1000, 3, 0, 4}, {700, 0, 2, 0}, {3800, 0, 0, 1}};

// Stick of a mode at angle t: 0 intensity (|v|^2), 1 normal part about X,
// 2 about Z.
double stick(const Mode& m, int kind, double t) {
    if (kind == 0)
        return m.x * m.x + m.y * m.y + m.z * m.z;
    const double y =
        kind == 1 ? m.y * std::cos(t) - m.z * std::sin(t) : m.x * std::sin(t) + m.y * std::cos(t);
    return y * y;
}

double lorentzian(int j, int w, int kind, double t) {
    double sum = 0;
    for (const Mode& m : kModes) {
        const double d = 600 + j - m.nu;
        sum += stick(m, kind, t) / (4 * d * d / (double(w) * w) + 1);
    }
    return sum;
}

// Cells of a CSV whose every line ends with a comma and CR LF.
std::vector<std::vector<double>> cells(const std::string& text) {
    std::vector<std::vector<double>> rows;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        EXPECT_EQ(text[end - 1], ',');
        rows.emplace_back();
        for (std::size_t c = at; c < end; c = text.find(',', c) + 1)
            rows.back().push_back(std::strtod(text.c_str() + c, nullptr));
    }
    return rows;
}

class SpectrumCommands : public ::testing::Test {
  protected:
    test::TempDir dir_;
    std::string input_ = test::dataPath("ir/three_modes.log");
};

TEST_F(SpectrumCommands, CsvFilesHoldTheBroadenedSticks) {
    struct Run {
        std::vector<std::string> args;
        int w, kind;
    };
    for (const Run& run : {Run{{"spectrum", "--width", "-7"}, -7, 0}, Run{{"spectrum"}, 2, 0},
                           Run{{"projection", "--axis", "x"}, 2, 1},
                           Run{{"projection", "--axis", "z", "--width", "5"}, 5, 2}}) {
        std::vector<std::string> args = run.args;
        args.insert(args.begin() + 1, input_);
        args.insert(args.end(), {"-o", dir_.path("out.csv")});
        const auto r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string bytes = test::readFileBytes(dir_.path("out.csv"));
        auto rows = cells(bytes);
        if (run.kind != 0) {
            ASSERT_TRUE(bytes.starts_with(",0,15,30,45,60,75,90,105,120,135,150,165,\r\n"));
            rows.erase(rows.begin());
        }
        ASSERT_EQ(rows.size(), 900u);
        for (int j = 0; j < 900; ++j) {
            ASSERT_EQ(rows[j].size(), run.kind == 0 ? 2u : 13u);
            ASSERT_EQ(rows[j][0], 600 + j);
            for (std::size_t a = 1; a < rows[j].size(); ++a) {
                const double e = lorentzian(j, run.w, run.kind, 15.0 * (a - 1) * M_PI / 180);
                ASSERT_NEAR(rows[j][a], e, 1e-5 * e + 1e-30) << args[0] << " " << 600 + j;
            }
        }
        if (run.w == 2 && run.kind == 0) { // by hand: 25 + 4 / 90001 + 1 / 7840001
            EXPECT_NE(bytes.find("\r\n1000,25,\r\n"), std::string::npos);
        }
    }
}

// The spectrum broadens the printed intensities: an output without dipole
// derivatives gives the same file.
TEST_F(SpectrumCommands, TheSpectrumNeedsNoDipoleDerivatives) {
    for (const std::string& in : {input_, test::dataPath("ir/no_dipoles.log")})
        ASSERT_EQ(runCli({"spectrum", in, "-o", dir_.path(in == input_ ? "a.csv" : "b.csv")}).status, 0);
    EXPECT_EQ(test::readFileBytes(dir_.path("a.csv")), test::readFileBytes(dir_.path("b.csv")));
}

std::vector<std::string> pointsOf(const test::XmlElement& e) {
    std::vector<std::string> out;
    std::istringstream in(e.attr("points"));
    for (std::string p; in >> p;)
        out.push_back(p);
    return out;
}

TEST_F(SpectrumCommands, PlotsAreWellFormedSvgWithTheCurves) {
    struct Plot {
        std::vector<std::string> options;
        const char* stroke;
        std::size_t curves;
        const char* width;
        const char* firstPoint;
    };
    for (const Plot& p :
         {Plot{{}, "#ff0000", 1, "600", "600,0"},
          Plot{{"--kind", "x"}, "#00ff00", 6, "600", "600,"},
          Plot{{"--kind", "z", "--size", "300x280"}, "#0000ff", 6, "300", "300,"}}) {
        std::vector<std::string> args = {"plot", input_, "-o", dir_.path("plot.svg")};
        args.insert(args.end(), p.options.begin(), p.options.end());
        const auto r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<test::XmlElement> doc;
        ASSERT_TRUE(test::parseXml(test::readFileBytes(dir_.path("plot.svg")), doc));
        EXPECT_EQ(doc[0].attr("width"), p.width);
        std::vector<std::vector<std::string>> curves;
        std::vector<std::string> angles;
        for (const auto& e : doc) {
            if (e.name == "polyline" && e.attr("stroke") == p.stroke)
                curves.push_back(pointsOf(e));
            if (e.name == "text" && e.text.ends_with("°"))
                angles.push_back(e.text);
        }
        ASSERT_EQ(curves.size(), p.curves) << p.stroke;
        for (const auto& c : curves) {
            ASSERT_EQ(c.size(), 900u);
            EXPECT_TRUE(c[0].starts_with(p.firstPoint)) << c[0];
        }
        if (p.curves == 1)
            EXPECT_EQ(curves[0][400], "333,515"); // the peak at 1000 cm-1
        else
            EXPECT_EQ(angles,
                      (std::vector<std::string>{"0°", "30°", "60°", "90°", "120°", "150°"}));
    }
}

struct Failure {
    std::vector<std::string> args; // FILE, NODIP, MISSING, OUT, BADOUT are replaced
    const char* message;
};

class FailingCommand : public SpectrumCommands, public ::testing::WithParamInterface<Failure> {};

TEST_P(FailingCommand, ExitsWithOneAndWritesNothing) {
    std::vector<std::string> args;
    for (const std::string& a : GetParam().args)
        args.push_back(a == "FILE"      ? input_
                       : a == "NODIP"   ? test::dataPath("ir/no_dipoles.log")
                       : a == "MISSING" ? dir_.path("absent.log")
                       : a == "OUT"     ? dir_.path("out")
                       : a == "BADOUT"  ? dir_.path("no/such/out")
                                        : a);
    const auto r = runCli(args);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir_.dir()));
}

INSTANTIATE_TEST_SUITE_P(
    Batch, FailingCommand,
    ::testing::Values(
        Failure{{"spectrum", "FILE", "--width", "0", "-o", "OUT"}, "半値幅には0以外の整数を"},
        Failure{{"plot", "FILE", "--width", "0", "-o", "OUT"}, "半値幅には0以外の整数を"},
        Failure{{"projection", "NODIP", "--axis", "x", "-o", "OUT"}, "no dipole derivatives"},
        Failure{{"spectrum", "MISSING", "-o", "OUT"}, "ファイルが開けません"},
        Failure{{"spectrum", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        Failure{{"plot", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        Failure{{"projection", "FILE", "--axis", "y", "-o", "OUT"}, "axis"},
        Failure{{"plot", "FILE", "--size", "0x560", "-o", "OUT"}, "--size"},
        Failure{{"plot", "FILE", "--size", "600x", "-o", "OUT"}, "--size"},
        Failure{{"plot", "FILE", "--size", "600x99999", "-o", "OUT"}, "--size"}));

} // namespace
} // namespace kalviro
