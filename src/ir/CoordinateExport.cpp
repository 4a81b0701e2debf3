#include "ir/CoordinateExport.h"

#include <cstdio>

#include "model/MoleculeState.h"
#include "model/SafeFileWriter.h"

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

FileDialogRequest coordinateSaveRequest() {
    FileDialogRequest r;
    r.filter = "text|*.txt|AllFile(*.*)|*.*||";
    r.defaultExtension = "txt";
    r.defaultFileName = "default.txt";
    r.hideReadOnly = false;
    r.overwritePrompt = true;
    return r;
}

bool OnSaveCoordinates() {
    const MoleculeState& m = moleculeState();
    if (m.atoms.empty())
        return false;
    const auto path = platform().chooseOpenPath(coordinateSaveRequest());
    if (!path)
        return false;
    return saveFileOrTell(*path, coordinateFileBytes(m));
}

} // namespace kalviro
