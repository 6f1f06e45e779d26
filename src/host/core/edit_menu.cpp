// The edit box's context menu: what it offers and the key each action sends.
#include "host/core/edit_menu.h"

#include "base/key_strokes.h"
#include "host/core/core_host.h"
#include "host/core/core_text_box.h"

namespace orvo {

std::vector<EditMenuItem> EditMenuFor(const CoreTextBox& box, bool clipboardHasText) {
  const bool selection = box.SelLength() > 0;
  const bool text = !box.Text().empty();
  if (box.Locked()) return {{EditMenuAction::SelectAll, text}};
  return {{EditMenuAction::Cut, selection},
          {EditMenuAction::Copy, selection},
          {EditMenuAction::Paste, clipboardHasText},
          {EditMenuAction::Delete, selection},
          {EditMenuAction::SelectAll, text}};
}

void RunEditMenuAction(CoreHost& host, CoreTextBox& box, EditMenuAction action) {
  WidgetNode& node = box.Node();
  if (action == EditMenuAction::SelectAll) {
    box.Drag(0, static_cast<int32_t>(box.Text().size()));
    return;
  }
  const char* name = action == EditMenuAction::Cut     ? "Ctrl+X"
                     : action == EditMenuAction::Copy  ? "Ctrl+C"
                     : action == EditMenuAction::Paste ? "Ctrl+V"
                                                       : "Delete";
  const KeyStroke key = *NamedKey(name);
  uint64_t id = node.id;
  host.KeyPressed(&node, node.window, key);
  if (host.Alive(id)) host.KeyReleased(&node, key);
  host.ProcessPending();
}

}  // namespace orvo
