// The band below the grid that holds the two lines: to a screen reader, the window's status
// bar.
#pragma once

#include "frontend/win32/windows_api.h"

// A child of parent with nothing of its own to show: it paints as the window's background
// (black), and its lines get their colours from parent as if they were parent's own. It sits
// below parent's earlier children wherever they overlap it.
HWND NewStatusBand(HWND parent);
// After a line of the band has a new text: the status bar's name changes with it.
inline void LineChanged(HWND band) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, band, OBJID_CLIENT, CHILDID_SELF);
}
