// packs_stub.cpp - draw pack files are not read yet: reloading a pack
// object does nothing and reports failure.
#include "draw/draw.h"

namespace ruDraw {

int SwapPack(const char* name, int objectNo, int memory) { return 0; }

}  // namespace ruDraw
