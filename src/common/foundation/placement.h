// Window placement persistence: the value names each movable window keeps its position under
// (HKCU base key, decimal text).
#pragma once
#include <windows.h>

struct PlacementNames {
  const char* left;
  const char* top;
  const char* width;
  const char* height;
};

enum PlacementKind { kPlaceExplorer, kPlaceAlert, kPlaceInfo, kPlaceSysFiles, kPlaceCookie,
                     kPlaceDefaultWarning, kPlaceAddFileType, kPlacementKindCount };

inline constexpr PlacementNames kPlacementNames[kPlacementKindCount] = {
    {"xPos", "yPos", "dxPos", "dyPos"},
    {"xPosAlert", "yPosAlert", "dxAlert", "dyAlert"},
    {"xInfo", "yInfo", "dxInfo", "dyInfo"},
    {"xPosSysFiles", "yPosSysFiles", "dxSysFiles", "dySysFiles"},
    {"xCookie", "yCookie", "dxCookie", "dyCookie"},
    {"xDefaultWarning", "yDefaultWarning", "dxDefaultWarning", "dyDefaultWarning"},
    {"xPosAddFileType", "yPosAddFileType", "dxPosAddFileType", "dyPosAddFileType"},
};

// The explorer's active page command; stored as option StartTab whenever a placement is
// restored or saved. The monitor never sets it, so there it is 0.
extern int g_pageCommand;

// Moves the window to its stored position (size kept, not activated): beyond the right or
// bottom edge of all monitors it comes back at the middle of the primary screen on that
// axis; without both values it is centred. The width and height names are not read.
void PlacementRestore(HWND window, const char* left, const char* top, const char* width,
                      const char* height);
void PlacementRestore(HWND window, PlacementKind kind);
// Horizontally centred, at a third of the primary screen's height.
void PlacementCentre(HWND window);
// Stores the window's left, top, width and height.
void PlacementSave(HWND window, const char* left, const char* top, const char* width,
                   const char* height);
void PlacementSave(HWND window, PlacementKind kind);
// Deletes every stored placement value of the table.
void PlacementReset();
