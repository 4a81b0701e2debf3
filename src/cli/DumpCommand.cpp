#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "cli/Dump.h"
#include "document/Document.h"
#include "model/FileKind.h"
#include "orbital/CheckpointReader.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

using nlohmann::json;

json vectorJson(const Vector3& v) {
    return json::array({v.x, v.y, v.z});
}

json documentJson(const Document& doc) {
    const MoleculeState& m = doc.molecule;
    const VibrationStore& v = doc.vibrations;
    const ViewSettings& s = doc.view;
    json atoms = json::array();
    for (const Atom& a : m.atoms)
        atoms.push_back({{"symbol", a.symbol},
                         {"atomicNumber", a.atomicNumber},
                         {"x", a.x},
                         {"y", a.y},
                         {"z", a.z}});
    json modes = json::array();
    for (const auto& mode : v.modes) {
        json vectors = json::array();
        for (const Vector3& d : mode)
            vectors.push_back(vectorJson(d));
        modes.push_back(std::move(vectors));
    }
    json dipoles = json::array();
    for (const Vector3& d : v.dipoleDerivatives)
        dipoles.push_back(vectorJson(d));
    json out = {{"program", v.program},
                {"atoms", std::move(atoms)},
                {"frequencies", v.frequencies},
                {"intensities", v.intensities},
                {"symmetries", v.symmetries},
                {"modes", std::move(modes)},
                {"dipoleDerivatives", std::move(dipoles)},
                {"modesLoaded", s.modesLoaded},
                {"dipolesLoaded", s.dipolesLoaded},
                {"source",
                 {{"modes", v.sources.modes},
                  {"intensities", v.sources.intensities},
                  {"dipoleDerivatives", v.sources.dipoleDerivatives}}}};
    // Only outputs that print them: the other dumps keep their bytes.
    if (!v.ramanActivities.empty())
        out["ramanActivities"] = v.ramanActivities;
    return out;
}

} // namespace

std::optional<json> dumpFile(const std::string& path, const LoadOptions& load) {
    Document doc;
    if (!loadFileWithOptions(doc, path, load))
        return std::nullopt;
    json out = documentJson(doc);
    if (fileKindOf(path) == FileKind::Molden)
        out["orbitals"] = orbitalList(path);
    return out;
}

std::string dumpSummary(const Document& doc) {
    return "atoms " + std::to_string(doc.molecule.atoms.size()) + " modes " +
           std::to_string(doc.vibrations.modes.size()) + " dipoleDerivatives " +
           std::to_string(doc.vibrations.dipoleDerivatives.size());
}

void addDumpCommand(CLI::App& app, int& status) {
    struct Options {
        std::string file;
        bool summary = false;
        int mo = 0;
        LoadOptions load;
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "dump", "Read FILE as the viewer does and print the loaded data as one JSON object");
    cmd->add_option("FILE", options->file,
                    "Gaussian output (.log, .out) or input (.dat, .com, .gjf), GAMESS input "
                    "(.inp), or formatted checkpoint (.fchk, .fch)")
        ->required();
    cmd->add_flag("--summary", options->summary,
                  "Print only the counts of atoms, modes and dipole derivatives");
    cmd->add_option("--mo", options->mo,
                    "Checkpoint files: orbital to list, 1-based (default: HOMO)");
    addLoadOptions(cmd, options->load);
    cmd->callback([options, cmd, &status] {
        // With --isotope a checkpoint file's dump is its recomputed vibrations.
        if (fileKindOf(options->file) == FileKind::Checkpoint && options->load.isotopes.empty()) {
            status = dumpCheckpoint(
                options->file, cmd->count("--mo") ? std::optional<int>(options->mo) : std::nullopt);
            return;
        }
        if (options->summary) {
            Document doc;
            if (!loadFileWithOptions(doc, options->file, options->load)) {
                status = 1;
                return;
            }
            std::printf("%s\n", dumpSummary(doc).c_str());
            return;
        }
        auto j = dumpFile(options->file, options->load);
        if (!j) {
            status = 1;
            return;
        }
        // Texts are stored as the file's bytes; bytes that are not UTF-8
        // (a Shift_JIS title, a damaged label) become U+FFFD in the JSON.
        std::printf("%s\n", j->dump(-1, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
    });
}

} // namespace kalviro
