// draw.h - ruDraw: screen set-up, the draw object table and bitmaps,
// drawing objects with the clip window, presentation, and primitives.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi/bitmap.h"
#include "platform/surface/display.h"
#include "platform/gdi/gdi.h"
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

// New object from a BMP file (program folder) or bitmap resource; its number or 0.
int LoadObject(const char* name, int memory);
// New blank object named "*"; its number or 0.
int CreateObject(int width, int height, int memory);
// Loads a new picture into an existing slot, keeping its number; 1 or 0.
int SwapObject(const char* name, int objectNo, int memory);
// Releases an object's surface and empties its slot.
void FreeObject(int objectNo);
// Restores lost surfaces and reloads the pictures of loaded objects.
void RestoreAll();
// The colour made transparent in objects loaded from now on.
void SetColorKey(COLORREF color);
// Objects loaded from now on are keyed by their top-left pixel.
void SetColorKeyTopLeft();
// Keys an object by a colour (stored in its slot).
HRESULT SetObjectColorKey(int objectNo, COLORREF color);
// Keys an object by its top-left pixel (slot key -1).
HRESULT SetObjectColorKeyTopLeft(int objectNo);
// Gives the destination object the source surface's key.
HRESULT CopyColorKey(int destination, int source);
// A surface holding the bitmap resource or file `path`; nullptr if none,
// with the reason in `why` if given.
platform::Surface* LoadBitmapSurface(platform::Display* display, const char* path,
                                     std::int16_t* width, std::int16_t* height, int memory,
                                     std::string* why = nullptr);
// Stretches the bitmap's (x, y, width, height) over the whole surface.
HRESULT CopyBitmap(platform::Surface* surface, platform::Bitmap* bitmap, int x, int y,
                   int width, int height);
// The surface's raw pixel value for a colour (-1: its top-left pixel).
DWORD ColorMatch(platform::Surface* surface, COLORREF rgb);
// Sets the surface's source key from a colour (-1: its top-left pixel).
HRESULT SetSurfaceColorKey(platform::Surface* surface, COLORREF rgb);

// ---------------------------------------------------------------- draw packs
extern char DrawPackPath[256];
// Names the pack (program folder + name) that later pack loads read.
char* SelectPack(const char* name);
// New object from the selected pack's entry `name` (any case); its number or 0.
int LoadPack(const char* name, int memory);
// Loads the entry into an existing slot, keeping its number; the number or 0.
int SwapPack(const char* name, int objectNo, int memory);
// Appends every "*.BMP" of `folder` to the pack (fresh: start a new file);
// needs a display of more than 16 bits per pixel. 1, or 0 after a report.
int Convert(const char* packName, const char* folder, int fresh);
// Appends one BMP file (relative name) to the pack; 1 if an entry was written.
int ConvertFile(const char* packName, const char* relativeName);
// Appends a surface's picture (width x height) as entry `name` to the pack
// at the library path `packPath`; 1 if the whole entry was written.
int AppendPackEntry(const char* packPath, platform::Surface* surface, int width, int height,
                    const char* name);

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

// The rectangle (right, bottom exclusive) that object drawing keeps to.
void SetClipWindow(int left, int top, int right, int bottom);
// Copies the source rectangle to (x, y) with the object's colour key.
void Draw(int x, int y, int objectNo, int left, int top, int right, int bottom);
// As Draw, without the colour key.
void DrawNoKey(int x, int y, int objectNo, int left, int top, int right, int bottom);
// As Draw, onto another object (still clipped to the clip window).
void DrawToObject(int destination, int x, int y, int source, int left, int top, int right,
                  int bottom);
// As DrawToObject, without the colour key.
void DrawToObjectNoKey(int destination, int x, int y, int source, int left, int top,
                       int right, int bottom);
// Scales the source rectangle to width x height at (x, y), keyed.
void DrawStretch(int x, int y, int objectNo, int left, int top, int right, int bottom,
                 int width, int height);
// As DrawStretch, without the colour key.
void DrawStretchNoKey(int x, int y, int objectNo, int left, int top, int right, int bottom,
                      int width, int height);
// Software copy mirrored (mode 1), upside down (2) or both (3); 0 pixels skipped.
int DrawFlip(int x, int y, int mode, int objectNo, int left, int top, int right, int bottom);
// Rows shifted by a cosine wave that moves with FrameTime.
void DrawWave(int x, int y, int amplitude, int divisor, float speed, int objectNo, int left,
              int top, int right, int bottom, int alternate);
// A wave whose source rows also scroll upwards.
void DrawWaveScroll(int x, int y, int amplitude, int divisor, float speed, float scrollSpeed,
                    int objectNo, int left, int top, int right, int bottom);
