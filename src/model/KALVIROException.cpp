#include "model/KALVIROException.h"

#include "platform/Platform.h"

namespace kalviro {

KALVIROException::KALVIROException(std::string message)
    : std::runtime_error(message), message_(std::move(message)) {}

KALVIROException::KALVIROException(std::string file, int line)
    : std::runtime_error("File:" + file + " Line:" + std::to_string(line)), file_(std::move(file)),
      line_(line) {}

std::string KALVIROException::locationText() const {
    return "File:" + file_ + " Line:" + std::to_string(line_);
}

void KALVIROException::showMessage() const { kalviro::showMessage(message_); }

void KALVIROException::showLocation() const { kalviro::showMessage(locationText()); }

} // namespace kalviro
