// resources.h - what a Windows program keeps inside its file: the icon
// "MAIN", bitmap and WAVE resources. Here a table compiled into the program.
//
// A program registers its resources at static-initialisation time with
// RU_RESOURCE (or RegisterResource); lookups are by type and name, names
// compared case-insensitively as Windows does.
#pragma once

#include <cstddef>

namespace platform {

// Wave is the "WAVE" type; RcData is RT_RCDATA (raw bytes).
enum class ResourceType { Icon, Bitmap, Wave, RcData };

struct Resource {
  const unsigned char* data;
  size_t size;
};

// Adds a resource; a later one of the same type and name replaces it.
void RegisterResource(ResourceType type, const char* name, const unsigned char* data,
                      size_t size);
// Finds a resource; false (and nothing written) when there is none, as a
// missing Windows resource fails.
bool FindResource(ResourceType type, const char* name, Resource* out);

#define RU_RESOURCE_CAT2(a, b) a##b
#define RU_RESOURCE_CAT(a, b) RU_RESOURCE_CAT2(a, b)
// Registers a resource from a static initialiser:
// RU_RESOURCE(platform::ResourceType::Bitmap, "BACK", bytes, sizeof bytes);
#define RU_RESOURCE(type, name, data, size)                              \
  static const bool RU_RESOURCE_CAT(ruResource_, __COUNTER__) =          \
      (::platform::RegisterResource((type), (name), (data), (size)), true)

}  // namespace platform
