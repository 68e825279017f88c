// system.h - ruSystem: entry, window and frame loop, waits and timing,
// message boxes and error reports, display-mode questions and cursor, file
// helpers and system queries. Module state is exposed by its documented
// names; game code reads and writes some of it directly (SceneNo, MouseX).
#pragma once

#include "platform/os/messages.h"
#include "platform/win_types.h"

// The game's hooks, supplied by the program that links the library.
void GameInit();
void PlayScene();
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
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void InitState();
int CheckInstance(const char* caption);
void SetActive(int active);
void OnActivate(int active);
int Exit();
int ExitOnError();
// The frame step (exposed for tests that drive the loop by hand).
void FrameStep();

// ---------------------------------------------------------------- waits
extern DWORD WaitDeadline[12];  // entries 1..10 numbered waits, 11 Sleep
int SetWait(int waitNo, DWORD milliseconds);
int InitWait(int waitNo);
int CheckWait(int waitNo);
void ResetFrameTime();
void MeasureFrameTime();
void Sleep(DWORD milliseconds);
int Reset();

// ---------------------------------------------------------------- messages
void Message(const char* format, ...);
int Question(const char* format, ...);
int Error(const char* tag, const char* message, int code);
int IsError();
int WriteLog(const char* format, ...);

// ---------------------------------------------------------------- display mode, cursor
extern int ColorDepth, ColorDepthAlt1, ColorDepthAlt2;
extern int CursorClipped;
extern int ImeState;
void SetColorDepth(int depth, int alternative1, int alternative2);
int GetColorDepth();
int IsWindowed();
int CheckColorDepth(const char* fileName);
int ClipCursorRect(int left, int top, int right, int bottom);
int ClipCursorToWindow();
int UnclipCursor();
int IsCursorClipped();
int SetMousePos(int x, int y);
void SetIme(int on);

// ---------------------------------------------------------------- files, queries
extern char AppPath[256];
extern char DataRoot[256];
extern char FolderName[256];
char* GetAppFolder(int redirect);
int ReadDataRoot(const char* fileName);
void WriteValue(const char* fileName, int value);
int ReadValue(const char* fileName);
void GetDate(int* year, int* month, int* day, char* dayOfWeek);
void GetTime(int* hour, int* minute, int* second);
int GetDiskFree(char drive);
int GetFreeMemory();
int GetOsVersion();
char* GetCommandLine();

}  // namespace ruSystem
