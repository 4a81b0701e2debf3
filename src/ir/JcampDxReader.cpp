// JCAMP-DX reading: labelled records, nested blocks, and the ASDF forms of
// (X++(Y..Y)) (AFFN, PAC, SQZ, DIF, DUP) as well as (XY..XY) tables.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <string_view>

#include "ir/AnyLineEnd.h"
#include "ir/MeasuredSpectrum.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// Bounds what a corrupt DUP count or a huge file can make us allocate.
constexpr std::size_t kMaxPoints = 10000000;

std::string withValue(std::string text, std::string_view key, std::string_view value) {
    const std::string k = "{" + std::string(key) + "}";
    for (std::size_t p = text.find(k); p != std::string::npos; p = text.find(k, p + value.size()))
        text.replace(p, k.size(), value);
    return text;
}

std::string numberText(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return std::string(s.substr(b, e - b));
}

// Labels compare in upper case with blanks, '-', '/' and '_' left out, as
// JCAMP-DX says (##X_FACTOR is ##XFACTOR, ##DATA TYPE is ##DATATYPE).
std::string normaliseLabel(std::string_view label) {
    std::string out;
    for (char c : label) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '-' || c == '/' || c == '_')
            continue;
        out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return out;
}

std::string_view withoutComment(std::string_view line) {
    const std::size_t p = line.find("$$");
    return p == std::string_view::npos ? line : line.substr(0, p);
}

std::optional<double> toNumber(std::string_view s) {
    std::string t = trim(s);
    if (!t.empty() && t.front() == '+')
        t.erase(0, 1);
    double v = 0;
    const char* end = t.data() + t.size();
    auto [p, ec] = std::from_chars(t.data(), end, v);
    if (ec != std::errc() || t.empty())
        return std::nullopt;
    return v;
}

struct DataLine {
    int number = 0; // line number in the file, for messages
    std::string text;
};

struct Block {
    std::map<std::string, std::string> values; // normalised label -> value
    std::string dataLabel;                     // XYDATA, XYPOINTS or PEAKTABLE
    std::string dataForm;                      // "(X++(Y..Y))"
    std::vector<DataLine> dataLines;
    bool hasTitle = false;

    const std::string* find(const std::string& label) const {
        auto it = values.find(label);
        return it == values.end() ? nullptr : &it->second;
    }
    std::optional<double> number(const std::string& label) const {
        const std::string* v = find(label);
        return v ? toNumber(*v) : std::nullopt;
    }
};

enum class TokenKind { Value, Difference, Duplicate };

struct Token {
    TokenKind kind;
    double value; // the number, the difference, or the repeat count
};

// Splits one data line into ASDF tokens; an error text when a character is
// none of them.
std::optional<std::string> tokenise(std::string_view line, int lineNumber,
                                    std::vector<Token>& tokens) {
    tokens.clear();
    std::string digits; // the current token's text, sign first
    std::optional<TokenKind> kind;
    auto finish = [&]() {
        if (!kind)
            return;
        double v = NAN;
        if (digits != "?") {
            std::string t = digits;
            if (!t.empty() && t.front() == '+')
                t.erase(0, 1);
            const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
            if (r.ec != std::errc())
                v = NAN;
        }
        tokens.push_back({*kind, v});
        kind.reset();
        digits.clear();
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const auto uc = static_cast<unsigned char>(c);
        if (std::isdigit(uc) || c == '.') {
            if (!kind)
                kind = TokenKind::Value;
            digits.push_back(c);
        } else if ((c == 'E' || c == 'e') && kind == TokenKind::Value && i + 2 < line.size() &&
                   (line[i + 1] == '+' || line[i + 1] == '-') &&
                   std::isdigit(static_cast<unsigned char>(line[i + 2]))) {
            // An AFFN exponent ("1.5E-03"), not SQZ E / e.
            digits.push_back('e');
            digits.push_back(line[i + 1]);
            ++i;
        } else if (c == '+' || c == '-') {
            finish();
            kind = TokenKind::Value;
            digits.push_back(c);
        } else if (c == '?') {
            finish();
            kind = TokenKind::Value;
            digits = "?";
            finish();
        } else if (c == '@' || (c >= 'A' && c <= 'I') || (c >= 'a' && c <= 'i')) {
            finish();
            kind = TokenKind::Value;
            if (c == '@')
                digits = "0";
            else if (c <= 'I')
                digits = std::to_string(c - 'A' + 1);
            else
                digits = "-" + std::to_string(c - 'a' + 1);
        } else if (c == '%' || (c >= 'J' && c <= 'R') || (c >= 'j' && c <= 'r')) {
            finish();
            kind = TokenKind::Difference;
            if (c == '%')
                digits = "0";
            else if (c <= 'R')
                digits = std::to_string(c - 'J' + 1);
            else
                digits = "-" + std::to_string(c - 'j' + 1);
        } else if ((c >= 'S' && c <= 'Z') || c == 's') {
            finish();
            kind = TokenKind::Duplicate;
            digits = c == 's' ? "9" : std::to_string(c - 'S' + 1);
        } else if (std::isspace(uc) || c == ',' || c == ';' || uc < 32 || uc == 127) {
            finish();
        } else {
            return withValue(withValue(msg::kJcampBadCharacter, "line", std::to_string(lineNumber)), "char",
                             std::string(1, c));
        }
    }
    finish();
    return std::nullopt;
}

