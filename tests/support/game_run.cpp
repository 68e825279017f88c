// game_run.cpp - the game program run headless: scripts in, captures and
// logs out.
#include "tests/support/game_run.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace game_test {

namespace {

std::uint32_t Le(const std::vector<unsigned char>& d, size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + i];
  return v;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Prefixes the file of every "capture NAME" line with the run's folder.
std::string AbsoluteCaptures(const std::string& script, const std::string& dir) {
  std::istringstream in(script);
  std::ostringstream out;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string frame, command, file;
    words >> frame >> command >> file;
    if (command == "capture") line = frame + " capture " + dir + "/" + file;
    out << line << "\n";
  }
  return out.str();
}

}  // namespace

std::vector<std::uint32_t> Image::Crop(int x, int y, int w, int h) const {
  std::vector<std::uint32_t> block;
  for (int row = y; row < y + h; ++row)
    for (int col = x; col < x + w; ++col) block.push_back(At(col, row));
  return block;
}

Image LoadBmp(const std::string& path) {
  const std::string file = ReadFile(path);
  const std::vector<unsigned char> d(file.begin(), file.end());
  Image image;
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M' || Le(d, 28, 2) != 24) return image;
  const int width = int(Le(d, 18, 4)), height = int(Le(d, 22, 4));
  const size_t offset = Le(d, 10, 4), rowSize = (size_t(width) * 3 + 3) & ~size_t(3);
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return image;
  if (offset + rowSize * size_t(height) > d.size()) return image;
  image.width = width;
  image.height = height;
  image.pixels.resize(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = &d[offset + rowSize * size_t(height - 1 - y)];
    for (int x = 0; x < width; ++x)
      image.pixels[size_t(y) * width + x] =
          (std::uint32_t(row[3 * x + 2]) << 16) | (row[3 * x + 1] << 8) | row[3 * x];
  }
  return image;
}

bool GameRun::HasFile(const std::string& name) const {
  struct stat st;
  return stat((dir + "/" + name).c_str(), &st) == 0;
}

GameRun RunGame(const std::string& tag, const std::string& script, int maxFrames) {
  GameRun run;
  run.dir = std::string(RU_BINARY_DIR) + "/tests/game_runs/" + tag;
  std::system(("rm -rf '" + run.dir + "' && mkdir -p '" + run.dir + "'").c_str());
  std::ofstream(run.dir + "/script.txt") << AbsoluteCaptures(script, run.dir);
  const std::string command = "cd '" + run.dir + "' && RU_BACKEND=headless RU_FRAME_MS=16 " +
                              "RU_INSTANCE_KEY='game-test-" + tag + "' RU_SCRIPT=script.txt " +
                              "RU_MAX_FRAMES=" + std::to_string(maxFrames) + " '" +
                              RU_BINARY_DIR + "/noughts' > log.txt 2>&1";
  const int status = std::system(command.c_str());
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.log = ReadFile(run.dir + "/log.txt");
  return run;
}

int MoveTo(std::string& script, int frame, int fromRow, int fromCol, int row, int col) {
  auto keys = [&](int count, const char* key) {
    for (int i = 0; i < count; ++i, frame += 2)
      script += std::to_string(frame) + " key " + key + "\n";
  };
  keys(row > fromRow ? row - fromRow : 0, "DOWN");
  keys(row < fromRow ? fromRow - row : 0, "UP");
  keys(col > fromCol ? col - fromCol : 0, "RIGHT");
  keys(col < fromCol ? fromCol - col : 0, "LEFT");
  return frame;
}

namespace {
int R(std::uint32_t c) { return int(c >> 16) & 0xFF; }
int G(std::uint32_t c) { return int(c >> 8) & 0xFF; }
int B(std::uint32_t c) { return int(c) & 0xFF; }
}  // namespace

bool IsPlayer1Mark(std::uint32_t c) { return R(c) > 200 && G(c) < 160 && B(c) < 120; }
bool IsPlayer2Mark(std::uint32_t c) { return B(c) > 200 && G(c) > 150 && R(c) < 120; }
bool IsGreen(std::uint32_t c) { return G(c) > 200 && R(c) < 40 && B(c) < 40; }
bool IsRed(std::uint32_t c) { return R(c) > 200 && G(c) < 40 && B(c) < 40; }

std::vector<std::uint32_t> CellText(const Image& image, int row, int col) {
  return image.Crop(300 + 30 * col, 50 + 30 * row, 12, 14);
}

std::vector<std::uint32_t> PointsText(const Image& image, int player) {
  return image.Crop(20, player == 1 ? 20 : 50, 48, 14);
}

std::vector<std::uint32_t> ResultText(const Image& image) {
  return image.Crop(320, 240, 80, 14);
}

bool AllBlack(const std::vector<std::uint32_t>& block) {
  for (std::uint32_t p : block)
    if (p != 0) return false;
  return true;
}

}  // namespace game_test
