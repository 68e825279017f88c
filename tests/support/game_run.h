// game_run.h - runs the game program headless with a script and reads
// back what it captured and logged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace game_test {

// A 24-bit BMP capture as 0xRRGGBB pixels, top row first.
struct Image {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  // The w x h block at (x, y), row by row (for comparing printed text).
  std::vector<std::uint32_t> Crop(int x, int y, int w, int h) const;
};

// Reads a 24-bit bottom-up BMP; an empty image if the file is not one.
Image LoadBmp(const std::string& path);

struct GameRun {
  int exitCode = -1;
  std::string dir;  // the run's folder: script, captures, log
  std::string log;  // stderr and stdout of the program
  // The capture named `name` in the run's folder.
  Image Capture(const std::string& name) const { return LoadBmp(dir + "/" + name); }
  bool HasFile(const std::string& name) const;
};

// Runs the game with RU_BACKEND=headless, the script (lines "FRAME COMMAND
// [ARGS]"; "capture NAME" names are made absolute in the run's folder) and
// RU_MAX_FRAMES = maxFrames. `tag` names the run's folder.
GameRun RunGame(const std::string& tag, const std::string& script, int maxFrames);

// Script lines that move the selection box from the centre to (row, col)
// one key per frame starting at `frame`; returns the next free frame.
int MoveTo(std::string& script, int frame, int fromRow, int fromCol, int row, int col);

// Colour tests for the two marks and the outlines (after 16-bit rounding).
bool IsPlayer1Mark(std::uint32_t rgb);
bool IsPlayer2Mark(std::uint32_t rgb);
bool IsGreen(std::uint32_t rgb);
bool IsRed(std::uint32_t rgb);

// The printed board value of a cell: its text block (compare to another).
std::vector<std::uint32_t> CellText(const Image& image, int row, int col);
// The printed "pt1=" / "pt2=" line.
std::vector<std::uint32_t> PointsText(const Image& image, int player);
// The result scene's text block at (320, 240).
std::vector<std::uint32_t> ResultText(const Image& image);
// True if every pixel of the block is black.
bool AllBlack(const std::vector<std::uint32_t>& block);

}  // namespace game_test
