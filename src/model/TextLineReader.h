#pragma once
// Reads a text file line by line as text mode did on the platform the files
// come from: a line ends at LF, a CR right before the LF is not part of the
// line, and a line may be of any length. One buffer is reused, so memory does
// not grow with the file.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kalviro {

class TextLineReader {
public:
    // f is read from its current position and not closed here.
    explicit TextLineReader(std::FILE* f, std::size_t bufferSize = 1 << 20);

    // The next line, valid until the next call; false at the end of the file
    // or on a read error (failed() tells which).
    bool next(std::string_view& line);

    bool failed() const { return failed_; }
    // Bytes consumed so far, line ends included.
    std::uint64_t bytesConsumed() const { return consumed_; }

private:
    bool fill();

    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    std::uint64_t consumed_ = 0;
};

// Opens path for reading; nullptr when it cannot be opened or is a folder.
std::FILE* openForReading(const std::string& path);

// Closes a FILE* when it goes out of scope.
struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};

// Calls feed(line) for every line of text, split as TextLineReader splits a
// file (LF ends a line, the CR of CR LF is dropped).
template <class Feed> void forEachLine(std::string_view text, Feed&& feed) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        feed(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

// Calls feed(line) for every line of the file at path; false when the file
// cannot be opened or a read fails.
template <class Feed> bool forEachLineOfFile(const std::string& path, Feed&& feed) {
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file)
        return false;
    TextLineReader reader(file.get());
    std::string_view line;
    while (reader.next(line))
        feed(line);
    return !reader.failed();
}

} // namespace kalviro
