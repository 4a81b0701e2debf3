#pragma once
// Reader of the $DATA group of a GAMESS input file (.inp): one atom per line
// "label charge x y z", the element from the nuclear charge.

#include <string>
#include <string_view>
#include <vector>

#include "model/Atom.h"

namespace kalviro {

enum class GamessReadStatus { Ok, CannotOpen, BadGroup };

struct GamessReadResult {
    GamessReadStatus status = GamessReadStatus::Ok;
    std::vector<Atom> atoms; // position, label and atomic number filled
};

// Feed every line (without its end) in order, then finish().
class GamessInputParser {
  public:
    void feedLine(std::string_view line);
    GamessReadResult finish() const;

  private:
    void readAtomLine(std::string_view line);

    int groupLine_ = 0; // 0 before the $DATA line, then its line in the group
    std::string beforeData_; // the groups before $DATA ($CONTRL says how atoms are listed)
    std::string pointGroup_; // the $DATA group's point-group line
    int firstAtomLine_ = 5;
    bool ended_ = false;    // the $END line was seen
    float charge_ = 0.0f;   // kept from line to line, as a line without one reuses it
    int completeLines_ = 0; // lines that gave all five fields
    std::vector<Atom> atoms_;
};

GamessReadResult parseGamessText(std::string_view text);
GamessReadResult parseGamessFile(const std::string& path);


} // namespace kalviro
