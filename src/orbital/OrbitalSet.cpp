#include "orbital/OrbitalSet.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cmath>

namespace kalviro {

namespace {

bool addSpin(const CheckpointSections& file, Spin spin, int functions, double fullOccupation,
             int fullCount, int halfCount, std::vector<Orbital>& out) {
    const bool alpha = spin == Spin::Alpha;
    const auto& c = file.values(alpha ? "Alpha MO coefficients" : "Beta MO coefficients");
    const auto& energies = file.values(alpha ? "Alpha Orbital Energies" : "Beta Orbital Energies");
    if (c.size() % functions != 0)
        return false;
    const int count = static_cast<int>(c.size()) / functions;
    for (int i = 0; i < count; ++i) {
        Orbital o;
        o.number = i + 1;
        o.spin = spin;
        o.energy = i < static_cast<int>(energies.size()) ? energies[i] : 0.0;
        o.occupation = i < fullCount ? fullOccupation : (i < halfCount ? 1.0 : 0.0);
        o.coefficients.assign(c.begin() + static_cast<std::ptrdiff_t>(i) * functions,
                              c.begin() + static_cast<std::ptrdiff_t>(i + 1) * functions);
        out.push_back(std::move(o));
    }
    return true;
}

} // namespace

int OrbitalSet::defaultOrbital() const {
    if (orbitals.empty())
        return -1;
    int best = -1;
    for (std::size_t i = 0; i < orbitals.size(); ++i) {
        const Orbital& o = orbitals[i];
        if (o.spin == Spin::Alpha && o.occupation > 0.0 &&
            (best < 0 || o.energy >= orbitals[best].energy))
            best = static_cast<int>(i);
    }
    return best < 0 ? 0 : best;
}

ReadResult<OrbitalSet> orbitalsFromCheckpoint(const CheckpointSections& file) {
    if (file.values("Alpha MO coefficients").empty())
        return ReadResult<OrbitalSet>::failure(msg::kOrbitalsNoCoefficients);
    auto basis = basisFromCheckpoint(file);
    if (!basis)
        return ReadResult<OrbitalSet>::failure(basis.error());
    OrbitalSet set;
    set.basis = std::move(*basis);

    const auto& numbers = file.values("Atomic numbers");
    const auto& xyz = file.values("Current cartesian coordinates");
    if (numbers.empty() || xyz.size() != 3 * numbers.size())
        return ReadResult<OrbitalSet>::failure(msg::kOrbitalsNoAtoms);
    for (std::size_t a = 0; a < numbers.size(); ++a)
        set.atoms.push_back(
            {static_cast<int>(numbers[a]), {xyz[3 * a], xyz[3 * a + 1], xyz[3 * a + 2]}});

    const int functions = set.basis.functionCount();
    const long alphaCount = file.integer("Number of alpha electrons");
    const long betaCount = file.integer("Number of beta electrons");
    const bool unrestricted = !file.values("Beta MO coefficients").empty();
    bool ok = true;
    if (unrestricted) {
        ok =
            addSpin(file, Spin::Alpha, functions, 1.0, static_cast<int>(alphaCount), 0,
                    set.orbitals) &&
            addSpin(file, Spin::Beta, functions, 1.0, static_cast<int>(betaCount), 0, set.orbitals);
    } else {
        const long doubly = std::min(alphaCount, betaCount);
        const long singly = std::max(alphaCount, betaCount);
        ok = addSpin(file, Spin::Alpha, functions, 2.0, static_cast<int>(doubly),
                     static_cast<int>(singly), set.orbitals);
    }
    if (!ok)
        return ReadResult<OrbitalSet>::failure(msg::kOrbitalsCoefficientCount);
    return set;
}

} // namespace kalviro
