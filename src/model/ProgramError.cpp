#include "model/ProgramError.h"

#include "platform/Messages.h"

namespace kalviro {

ProgramError::ProgramError(std::string message)
    : std::runtime_error(message), message_(std::move(message)) {}

ProgramError::ProgramError(std::string file, int line)
    : std::runtime_error("File:" + file + " Line:" + std::to_string(line)), file_(std::move(file)),
      line_(line) {}

std::string ProgramError::locationText() const {
    return "File:" + file_ + " Line:" + std::to_string(line_);
}

std::string ProgramError::text() const {
    return message_.empty() ? msg::withDetail(msg::kInternalFault, locationText()) : message_;
}

} // namespace kalviro
