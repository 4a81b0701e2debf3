// kalviro-cli spectrum / projection / plot end to end on a small Gaussian
// output: modes at 1000, 700 and 3800 cm-1 with IR intensities 25, 4 and 1
// km/mol and dipole derivatives (3, 0, 4), (0, 2, 0) and (0, 0, 1), written
// with D exponents.

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
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
    for (const Run& run : {Run{{"spectrum", "--width", "7"}, 7, 0}, Run{{"spectrum"}, 2, 0},
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

// The engine's options, worked out from the line shapes: modes at
// 0.98 nu + shift, full width 3.5, the first run's peak at 1000 on a grid
// point, the second's at 1000.25 between two.
TEST_F(SpectrumCommands, EngineOptionsFollowTheLineShapes) {
    struct Run {
        const char* shape;
        const char* shift;
        double eta;
    };
    const double w = 3.5, ln2 = std::log(2.0);
    const double intensity[3] = {25, 4, 1};
    for (const Run& run : {Run{"gaussian", "20", 0}, Run{"pseudo-voigt", "20.25", 0.3}}) {
        const std::string out = dir_.path(std::string(run.shape) + ".csv");
        const auto r = runCli({"spectrum", input_, "-o", out, "--from", "990", "--to", "1010",
                               "--step", "0.5", "--shape", run.shape, "--eta", "0.3", "--width",
                               "3.5", "--scale", "0.98", "--shift", run.shift});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string bytes = test::readFileBytes(out);
        ASSERT_TRUE(bytes.starts_with("# range: 990 - 1010 cm-1\r\n# step: 0.5\r\n")) << bytes;
        std::istringstream in(bytes);
        std::vector<std::pair<double, double>> points;
        for (std::string line; std::getline(in, line);) {
            ASSERT_TRUE(line.ends_with("\r")) << line;
            if (line[0] != '#')
                points.emplace_back(std::stod(line), std::stod(line.substr(line.find(',') + 1)));
        }
        ASSERT_EQ(points.size(), 41u);
        EXPECT_NE(bytes.find("\r\n1000.000000,"), std::string::npos);
        for (std::size_t j = 0; j < points.size(); ++j) {
            const double x = 990 + 0.5 * j;
            ASSERT_EQ(points[j].first, x);
            double e = 0;
            for (int k = 0; k < 3; ++k) {
                const double d = x - (0.98 * kModes[k].nu + std::stod(run.shift));
                e += intensity[k] * (run.eta / (1 + 4 * d * d / (w * w)) +
                                     (1 - run.eta) * std::exp(-4 * ln2 * d * d / (w * w)));
            }
            EXPECT_NEAR(points[j].second, e, 1e-9 * e + 3e-5 * run.eta + 1e-8) << x;
        }
        if (run.eta == 0) {
            EXPECT_NEAR(points[20].second, 25, 1e-9); // on the grid point: the height itself
        }
    }
    // A whole width with the other defaults keeps the menu's file; the
    // spectrum broadens the printed intensities, so it needs no dipole
    // derivatives.
    ASSERT_EQ(runCli({"spectrum", input_, "-o", dir_.path("w.csv"), "--width", "2.0"}).status, 0);
    const std::string noDipoles = test::dataPath("ir/no_dipoles.log");
    ASSERT_EQ(runCli({"spectrum", noDipoles, "-o", dir_.path("d.csv")}).status, 0);
    EXPECT_EQ(test::readFileBytes(dir_.path("w.csv")), test::readFileBytes(dir_.path("d.csv")));
}

// The polylines of an SVG file by stroke, each as its "x,y" points, and its texts.
struct Svg {
    std::string width;
    std::multimap<std::string, std::vector<std::string>> curves;
    std::vector<std::string> texts;
};
Svg readSvg(const std::string& path) {
    std::vector<test::XmlElement> doc;
    EXPECT_TRUE(test::parseXml(test::readFileBytes(path), doc));
    Svg svg;
    for (const auto& e : doc) {
        std::istringstream in(e.attr("points"));
        using Words = std::istream_iterator<std::string>;
        if (e.name == "polyline")
            svg.curves.emplace(e.attr("stroke"), std::vector<std::string>(Words(in), Words()));
        if (e.name == "text")
            svg.texts.push_back(e.text);
    }
    svg.width = doc.empty() ? "" : doc[0].attr("width");
    return svg;
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
         {Plot{{"--kind", "x"}, "#00ff00", 6, "600", "600,"},
          Plot{{"--kind", "z", "--size", "300x280"}, "#0000ff", 6, "300", "300,"}}) {
        std::vector<std::string> args = {"plot", input_, "-o", dir_.path("plot.svg")};
        args.insert(args.end(), p.options.begin(), p.options.end());
        const auto r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const Svg svg = readSvg(dir_.path("plot.svg"));
        EXPECT_EQ(svg.width, p.width);
        ASSERT_EQ(svg.curves.count(p.stroke), p.curves) << p.stroke;
        for (auto [c, end] = svg.curves.equal_range(p.stroke); c != end; ++c) {
            ASSERT_EQ(c->second.size(), 900u);
            EXPECT_TRUE(c->second[0].starts_with(p.firstPoint)) << c->second[0];
        }
        std::vector<std::string> angles;
        std::copy_if(svg.texts.begin(), svg.texts.end(), std::back_inserter(angles),
                     [](const std::string& t) { return t.ends_with("°"); });
        EXPECT_EQ(angles, (std::vector<std::string>{"0°", "30°", "60°", "90°", "120°", "150°"}));
    }
}

// The spectrum in black, a measured one over it in its own colour scaled to
// the same height: both peaks at 1000 cm-1 reach the top of the plot, at
// x = 70 + (1499 - 1000) / 899 * 510 = 353, y = 20.
TEST_F(SpectrumCommands, PlotsDrawMeasuredSpectraOverTheComputedOne) {
    const std::string measured = dir_.path("film.csv");
    test::writeFileBytes(measured, "x,absorbance\n1100,0.5\n1000,2\n900,0.1\n");
    const auto r = runCli({"plot", input_, "-o", dir_.path("p.svg"), "--experimental", measured});
    ASSERT_EQ(r.status, 0) << r.err;
    const Svg svg = readSvg(dir_.path("p.svg"));
    for (const char* stroke : {"#000000", "#d62728"}) {
        const auto [first, end] = svg.curves.equal_range(stroke);
        ASSERT_NE(first, end) << stroke;
        const auto& c = std::prev(end)->second; // the last of that colour
        auto top = std::min_element(c.begin(), c.end(), [](const auto& a, const auto& b) {
            return std::stoi(a.substr(a.find(',') + 1)) < std::stoi(b.substr(b.find(',') + 1));
        });
        EXPECT_EQ(*top, "353,20") << stroke;
    }
    for (const char* t : {"three_modes.log", "film.csv", "1000", "波数 / cm⁻¹"})
        EXPECT_NE(std::find(svg.texts.begin(), svg.texts.end(), t), svg.texts.end()) << t;
    ASSERT_EQ(runCli({"plot", input_, "-o", dir_.path("p.png")}).status, 0);
    EXPECT_TRUE(test::readFileBytes(dir_.path("p.png")).starts_with("\x89PNG\r\n"));
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
                       : a == "NMR"     ? test::dataPath("ir/nmr.jdx")
                                        : a);
    const auto r = runCli(args);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir_.dir()));
}

