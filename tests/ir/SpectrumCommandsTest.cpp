// kalviro-cli spectrum / projection / plot, end to end on a small Gaussian
// output: modes at 1000, 700 and 3800 cm-1 with dipole derivatives (3, 0, 4),
// (0, 2, 0) and (0, 0, 1), written with D exponents.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "XmlCheck.h"
#include "support/TestSupport.h"

namespace kalviro {
namespace {

using test::dataPath;
using test::readFileBytes;
using test::runCli;
using test::TempDir;

struct Mode {
    double wavenumber;
    double x, y, z;
};
constexpr Mode kModes[3] = {{1000, 3, 0, 4}, {700, 0, 2, 0}, {3800, 0, 0, 1}};

// The Lorentzian sum in double precision, straight from its definition.
double lorentzian(int j, int w, double (*stick)(const Mode&, double), double angle) {
    double sum = 0;
    for (const Mode& m : kModes) {
        const double d = (600 + j) - m.wavenumber;
        sum += stick(m, angle) / (4 * d * d / (double(w) * w) + 1);
    }
    return sum;
}
double lengthStick(const Mode& m, double) {
    return std::sqrt(m.x * m.x + m.y * m.y + m.z * m.z);
}
double aboutXStick(const Mode& m, double t) {
    const double y = m.y * std::cos(t) - m.z * std::sin(t);
    return y * y;
}
double aboutZStick(const Mode& m, double t) {
    const double y = m.x * std::sin(t) + m.y * std::cos(t);
    return y * y;
}

std::vector<std::vector<std::string>> csvCells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos;
             from = comma + 1)
            cells.push_back(line.substr(from, comma - from));
        EXPECT_EQ(from, line.size()) << "line does not end with a comma: " << line;
        rows.push_back(std::move(cells));
    }
    EXPECT_EQ(start, text.size());
    return rows;
}

void expectClose(const std::string& cell, double expected, const std::string& where) {
    const double v = std::strtod(cell.c_str(), nullptr);
    EXPECT_NEAR(v, expected, 1e-5 * std::fabs(expected) + 1e-30) << where << ": " << cell;
}

class SpectrumCommands : public ::testing::Test {
  protected:
    TempDir dir_;
    std::string input_ = dataPath("ir/three_modes.log");
};

TEST_F(SpectrumCommands, SpectrumWritesIrSpecCsv) {
    for (int w : {2, 10, -7}) {
        const std::string out = dir_.path("IRSpec" + std::to_string(w) + ".csv");
        const auto r = runCli({"spectrum", input_, "--width", std::to_string(w), "-o", out});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string bytes = readFileBytes(out);
        const auto rows = csvCells(bytes);
        ASSERT_EQ(rows.size(), 900u);
        for (int j = 0; j < 900; ++j) {
            ASSERT_EQ(rows[j].size(), 2u);
            EXPECT_EQ(rows[j][0], std::to_string(600 + j));
            expectClose(rows[j][1], lorentzian(j, w, lengthStick, 0), "line " + rows[j][0]);
        }
        if (w == 2) {
            // By hand: 5 + 2 / 90001 + 1 / 7840001 and 2 + 5 / 90001 + 1 / 9610001.
            EXPECT_NE(bytes.find("\r\n1000,5.00002,\r\n"), std::string::npos);
            EXPECT_NE(bytes.find("\r\n700,2.00006,\r\n"), std::string::npos);
            EXPECT_TRUE(bytes.starts_with("600,"));
            EXPECT_NE(bytes.find("e-005,\r\n"), std::string::npos);
        }
    }
}

TEST_F(SpectrumCommands, ProjectionWritesSpecCsvForEitherAxis) {
    const double rad = std::atan(1.0) / 45;
    for (const char* axis : {"x", "z"}) {
        const std::string out = dir_.path(std::string("spec-") + axis + ".csv");
        const auto r = runCli({"projection", input_, "--axis", axis, "-o", out});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string bytes = readFileBytes(out);
        EXPECT_TRUE(bytes.starts_with(",0,15,30,45,60,75,90,105,120,135,150,165,\r\n600,"));
        const auto rows = csvCells(bytes);
        ASSERT_EQ(rows.size(), 901u);
        auto stick = axis[0] == 'x' ? aboutXStick : aboutZStick;
        for (int j = 0; j < 900; ++j) {
            ASSERT_EQ(rows[j + 1].size(), 13u);
            for (int a = 0; a < 12; ++a)
                expectClose(rows[j + 1][1 + a], lorentzian(j, 2, stick, 15 * a * rad),
                            std::string(axis) + " " + rows[j + 1][0] + " block " +
                                std::to_string(a));
        }
        // 700 cm-1 at 0 degrees: only (0, 2, 0) lies along the normal, 2^2.
        EXPECT_EQ(rows[101][1], "4");
    }
}

std::vector<test::XmlElement> withStroke(const std::vector<test::XmlElement>& all,
                                         const std::string& name, const std::string& stroke) {
    std::vector<test::XmlElement> out;
    for (const auto& e : all)
        if (e.name == name && e.attributes.count("stroke") && e.attributes.at("stroke") == stroke)
            out.push_back(e);
    return out;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(sep, from)) != std::string::npos; from = at + 1)
        out.push_back(s.substr(from, at - from));
    out.push_back(s.substr(from));
    return out;
}

