// resources.cpp - the program's compiled-in resource table (icon, bitmaps,
// WAVE sounds), looked up by type and case-insensitive name.
#include "platform/os/resources.h"

#include <string>
#include <vector>

#include "platform/os/encoding.h"

namespace platform {

namespace {
struct Entry {
  ResourceType type;
  std::string name;  // upper case
  Resource data;
};

// Function-local so registrations from static initialisers of any file see
// a constructed table.
std::vector<Entry>& Table() {
  static std::vector<Entry> table;
  return table;
}

std::string Upper(const char* s) {
  std::string out(s ? s : "");
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsLeadByte(c)) ++i;  // leave the trail byte alone
    else if (c >= 'a' && c <= 'z') out[i] = char(c - 'a' + 'A');
  }
  return out;
}
}  // namespace

void RegisterResource(ResourceType type, const char* name, const unsigned char* data,
                      size_t size) {
  const std::string key = Upper(name);
  for (Entry& e : Table())
    if (e.type == type && e.name == key) {
      e.data = Resource{data, size};
      return;
    }
  Table().push_back(Entry{type, key, Resource{data, size}});
}

bool FindResource(ResourceType type, const char* name, Resource* out) {
  if (!name) return false;
  const std::string key = Upper(name);
  for (const Entry& e : Table())
    if (e.type == type && e.name == key) {
      if (out) *out = e.data;
      return true;
    }
  return false;
}

}  // namespace platform
