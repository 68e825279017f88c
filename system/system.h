// system.h - ruSystem: entry, window and frame loop, waits and timing,
// message boxes and error reports, display-mode questions and cursor, file
// helpers and system queries. Module state is exposed by its documented
// names; game code reads and writes some of it directly (SceneNo, MouseX).
#pragma once

#include "platform/os/messages.h"
#include "platform/win_types.h"

// The game's hooks, supplied by the program that links the library.
// GameInit is called once at start: open the screen, load pictures, set SceneNo.
void GameInit();
// Called every frame while SceneNo is 1.
void PlayScene();
// Called every frame while SceneNo is 2.
void ResultScene();

// The entry point; main() calls it with the command line.
int WinMain(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int show);

namespace ruSystem {

// ---------------------------------------------------------------- state
extern HWND MainWindow;
extern HINSTANCE Instance;
extern char CommandLine[256];
extern int ModeFlags;
extern int FullScreen;
extern int DesktopMode;
extern int DefaultWidth, DefaultHeight;
extern int ClipCursorMode;
extern int AppActive;
extern int CursorShown;
extern int InMessageBox;
extern float FrameTime;
extern DWORD LastFrameTick;
extern int SceneNo;
extern int PrevSceneNo;
extern int SceneStart;
extern DWORD SceneTick;
extern int NextSceneNo;
extern int TransitionDir;
extern int TransitionStep;
extern int WipeState;
extern RECT SavedClipWindow;
extern int BlinkFlag;
extern DWORD BlinkTick;
extern int MouseX, MouseY;
extern int PrevMouseX, PrevMouseY;
extern int MouseMoveX, MouseMoveY;
extern int WindowX, WindowY;
extern RECT ClientRect;
extern int ExitState;
extern int ExitStarted;
extern int ErrorFlag;

// ---------------------------------------------------------------- entry, loop
// The window procedure: input, activation, close and painting messages.
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The start values of the system and input state.
void InitState();
// 1 for the first instance; 0 (after asking the first to raise its window) otherwise.
int CheckInstance(const char* caption);
// Stores whether the application is the active one.
void SetActive(int active);
// Activation hook: with 0 before the first frame, 1 on each reactivation.
void OnActivate(int active);
// Releases everything in order and closes the window; only the first call works.
int Exit();
// Exits when an error was reported; returns ErrorFlag.
int ExitOnError();
// The frame step (exposed for tests that drive the loop by hand).
void FrameStep();

// ---------------------------------------------------------------- waits
extern DWORD WaitDeadline[12];  // entries 1..10 numbered waits, 11 Sleep
// Starts wait waitNo (1..10) to elapse after the given milliseconds.
int SetWait(int waitNo, DWORD milliseconds);
// Puts wait waitNo back into the not-started state.
int InitWait(int waitNo);
// 1 once wait waitNo has elapsed, else 0 (a number outside 1..10: 1).
int CheckWait(int waitNo);
// FrameTime 0, measured again from now.
void ResetFrameTime();
// FrameTime = seconds since the last measurement.
void MeasureFrameTime();
// Blocks for at least the given milliseconds, handling no messages.
void Sleep(DWORD milliseconds);
// What screen set-up resets: waits, input lock, system-key mode, full-screen clip.
int Reset();

// ---------------------------------------------------------------- messages
// A formatted (printf-style) notice box.
void Message(const char* format, ...);
// A formatted yes/no box; 1 for yes.
int Question(const char* format, ...);
// The error report: beep, "tag : message" box, ErrorFlag set; returns 0.
int Error(const char* tag, const char* message, int code);
// ErrorFlag: whether an error was reported.
int IsError();
// Appends one formatted line to DEBUG.TXT (current directory); 0 if it cannot be opened.
int WriteLog(const char* format, ...);

// ---------------------------------------------------------------- display mode, cursor
extern int ColorDepth, ColorDepthAlt1, ColorDepthAlt2;
extern int CursorClipped;
extern int ImeState;
// The depth the game needs and the two depths to try next.
void SetColorDepth(int depth, int alternative1, int alternative2);
// The display's bits per pixel.
int GetColorDepth();
// 1 unless full-screen mode was chosen.
int IsWindowed();
// Explains a too-low desktop depth and offers full screen; 0 when the program was told to end.
int CheckColorDepth(const char* fileName);
// Keeps the cursor inside a screen rectangle.
int ClipCursorRect(int left, int top, int right, int bottom);
// Keeps the cursor inside the screen (full screen) or the client area.
int ClipCursorToWindow();
// Frees the cursor.
int UnclipCursor();
// Whether this program has clipped the cursor.
int IsCursorClipped();
// Moves the cursor to client coordinates.
int SetMousePos(int x, int y);
// Switches the input method editor on or off.
void SetIme(int on);

// ---------------------------------------------------------------- files, queries
extern char AppPath[256];
extern char DataRoot[256];
extern char FolderName[256];
// The program's folder ending with a backslash, or its counterpart under the data root.
char* GetAppFolder(int redirect);
// Reads the data root from the named file in the Windows folder.
int ReadDataRoot(const char* fileName);
// Saves one decimal integer in a value file (silent on failure).
void WriteValue(const char* fileName, int value);
// Loads the integer of a value file; 0 when missing or empty.
int ReadValue(const char* fileName);
// The local date and the day-of-week character.
void GetDate(int* year, int* month, int* day, char* dayOfWeek);
// The local time.
void GetTime(int* hour, int* minute, int* second);
// Free bytes on a drive (wraps to 32 bits above 4 GB).
int GetDiskFree(char drive);
// Available physical memory in bytes, at most 2 GB - 1.
int GetFreeMemory();
// The version as one number (310, 950, 980, 2000, major*1000+minor*10...).
int GetOsVersion();
// The command line as given at start.
char* GetCommandLine();

}  // namespace ruSystem
