// Views over Qt's own controls: label, button, scroll bar and list. What the user
// does in them (a click, a drag of the bar, a row chosen) goes to the model, which then
// notifies as it does for any other input.
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "base/error.h"
#include "host/core/core_host.h"
#include "host/core/core_list_box.h"
#include "host/core/core_site.h"
#include "host/core/core_widgets.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_glyphs.h"
#include "host/qt/qt_platform.h"
#include "host/qt/qt_views.h"

namespace orvo {

namespace {

class QtLabelView : public QtView {
 public:
  QtLabelView(QtPlatform& p, WidgetNode& node) : QtView(p, node) {}

 protected:
  QWidget* MakeWidget(QWidget* parent) override { return q_ = new QLabel(parent); }
  void ShowModel(uint32_t changes) override {
    auto& label = static_cast<CoreLabel&>(*node_.widget);
    if (changes & change::kContent) q_->setText(FromLatin1(label.Caption()));
    if (changes & change::kStyle) {
      q_->setFont(ToQFont(label.Font().get()));
      QPalette pal = q_->palette();
      pal.setColor(QPalette::WindowText, ToQColor(label.ForeColor()));
      pal.setColor(QPalette::Window, Qt::white);
      const bool display = label.BorderStyle() == 1;
      q_->setFrameStyle(display ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
      q_->setAutoFillBackground(display);
      // The sunken frame's lit edges (right, bottom) would be white on white: grey shows them.
      if (display) pal.setColor(QPalette::Light, QColor(160, 160, 160));
      q_->setPalette(pal);
    }
    if (changes &
        (change::kGeometry | change::kState | change::kStyle | change::kContent | change::kParent))
      FollowBoxLine();
  }
  void BoxBesideChanged() override { FollowBoxLine(); }

 private:
  // A caption on its field's line is drawn on the line of the box's text; the label's widget
  // grows down by as much, so that nothing below that line is cut.
  void FollowBoxLine() {
    auto& label = static_cast<CoreLabel&>(*node_.widget);
    const QRect plan(q_->x(), q_->y(), q_->width(), std::max(0, ToPixels(node_.height)));
    const QWidget* surface =
        node_.site && !node_.detached ? WidgetOf(node_.site->Surface()) : nullptr;
    const int drop = surface && label.BorderStyle() != 1
                         ? CaptionDrop(platform_, *surface, plan, q_->font())
                         : 0;
    static const Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    q_->setAlignment(kAlignments[std::clamp<int16_t>(label.Alignment(), 0, 2)] |
                     (drop > 0 ? Qt::AlignTop : Qt::AlignVCenter));
    q_->setContentsMargins(0, drop, 0, 0);
    q_->resize(plan.width(), plan.height() + drop);
  }

  QPointer<QLabel> q_;
};

class QtButtonView : public QtView {
 public:
  QtButtonView(QtPlatform& p, WidgetNode& node) : QtView(p, node) {}

 protected:
  QWidget* MakeWidget(QWidget* parent) override {
    q_ = new QPushButton(parent);
    CoreCommandButton& model = Model();
    QtPlatform& p = platform_;
    q_->setText(FromLatin1(model.Caption()));
    // Real mouse clicks on a display; the model's own clicks raise OnClick themselves.
    QObject::connect(q_, &QPushButton::clicked, q_, [&model, &p] {
      p.HandlingInput([&] {
        if (auto click = model.OnClick) click();
      });
    });
    return q_;
  }

  void ShowModel(uint32_t changes) override {
    // A glyph is drawn for the pixels of the screen: it is drawn again for another screen's.
    const bool rescaled = (changes & change::kGeometry) && (faceScale_ != QtTwipsPerPixel() ||
                                                            faceRatio_ != q_->devicePixelRatioF());
    if ((changes & change::kContent) || rescaled) ShowFace();
    if (changes & change::kGeometry) FitFace();
  }

  // The named glyphs are drawn as dots rather than set as text, so that no font can lack them
  // and each stays sharp at the screen's dots per inch.
  void ShowFace() {
    PictureRef picture = Model().Picture();
    faceScale_ = QtTwipsPerPixel();
    faceRatio_ = q_->devicePixelRatioF();
    const bool glyph = picture && IsPatternGlyph(picture->name);
    q_->setIcon(glyph ? PatternGlyphIcon(picture->name, q_->palette(), faceRatio_) : QIcon());
    if (glyph) {
      const QSize pixels = q_->icon().availableSizes().value(0);
      q_->setIconSize(
          QSize(qRound(pixels.width() / faceRatio_), qRound(pixels.height() / faceRatio_)));
    }
    q_->setText(picture ? QString() : FromLatin1(Model().Caption()));
    FitFace();
  }

  // A caption wider or taller than its key is set in a smaller font, so that it stays inside
  // the key's bevel.
  void FitFace() {
    if (q_->text().isEmpty() || q_->width() <= 0 || q_->height() <= 0) return;
    const int bevel = q_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, q_) + 2;
    const QRect room = q_->rect().adjusted(bevel, bevel, -bevel, -bevel);
    const QFont full = q_->parentWidget() ? q_->parentWidget()->font() : q_->font();
    QFont font = full;
    for (qreal size = full.pointSizeF(); size > 4; size -= 0.5) {
      font.setPointSizeF(size);
      const QFontMetrics fm(font);
      if (fm.horizontalAdvance(q_->text()) <= room.width() && fm.capHeight() <= room.height())
        break;
    }
    if (q_->font() != font) q_->setFont(font);
  }

