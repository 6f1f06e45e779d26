// CoreListBox: a list of items with one selection, on a control or a popup.
#pragma once

#include <string>
#include <vector>

#include "host/core/widget_node.h"

namespace orvo {

class CoreListBox : public CoreWidget<ListBox> {
 public:
  CoreListBox(CoreHost& host, CoreWindow* window);

  void AddItem(const std::string& item) override;
  void RemoveItem(int16_t index) override;
  void Clear() override;
  int16_t ListCount() const override { return static_cast<int16_t>(items_.size()); }
  std::string List(int16_t index) const override;
  void SetList(int16_t index, const std::string& s) override;
  int16_t ListIndex() const override { return listIndex_; }
  void SetListIndex(int16_t index) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { Set(font_, std::move(f), change::kStyle); }
  const std::vector<std::string>& Items() const { return items_; }

  // Up, Down, Page Up, Page Down, Home and End move the selection; a press selects the row
  // under it.
  void NativeKeyDown(int16_t keyCode, int16_t shift) override;
  void NativePress(float y) override;
  bool ClickNotifies() const override { return false; }
  // The row at y (twips from the top), -1 past the last item.
  int16_t RowAt(float y) const;
  float RowHeight() const;  // twips

 private:
  std::vector<std::string> items_;
  int16_t listIndex_ = -1;
  FontRef font_;
};

}  // namespace orvo
