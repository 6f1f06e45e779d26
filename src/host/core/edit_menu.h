// The edit box's context menu as every host offers it. Each action takes the path of its key
// (Cut Ctrl+X, Copy Ctrl+C, Paste Ctrl+V, Delete the Delete key), so the mask, Locked and the
// control's read-only state rule it as they rule the keys; Select All only selects. Undo and
// Redo are not offered: the box keeps no history of its own.
#pragma once

#include <vector>

namespace orvo {

class CoreHost;
class CoreTextBox;

enum class EditMenuAction { Cut, Copy, Paste, Delete, SelectAll };

struct EditMenuItem {
  EditMenuAction action;
  bool enabled;
};

// The actions offered for the box, in menu order. A Locked box swallows every key of the
// menu: it offers only Select All.
std::vector<EditMenuItem> EditMenuFor(const CoreTextBox& box, bool clipboardHasText);

// Performs a chosen action on the box, as its key typed there would.
void RunEditMenuAction(CoreHost& host, CoreTextBox& box, EditMenuAction action);

}  // namespace orvo
