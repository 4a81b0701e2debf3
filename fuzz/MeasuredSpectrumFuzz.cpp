// The measured-spectrum readers called on the input itself, and what the
// program asks of a spectrum before drawing it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ir/MeasuredSpectrum.h"

namespace {

void use(const kalviro::ReadResult<kalviro::MeasuredSpectrum>& read) {
    if (!read) {
        if (read.error().empty()) __builtin_trap(); // a failure always says why
        return;
    }
    const kalviro::MeasuredSpectrum& s = *read;
    (void)kalviro::isTransmittance(s);
    (void)kalviro::isPercent(s);
    const auto curve = kalviro::absorbanceCurve(s);
    if (curve.size() != s.y.size()) __builtin_trap();
    (void)kalviro::overlayRefusal(s, "fuzz.jdx");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    use(kalviro::readJcampDx(text, "fuzz.jdx"));
    use(kalviro::readSpectrumText(text, "fuzz.txt"));
    return 0;
}
