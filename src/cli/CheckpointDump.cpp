#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/CliCommands.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"
#include "orbital/CheckpointReader.h"
#include "orbital/MolecularOrbital.h"
#include "platform/Platform.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

using nlohmann::json;

std::optional<CheckpointContents> parseFile(const std::string& path, int orbitalIndex) {
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file) {
        showMessage(msg::kCannotOpenFile);
        return std::nullopt;
    }
    TextLineReader reader(file.get());
    CheckpointContents contents = parseCheckpoint(reader, orbitalIndex);
    if (reader.failed()) {
        showMessage(msg::kCannotOpenFile);
        return std::nullopt;
    }
    return contents;
}

// Whether the built-in sets rebuild exactly the file's basis functions.
bool supportedBasis(const CheckpointContents& c) {
    const std::string name = upperCaseName(c.basisName);
    const BasisFamily family = basisFamilyOf(name);
    long total = 0;
    for (std::int32_t z : c.atomicNumbers) {
        const int n = builtInFunctionCount(family, name, z);
        if (n < 0)
            return false;
        total += n;
    }
    return !c.atomicNumbers.empty() && total == leadingInteger(c.basisCountText);
}

} // namespace

json orbitalList(const std::string& path) {
    json list = json::array();
    const auto file = readFileOrbitals(path);
    if (!file)
        return list;
    for (const Orbital& o : file->set.orbitals)
        list.push_back({{"number", o.number},
                        {"spin", o.spin == Spin::Alpha ? "alpha" : "beta"},
                        {"energy", o.energy},
                        {"occupation", o.occupation}});
    return list;
}

int dumpCheckpoint(const std::string& path, std::optional<int> mo) {
    const auto homo = parseFile(path, -1);
    if (!homo)
        return 1;
    const int basisCount = leadingInteger(homo->basisCountText);
    if (mo && (*mo < 1 || *mo > basisCount)) {
        showMessage(msg::kBadOrbitalNumber);
        return 1;
    }
    std::optional<CheckpointContents> wanted = homo;
    if (mo && *mo - 1 != homo->orbitalIndex)
        wanted = parseFile(path, *mo - 1);
    if (!wanted)
        return 1;

    json coords = json::array();
    for (std::size_t n = 0; n < homo->atomicNumbers.size(); ++n) {
        json xyz = json::array();
        for (std::size_t a = 0; a < 3; ++a) {
            const std::size_t k = 3 * n + a;
            xyz.push_back(k < homo->coordinates.size() ? homo->coordinates[k] : 0.0);
        }
        coords.push_back(std::move(xyz));
    }
    const json out = {{"atomnos", homo->atomicNumbers},
                      {"atomcoords_bohr", std::move(coords)},
                      {"nbasis", basisCount},
                      {"nelectrons", leadingInteger(homo->electronCountText)},
                      {"homo_index_1based", homo->orbitalIndex + 1},
                      {"homo_alpha_mo_coefficients", homo->coefficients},
                      {"mo_index_1based", wanted->orbitalIndex + 1},
                      {"alpha_mo_coefficients", wanted->coefficients},
                      {"basis_name_line2_field", homo->basisName},
                      {"supported_basis", supportedBasis(*homo)},
                      {"pure_cartesian_d", homo->pureCartesianD},
                      {"orbitals", orbitalList(path)}};
    std::printf("%s\n", out.dump().c_str());
    return 0;
}

} // namespace kalviro
