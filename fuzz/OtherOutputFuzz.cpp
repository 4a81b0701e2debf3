// The text output readers called on the input itself: the reader of the
// program named by the banner, the Gaussian line parser, and the GAMESS
// symmetry expansion on atoms made from the input's numbers.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/Atom.h"
#include "model/NumberText.h"
#include "model/readers/GamessSymmetry.h"
#include "model/readers/GaussianOutputReader.h"
#include "model/readers/OutputProgram.h"

namespace {

using namespace kalviro;

void feedGaussian(std::string_view text) {
    GaussianOutputParser parser;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        parser.feedLine(line);
        start = end + 1;
    }
    (void)parser.finish();
}

// Up to eight atoms from the numbers of the lines after the first; a line
// gives an atom from its first four numbers (Z x y z).
std::vector<Atom> atomsFrom(std::string_view rest) {
    std::vector<Atom> atoms;
    std::size_t start = 0;
    while (start < rest.size() && atoms.size() < 8) {
        std::size_t end = rest.find('\n', start);
        if (end == std::string_view::npos) end = rest.size();
        std::string_view line = rest.substr(start, end - start);
        start = end + 1;
        double v[4];
        int n = 0;
        std::size_t p = 0;
        while (n < 4 && p < line.size()) {
            while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
            std::size_t q = p;
            while (q < line.size() && line[q] != ' ' && line[q] != '\t') ++q;
            if (q == p) break;
            if (!parseWholeNumber(line.substr(p, q - p), v[n])) break;
            ++n;
            p = q;
        }
        if (n < 4) continue;
        Atom a;
        a.setElementByNumber(static_cast<int>(v[0]) % 119);
        a.x = v[1];
        a.y = v[2];
        a.z = v[3];
        atoms.push_back(a);
    }
    return atoms;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const OutputProgram program = detectOutputProgram(text.substr(0, kOutputBannerBytes));
    (void)outputProgramName(program);
    if (program == OutputProgram::Gaussian || program == OutputProgram::Unknown)
        feedGaussian(text);
    else
        (void)readOtherProgramOutput(text, "fuzz.out");

    // Short inputs also drive the symmetry expansion.
    if (size <= 4096) {
        const std::size_t nl = text.find('\n');
        const std::string_view first = text.substr(0, nl);
        if (auto group = parseGamessPointGroup(first)) {
            const std::string_view rest =
                nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
            (void)expandGamessSymmetry(*group, atomsFrom(rest));
        }
        (void)gamessListsUniqueAtoms(text);
    }
    return 0;
}