INSTANTIATE_TEST_SUITE_P(
    Batch, FailingCommand,
    ::testing::Values(
        Failure{{"spectrum", "FILE", "--width", "0", "-o", "OUT"}, "半値全幅は正の値"},
        Failure{{"plot", "FILE", "--width", "-2", "-o", "OUT"}, "半値全幅は正の値"},
        Failure{{"plot", "FILE", "--kind", "x", "--width", "2.5", "-o", "OUT"}, "0以外の整数"},
        Failure{{"projection", "NODIP", "--axis", "x", "-o", "OUT"}, "no dipole derivatives"},
        Failure{{"spectrum", "FILE", "--step", "0", "-o", "OUT"}, "刻み幅は正の値"},
        Failure{{"spectrum", "FILE", "--from", "1499", "-o", "OUT"}, "開始波数は終了波数より"},
        Failure{{"spectrum", "FILE", "--to", "1000600", "-o", "OUT"}, "100万点まで"},
        Failure{{"plot", "FILE", "--laser", "0", "-o", "OUT"}, "励起光の波数は正"},
        Failure{{"spectrum", "FILE", "--width", "-1.5", "-o", "OUT"}, "半値全幅は正の値"},
        Failure{{"spectrum", "FILE", "--raman", "-o", "OUT"}, "Raman 活性がありません"},
        Failure{{"spectrum", "FILE", "--activities", "-o", "OUT"}, "--raman"},
        Failure{{"spectrum", "FILE", "--eta", "-0.1", "-o", "OUT"}, "η は 0 以上 1 以下"},
        Failure{{"spectrum", "MISSING", "-o", "OUT"}, "ファイルが開けません"},
        Failure{{"spectrum", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        Failure{{"plot", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        Failure{{"projection", "FILE", "--axis", "y", "-o", "OUT"}, "axis"},
        Failure{{"plot", "FILE", "--size", "0x560", "-o", "OUT"}, "--size"},
        Failure{{"plot", "FILE", "--size", "600x", "-o", "OUT"}, "--size"},
        Failure{{"plot", "FILE", "--size", "600x99999", "-o", "OUT"}, "--size"},
        Failure{{"plot", "FILE", "--experimental", "NMR", "-o", "OUT"},
                "nmr.jdx」のスペクトル (NMR SPECTRUM) は赤外・ラマンスペクトルではない"}));

} // namespace
} // namespace kalviro
