#include "model/GamessReader.h"

#include "model/readers/GamessInputReader.h"

namespace kalviro {

bool GamessReader::read(const std::string& path) {
    return readGamessInput(path);
}

} // namespace kalviro
