#include "model/readers/CheckpointSections.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

#include "model/LineTokens.h"
#include "model/TextLineReader.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// Section titles start with a letter in column 1; data lines never do.
bool isTitleLine(std::string_view line) {
    return !line.empty() && std::isalpha(static_cast<unsigned char>(line[0]));
}

bool parseDouble(std::string_view token, double& out) {
    const char* end = token.data() + token.size();
    auto [p, ec] = std::from_chars(token.data(), end, out);
    return ec == std::errc() && p == end && std::isfinite(out);
}

// I values and counts: the readers turn them into int.
bool fitsInt(double v) {
    return v == std::floor(v) && std::fabs(v) <= 2147483647.0;
}

// Calls take(token) for each blank-separated token; false as soon as take does.
template <class Take> bool forEachToken(std::string_view line, Take&& take) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        std::size_t j = i;
        while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j])))
            ++j;
        if (j > i && !take(line.substr(i, j - i)))
            return false;
        i = j;
    }
    return true;
}

// "Name (padded to column 43)  T   N=  count" or "Name  T  value".
struct Title {
    std::string name;
    char type = 0;
    bool isArray = false;
    std::string_view rest; // the count or the value
};

bool splitTitle(std::string_view line, Title& t) {
    if (line.size() < 44)
        return false;
    const char type = line[43];
    if (std::string_view("IRCLH").find(type) == std::string_view::npos || line[42] != ' ')
        return false;
    t.name = std::string(trimmed(line.substr(0, 43)));
    t.type = type;
    std::string_view rest = trimmed(line.substr(44));
    t.isArray = rest.substr(0, 2) == "N=";
    t.rest = t.isArray ? trimmed(rest.substr(2)) : rest;
    return !t.name.empty();
}

class SectionParser {
public:
    bool feed(std::string_view line) {
        ++lineNumber_;
        if (lineNumber_ == 1) {
            out_.title = std::string(trimmed(line));
            return true;
        }
        if (lineNumber_ == 2) {
            out_.jobType = std::string(trimmed(line.substr(0, std::min<std::size_t>(10, line.size()))));
            if (line.size() > 10)
                out_.method = std::string(trimmed(line.substr(10, 60)));
            if (line.size() > 70)
                out_.basisName = std::string(trimmed(line.substr(70)));
            return true;
        }
        if (isTitleLine(line)) {
            if (!closeArray())
                return false;
            return openSection(line);
        }
        if (!current_)
            return true;
        if (current_->type == 'C' || current_->type == 'H') {
            current_->text += std::string(line);
            return true;
        }
        return forEachToken(line, [&](std::string_view token) {
            double v = 0;
            if (!parseDouble(token, v) || (current_->type == 'I' && !fitsInt(v))) {
                error_ = msg::kCheckpointBadValue + currentName_;
                return false;
            }
            current_->reals.push_back(v);
            return true;
        });
    }

    ReadResult<CheckpointSections> finish() {
        if (!error_.empty())
            return ReadResult<CheckpointSections>::failure(error_);
        if (!closeArray())
            return ReadResult<CheckpointSections>::failure(error_);
        if (out_.sections.empty())
            return ReadResult<CheckpointSections>::failure(msg::kCheckpointNoSections);
        return std::move(out_);
    }

    const std::string& error() const { return error_; }

private:
    bool openSection(std::string_view line) {
        Title t;
        if (!splitTitle(line, t))
            return true; // a line of text the format does not define: skipped
        CheckpointSection s;
        s.type = t.type;
        s.isArray = t.isArray;
        current_ = nullptr;
        if (t.isArray) {
            double count = 0;
            if (!parseDouble(t.rest, count) || count < 0 || !fitsInt(count)) {
                error_ = msg::kCheckpointBadValue + t.name;
                return false;
            }
            expected_ = static_cast<std::size_t>(count);
            if (s.type != 'C' && s.type != 'H')
                s.reals.reserve(std::min<std::size_t>(expected_, 1u << 24));
        } else if (s.type == 'C' || s.type == 'H') {
            s.text = std::string(t.rest);
        } else {
            double v = 0;
            if (t.type == 'L')
                v = (t.rest == "T") ? 1 : 0;
            else if (!parseDouble(t.rest, v) || (t.type == 'I' && !fitsInt(v))) {
                error_ = msg::kCheckpointBadValue + t.name;
                return false;
            }
            s.reals.push_back(v);
        }
        auto [it, inserted] = out_.sections.insert_or_assign(t.name, std::move(s));
        (void)inserted;
        if (t.isArray) {
            current_ = &it->second;
            currentName_ = t.name;
        }
        return true;
    }

    bool closeArray() {
        if (current_ && current_->type != 'C' && current_->type != 'H' &&
            current_->reals.size() < expected_) {
            error_ = msg::kCheckpointShortSection + currentName_;
            return false;
        }
        if (current_ && current_->reals.size() > expected_)
            current_->reals.resize(expected_);
        current_ = nullptr;
        return true;
    }

    CheckpointSections out_;
    CheckpointSection* current_ = nullptr;
    std::string currentName_;
    std::size_t expected_ = 0;
    std::size_t lineNumber_ = 0;
    std::string error_;
};

} // namespace

const CheckpointSection* CheckpointSections::find(std::string_view name) const {
    auto it = sections.find(name);
    return it == sections.end() ? nullptr : &it->second;
}

long CheckpointSections::integer(std::string_view name, long fallback) const {
    const CheckpointSection* s = find(name);
    if (!s || s->isArray || s->reals.empty())
        return fallback;
    return static_cast<long>(s->reals.front());
}

const std::vector<double>& CheckpointSections::values(std::string_view name) const {
    static const std::vector<double> none;
    const CheckpointSection* s = find(name);
    return s ? s->reals : none;
}

ReadResult<CheckpointSections> parseCheckpointSections(std::string_view text) {
    SectionParser parser;
    bool ok = true;
    forEachLine(text, [&](std::string_view line) {
        if (ok)
            ok = parser.feed(line);
    });
    return parser.finish();
}

ReadResult<CheckpointSections> readCheckpointSections(const std::string& path) {
    SectionParser parser;
    bool ok = true;
    const bool read = forEachLineOfFile(path, [&](std::string_view line) {
        if (ok)
            ok = parser.feed(line);
    });
    if (!read)
        return ReadResult<CheckpointSections>::failure(msg::kCannotOpenFile);
    return parser.finish();
}

} // namespace kalviro
