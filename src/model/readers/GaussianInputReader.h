#pragma once
// Reader of Gaussian input files (.dat, .com, .gjf): the molecule section as
// a Z-matrix (with parameters from the Variables and Constants sections) or
// as Cartesian coordinates. Only the atoms are read.

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/Atom.h"

namespace kalviro {

enum class InputReadStatus { Ok, CannotOpen, BadZMatrix };

struct InputReadResult {
    InputReadStatus status = InputReadStatus::Ok;
    std::vector<Atom> atoms; // position and symbol text filled
};

// Feed every line (without its end) in order, then finish().
class GaussianInputParser {
  public:
    void feedLine(std::string_view line);
    InputReadResult finish() const;

  private:
    enum class Section { Preamble, Route, Title, Charge, Molecule, Parameters };

    void collectReferencedNames();

    Section section_ = Section::Preamble;
    std::vector<std::vector<std::string>> moleculeLines_;
    std::set<std::string> referenced_;              // fields of the molecule lines
    std::map<std::string, std::string> parameters_; // first definition wins
};

// The tokens of a molecule line: blanks, tabs and commas separate them.
std::vector<std::string> moleculeLineTokens(std::string_view line);

InputReadResult parseInputText(std::string_view text);
InputReadResult parseInputFile(const std::string& path);


} // namespace kalviro
