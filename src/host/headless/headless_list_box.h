// HeadlessListBox: a list of items with one selection, usable on a control or a popup.
#pragma once

#include <string>
#include <vector>

#include "host/headless/headless_widget.h"

namespace orvo {

class HeadlessListBox : public HeadlessWidget<ListBox> {
 public:
  HeadlessListBox(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                  WidgetCore* parent);

  void AddItem(const std::string& item) override { items_.push_back(item); }
  void RemoveItem(int16_t index) override;
  void Clear() override;
  int16_t ListCount() const override { return static_cast<int16_t>(items_.size()); }
  std::string List(int16_t index) const override;
  void SetList(int16_t index, const std::string& s) override;
  int16_t ListIndex() const override { return listIndex_; }
  void SetListIndex(int16_t index) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { font_ = std::move(f); }

  // Up and Down move the selection.
  void NativeKeyDown(int16_t keyCode);
  // The row at y (twips from the top), -1 past the last item.
  int16_t RowAt(float y) const;

 private:
  std::vector<std::string> items_;
  int16_t listIndex_ = -1;
  FontRef font_;
};

}  // namespace orvo
