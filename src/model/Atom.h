#pragma once
// One atom of the loaded molecule: current position (the base Vector3),
// element, radius, bonds and the position it was loaded at.

#include <string>
#include <vector>

#include "model/MaterialId.h"
#include "model/Vector3.h"

namespace kalviro {

struct BondSlot {
    double angle = 0.0;  // degrees, <= 0: turns +Z onto the bond direction
    double length = 0.0; // interatomic distance
    Vector3 axis;        // rotation axis for angle
    int partner = 0;     // zero-based index of the other atom
};

class Atom : public Vector3 {
public:
    std::string symbol;     // as read, or from the atomic number; "X" for a dummy
    int atomicNumber = 0;   // -1 dummy, 0 lone pair / unknown element, 1 .. 118
    double radius = 0.01;   // covalent radius (angstrom); 0 for a dummy
    MaterialId material = MaterialId::Gold;
    std::vector<BondSlot> bonds; // every bond found, in the order found
    Vector3 loadedPosition;
    bool selected = false;

    int bondCount() const { return static_cast<int>(bonds.size()); }
    Vector3 position() const { return {x, y, z}; }

    // Element from symbol: "X" is a dummy (-1, radius 0); an exact element
    // symbol; else a label that begins with a symbol ("C1", "CL2"), keeping
    // the label. Anything else is an unknown element: 0, radius 0.01, gold.
    void setElementBySymbol();
    // Element from an atomic number: -1 dummy "X", 0 .. 118 from the tables,
    // anything else an unknown element with its symbol text kept.
    void setElementByNumber(int n);
    // Position, symbol and atomic number of another atom.
    void copyFrom(const Atom& other);
    void keepPosition() { loadedPosition = position(); }
    void restorePosition();

    // Where the program asks for "H" or "X", labels like "H12" count as their
    // element, so these test the element, not the text.
    bool isHydrogen() const { return atomicNumber == 1; }
    bool isDummy() const { return atomicNumber == -1; }

private:
    void becomeElement(int n);
    void becomeDummy();
    void becomeUnknown();
};

} // namespace kalviro
