#include "app/IsotopeDialogLogic.h"

#include <algorithm>
#include <cctype>

#include "document/PickedAtoms.h"
#include "model/Isotopes.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    return first == std::string::npos ? std::string()
                                      : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool allDigits(const std::string& s) {
    if (s.empty() || s.size() > 6)
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

std::string pickedAtomsText(const PickedAtoms& picked) {
    std::string text;
    for (int i = 0; i < picked.count && i < PickedAtoms::kMaxPicks; ++i)
        if (picked.slots[i] > 0)
            text += (text.empty() ? "" : ", ") + std::to_string(picked.slots[i]);
    return text;
}

ReadResult<std::string> isotopeChangeList(const std::string& atoms, const std::string& isotope,
                                          int atomCount) {
    using Result = ReadResult<std::string>;
    const std::string what = trimmed(isotope);
    if (what.empty() || what.find_first_of(",=") != std::string::npos)
        return Result::failure(msg::kIsotopeDialogNoIsotope);
    std::string list;
    std::size_t start = 0;
    while (start <= atoms.size()) {
        const std::size_t comma = std::min(atoms.find(',', start), atoms.size());
        const std::string item = trimmed(atoms.substr(start, comma - start));
        start = comma + 1;
        const std::size_t dash = item.find('-');
        const std::string a = trimmed(item.substr(0, dash));
        const std::string b = dash == std::string::npos ? a : trimmed(item.substr(dash + 1));
        if (!allDigits(a) || !allDigits(b) || std::stoi(b) < std::stoi(a))
            return Result::failure(msg::kIsotopeDialogBadAtoms + item);
        for (int n = std::stoi(a); n <= std::stoi(b) && n <= atomCount + 1; ++n)
            list += (list.empty() ? "" : ",") + std::to_string(n) + "=" + what;
    }
    // The atom range and the isotope are checked as the batch option's are.
    auto parsed = parseIsotopeChanges(list, atomCount);
    if (!parsed)
        return Result::failure(parsed.error());
    return list;
}

} // namespace kalviro
