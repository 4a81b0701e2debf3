#pragma once
// The program's own exception: a message for the user, or the source file
// and line where a calculation found itself in an impossible state. Whoever
// catches it shows text().

#include <stdexcept>
#include <string>

namespace kalviro {

class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(std::string message);
    ProgramError(std::string file, int line);

    const std::string& message() const { return message_; }
    const std::string& file() const { return file_; }
    int line() const { return line_; }

    // "File:%s Line:%d", for the developer.
    std::string locationText() const;
    // What the user is shown: the message, or a sentence that names the
    // location when there is none.
    std::string text() const;

private:
    std::string message_;
    std::string file_;
    int line_ = 0;
};

} // namespace kalviro
