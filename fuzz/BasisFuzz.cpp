// Checkpoint sections and Molden files called on the input itself: basis,
// orbitals, the Hessian analysis, and the default orbital at a few points.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/VibrationalAnalysis.h"
#include "model/readers/CheckpointSections.h"
#include "orbital/MoldenReader.h"
#include "orbital/OrbitalSet.h"
#include "orbital/ShellBasis.h"

namespace {

using namespace kalviro;

template <class T> void checkFailure(const ReadResult<T>& r) {
    if (!r && r.error().empty()) __builtin_trap(); // a failure always says why
}

void evaluateDefault(const OrbitalSet& set) {
    const int index = set.defaultOrbital();
    if (index < 0 || static_cast<std::size_t>(index) >= set.orbitals.size()) return;
    const Orbital& orbital = set.orbitals[static_cast<std::size_t>(index)];
    if (static_cast<int>(orbital.coefficients.size()) != set.basis.functionCount()) return;
    const OrbitalEvaluator fast(set.basis, orbital.coefficients);
    const Point3 points[] = {{0.0, 0.0, 0.0}, {0.5, -0.3, 1.2}, {-2.0, 1.0, 0.25}};
    for (const Point3& p : points) {
        (void)set.basis.evaluateOrbital(orbital.coefficients, p);
        (void)fast(p);
    }
}

void checkpoint(std::string_view text) {
    const auto sections = parseCheckpointSections(text);
    checkFailure(sections);
    if (!sections) return;
    const auto basis = basisFromCheckpoint(*sections);
    checkFailure(basis);
    const auto orbitals = orbitalsFromCheckpoint(*sections);
    checkFailure(orbitals);
    if (orbitals) evaluateDefault(*orbitals);
    const auto input = hessianInputFromCheckpoint(*sections);
    checkFailure(input);
    if (input) checkFailure(analyseHessian(*input));
}

void molden(std::string_view text) {
    const auto read = parseMolden(text);
    checkFailure(read);
    if (read) evaluateDefault(read->orbitals);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find('[') < text.find('\n')) // a Molden file opens with a [section]
        molden(text);
    else
        checkpoint(text);
    return 0;
}
