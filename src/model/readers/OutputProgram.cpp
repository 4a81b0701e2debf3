#include "model/readers/OutputProgram.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "model/TextLineReader.h"
#include "model/readers/GamessOutputReader.h"
#include "model/readers/NWChemOutputReader.h"
#include "model/readers/OrcaOutputReader.h"
#include "model/readers/Psi4OutputReader.h"
#include "model/readers/QChemOutputReader.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// Texts the user sees.

struct Banner {
    std::string_view text;
    OutputProgram program;
};

// Lines only the program's own banner holds. Firefly's banner also names
// "US GAMESS VERSION", but below its own name, so the first match decides.
constexpr Banner kBanners[] = {
    {"Entering Gaussian System", OutputProgram::Gaussian},
    {"Gaussian, Inc.", OutputProgram::Gaussian},
    {"* O   R   C   A *", OutputProgram::Orca},
    {"Welcome to Q-Chem", OutputProgram::QChem},
    {"Q-Chem, Inc.", OutputProgram::QChem},
    {"Firefly version", OutputProgram::Firefly},
    {"PC GAMESS version", OutputProgram::Firefly},
    {"GAMESS VERSION =", OutputProgram::GamessUS},
    {"Psi4: An Open-Source Ab Initio", OutputProgram::Psi4},
    {"Northwest Computational Chemistry Package", OutputProgram::NWChem},
};

ReadResult<FrequencyJob> fail(std::string_view fileName, std::string_view reason) {
    std::string text(fileName);
    if (!text.empty())
        text += "：";
    text += reason;
    return ReadResult<FrequencyJob>::failure(std::move(text));
}

} // namespace

OutputProgram detectOutputProgram(std::string_view head) {
    OutputProgram found = OutputProgram::Unknown;
    head = head.substr(0, kOutputBannerBytes);
    forEachLine(head, [&](std::string_view line) {
        if (found != OutputProgram::Unknown)
            return;
        for (const Banner& b : kBanners)
            if (line.find(b.text) != std::string_view::npos) {
                found = b.program;
                return;
            }
    });
    return found;
}

std::string gaussianRelease(std::string_view head) {
    std::string release = "Gaussian";
    bool found = false;
    head = head.substr(0, kOutputBannerBytes);
    forEachLine(head, [&](std::string_view line) {
        constexpr std::string_view kStart = " Gaussian ";
        if (found || line.substr(0, kStart.size()) != kStart ||
            line.find(", Revision ") == std::string_view::npos)
            return;
        while (!line.empty() && (line.back() == ',' || line.back() == ' ' || line.back() == '\r'))
            line.remove_suffix(1);
        release = std::string(line.substr(1));
        found = true;
    });
    return release;
}

std::string_view outputProgramName(OutputProgram program) {
    switch (program) {
    case OutputProgram::Gaussian:
        return "Gaussian";
    case OutputProgram::Orca:
        return "ORCA";
    case OutputProgram::QChem:
        return "Q-Chem";
    case OutputProgram::GamessUS:
        return "GAMESS-US";
    case OutputProgram::Firefly:
        return "Firefly";
    case OutputProgram::Psi4:
        return "Psi4";
    case OutputProgram::NWChem:
        return "NWChem";
    case OutputProgram::Unknown:
        break;
    }
    return {};
}

ReadResult<FrequencyJob> readOtherProgramOutput(std::string_view text, std::string_view fileName) {
    switch (detectOutputProgram(text)) {
    case OutputProgram::Orca:
        return readOrcaOutput(text, fileName);
    case OutputProgram::QChem:
        return readQChemOutput(text, fileName);
    case OutputProgram::GamessUS:
    case OutputProgram::Firefly:
        return readGamessOutput(text, fileName);
    case OutputProgram::Psi4:
        return readPsi4Output(text, fileName);
    case OutputProgram::NWChem:
        return readNWChemOutput(text, fileName);
    case OutputProgram::Gaussian:
        return fail(fileName, msg::kOutputGaussianOutput);
    case OutputProgram::Unknown:
        break;
    }
    return fail(fileName, msg::kOutputUnknownProgram);
}

ReadResult<FrequencyJob> readOtherProgramOutputFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file)
        return fail(path, msg::kOutputCannotOpenX);
    std::string head(kOutputBannerBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
    file.reset();
    switch (detectOutputProgram(head)) {
    case OutputProgram::Orca:
        return readOrcaOutputFile(path);
    case OutputProgram::QChem:
        return readQChemOutputFile(path);
    case OutputProgram::GamessUS:
    case OutputProgram::Firefly:
        return readGamessOutputFile(path);
    case OutputProgram::Psi4:
        return readPsi4OutputFile(path);
    case OutputProgram::NWChem:
        return readNWChemOutputFile(path);
    case OutputProgram::Gaussian:
        return fail(path, msg::kOutputGaussianOutput);
    case OutputProgram::Unknown:
        break;
    }
    return fail(path, msg::kOutputUnknownProgram);
}

} // namespace kalviro
