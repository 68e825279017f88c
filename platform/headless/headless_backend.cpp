// headless_backend.cpp - placeholder until the headless backend lands.
#include <cstdio>
#include <cstdlib>

#include "platform/headless/headless.h"

namespace platform {

std::unique_ptr<Backend> CreateHeadlessBackendFromEnvironment() {
  std::fprintf(stderr, "headless backend not available yet\n");
  std::exit(2);
}

}  // namespace platform
