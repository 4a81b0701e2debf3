#include "ir/SpectrumFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/NumberText.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kMaxLine = 80;

const char* shapeName(LineShape shape) {
    switch (shape) {
    case LineShape::Lorentzian:
        return "Lorentzian";
    case LineShape::Gaussian:
        return "Gaussian";
    case LineShape::PseudoVoigt:
        return "pseudo-Voigt";
    }
    return "";
}

std::string plain(const char* fmt, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

// A label line; JCAMP-DX values hold no line breaks.
std::string record(const char* label, std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n')
            c = ' ';
    return std::string("##") + label + "=" + value + kLineEnd;
}

} // namespace

bool isDefaultBroadening(const BroadeningSettings& s) {
    return s.grid.from == 600 && s.grid.to == 1499 && s.grid.step == 1 &&
           s.shape == LineShape::Lorentzian && s.factor == 1 && s.shift == 0;
}

std::string spectrumCsv(const SpectrumCurve& curve, const BroadeningSettings& s) {
    std::string out;
    if (!isDefaultBroadening(s)) {
        out += "# range: " + formatG(s.grid.from) + " - " + formatG(s.grid.to) + " cm-1" + kLineEnd;
        out += "# step: " + formatG(s.grid.step) + kLineEnd;
        out += std::string("# shape: ") + shapeName(s.shape) + kLineEnd;
        out += "# width: " + formatG(s.width) + kLineEnd;
        out += "# eta: " + formatG(s.eta) + kLineEnd;
        out += "# factor: " + formatG(s.factor) + kLineEnd;
        out += "# shift: " + formatG(s.shift) + kLineEnd;
    }
    const std::size_t n = std::min(curve.x.size(), curve.y.size());
    out.reserve(out.size() + n * 32);
    for (std::size_t i = 0; i < n; ++i)
        out +=
            formatNumber("%.6f", curve.x[i]) + "," + formatNumber("%.10g", curve.y[i]) + kLineEnd;
    return out;
}

ReadResult<std::string> jcampDxBytes(const SpectrumCurve& curve, const JcampDxHeader& header) {
    using Result = ReadResult<std::string>;
    const std::size_t n = curve.y.size();
    if (n == 0)
        return Result::failure(msg::kSpectrumFileEmptyCurve);
    if (curve.x.size() != n)
        return Result::failure(msg::kSpectrumFileCurveLengths);
    double largest = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(curve.x[i]) || !std::isfinite(curve.y[i]))
            return Result::failure(msg::kSpectrumFileNotFinite);
        largest = std::max(largest, std::abs(curve.y[i]));
    }
    // Y as integers of at most six digits for the largest value.
    const double yFactor = largest > 0 ? std::pow(10.0, std::floor(std::log10(largest)) - 5) : 1.0;
    const double firstX = curve.x.front();
    const double lastX = curve.x.back();
    const double deltaX = n > 1 ? (lastX - firstX) / static_cast<double>(n - 1) : 0.0;
    auto yInt = [&](std::size_t i) { return std::llround(curve.y[i] / yFactor); };

    std::string out;
    out += record("TITLE", header.title);
    out += record("JCAMP-DX", "5.01");
    out += record("DATA TYPE", header.dataType);
    out += record("ORIGIN", "KALVIRO");
    out += record("OWNER", "");
    out += record("XUNITS", "1/CM");
    out += record("YUNITS", header.yUnits);
    out += record("XFACTOR", "1");
    out += record("YFACTOR", plain("%.0e", yFactor));
    out += record("FIRSTX", plain("%.10g", firstX));
    out += record("LASTX", plain("%.10g", lastX));
    out += record("DELTAX", plain("%.10g", deltaX));
    out += record("NPOINTS", std::to_string(n));
    out += record("FIRSTY", plain("%.10g", static_cast<double>(yInt(0)) * yFactor));
    out += record("XYDATA", "(X++(Y..Y))");
    std::string line;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string y = " " + std::to_string(yInt(i));
        if (!line.empty() && line.size() + y.size() > kMaxLine) {
            out += line + kLineEnd;
            line.clear();
        }
        if (line.empty())
            line = plain("%.6f", firstX + static_cast<double>(i) * deltaX);
        line += y;
    }
    out += line + kLineEnd;
    out += record("END", "");
    return out;
}

} // namespace kalviro
