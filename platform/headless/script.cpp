// script.cpp - the RU_SCRIPT grammar: "FRAME COMMAND [ARGS]" per line,
// '#' comments, blank lines skipped. Every bad line is reported with its
// number; nothing here can crash on hostile input.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include "platform/headless/headless.h"
#include "platform/os/files.h"

namespace platform {

namespace {
using Kind = ScriptCommand::Kind;

struct NamedKind {
  std::string_view name;
  Kind kind;
  int args;  // 0, 1 (VK, flag, answer, file) or 2 (X Y)
  int optional = 0;  // further arguments that may follow
};
constexpr NamedKind kCommands[] = {
    {"key", Kind::Key, 1},         {"keydown", Kind::KeyDown, 1},
    {"keyup", Kind::KeyUp, 1},     {"syskeydown", Kind::SysKeyDown, 1},
    {"syskeyup", Kind::SysKeyUp, 1}, {"move", Kind::Move, 2},
    {"ldown", Kind::LDown, 0},     {"lup", Kind::LUp, 0},
    {"ldbl", Kind::LDbl, 0},       {"rdown", Kind::RDown, 0},
    {"rup", Kind::RUp, 0},         {"rdbl", Kind::RDbl, 0},
    {"activate", Kind::Activate, 1}, {"answer", Kind::Answer, 1},
    {"capture", Kind::Capture, 1}, {"close", Kind::Close, 0},
    {"joy", Kind::Joy, 3, 1},      {"joyoff", Kind::JoyOff, 1},
};

struct NamedKey {
  std::string_view name;
  int vk;
};
constexpr NamedKey kKeys[] = {
    {"RETURN", VK_RETURN}, {"SPACE", VK_SPACE}, {"ESCAPE", VK_ESCAPE}, {"UP", VK_UP},
    {"DOWN", VK_DOWN},     {"LEFT", VK_LEFT},   {"RIGHT", VK_RIGHT},   {"SHIFT", VK_SHIFT},
    {"CONTROL", VK_CONTROL}, {"MENU", VK_MENU}, {"TAB", VK_TAB},       {"BACK", VK_BACK},
};

// A whole-word integer in [lo, hi] (decimal, or 0x-hex when hexAllowed).
bool ParseInt(const std::string& word, long lo, long hi, bool hexAllowed, long* out) {
  if (word.empty() || word.size() > 12) return false;
  const bool hex = hexAllowed && word.size() > 2 && word[0] == '0' &&
                   (word[1] == 'x' || word[1] == 'X');
  const char* start = word.c_str() + (hex ? 2 : 0);
  if (*start == '+' || (*start == '-' && hex)) return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(start, &end, hex ? 16 : 10);
  if (errno != 0 || end == start || *end != '\0') return false;
  if (v < lo || v > hi) return false;
  *out = v;
  return true;
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

// Length of the well-formed UTF-8 sequence at text[i] for a printable
// character (U+00A0 and up); 0 for anything else.
size_t Utf8Length(const std::string& text, size_t i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  const size_t n = c >= 0xF8 ? 0 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
  if (n == 0 || n > text.size() - i) return 0;
  char32_t v = c & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) {
    const unsigned char t = static_cast<unsigned char>(text[i + k]);
    if ((t & 0xC0) != 0x80) return 0;
    v = v << 6 | (t & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0, 0xA0, 0x800, 0x10000};
  return v >= kLeast[n] && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF) ? n : 0;
}

// The text with every byte that a terminal would not show as itself
// (controls, NUL, stray or C1 UTF-8 bytes) written as \xNN.
std::string Printable(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += char(c);
      ++i;
    } else if (const size_t n = Utf8Length(text, i)) {
      out.append(text, i, n);
      i += n;
    } else {
      out += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
      ++i;
    }
  }
  return out;
}

std::string Fail(int line, const std::string& why) {
  return "line " + std::to_string(line) + ": " + Printable(why);
}

// "joy ID X Y [BUTTONS]" and "joyoff ID": the id, and for joy the state
// of a plugged-in joystick; empty string or the reason the line is bad.
std::string ParseJoystick(const std::vector<std::string>& words, ScriptCommand* c) {
  long id = 0, x = 0, y = 0, buttons = 0;
  if (!ParseInt(words[2], 0, 1, false, &id))
    return "joystick id must be 0 or 1, got '" + words[2] + "'";
  c->a = int(id);
  if (c->kind == Kind::JoyOff) return std::string();
  if (!ParseInt(words[3], 0, 65535, false, &x) || !ParseInt(words[4], 0, 65535, false, &y))
    return "joy needs a position X Y of whole numbers from 0 to 65535";
  if (words.size() > 5 && !ParseInt(words[5], 0, 0xFFFFFFFFL, true, &buttons))
    return "joy buttons must be a bit mask from 0 to 0xFFFFFFFF (decimal or 0x-hex)";
  c->joystick = JoystickState{true, DWORD(x), DWORD(y), DWORD(buttons)};
  return std::string();
}

