#pragma once
// The program's own exception: a message for the user, or the source file
// and line where a calculation found itself in an impossible state.

#include <stdexcept>
#include <string>

namespace kalviro {

class KALVIROException : public std::runtime_error {
public:
    explicit KALVIROException(std::string message);
    KALVIROException(std::string file, int line);

    const std::string& message() const { return message_; }
    const std::string& file() const { return file_; }
    int line() const { return line_; }

    // The message in a message box.
    void showMessage() const;
    // "File:%s Line:%d" in a message box.
    void showLocation() const;
    // "File:%s Line:%d" as text.
    std::string locationText() const;

private:
    std::string message_;
    std::string file_;
    int line_ = 0;
};

} // namespace kalviro
