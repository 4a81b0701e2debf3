#include "model/Atom.h"

#include <algorithm>
#include <cctype>

#include "model/ElementTable.h"

namespace kalviro {
namespace {

// "X", "X1", "x12": Gaussian's dummy atoms and their labels.
bool isDummyLabel(const std::string& s) {
    if (s.empty() || (s[0] != 'X' && s[0] != 'x'))
        return false;
    return std::none_of(s.begin() + 1, s.end(),
                        [](unsigned char c) { return std::isalpha(c) != 0; });
}

} // namespace

void Atom::becomeElement(int n) {
    atomicNumber = n;
    radius = atomRadius(n);
    material = materialForElement(n);
}

void Atom::becomeDummy() {
    atomicNumber = -1;
    radius = 0.0;
}

void Atom::becomeUnknown() {
    atomicNumber = 0;
    radius = 0.01;
    material = MaterialId::Gold;
}

void Atom::setElementBySymbol() {
    if (symbol == "X" || isDummyLabel(symbol)) {
        becomeDummy();
    } else if (auto n = elementByExactSymbol(symbol)) {
        becomeElement(*n);
    } else if (auto m = elementByLabelPrefix(symbol)) {
        becomeElement(*m);
    } else {
        becomeUnknown();
    }
}

void Atom::setElementByNumber(int n) {
    if (n == -1) {
        symbol = "X";
        becomeDummy();
    } else if (n >= 0 && n <= kLastElement) {
        symbol.assign(elementSymbol(n).data(), elementSymbol(n).size());
        becomeElement(n);
    } else {
        becomeUnknown();
    }
}

void Atom::copyFrom(const Atom& other) {
    x = other.x;
    y = other.y;
    z = other.z;
    symbol = other.symbol;
    atomicNumber = other.atomicNumber;
}

void Atom::restorePosition() {
    x = loadedPosition.x;
    y = loadedPosition.y;
    z = loadedPosition.z;
}

} // namespace kalviro