struct ReadContext {
    std::vector<std::string> warnings;
};

// (X++(Y..Y)): Y values in order, the first X of each line beside the index
// of its first Y. DIF check values at line starts are dropped.
std::optional<std::string> decodeXyData(const Block& b, double yFactor, std::vector<double>& y,
                                        std::vector<std::pair<std::size_t, double>>& lineX,
                                        ReadContext& ctx) {
    std::vector<Token> tokens;
    bool previousEndedInDif = false;
    bool haveY = false;
    double lastY = 0;
    bool checkWarned = false;
    for (const DataLine& dl : b.dataLines) {
        if (auto err = tokenise(dl.text, dl.number, tokens))
            return err;
        if (tokens.empty())
            continue;
        // The line's X; then its Y values (raw, before YFACTOR).
        const double x = tokens[0].value;
        const std::size_t lineStart = y.size();
        std::optional<Token> previous;
        bool endedInDif = false;
        for (std::size_t t = 1; t < tokens.size(); ++t) {
            const Token& tk = tokens[t];
            if (tk.kind == TokenKind::Value) {
                lastY = tk.value;
                haveY = true;
                y.push_back(lastY);
                endedInDif = false;
                previous = tk;
            } else if (tk.kind == TokenKind::Difference) {
                if (!haveY)
                    return withValue(msg::kJcampDifWithoutStart, "line", std::to_string(dl.number));
                lastY += tk.value;
                y.push_back(lastY);
                endedInDif = true;
                previous = tk;
            } else {
                if (!previous)
                    return withValue(msg::kJcampDupWithoutValue, "line", std::to_string(dl.number));
                if (!(tk.value >= 1 && tk.value <= static_cast<double>(kMaxPoints)))
                    return std::string(msg::kJcampTooManyPoints);
                const auto count = static_cast<std::size_t>(std::llround(tk.value));
                for (std::size_t r = 1; r < count; ++r) {
                    if (previous->kind == TokenKind::Difference)
                        lastY += previous->value;
                    y.push_back(lastY);
                }
            }
        }
        if (y.size() > kMaxPoints)
            return std::string(msg::kJcampTooManyPoints);
        if (previousEndedInDif && y.size() > lineStart) {
            // The first Y repeats the previous line's last Y: a check, not a point.
            if (lineStart > 0 && y[lineStart] != y[lineStart - 1] && !checkWarned) {
                ctx.warnings.push_back(
                    withValue(msg::kJcampCheckMismatch, "line", std::to_string(dl.number)));
                checkWarned = true;
            }
            y.erase(y.begin() + static_cast<std::ptrdiff_t>(lineStart));
            lineX.emplace_back(lineStart == 0 ? 0 : lineStart - 1, x);
        } else {
            lineX.emplace_back(lineStart, x);
        }
        if (tokens.size() > 1)
            previousEndedInDif = endedInDif;
    }
    for (double& v : y)
        v *= yFactor;
    return std::nullopt;
}

// (XY..XY), (XYW..XYW), (XYM..XYM): groups of values, x and y first.
std::optional<std::string> decodePairs(const Block& b, double xFactor, double yFactor,
                                       std::vector<double>& x, std::vector<double>& y,
                                       ReadContext& ctx) {
    std::string form = normaliseLabel(b.dataForm);
    const std::size_t open = form.find('(');
    const std::size_t dots = form.find("..");
    std::size_t group = 2;
    if (open != std::string::npos && dots != std::string::npos && dots > open + 1)
        group = std::max<std::size_t>(2, dots - open - 1);
    std::vector<double> values;
    std::vector<Token> tokens;
    for (const DataLine& dl : b.dataLines) {
        if (auto err = tokenise(dl.text, dl.number, tokens))
            return err;
        for (const Token& t : tokens) {
            if (t.kind != TokenKind::Value)
                return withValue(msg::kJcampUnknownForm, "form", b.dataForm);
            values.push_back(t.value);
        }
        if (values.size() > 2 * kMaxPoints)
            return std::string(msg::kJcampTooManyPoints);
    }
    if (values.size() % group != 0)
        ctx.warnings.push_back(msg::kJcampOddPairs);
    for (std::size_t i = 0; i + group <= values.size(); i += group) {
        x.push_back(values[i] * xFactor);
        y.push_back(values[i + 1] * yFactor);
    }
    return std::nullopt;
}

