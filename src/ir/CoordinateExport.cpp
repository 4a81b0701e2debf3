#include "ir/CoordinateExport.h"

#include <cstdio>

#include "model/MoleculeState.h"

namespace kalviro {
namespace {

void appendFixed(std::string& out, double v) {
    char buf[400]; // %f of the largest double needs 317 characters
    std::snprintf(buf, sizeof buf, " %f", v);
    out += buf;
}

} // namespace

std::string coordinateFileBytes(const MoleculeState& molecule) {
    std::string out;
    for (const Atom& a : molecule.atoms) {
        out += a.symbol;
        appendFixed(out, a.loadedPosition.x);
        appendFixed(out, a.loadedPosition.y);
        appendFixed(out, a.loadedPosition.z);
        out += "\r\n";
    }
    return out;
}

} // namespace kalviro
