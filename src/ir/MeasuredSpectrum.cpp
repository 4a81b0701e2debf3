// Two-column text spectra, choosing the reader for a file, and the checks the
// program makes before drawing a measured spectrum.

#include "ir/MeasuredSpectrum.h"

#include "model/LineTokens.h"
#include "ir/AnyLineEnd.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kalviro {
namespace {

constexpr double kSmallestTransmittance = 1e-4;

std::string withValue(std::string text, std::string_view key, std::string_view value) {
    const std::string k = "{" + std::string(key) + "}";
    for (std::size_t p = text.find(k); p != std::string::npos; p = text.find(k, p + value.size()))
        text.replace(p, k.size(), value);
    return text;
}

// The words of s in upper case, split at anything but letters and digits.
std::vector<std::string> words(std::string_view s) {
    std::vector<std::string> out;
    std::string w;
    for (char c : s) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            w.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        } else if (!w.empty()) {
            out.push_back(std::move(w));
            w.clear();
        }
    }
    if (!w.empty())
        out.push_back(std::move(w));
    return out;
}

bool hasWord(std::string_view s, std::initializer_list<const char*> names) {
    const auto ws = words(s);
    return std::any_of(ws.begin(), ws.end(), [&](const std::string& w) {
        return std::any_of(names.begin(), names.end(), [&](const char* n) { return w == n; });
    });
}

bool parseField(std::string_view f, double& out) {
    if (!f.empty() && f.front() == '+')
        f.remove_prefix(1);
    if (f.empty())
        return false;
    const auto r = std::from_chars(f.data(), f.data() + f.size(), out);
    return r.ec == std::errc() && r.ptr == f.data() + f.size() && std::isfinite(out);
}

// The first two fields of a line split at commas, tabs, semicolons or blanks.
bool twoNumbers(std::string_view line, double& x, double& y) {
    std::vector<std::string_view> fields;
    const bool hasDelimiter = line.find_first_of(",;\t") != std::string_view::npos;
    std::size_t i = 0;
    while (i <= line.size() && fields.size() < 2) {
        std::size_t j = i;
        if (hasDelimiter) {
            j = line.find_first_of(",;\t", i);
            if (j == std::string_view::npos)
                j = line.size();
        } else {
            while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
                ++i;
            if (i == line.size())
                break;
            j = i;
            while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j])))
                ++j;
        }
        std::string_view f = line.substr(i, j - i);
        while (!f.empty() && std::isspace(static_cast<unsigned char>(f.front())))
            f.remove_prefix(1);
        while (!f.empty() && std::isspace(static_cast<unsigned char>(f.back())))
            f.remove_suffix(1);
        fields.push_back(f);
        i = j + 1;
    }
    return fields.size() == 2 && parseField(fields[0], x) && parseField(fields[1], y);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

ReadResult<MeasuredSpectrum> readSpectrumText(const std::string& text,
                                              const std::string& fileName) {
    auto fail = [&](const std::string& reason) {
        return ReadResult<MeasuredSpectrum>::failure(
            withValue(withValue(msg::kMeasuredReadFailed, "file", fileName), "reason", reason));
    };
    MeasuredSpectrum s;
    s.title = fileName;
    s.xUnits = "1/CM";
    s.xIsWavenumber = true;
    std::string header;
    std::size_t pos = 0;
    int lineNumber = 0;
    std::string_view line;
    while (nextLineAnyEnd(text, pos, line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3); // UTF-8 byte order mark
        if (std::all_of(line.begin(), line.end(),
                        [](char c) { return std::isspace(static_cast<unsigned char>(c)); }))
            continue;
        double x = 0, y = 0;
        if (twoNumbers(line, x, y)) {
            s.x.push_back(x);
            s.y.push_back(y);
        } else if (s.x.empty() && header.empty()) {
            header = std::string(line);
        } else {
            return fail(withValue(msg::kMeasuredNotNumbers, "line", std::to_string(lineNumber)));
        }
    }
    if (s.x.empty())
        return fail(msg::kMeasuredNoTextPoints);
    const std::string h = upperCase(header);
    if (h.find("%T") != std::string::npos)
        s.yUnits = "%T";
    else if (hasWord(h, {"TRANSMITTANCE", "TRANSMISSION"}))
        s.yUnits = "TRANSMITTANCE";
    else if (hasWord(h, {"ABSORBANCE"}))
        s.yUnits = "ABSORBANCE";
    else
        s.yUnits = "ARBITRARY UNITS";
    return s;
}

ReadResult<MeasuredSpectrum> readMeasuredSpectrumFile(const std::string& path) {
    const std::string name = fileNameOf(path);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf()))
        return ReadResult<MeasuredSpectrum>::failure(
            withValue(withValue(msg::kMeasuredReadFailed, "file", name), "reason", msg::kMeasuredCannotOpen));
    const std::string text = bytes.str();
    // JCAMP-DX when the first line that is not blank or a $$ comment is a label.
    std::size_t p = 0;
    while (p < text.size()) {
        while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p])))
            ++p;
        if (text.compare(p, 2, "$$") != 0)
            break;
        p = text.find_first_of("\r\n", p);
    }
    if (p < text.size() && text.compare(p, 2, "##") == 0)
        return readJcampDx(text, name);
    return readSpectrumText(text, name);
}

bool isTransmittance(const MeasuredSpectrum& s) {
    return upperCase(s.yUnits).find("%T") != std::string::npos ||
           hasWord(s.yUnits, {"TRANSMITTANCE", "TRANSMISSION"});
}

bool isPercent(const MeasuredSpectrum& s) {
    if (upperCase(s.yUnits).find('%') != std::string::npos || hasWord(s.yUnits, {"PERCENT"}))
        return true;
    if (!isTransmittance(s))
        return false;
    double largest = -INFINITY;
    for (double v : s.y)
        if (std::isfinite(v))
            largest = std::max(largest, v);
    return largest > 1.5;
}

std::vector<double> absorbanceCurve(const MeasuredSpectrum& s) {
    if (!isTransmittance(s))
        return s.y;
    const double scale = isPercent(s) ? 0.01 : 1.0;
    std::vector<double> a(s.y.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = std::isnan(s.y[i]) ? s.y[i]
                                  : -std::log10(std::max(s.y[i] * scale, kSmallestTransmittance));
    return a;
}

std::string overlayRefusal(const MeasuredSpectrum& s, const std::string& fileName) {
    const bool vibrational =
        s.dataType.empty() || hasWord(s.dataType, {"INFRARED", "IR", "FTIR", "RAMAN"});
    if (!vibrational)
        return withValue(withValue(msg::kMeasuredNotVibrational, "file", fileName), "type", s.dataType);
    if (!s.xIsWavenumber)
        return withValue(withValue(msg::kMeasuredNotWavenumber, "file", fileName), "units", s.xUnits);
    return {};
}

ReadResult<MeasuredSpectrum> readOverlaySpectrum(const std::string& path) {
    auto s = readMeasuredSpectrumFile(path);
    if (s) {
        const std::string name = std::filesystem::path(path).filename().string();
        if (std::string refusal = overlayRefusal(*s, name); !refusal.empty())
            return ReadResult<MeasuredSpectrum>::failure(std::move(refusal));
    }
    return s;
}

} // namespace kalviro
