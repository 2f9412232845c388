#include "base/Globals.h"

namespace pictavo {

Globals& globals() {
  static Globals g;
  return g;
}

}  // namespace pictavo