// Parses one non-empty line; returns an empty string or the reason it is bad.
std::string ParseLine(const std::vector<std::string>& words, int line, ScriptCommand* c) {
  long frame = 0;
  if (!ParseInt(words[0], 1, 100000000, false, &frame))
    return "frame number must be a whole number from 1, got '" + words[0] + "'";
  if (words.size() < 2) return "a command must follow the frame number";
  const NamedKind* named = nullptr;
  for (const NamedKind& k : kCommands)
    if (k.name == words[1]) named = &k;
  if (!named) return "unknown command '" + words[1] + "'";
  const int given = int(words.size()) - 2;
  if (given < named->args || given > named->args + named->optional)
    return "'" + words[1] + "' takes " + std::to_string(named->args) +
           (named->optional ? " or " + std::to_string(named->args + named->optional) : "") +
           " argument(s), got " + std::to_string(given);
  c->frame = int(frame);
  c->kind = named->kind;
  c->line = line;
  long x = 0, y = 0;
  switch (named->kind) {
    case Kind::Key: case Kind::KeyDown: case Kind::KeyUp:
    case Kind::SysKeyDown: case Kind::SysKeyUp:
      c->a = ParseVirtualKey(words[2]);
      if (c->a < 0) return "'" + words[2] + "' is not a key (1..255, 0x01..0xFF or a key name)";
      break;
    case Kind::Move:
      if (!ParseInt(words[2], -32768, 32767, false, &x) ||
          !ParseInt(words[3], -32768, 32767, false, &y))
        return "move needs two whole numbers X Y from -32768 to 32767";
      c->a = int(x);
      c->b = int(y);
      break;
    case Kind::Activate:
      if (words[2] != "0" && words[2] != "1") return "activate takes 0 or 1";
      c->a = words[2] == "1";
      break;
    case Kind::Answer:
      if (words[2] == "yes") c->a = IDYES;
      else if (words[2] == "no") c->a = IDNO;
      else if (words[2] == "ok") c->a = IDOK;
      else return "answer takes yes, no or ok";
      break;
    case Kind::Capture: c->file = words[2]; break;
    case Kind::Joy: case Kind::JoyOff: return ParseJoystick(words, c);
    default: break;
  }
  return std::string();
}
}  // namespace

int ParseVirtualKey(const std::string& word) {
  long v = 0;
  if (!word.empty() && word[0] >= '0' && word[0] <= '9' && word.size() > 1)
    return ParseInt(word, 1, 255, true, &v) ? int(v) : -1;
  const std::string up = Upper(word);
  for (const NamedKey& k : kKeys)
    if (k.name == up) return k.vk;
  if (up.size() == 1 && ((up[0] >= 'A' && up[0] <= 'Z') || (up[0] >= '0' && up[0] <= '9')))
    return up[0];
  if (up.size() >= 2 && up[0] == 'F' && ParseInt(up.substr(1), 1, 12, false, &v))
    return VK_F1 + int(v) - 1;
  return -1;
}

bool ParseScript(const std::string& text, std::vector<ScriptCommand>* out, std::string* error) {
  std::vector<ScriptCommand> commands;
  // A UTF-8 byte-order mark, as some editors save it, is not part of line 1.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::istringstream in(text.substr(text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0));
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    const size_t hash = raw.find('#');
    if (hash != std::string::npos) raw.resize(hash);
    std::istringstream fields(raw);
    std::vector<std::string> words;
    for (std::string w; fields >> w;) words.push_back(w);
    if (words.empty()) continue;
    ScriptCommand c;
    const std::string why = ParseLine(words, line, &c);
    if (!why.empty()) {
      if (error) *error = Fail(line, why);
      return false;
    }
    commands.push_back(c);
  }
  std::stable_sort(commands.begin(), commands.end(),
                   [](const ScriptCommand& a, const ScriptCommand& b) { return a.frame < b.frame; });
  out->swap(commands);
  return true;
}

bool ReadScriptFile(const std::string& hostPath, std::vector<ScriptCommand>* out,
                    std::string* error) {
  std::vector<unsigned char> bytes;
  ReadFailure why = ReadFailure::None;
  if (!ReadHostFile(hostPath, bytes, kMaxScriptBytes, &why)) {
    if (!error) return false;
    if (why == ReadFailure::TooLarge) *error = "file is larger than 16 MiB";
    else if (why == ReadFailure::Unreadable) *error = "cannot read the file";
    else *error = std::string("cannot open the file (") + DescribeReadFailure(why) + ")";
    return false;
  }
  return ParseScript(std::string(bytes.begin(), bytes.end()), out, error);
}

}  // namespace platform
