#include "cli/CliCommands.h"

#include "document/FileOpening.h"
#include "document/OrbitalSelection.h"

namespace kalviro {
namespace {

// The "MO" group of a batch run: nobody types in it, so the HOMO is computed.
class BatchOrbitalFields final : public OrbitalFieldsView {
public:
    OrbitalFields& orbitalFields() override { return fields_; }
    void showOrbitalFields() override {}
    std::string orbitalNumberText() const override { return std::to_string(fields_.orbitalNumber); }

private:
    OrbitalFields fields_;
};

} // namespace

bool loadFileAsProgram(const std::string& path) {
    static BatchOrbitalFields fields;
    setCheckpointOpener([](const std::string& p) { return openCheckpoint(p, fields); });
    return openMoleculeFile(path).read;
}

} // namespace kalviro