bool unitsAre(const std::string& units, std::initializer_list<const char*> names) {
    const std::string u = normaliseLabel(units);
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return u == n; });
}

ReadResult<MeasuredSpectrum> decodeBlock(const Block& b, const std::string& fileName,
                                         bool endSeen) {
    auto fail = [&](const std::string& reason) {
        return ReadResult<MeasuredSpectrum>::failure(
            withValue(withValue(msg::kMeasuredReadFailed, "file", fileName), "reason", reason));
    };
    ReadContext ctx;
    if (!endSeen)
        ctx.warnings.push_back(msg::kJcampNoEnd);
    MeasuredSpectrum s;
    if (const std::string* t = b.find("TITLE"))
        s.title = trim(*t);
    if (const std::string* t = b.find("DATATYPE"))
        s.dataType = trim(*t);
    if (const std::string* t = b.find("XUNITS"))
        s.xUnits = trim(*t);
    if (const std::string* t = b.find("YUNITS"))
        s.yUnits = trim(*t);

    double factor[2] = {1, 1};
    const char* factorLabel[2] = {"XFACTOR", "YFACTOR"};
    for (int i = 0; i < 2; ++i) {
        if (b.find(factorLabel[i])) {
            const auto f = b.number(factorLabel[i]);
            if (!f || !std::isfinite(*f) || *f == 0)
                return fail(withValue(msg::kJcampBadFactor, "label", std::string("##") + factorLabel[i]));
            factor[i] = *f;
        }
    }

    const std::string form = normaliseLabel(b.dataForm);
    if (b.dataLabel == "XYDATA" && form.find("++") != std::string::npos) {
        std::vector<std::pair<std::size_t, double>> lineX;
        if (auto err = decodeXyData(b, factor[1], s.y, lineX, ctx))
            return fail(*err);
        const std::size_t n = s.y.size();
        if (n == 0)
            return fail(msg::kJcampNoPoints);
        const auto firstX = b.number("FIRSTX");
        const auto lastX = b.number("LASTX");
        const auto deltaX = b.number("DELTAX");
        const auto nPoints = b.number("NPOINTS");
        const double lineFirst = lineX.front().second * factor[0];
        // Points of a line are spread evenly; the ends come from ##FIRSTX and
        // ##LASTX when the file gives them (the line X values are rounded).
        double first = firstX.value_or(lineFirst);
        double step = 0;
        if (n > 1) {
            if (lastX)
                step = (*lastX - first) / static_cast<double>(n - 1);
            else if (deltaX)
                step = *deltaX;
            else if (lineX.size() > 1 && lineX.back().first > 0)
                step = (lineX.back().second * factor[0] - lineFirst) /
                       static_cast<double>(lineX.back().first);
        }
        s.x.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            s.x[i] = first + static_cast<double>(i) * step;

        if (nPoints && *nPoints != static_cast<double>(n))
            ctx.warnings.push_back(
                withValue(withValue(msg::kJcampPointCount, "expected", numberText(*nPoints)), "read",
                          std::to_string(n)));
        // A line's X is rounded in the file: allow half a step and a millionth.
        const double slack = 0.5 * std::abs(step) + 1e-6 * std::abs(first);
        if (firstX && std::abs(*firstX - lineFirst) > slack)
            ctx.warnings.push_back(
                withValue(withValue(msg::kJcampFirstXMismatch, "expected", numberText(*firstX)), "read",
                          numberText(lineFirst)));
        if (lastX && n > 1 && (deltaX || lineX.size() > 1)) {
            const double d = deltaX ? *deltaX : step;
            const auto& [index, x] = lineX.back();
            const double fromLines =
                x * factor[0] + static_cast<double>(n - 1 - std::min(index, n - 1)) * d;
            if (std::abs(fromLines - *lastX) > std::abs(d) + 1e-6 * std::abs(*lastX))
                ctx.warnings.push_back(
                    withValue(withValue(msg::kJcampLastXMismatch, "expected", numberText(*lastX)), "read",
                              numberText(fromLines)));
        }
        if (deltaX && lastX && n > 1 && std::abs(*deltaX - step) > 0.01 * std::abs(step))
            ctx.warnings.push_back(
                withValue(withValue(msg::kJcampDeltaXMismatch, "expected", numberText(*deltaX)), "read",
                          numberText(step)));
    } else if ((b.dataLabel == "XYPOINTS" || b.dataLabel == "PEAKTABLE" ||
                b.dataLabel == "XYDATA") &&
               form.rfind("(XY", 0) == 0 && form.find("..") != std::string::npos) {
        if (auto err = decodePairs(b, factor[0], factor[1], s.x, s.y, ctx))
            return fail(*err);
        if (s.y.empty())
            return fail(msg::kJcampNoPoints);
        if (const auto nPoints = b.number("NPOINTS");
            nPoints && *nPoints != static_cast<double>(s.y.size()))
            ctx.warnings.push_back(
                withValue(withValue(msg::kJcampPointCount, "expected", numberText(*nPoints)), "read",
                          std::to_string(s.y.size())));
    } else {
        return fail(withValue(msg::kJcampUnknownForm, "form", b.dataForm));
    }

    if (unitsAre(s.xUnits, {"1CM", "CM1", "CM^1", "WAVENUMBERS", "WAVENUMBER"})) {
        s.xIsWavenumber = true;
    } else if (unitsAre(s.xUnits, {"MICROMETERS", "MICROMETER", "MICRONS", "MICRON", "UM"}) ||
               unitsAre(s.xUnits, {"NANOMETERS", "NANOMETER", "NM"})) {
        const double scale = unitsAre(s.xUnits, {"NANOMETERS", "NANOMETER", "NM"}) ? 1e7 : 1e4;
        bool zeroed = false;
        for (double& x : s.x) {
            if (x > 0) {
                x = scale / x;
            } else {
                x = 0;
                zeroed = true;
            }
        }
        if (zeroed)
            ctx.warnings.push_back(msg::kJcampNotPositiveX);
        s.xIsWavenumber = true;
    }
    s.warnings = std::move(ctx.warnings);
    return s;
}

} // namespace

