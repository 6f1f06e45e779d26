// QtListBox: a QListWidget holding the items; the selection is the host's, shown on it.
#pragma once

#include <QListWidget>
#include <string>
#include <vector>

#include "host/qt/qt_widget.h"

namespace orvo {

class QtListBox : public QtWidget<ListBox, QListWidget> {
 public:
  QtListBox(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent, QWidget* qparent);

  void AddItem(const std::string& item) override;
  void RemoveItem(int16_t index) override;
  void Clear() override;
  int16_t ListCount() const override { return static_cast<int16_t>(items_.size()); }
  std::string List(int16_t index) const override;
  void SetList(int16_t index, const std::string& s) override;
  int16_t ListIndex() const override { return listIndex_; }
  void SetListIndex(int16_t index) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;

  void NativeKeyDown(int16_t keyCode);
  int16_t RowAt(float y) const;

 private:
  void ShowSelection();
  std::vector<std::string> items_;
  int16_t listIndex_ = -1;
  FontRef font_;
  bool mirroring_ = false;
};

}  // namespace orvo
