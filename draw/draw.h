// draw.h - ruDraw: screen set-up, the draw object table and bitmaps,
// drawing objects with the clip window, presentation, and primitives.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/display.h"
#include "platform/gdi.h"
#include "platform/win_types.h"

namespace ruDraw {

// ---------------------------------------------------------------- screen
extern platform::Display* DirectDraw;
extern platform::Surface* PrimarySurface;
extern platform::Surface* BackBuffer;
extern platform::Clipper* ScreenClipper;
extern int ScreenWidth, ScreenHeight;
extern RECT ScreenRect;
extern int HardwareDevice;
extern int CanStretch;

// Pixel-format values derived by screen set-up.
extern DWORD RedMask, GreenMask, BlueMask;
extern WORD RedShift, GreenShift, BlueShift;
extern DWORD RedMax, GreenMax, BlueMax;
extern WORD RedShift5, GreenShift5, BlueShift5;
extern DWORD HalfMask;
extern DWORD WhiteColor;

// Effect lookup tables (the sine table is built in every mode).
extern std::int32_t SineTable[450];

// Opens the display, the back buffer and the internal sprites; 1 or 0.
int Screen(int width, int height, int memory);
// Releases every draw object and the display (program end).
void ExitScreen();
// Driver enumeration: takes a driver with 3D and texture capabilities
// (stores it through `context`, a platform::Display**) and stops there.
BOOL EnumCallback(const platform::DriverInfo* driver, const char* description,
                  const char* name, void* context);

// ---------------------------------------------------------------- objects
constexpr int kObjectCount = 1024;
constexpr int kFirstLoadedObject = 4;

struct DrawObject {
  platform::Surface* surface;
  char name[32];
  int packFlag;
  int memoryKind;
  int colorKey;        // COLORREF, or -1: the top-left pixel's colour
  std::int16_t width, height;
};
extern DrawObject Objects[kObjectCount];
extern COLORREF ColorKey;
extern int ColorKeyTopLeft;

// True if `objectNo` names a slot of the table that holds a surface.
bool HasSurface(int objectNo);

int LoadObject(const char* name, int memory);
int CreateObject(int width, int height, int memory);
int SwapObject(const char* name, int objectNo, int memory);
void FreeObject(int objectNo);
void RestoreAll();
void SetColorKey(COLORREF color);
void SetColorKeyTopLeft();
HRESULT SetObjectColorKey(int objectNo, COLORREF color);
HRESULT SetObjectColorKeyTopLeft(int objectNo);
HRESULT CopyColorKey(int destination, int source);
platform::Surface* LoadBitmapSurface(platform::Display* display, const char* path,
                                     std::int16_t* width, std::int16_t* height, int memory);
HRESULT CopyBitmap(platform::Surface* surface, platform::Bitmap* bitmap, int x, int y,
                   int width, int height);
DWORD ColorMatch(platform::Surface* surface, COLORREF rgb);
HRESULT SetSurfaceColorKey(platform::Surface* surface, COLORREF rgb);
// Draw packs fill slots from pack files (joins later).
int SwapPack(const char* name, int objectNo, int memory);

// ---------------------------------------------------------------- drawing
extern RECT ClipWindow;
extern int VSyncWait;
extern float WavePhase; extern int WaveSign;
extern float WaveScrollPhase, WaveScroll;
extern float WaveTilePhase, WaveTileScroll;
extern float TileX, TileY;
extern float AccordionPhase;
extern int TransitionObject;
extern int OverlayShown, OverlayPage, OverlayBack, OverlayLimit;
extern float OverlayScroll, OverlayBackX, OverlayBackY;

void SetClipWindow(int left, int top, int right, int bottom);
void Draw(int x, int y, int objectNo, int left, int top, int right, int bottom);
void DrawNoKey(int x, int y, int objectNo, int left, int top, int right, int bottom);
void DrawToObject(int destination, int x, int y, int source, int left, int top, int right,
                  int bottom);
void DrawToObjectNoKey(int destination, int x, int y, int source, int left, int top,
                       int right, int bottom);
void DrawStretch(int x, int y, int objectNo, int left, int top, int right, int bottom,
                 int width, int height);
void DrawStretchNoKey(int x, int y, int objectNo, int left, int top, int right, int bottom,
                      int width, int height);
int DrawFlip(int x, int y, int mode, int objectNo, int left, int top, int right, int bottom);
void DrawWave(int x, int y, int amplitude, int divisor, float speed, int objectNo, int left,
              int top, int right, int bottom, int alternate);
void DrawWaveScroll(int x, int y, int amplitude, int divisor, float speed, float scrollSpeed,
                    int objectNo, int left, int top, int right, int bottom);
void DrawWaveTile(int firstLine, int lastLine, int amplitude, int divisor, float speed,
                  float scrollSpeed, int objectNo, int left, int top, int right, int bottom);
void DrawTile(float speedX, float speedY, int objectNo, int left, int top, int right,
              int bottom);
void DrawLineRepeat(int x, int y, int step, int objectNo, int left, int top, int right,
                    int bottom);
void DrawInterlace(int x, int y, int step, int objectNo, int left, int top, int right,
                   int bottom);
void DrawShake(int x, int y, int amount, int objectNo, int left, int top, int right,
               int bottom);
void DrawAccordion(int x, int y, int forward, float speed, int objectNo, int left, int top,
                   int right, int bottom);

HRESULT ClearScreen();
HRESULT ClearObject(int objectNo);
HRESULT ClearRect(int left, int top, int right, int bottom);
HRESULT FrameRect(int left, int top, int right, int bottom);
HRESULT WhiteScreen();
HRESULT WhiteRect(int left, int top, int right, int bottom);
HRESULT FillRect(int left, int top, int right, int bottom, DWORD pixel);
int HalfRect(int left, int top, int right, int bottom, DWORD pixel);

void Present();
void SetVSync(int flag);
int LoadTransition(const char* name);
void CloseTransition();
void OpenTransition();
void LoadOverlay(const char* pageName, const char* backName, int pageHeight);
void ToggleOverlay();

// ---------------------------------------------------------------- primitives
extern platform::Dc* BackDC;
HRESULT Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF line, int width);
HRESULT Line(int x1, int y1, int x2, int y2, COLORREF color, int width);
HRESULT Bezier(const POINT* points, int count, COLORREF color, int width);
HRESULT Polygon(const POINT* points, int count, COLORREF color, COLORREF background,
                int width, int fill);
HRESULT SetPixel(int x, int y, COLORREF color);
void GetPixel(int x, int y, int* red, int* green, int* blue);
HRESULT InvertBox(int left, int top, int right, int bottom);
void GetScreen(int objectNo, int left, int top, int right, int bottom);
HRESULT GetBackDC();
HRESULT ReleaseBackDC();

}  // namespace ruDraw
