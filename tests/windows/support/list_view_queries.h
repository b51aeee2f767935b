#pragma once
// What the check-list's list view shows and where its parts lie, read through
// the list view's own messages.
#include <windows.h>

#include <string>
#include <vector>

namespace quillory::testing {

std::string ShownText(HWND list, int item);
std::vector<std::string> ShownNames(HWND list);
// Each item's tick as the view draws it.
std::vector<bool> ShownTicks(HWND list);

// Client points the list view itself takes for the item's name and tick box.
POINT NamePoint(HWND list, int item);
POINT TickBoxPoint(HWND list, int item);

// A left click as the mouse gives it: down and up at the point, posted.
void PostClick(HWND window, POINT point);

// The mouse moved to the client point, pointer and message alike, posted.
void PostMouseMove(HWND window, POINT point);

// The program's tooltip for the list's names: the one whose tool is the
// whole list; null when there is none.
HWND NameTipOf(HWND list);
// The text that tooltip holds for the list, shown or not.
std::string TipText(HWND tip, HWND list);

}  // namespace quillory::testing
