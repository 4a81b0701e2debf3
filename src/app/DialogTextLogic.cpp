#include "app/DialogTextLogic.h"

#include "model/MoleculeState.h"

namespace kalviro {

std::vector<std::string> atomListLines(const MoleculeState& m) {
    std::vector<std::string> lines;
    lines.reserve(m.atoms.size() + 1);
    lines.emplace_back("番号  原子");
    int n = 0;
    for (const Atom& a : m.atoms) {
        std::string number = std::to_string(++n);
        // One- and two-digit numbers line up under the header; longer ones
        // simply follow with the same gap.
        if (number.size() < 3)
            number.insert(0, 3 - number.size(), ' ');
        lines.push_back(number + "     " + a.symbol);
    }
    return lines;
}

} // namespace kalviro
