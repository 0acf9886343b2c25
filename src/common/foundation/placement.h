// Window placement persistence: the value names each movable window keeps its position under
// (HKCU base key, decimal text).
#pragma once

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

// Deletes every stored placement value of the table.
void PlacementReset();
