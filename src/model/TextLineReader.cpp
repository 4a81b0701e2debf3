#include "model/TextLineReader.h"

#include <cstring>
#include <sys/stat.h>

namespace kalviro {

namespace {

// A small file needs no large buffer: most files the program opens are a few
// kilobytes, and clearing a megabyte for each would cost more than reading.
std::size_t bufferSizeFor(std::FILE* f, std::size_t wanted) {
    struct stat st{};
    if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
        static_cast<std::uint64_t>(st.st_size) + 1 < wanted)
        wanted = static_cast<std::size_t>(st.st_size) + 1;
    return wanted < 16 ? 16 : wanted;
}

} // namespace

TextLineReader::TextLineReader(std::FILE* f, std::size_t bufferSize)
    : file_(f), buffer_(bufferSizeFor(f, bufferSize)) {}

bool TextLineReader::fill() {
    if (eof_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2); // a line longer than the buffer
    const std::size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += got;
    if (got == 0) {
        eof_ = true;
        failed_ = std::ferror(file_) != 0;
        return false;
    }
    return true;
}

bool TextLineReader::next(std::string_view& line) {
    std::size_t searchFrom = begin_;
    for (;;) {
        const char* base = buffer_.data();
        const void* nl = std::memchr(base + searchFrom, '\n', end_ - searchFrom);
        if (nl) {
            const std::size_t pos = static_cast<const char*>(nl) - base;
            std::size_t len = pos - begin_;
            if (len > 0 && base[begin_ + len - 1] == '\r')
                --len;
            line = std::string_view(base + begin_, len);
            consumed_ += pos + 1 - begin_;
            begin_ = pos + 1;
            return true;
        }
        const std::size_t scanned = end_ - begin_;
        if (!fill()) {
            if (begin_ == end_)
                return false;
            // Last line without a line end.
            std::size_t len = end_ - begin_;
            if (buffer_[begin_ + len - 1] == '\r')
                --len;
            line = std::string_view(buffer_.data() + begin_, len);
            consumed_ += end_ - begin_;
            begin_ = end_;
            return true;
        }
        searchFrom = begin_ + scanned;
    }
}

std::FILE* openForReading(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return nullptr;
    return std::fopen(path.c_str(), "rb");
}

} // namespace kalviro
