// Static bitmaps that behave as buttons (help, monitor and folder pictures), and
// owner-drawn buttons painted as links. Pages forward their mouse, cursor and draw messages.
#pragma once
#include <windows.h>

enum class PictureKind { Help, Monitor, Folder };

// Gives the picture control its images and the command it sends to the page when clicked.
void PictureButtonAttach(HWND page, int control, PictureKind kind, int command);
void PictureButtonDetach(HWND page, int control);
// Monitor pictures: off (bitmap 154), on (156) or on in real time (193).
void PictureButtonSetMonitor(HWND page, int control, bool on, bool realtime);
// Mouse messages of the page; true when a picture took the message.
bool PictureButtonMouse(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// WM_DRAWITEM of a link-style button; true when it was drawn.
bool LinkButtonDraw(const DRAWITEMSTRUCT* draw);