// Screen lines first..last-1 filled with wavy, scrolling tiled rows.
void DrawWaveTile(int firstLine, int lastLine, int amplitude, int divisor, float speed,
                  float scrollSpeed, int objectNo, int left, int top, int right, int bottom);
// Covers the screen with copies of the rectangle, scrolling.
void DrawTile(float speedX, float speedY, int objectNo, int left, int top, int right,
              int bottom);
// Every step-th row repeated step times.
void DrawLineRepeat(int x, int y, int step, int objectNo, int left, int top, int right,
                    int bottom);
// Every step-th row only (step < 0: random gaps).
void DrawInterlace(int x, int y, int step, int objectNo, int left, int top, int right,
                   int bottom);
// Each row shifted randomly by up to `amount`.
void DrawShake(int x, int y, int amount, int objectNo, int left, int top, int right,
               int bottom);
// Rows folded and spread like an accordion, unkeyed.
void DrawAccordion(int x, int y, int forward, float speed, int objectNo, int left, int top,
                   int right, int bottom);

// Fills the whole back buffer with 0.
HRESULT ClearScreen();
// Fills an object's surface with 0.
HRESULT ClearObject(int objectNo);
// Fills a back-buffer rectangle with 0.
HRESULT ClearRect(int left, int top, int right, int bottom);
// Draws a one-pixel frame of 0 along the rectangle's edges.
HRESULT FrameRect(int left, int top, int right, int bottom);
// Fills the whole back buffer with WhiteColor.
HRESULT WhiteScreen();
// Fills a back-buffer rectangle with WhiteColor.
HRESULT WhiteRect(int left, int top, int right, int bottom);
// Fills a back-buffer rectangle with a raw 16-bit pixel.
HRESULT FillRect(int left, int top, int right, int bottom, DWORD pixel);
// Mixes a rectangle 50 % with a raw 16-bit pixel (clipped); 1 or 0.
int HalfRect(int left, int top, int right, int bottom, DWORD pixel);

// Draws the transition and overlay, then shows the back buffer.
void Present();
// Whether Present waits for the vertical blank.
void SetVSync(int flag);
// Loads the strip of ten 64 x 48 transition cells; its object number.
int LoadTransition(const char* name);
// Starts a closing transition (cells 1 to 10).
void CloseTransition();
// Starts an opening transition (cells 10 to 1).
void OpenTransition();
// Loads (or reloads) the overlay's page and background tiles.
void LoadOverlay(const char* pageName, const char* backName, int pageHeight);
// Shows or hides the overlay (shown only once one is loaded).
void ToggleOverlay();

// ---------------------------------------------------------------- wipes, capture
// The wipe's direction (0 opening), pattern 1 to 9, edge speed in pixels
// per second and slit width; its running state is ruSystem::WipeState
// (0 none or opened, 1 opening, 2 closing, -1 closed) with the window it
// started from in ruSystem::SavedClipWindow.
extern int WipeClose, WipePattern, WipeWidth;
extern float WipeSpeed;
// Set when an opening / a closing finishes; cleared when a wipe starts.
extern int WipeOpened, WipeClosed;

// Starts an opening (close 0) or closing in a pattern (0: at random);
// 0 while a wipe runs.
int SetWipe(int close, int pattern, float speed, int width);
// Moves the clip window's edges one step; 0 when no wipe runs.
int Wipe();
// Hides the screen at once, as a finished closing does.
void CloseWipe();
// Writes the back buffer's top-left width x height as a 24-bit BMP file
// (program folder + name); 0 when the back buffer cannot be locked or the
// file cannot be written.
int SaveScreen(const char* fileName, int width, int height);

// ---------------------------------------------------------------- primitives
extern platform::Dc* BackDC;
// A filled rectangle with an outline.
HRESULT Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF line, int width);
// A line without its end point.
HRESULT Line(int x1, int y1, int x2, int y2, COLORREF color, int width);
// Bezier curves through 3n + 1 points.
HRESULT Bezier(const POINT* points, int count, COLORREF color, int width);
// A closed polygon: hollow (fill 0), hatched on a colour (1) or over the picture (2).
HRESULT Polygon(const POINT* points, int count, COLORREF color, COLORREF background,
                int width, int fill);
// Sets one back-buffer pixel.
HRESULT SetPixel(int x, int y, COLORREF color);
// Reads one back-buffer pixel as 8-bit channels.
void GetPixel(int x, int y, int* red, int* green, int* blue);
// Inverts a rectangle's pixels.
HRESULT InvertBox(int left, int top, int right, int bottom);
// Copies a back-buffer rectangle to (0, 0) of an object.
void GetScreen(int objectNo, int left, int top, int right, int bottom);
// Lends the back buffer's device context (BackDC).
HRESULT GetBackDC();
// Gives BackDC back.
HRESULT ReleaseBackDC();

}  // namespace ruDraw