 private:
  CoreCommandButton& Model() const { return static_cast<CoreCommandButton&>(*node_.widget); }
  QPointer<QPushButton> q_;
  float faceScale_ = 0;  // the twips per pixel and device pixel ratio the face was drawn for
  qreal faceRatio_ = 0;
};

// Qt's range is [Min, Max] with the value as it is. Min above Max is shown negated, as
// [-Min, -Max]: Qt keeps its lower end at the top (left) and its upper arrow lowering the
// value, so the Min end stays at the top and the upper arrow moves towards it, as the
// model's bar does.
class QtScrollBarView : public QtView {
 public:
  QtScrollBarView(QtPlatform& p, WidgetNode& node) : QtView(p, node) {}

 protected:
  QWidget* MakeWidget(QWidget* parent) override {
    q_ = new QScrollBar(Bar().Vertical() ? Qt::Vertical : Qt::Horizontal, parent);
    // The user dragging or clicking the real bar.
    QObject::connect(q_, &QScrollBar::valueChanged, q_, [this](int v) {
      if (!mirroring_)
        platform_.HandlingInput([&] { Bar().SetValue(static_cast<int16_t>(negated_ ? -v : v)); });
    });
    return q_;
  }

  void ShowModel(uint32_t changes) override {
    if (!(changes & change::kSelection)) return;
    const CoreScrollBar& b = Bar();
    mirroring_ = true;
    negated_ = b.Min() > b.Max();
    const int sign = negated_ ? -1 : 1;
    q_->setRange(sign * b.Min(), sign * b.Max());
    q_->setSingleStep(b.SmallChange());
    q_->setPageStep(b.LargeChange());
    q_->setValue(sign * b.Value());
    mirroring_ = false;
  }

 private:
  CoreScrollBar& Bar() const { return static_cast<CoreScrollBar&>(*node_.widget); }
  QPointer<QScrollBar> q_;
  bool mirroring_ = false;
  bool negated_ = false;  // Min above Max
};

class QtListView : public QtView {
 public:
  QtListView(QtPlatform& p, WidgetNode& node, QListWidget* list) : QtView(p, node, list), q_(list) {
    // A popup's list is sized to whole rows of a line and a pixel inside a one-pixel frame;
    // Qt's own item margins and sunken frame would cut its last row.
    q_->setFrameShape(QFrame::Box);
    q_->setFrameShadow(QFrame::Plain);  // a sunken box would take two pixels a side
    q_->setLineWidth(1);
    q_->setUniformItemSizes(true);
    p.Route(q_->viewport(), &node);
    // A row pressed with the real mouse (keys reach the model, which moves the selection).
    // Qt's other moves of its current row, such as the first row it makes current when the
    // list takes the focus, are no choice of the user's and are not passed on.
    QObject::connect(q_, &QAbstractItemView::pressed, q_, [this](const QModelIndex& index) {
      const int row = index.row();
      if (!mirroring_ && row >= 0 && row < List().ListCount())
        platform_.HandlingInput([&] { List().SetListIndex(static_cast<int16_t>(row)); });
    });
  }
  // By row height rather than itemAt, which needs a laid-out, shown view.
  float ItemHeight(float measured) const override {
    int rowHeight = q_->count() ? q_->sizeHintForRow(0) : 0;
    if (rowHeight <= 0) rowHeight = QFontMetrics(q_->font()).height();
    return rowHeight > 0 ? static_cast<float>(rowHeight) * QtTwipsPerPixel() : measured;
  }
  int FirstShownItem() const override {
    return q_->verticalScrollMode() == QAbstractItemView::ScrollPerItem
               ? q_->verticalScrollBar()->value()
               : 0;
  }

 protected:
  void ShowModel(uint32_t changes) override {
    mirroring_ = true;
    if (changes & change::kStyle) q_->setFont(ToQFont(List().Font().get()));
    if (changes & change::kContent) {
      q_->clear();
      for (const std::string& item : List().Items()) q_->addItem(FromLatin1(item));
    }
    if (changes & (change::kContent | change::kStyle)) {
      const int rowPixels = QFontMetrics(q_->font()).height() + 1;
      for (int i = 0; i < q_->count(); ++i) q_->item(i)->setSizeHint(QSize(0, rowPixels));
    }
    if (changes & (change::kContent | change::kSelection | change::kStyle))
      q_->setCurrentRow(List().ListIndex());
    mirroring_ = false;
  }

 private:
  CoreListBox& List() const { return static_cast<CoreListBox&>(*node_.widget); }
  QPointer<QListWidget> q_;
  bool mirroring_ = false;
};

}  // namespace

std::unique_ptr<WidgetView> MakeQtControlView(QtPlatform& platform, WidgetNode& node) {
  switch (node.kind) {
    case WidgetKind::Label:
      return std::make_unique<QtLabelView>(platform, node);
    case WidgetKind::Button:
      return std::make_unique<QtButtonView>(platform, node);
    case WidgetKind::ScrollBar:
      return std::make_unique<QtScrollBarView>(platform, node);
    case WidgetKind::ListBox:
      // Made at once: the model asks the list how it lays out its rows.
      return std::make_unique<QtListView>(platform, node,
                                          new QListWidget(platform.ParentFor(node)));
    case WidgetKind::DataGrid:
      return MakeQtGridView(platform, node);
    default:
      return nullptr;
  }
}

}  // namespace orvo
