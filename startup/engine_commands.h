#pragma once
// Engine, window and timing commands: the start-up and shutdown a script asks
// for, its frame loop (Run, Sync), the window and the timer.

#include <string>

namespace tk {

// Starts the engine with a script's display wishes (-1: not given; windowed 1
// for a window, 0 for full screen) and makes the default scene: camera at
// (0, 0, -5), directional light 0, ambient 0x050505, backdrop 0x001122.
// 0, or -1 with the start-up failure in the last-error slot.
int Setup(int width, int height, int colorBits, int windowed);
void Term();
bool IsSetup();
// Lets the device handle the window's pending messages; false once it was closed.
bool Run();
// Renders and presents one frame.
void Sync();
// Ends the frame being rendered.
void RenderDummy();
void RenderSetDebug(int value);
// Marks that textures produced by rendering exist (whatever the argument): a
// lost device can no longer be survived.
void HasPrecalcRenderTargets(bool);
bool renderedTexturesExist();
int ScreenShot(const char* fileName);
bool ScreenModeDialog();
int ScreenModeOption(const char* name);
void HideWindow();
void ShowWindow();
void MaximizeWindow();
void MinimizeWindow();
void RestoreWindow();
bool IsWindowActive();
bool WindowMode();
int ScreenWidth();
int ScreenHeight();
int ScreenDepth();
int Timer();
// Negative durations sleep for no time.
void Sleep(int milliseconds);
// The chosen path; empty when cancelled. A null title gives the default title.
std::string FileRequester(const char* title);
void MessageBox(const char* text);

}  // namespace tk
