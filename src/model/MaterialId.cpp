#include "model/MaterialId.h"

namespace kalviro {

MaterialId materialForElement(int atomicNumber) {
    switch (atomicNumber) {
    case 1: return MaterialId::Green;
    case 6: return MaterialId::Blue;
    case 8: return MaterialId::Red;
    case 16: return MaterialId::Yellow;
    case 17: return MaterialId::Grey;
    case 29: return MaterialId::Copper;
    case 46: return MaterialId::Purple;
    case 47: return MaterialId::Dark;
    default: return MaterialId::Gold;
    }
}

} // namespace kalviro
