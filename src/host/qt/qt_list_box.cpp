// The Qt host's list box.
#include "host/qt/qt_list_box.h"

#include <QFontMetrics>
#include <QScrollBar>

#include "host/qt/qt_conversions.h"

namespace orvo {

QtListBox::QtListBox(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent, QWidget* qparent)
    : QtWidget(host, window, site, parent, QtKind::ListBox, new QListWidget(qparent)),
      font_(host.AmbientFont()->Clone()) {
  q_->setFont(ToQFont(font_.get()));
  host.AlsoRoute(q_->viewport(), &core_);
  // A row chosen with the real mouse.
  QObject::connect(q_, &QListWidget::currentRowChanged, q_, [this](int row) {
    if (!mirroring_ && row >= -1 && row < ListCount()) SetListIndex(static_cast<int16_t>(row));
  });
}

void QtListBox::ShowSelection() {
  mirroring_ = true;
  q_->setCurrentRow(listIndex_);
  mirroring_ = false;
}

void QtListBox::AddItem(const std::string& item) {
  items_.push_back(item);
  mirroring_ = true;
  q_->addItem(FromLatin1(item));
  mirroring_ = false;
}

void QtListBox::RemoveItem(int16_t index) {
  if (index < 0 || index >= ListCount())
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  items_.erase(items_.begin() + index);
  mirroring_ = true;
  delete q_->takeItem(index);
  mirroring_ = false;
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
  ShowSelection();
}

void QtListBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  mirroring_ = true;
  q_->clear();
  mirroring_ = false;
}

std::string QtListBox::List(int16_t index) const {
  return index >= 0 && index < ListCount() ? items_[index] : std::string();
}

void QtListBox::SetList(int16_t index, const std::string& s) {
  if (index < 0 || index >= ListCount()) return;
  items_[index] = s;
  q_->item(index)->setText(FromLatin1(s));
}

void QtListBox::SetListIndex(int16_t index) {
  if (index < -1 || index >= ListCount())
    RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  if (index == listIndex_) return;
  listIndex_ = index;
  ShowSelection();
  if (auto click = OnClick) click();
}

void QtListBox::SetFont(FontRef f) {
  font_ = std::move(f);
  q_->setFont(ToQFont(font_.get()));
}

void QtListBox::NativeKeyDown(int16_t keyCode) {
  if (items_.empty()) return;
  if (keyCode == 38 && listIndex_ > 0) SetListIndex(listIndex_ - 1);
  if (keyCode == 40 && listIndex_ < ListCount() - 1) SetListIndex(listIndex_ + 1);
}

int16_t QtListBox::RowAt(float y) const {
  // By row height rather than itemAt, which needs a laid-out, shown view.
  int rowHeight = q_->count() ? q_->sizeHintForRow(0) : 0;
  if (rowHeight <= 0) rowHeight = QFontMetrics(q_->font()).height();
  int first = q_->verticalScrollMode() == QAbstractItemView::ScrollPerItem
                  ? q_->verticalScrollBar()->value()
                  : 0;
  int row = first + static_cast<int>(y / kQtTwipsPerPixel) / rowHeight;
  return row >= 0 && row < ListCount() ? static_cast<int16_t>(row) : -1;
}

}  // namespace orvo
