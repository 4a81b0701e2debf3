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
#include <tuple>
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

// Sum of the modes' Lorentzians at 600 + j cm-1; each stick at angle t is,
// by kind, 0 the intensity |v|^2, 1 the normal part about X squared, 2 about Z.
double lorentzian(int j, int w, int kind, double t) {
    double sum = 0;
    for (const auto& [nu, x, y, z] : kModes) {
        const double n =
            kind == 1 ? y * std::cos(t) - z * std::sin(t) : x * std::sin(t) + y * std::cos(t);
        const double d = 600 + j - nu;
        sum += (kind == 0 ? x * x + y * y + z * z : n * n) / (4 * d * d / (double(w) * w) + 1);
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
        // By hand: 25 + 4 / 90001 + 1 / 7840001.
        EXPECT_TRUE(run.w != 2 || run.kind != 0 || bytes.find("\r\n1000,25,\r\n") != std::string::npos);
    }
}

// The engine's options, worked out from the line shapes: modes at
// 0.98 nu + shift, full width 3.5, the first run's peak at 1000 on a grid
// point, the second's at 1000.25 between two.
TEST_F(SpectrumCommands, EngineOptionsFollowTheLineShapes) {
    const double w = 3.5, ln2 = std::log(2.0), intensity[3] = {25, 4, 1};
    for (const auto& [shape, shift, eta] :
         {std::tuple{"gaussian", "20", 0.0}, std::tuple{"pseudo-voigt", "20.25", 0.3}}) {
        const std::string out = dir_.path(std::string(shape) + ".csv");
        const auto r = runCli({"spectrum", input_, "-o", out, "--from", "990", "--to", "1010",
                               "--step", "0.5", "--shape", shape, "--eta", "0.3", "--width", "3.5",
                               "--scale", "0.98", "--shift", shift});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string bytes = test::readFileBytes(out);
        ASSERT_TRUE(bytes.starts_with("# range: 990 - 1010 cm-1\r\n# step: 0.5\r\n")) << bytes;
        EXPECT_NE(bytes.find("\r\n1000.000000,"), std::string::npos);
        std::istringstream in(bytes);
        std::size_t j = 0;
        for (std::string line; std::getline(in, line);) {
            ASSERT_TRUE(line.ends_with("\r")) << line;
            if (line[0] == '#')
                continue;
            const double x = 990 + 0.5 * j++;
            ASSERT_EQ(std::stod(line), x);
            double e = 0; // on the grid point 1000 the Gaussian's height itself
            for (int k = 0; k < 3; ++k) {
                const double d = x - (0.98 * kModes[k].nu + std::stod(shift));
                e += intensity[k] * (eta / (1 + 4 * d * d / (w * w)) +
                                     (1 - eta) * std::exp(-4 * ln2 * d * d / (w * w)));
            }
            EXPECT_NEAR(std::stod(line.substr(line.find(',') + 1)), e, 1e-9 * e + 3e-5 * eta + 1e-8)
                << x;
        }
        EXPECT_EQ(j, 41u);
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
    const std::tuple<std::vector<std::string>, const char*, const char*> plots[] = {
        {{"--kind", "x"}, "#00ff00", "600"}, {{"--kind", "z", "--size", "300x280"}, "#0000ff", "300"}};
    for (const auto& [options, stroke, width] : plots) {
        std::vector<std::string> args = {"plot", input_, "-o", dir_.path("plot.svg")};
        args.insert(args.end(), options.begin(), options.end());
        const auto r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const Svg svg = readSvg(dir_.path("plot.svg"));
        EXPECT_EQ(svg.width, width);
        ASSERT_EQ(svg.curves.count(stroke), 6u) << stroke;
        for (auto [c, end] = svg.curves.equal_range(stroke); c != end; ++c) {
            ASSERT_EQ(c->second.size(), 900u);
            EXPECT_TRUE(c->second[0].starts_with(width + std::string(","))) << c->second[0];
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

// Each refusal exits with 1, says why and writes nothing.
TEST_F(SpectrumCommands, RefusalsWriteNothing) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"spectrum", "FILE", "--width", "0"}, "半値全幅は正の値"},
        {{"plot", "FILE", "--width", "-2"}, "半値全幅は正の値"},
        {{"plot", "FILE", "--kind", "x", "--width", "2.5"}, "0以外の整数"},
        {{"projection", "NODIP", "--axis", "x"}, "no dipole derivatives"},
        {{"spectrum", "FILE", "--step", "0"}, "刻み幅は正の値"},
        {{"spectrum", "FILE", "--from", "1499"}, "開始波数は終了波数より"},
        {{"spectrum", "FILE", "--to", "1000600"}, "100万点まで"},
        {{"plot", "FILE", "--laser", "0"}, "励起光の波数は正"},
        {{"spectrum", "FILE", "--raman"}, "Raman 活性がありません"},
        {{"spectrum", "FILE", "--activities"}, "--raman"},
        {{"spectrum", "FILE", "--eta", "-0.1"}, "η は 0 以上 1 以下"},
        {{"spectrum", "MISSING"}, "ファイルが開けません"},
        {{"spectrum", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        {{"plot", "FILE", "-o", "BADOUT"}, "ファイルを保存できません"},
        {{"projection", "FILE", "--axis", "y"}, "axis"},
        {{"plot", "FILE", "--size", "0x560"}, "--size"},
        {{"plot", "FILE", "--size", "600x"}, "--size"},
        {{"plot", "FILE", "--size", "600x99999"}, "--size"},
        {{"plot", "FILE", "--experimental", "NMR"},
         "nmr.jdx」のスペクトル (NMR SPECTRUM) は赤外・ラマンスペクトルではない"}};
    for (const auto& [words, message] : cases) {
        test::TempDir dir;
        std::vector<std::string> args;
        for (const std::string& a : words)
            args.push_back(a == "FILE"      ? input_
                           : a == "NODIP"   ? test::dataPath("ir/no_dipoles.log")
                           : a == "MISSING" ? dir.path("absent.log")
                           : a == "BADOUT"  ? dir.path("no/such/out")
                           : a == "NMR"     ? test::dataPath("ir/nmr.jdx")
                                            : a);
        if (args.end()[-2] != "-o")
            args.insert(args.end(), {"-o", dir.path("out")});
        const auto r = runCli(args);
        EXPECT_NE(r.status, 0) << words[0] << " " << words.back();
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_TRUE(std::filesystem::is_empty(dir.dir())) << words[0] << " " << words.back();
    }
}

} // namespace
} // namespace kalviro