TEST_F(SpectrumCommands, PlotOfTheSpectrumIsAWellFormedSvg) {
    const std::string out = dir_.path("plot.svg");
    const auto r = runCli({"plot", input_, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string why;
    const auto doc = test::parseXml(readFileBytes(out), &why);
    ASSERT_TRUE(doc) << why;
    EXPECT_EQ((*doc)[0].attributes.at("width"), "600");
    EXPECT_EQ((*doc)[0].attributes.at("height"), "560");
    EXPECT_EQ(withStroke(*doc, "line", "#000000").size(), 600u); // background columns

    const auto curves = withStroke(*doc, "polyline", "#ff0000");
    ASSERT_EQ(curves.size(), 1u);
    const auto points = split(curves[0].attributes.at("points"), ' ');
    ASSERT_EQ(points.size(), 900u);
    EXPECT_EQ(points[0], "600,0");
    EXPECT_EQ(points[400], "333,515"); // 1000 cm-1 at the band height
    EXPECT_EQ(points[899].substr(0, 2), "0,");

    int labels = 0;
    for (const auto& e : *doc)
        labels += e.name == "text";
    EXPECT_EQ(labels, 10);
}

TEST_F(SpectrumCommands, PlotOfAProjectionHasSixCurvesAndAngleLabels) {
    struct Kind {
        const char* kind;
        const char* stroke;
    };
    for (const Kind k : {Kind{"x", "#00ff00"}, Kind{"z", "#0000ff"}}) {
        const std::string out = dir_.path(std::string(k.kind) + ".svg");
        const auto r = runCli({"plot", input_, "--kind", k.kind, "--size", "300x280", "-o", out});
        ASSERT_EQ(r.status, 0) << r.err;
        std::string why;
        const auto doc = test::parseXml(readFileBytes(out), &why);
        ASSERT_TRUE(doc) << why;
        EXPECT_EQ((*doc)[0].attributes.at("width"), "300");
        const auto curves = withStroke(*doc, "polyline", k.stroke);
        ASSERT_EQ(curves.size(), 6u) << k.kind;
        for (const auto& c : curves) {
            const auto points = split(c.attributes.at("points"), ' ');
            ASSERT_EQ(points.size(), 900u);
            EXPECT_TRUE(points[0].starts_with("300,")); // 900 / 3 points per pixel
        }
        std::vector<std::string> angles;
        for (const auto& e : *doc)
            if (e.name == "text" && e.text.ends_with("°"))
                angles.push_back(e.text);
        EXPECT_EQ(angles, (std::vector<std::string>{"0°", "30°", "60°", "90°", "120°", "150°"}));
    }
}

struct Failure {
    const char* name;
    std::vector<std::string> args; // FILE and OUT are replaced
    const char* message;           // expected in standard error; empty: any
};

class FailingCommand : public SpectrumCommands, public ::testing::WithParamInterface<Failure> {};

TEST_P(FailingCommand, ExitsWithOneAndWritesNothing) {
    std::vector<std::string> args;
    for (const std::string& a : GetParam().args) {
        if (a == "FILE")
            args.push_back(input_);
        else if (a == "NODIPOLES")
            args.push_back(dataPath("ir/no_dipoles.log"));
        else if (a == "MISSING")
            args.push_back(dir_.path("absent.log"));
        else if (a == "OUT")
            args.push_back(dir_.path("out"));
        else if (a == "BADOUT")
            args.push_back(dir_.path("no/such/folder/out"));
        else
            args.push_back(a);
    }
    const auto r = runCli(args);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir_.dir()));
}

INSTANTIATE_TEST_SUITE_P(
    Batch, FailingCommand,
    ::testing::Values(
        Failure{"WidthZero",
                {"spectrum", "FILE", "--width", "0", "-o", "OUT"},
                "半値幅には0以外の整数を入力してください"},
        Failure{"PlotWidthZero",
                {"plot", "FILE", "--width", "0", "-o", "OUT"},
                "半値幅には0以外の整数を入力してください"},
        Failure{"NoDipoles",
                {"projection", "NODIPOLES", "--axis", "x", "-o", "OUT"},
                "no dipole derivatives"},
        Failure{"MissingFile", {"spectrum", "MISSING", "-o", "OUT"}, "ファイルが開けません"},
        Failure{"Unwritable", {"spectrum", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        Failure{"PlotUnwritable", {"plot", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        Failure{"BadAxis", {"projection", "FILE", "--axis", "y", "-o", "OUT"}, ""},
        Failure{"BadKind", {"plot", "FILE", "--kind", "raman", "-o", "OUT"}, ""},
        Failure{"ZeroSize", {"plot", "FILE", "--size", "0x560", "-o", "OUT"}, "--size"},
        Failure{"BadSize", {"plot", "FILE", "--size", "600x", "-o", "OUT"}, "--size"},
        Failure{"HugeSize", {"plot", "FILE", "--size", "600x99999", "-o", "OUT"}, "--size"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalviro
