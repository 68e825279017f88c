// starter.cpp - a whole small game to copy and change: steer the face with
// the arrow keys into the goal; a second scene cheers and Space plays again.
//
// A game on this library does not write main(). It defines three functions
// the library calls (its "hooks"):
//   GameInit()     once at start: open the screen, load pictures and sounds
//   PlayScene()    every frame while ruSystem::SceneNo == 1
//   ResultScene()  every frame while ruSystem::SceneNo == 2
// Each frame a scene draws its whole picture into the back buffer and shows
// it with ruDraw::Present(). Setting SceneNo switches scenes next frame.
//
// Strings are written in UTF-8 here; the compiler flags that come with the
// library turn them into Shift-JIS, which is what the library expects.
#include "ru.h"  // everything: ruSystem (loop, keys), ruDraw (pictures, text), ruSound

namespace {

// Colours are RGB(red, green, blue), each 0..255.
constexpr COLORREF kSky = RGB(40, 60, 120);
constexpr COLORREF kGoal = RGB(60, 200, 90);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kCheer = RGB(250, 200, 60);

constexpr int kSpriteSize = 32;       // sprite.bmp is 32 x 32 pixels
constexpr float kSpeed = 300.0f;      // pixels per second
const RECT kGoalRect = {560, 200, 620, 280};

int Sprite = 0;                       // object number of the loaded picture
int Chime = -1;                       // sound number of the goal chime (-1: none)
float SpriteX = 0, SpriteY = 0;       // its top-left corner on the screen

// Key states must live from frame to frame: GetKey compares with the last
// value to tell 1 "just pressed" from 3 "still held" (2: just released).
int Left = 0, Right = 0, Up = 0, Down = 0, Space = 0;

bool Held(int state) { return state == 1 || state == 3; }

// Moves the sprite with the arrow keys. ruSystem::FrameTime is the length of
// the last frame in seconds, so the speed is the same on any machine.
void MoveSprite() {
  ruSystem::GetKey(VK_LEFT, &Left);
  ruSystem::GetKey(VK_RIGHT, &Right);
  ruSystem::GetKey(VK_UP, &Up);
  ruSystem::GetKey(VK_DOWN, &Down);
  const float step = kSpeed * ruSystem::FrameTime;
  if (Held(Left)) SpriteX -= step;
  if (Held(Right)) SpriteX += step;
  if (Held(Up)) SpriteY -= step;
  if (Held(Down)) SpriteY += step;
  // Keep it on the 640 x 480 screen.
  if (SpriteX < 0) SpriteX = 0;
  if (SpriteY < 0) SpriteY = 0;
  if (SpriteX > 640 - kSpriteSize) SpriteX = 640 - kSpriteSize;
  if (SpriteY > 480 - kSpriteSize) SpriteY = 480 - kSpriteSize;
}

bool InGoal() {
  const int cx = static_cast<int>(SpriteX) + kSpriteSize / 2;
  const int cy = static_cast<int>(SpriteY) + kSpriteSize / 2;
  return cx >= kGoalRect.left && cx < kGoalRect.right && cy >= kGoalRect.top &&
         cy < kGoalRect.bottom;
}

}  // namespace

void GameInit() {
  ruDraw::Screen(640, 480, 1);  // first: opens the 640 x 480 window
  // Pixels of this colour in pictures loaded from now on are see-through.
  ruDraw::SetColorKey(RGB(255, 0, 255));
  // File names are Windows-style and relative to the program's folder.
  // On failure the library shows an error box and returns 0.
  Sprite = ruDraw::LoadObject("bmp\\sprite.bmp", 1);
  // Sounds load only when a sound device opened; without one the game is silent.
  if (ruSound::SoundReady) Chime = ruSound::LoadObject("wav\\goal.wav", 1);
  ruSystem::SceneNo = 1;  // start in PlayScene
}

void PlayScene() {
  if (ruSystem::SceneStart) {  // 1 during the scene's first frame only
    SpriteX = 40;
    SpriteY = 224;
  }
  MoveSprite();

  // Draw the frame from back to front: sky, goal, sprite, text.
  ruDraw::Box(0, 0, 640, 480, kSky, kSky, 1);
  ruDraw::Box(kGoalRect.left, kGoalRect.top, kGoalRect.right, kGoalRect.bottom, kGoal,
              kWhite, 2);
  // Draw(x, y, object, source rectangle): the whole 32 x 32 picture, keyed.
  ruDraw::Draw(static_cast<int>(SpriteX), static_cast<int>(SpriteY), Sprite, 0, 0,
               kSpriteSize, kSpriteSize);
  // Text between SetFont and ResetFont (face 1: sans, 24 pixels high).
  ruDraw::SetFont(1, 24, 0, 0, 0, 0);
  ruDraw::SetTextColor(kWhite, 0, 1);  // transparent background
  ruDraw::PutText(20, 20, "矢印キーでゴールへ (arrow keys to the goal)");
  ruDraw::ResetFont();
  ruDraw::Print(20, 450, "Esc: quit");  // quick text, fixed style
  ruDraw::Present();

  if (InGoal()) {
    ruSound::Play(Chime, 0);  // mix buffer 0; a sound number of -1 plays nothing
    ruSystem::SceneNo = 2;
  }
}

void ResultScene() {
  ruDraw::Box(0, 0, 640, 480, kCheer, kCheer, 1);
  ruDraw::SetFont(0, 48, 0, 1, 0, 0);  // face 0: serif; 1: bold
  ruDraw::SetTextColor(RGB(120, 40, 0), 0, 1);
  ruDraw::PutText(230, 180, "ゴール！");
  ruDraw::ResetFont();
  ruDraw::Print(230, 260, "Space: play again");
  ruDraw::Present();

  ruSystem::GetKey(VK_SPACE, &Space);
  if (Space == 1) ruSystem::SceneNo = 1;  // back; SceneStart resets the sprite
}
