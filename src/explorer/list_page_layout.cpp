// The relayout of a list page after the tabbed window changed size: pictures stay at the
// right edge, the list takes the room left, the buttons spread along its width at the bottom.
// Measured on the page's own client area, so it holds at any DPI and tab-row count.
#include <algorithm>

#include "list_page.h"

namespace {

struct LayoutBox {
  int x, y, width, height;
};

LayoutBox LayoutBoxOf(HWND page, int control) {
  HWND window = GetDlgItem(page, control);
  RECT area = {};
  if (window == nullptr || !GetWindowRect(window, &area)) return {0, 0, 0, 0};
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
  return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

void LayoutMove(HWND page, int control, int x, int y, int width, int height) {
  HWND window = control ? GetDlgItem(page, control) : nullptr;
  if (window == nullptr) return;
  SetWindowPos(window, nullptr, x, y, std::max(width, 0), std::max(height, 0),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// A picture at the right margin and its label centred under it.
void LayoutPicture(HWND page, int picture, int label, int right) {
  if (picture == 0) return;
  const LayoutBox box = LayoutBoxOf(page, picture);
  const int x = right - box.width;
  LayoutMove(page, picture, x, box.y, box.width, box.height);
  if (label == 0) return;
  const LayoutBox text = LayoutBoxOf(page, label);
  LayoutMove(page, label, x + (box.width - text.width) / 2, text.y, text.width, text.height);
}

void LayoutButtons(HWND page, const PageLayoutRecord& record, int left, int width, int y) {
  const int count = std::clamp(record.buttonCount, 0, 5);
  if (count == 0) return;
  const LayoutBox first = LayoutBoxOf(page, record.buttons[0]);
  const int gap = count > 1 ? (width - count * first.width) / (count - 1) : 0;
  for (int i = 0; i < count; ++i) {
    const int x = count > 1 ? left + i * (first.width + gap) : left + (width - first.width) / 2;
    LayoutMove(page, record.buttons[i], x, y, first.width, first.height);
    LayoutMove(page, record.partners[i], x, y, first.width, first.height);
  }
}

}  // namespace

void ListPageLayout(HWND page, const PageLayoutRecord& record) {
  RECT client = {};
  if (!GetClientRect(page, &client)) return;
  RECT margin = {7, 7, 7, 7};
  MapDialogRect(page, &margin);
  const int right = client.right - margin.right;
  LayoutPicture(page, record.helpPicture, record.helpLabel, right);
  LayoutPicture(page, record.monitorPicture, record.monitorLabel, right);

  const LayoutBox help = LayoutBoxOf(page, record.helpPicture);
  const int pictureLeft = record.helpPicture ? help.x - margin.left : right;
  if (record.header) {
    const LayoutBox header = LayoutBoxOf(page, record.header);
    LayoutMove(page, record.header, header.x, header.y, pictureLeft - header.x, header.height);
  }

  const LayoutBox button = LayoutBoxOf(page, record.buttons[0]);
  const int buttonY = client.bottom - margin.bottom - button.height;
  const LayoutBox list = LayoutBoxOf(page, record.list);
  const int listWidth = right - list.x;
  LayoutMove(page, record.list, list.x, list.y, listWidth, buttonY - margin.bottom - list.y);
  LayoutButtons(page, record, list.x, listWidth, buttonY);
  InvalidateRect(page, nullptr, TRUE);
}