ReadResult<MeasuredSpectrum> readJcampDx(const std::string& text, const std::string& fileName) {
    std::vector<Block> stack;
    std::optional<Block> firstSpectrum;
    std::string* continuation = nullptr; // the value that text lines after a label extend
    bool inData = false;
    bool ntuples = false;

    auto closeBlock = [&]() {
        if (stack.empty())
            return;
        if (!firstSpectrum && !stack.back().dataLabel.empty())
            firstSpectrum = std::move(stack.back());
        stack.pop_back();
        continuation = nullptr;
        inData = false;
    };

    std::size_t pos = 0;
    int lineNumber = 0;
    std::string_view raw;
    while (!firstSpectrum && nextLineAnyEnd(text, pos, raw)) {
        ++lineNumber;

        const std::string_view line = withoutComment(raw);
        const std::string lead = trim(line);
        if (lead.rfind("##", 0) != 0) {
            if (inData && !stack.empty())
                stack.back().dataLines.push_back({lineNumber, std::string(line)});
            else if (continuation && !lead.empty())
                *continuation += "\n" + lead;
            continue;
        }
        const std::size_t eq = lead.find('=');
        const std::string label =
            normaliseLabel(lead.substr(2, eq == std::string::npos ? std::string::npos : eq - 2));
        const std::string value =
            eq == std::string::npos ? std::string() : trim(std::string_view(lead).substr(eq + 1));
        inData = false;
        continuation = nullptr;

        if (label == "END") {
            closeBlock();
            continue;
        }
        if (label == "TITLE" && (stack.empty() || stack.back().hasTitle))
            stack.emplace_back();
        if (stack.empty())
            stack.emplace_back();
        Block& b = stack.back();
        if (label == "TITLE")
            b.hasTitle = true;
        if (label == "NTUPLES")
            ntuples = true;
        if (label == "XYDATA" || label == "XYPOINTS" || label == "PEAKTABLE") {
            if (b.dataLabel.empty()) {
                b.dataLabel = label;
                b.dataForm = value;
                inData = true;
            }
            continue;
        }
        auto [it, inserted] = b.values.emplace(label, value);
        if (inserted)
            continuation = &it->second;
    }

    bool endSeen = true;
    if (!firstSpectrum) {
        // A file cut short: the innermost block with data still counts.
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
            if (!it->dataLabel.empty()) {
                firstSpectrum = std::move(*it);
                endSeen = false;
                break;
            }
        }
    }
    if (!firstSpectrum)
        return ReadResult<MeasuredSpectrum>::failure(withValue(
            withValue(msg::kMeasuredReadFailed, "file", fileName), "reason", ntuples ? msg::kJcampNtuples : msg::kJcampNoData));
    return decodeBlock(*firstSpectrum, fileName, endSeen);
}

} // namespace kalviro
