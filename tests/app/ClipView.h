// What the "Can't Move!!!" dialog shows in its clip area, read off the screen.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

using Pixels = std::vector<COLORREF>;

// Every pixel of a window as the screen shows it, row by row.
Pixels Snapshot(HWND hWnd);
bool Uniform(const Pixels& pixels);
bool Shows(const Pixels& pixels, COLORREF colour);

// Two looks at the clip area of an open "Can't Move!!!" box, 400 ms apart, and its message.
struct ClipRun {
    Pixels first, later;
    std::string message;
};
ClipRun WatchClip(HWND hBox);

// The people a clip shows, told apart by the colours they wear.
std::vector<std::string> PeopleShown(const Pixels& pixels);
