// The simple Qt-host widgets: label, picture box, image, shape, command button, scroll bar.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <functional>
#include <string>
#include <vector>

#include "host/qt/qt_widget.h"

class QPainter;

namespace orvo {

// A plain widget that paints through a callback.
class QtCanvas : public QWidget {
 public:
  explicit QtCanvas(QWidget* parent) : QWidget(parent) {}
  std::function<void(QPainter&)> paint;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// The library's named pictures: "check", "option-on", "option-off", "ellipsis", "dropdown".
void DrawPictureGlyph(QPainter& p, const QRect& r, const Picture* picture);

// Auto-sized to its caption in its font, by the real font metrics.
class QtLabel : public QtWidget<Label, QLabel> {
 public:
  QtLabel(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent);
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& s) override;
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;

 private:
  void AutoSize();
  std::string caption_;
  Color foreColor_ = kSysButtonText;
  FontRef font_;
};

class QtPictureBox : public QtWidget<PictureBox, QtCanvas> {
 public:
  QtPictureBox(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent);
  float ScaleWidth() const override { return core_.width; }
  float ScaleHeight() const override { return core_.height; }
  int16_t DrawWidth() const override { return drawWidth_; }
  void SetDrawWidth(int16_t v) override { drawWidth_ = v; }
  bool AutoRedraw() const override { return autoRedraw_; }
  void SetAutoRedraw(bool v) override { autoRedraw_ = v; }
  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, Color color) override;
  const std::vector<DrawnLine>& Lines() const override { return lines_; }
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override;
  Color BackColor() const override { return backColor_; }
  void SetBackColor(Color c) override;
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override { foreColor_ = c; }
  int16_t LinkTimeout() const override { return linkTimeout_; }
  void SetLinkTimeout(int16_t v) override { linkTimeout_ = v; }

 private:
  void Paint(QPainter& p);
  int16_t drawWidth_ = 1;
  bool autoRedraw_ = false;
  std::vector<DrawnLine> lines_;
  PictureRef picture_;
  Color backColor_ = kSysWindowBackground;
  Color foreColor_ = kSysWindowText;
  int16_t linkTimeout_ = 50;
};

class QtImage : public QtWidget<Image, QtCanvas> {
 public:
  QtImage(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent);
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override;

 private:
  PictureRef picture_;
};

class QtShape : public QtWidget<Shape, QtCanvas> {
 public:
  QtShape(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent);
  int32_t ShapeKind() const override { return shape_; }
  void SetShapeKind(int32_t v) override { shape_ = v, Refresh(); }
  Color FillColor() const override { return fillColor_; }
  void SetFillColor(Color c) override { fillColor_ = c, Refresh(); }
  int32_t FillStyle() const override { return fillStyle_; }
  void SetFillStyle(int32_t v) override { fillStyle_ = v, Refresh(); }
  Color BorderColor() const override { return borderColor_; }
  void SetBorderColor(Color c) override { borderColor_ = c, Refresh(); }
  int16_t BorderWidth() const override { return borderWidth_; }
  void SetBorderWidth(int16_t v) override { borderWidth_ = v, Refresh(); }
  int32_t BorderStyle() const override { return borderStyle_; }
  void SetBorderStyle(int32_t v) override { borderStyle_ = v, Refresh(); }

 private:
  void Paint(QPainter& p);
  int32_t shape_ = 0;
  Color fillColor_ = 0;
  int32_t fillStyle_ = 1;
  Color borderColor_ = kSysWindowText;
  int16_t borderWidth_ = 1;
  int32_t borderStyle_ = 1;
};

class QtCommandButton : public QtWidget<CommandButton, QPushButton> {
 public:
  QtCommandButton(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent, QWidget* qparent,
                  const std::string& caption = {});
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override;
  void SetValue(bool v) override;

 private:
  PictureRef picture_;
};

// Keeps the classic range, where Min may be above Max, and shows it on a QScrollBar, whose
// minimum must not exceed its maximum, with inverted appearance when Min is above Max.
class QtScrollBar : public QtWidget<ScrollBar, QScrollBar> {
 public:
  QtScrollBar(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent, QWidget* qparent,
              bool vertical);
  bool Vertical() const override { return vertical_; }
  int16_t Min() const override { return min_; }
  void SetMin(int16_t v) override;
  int16_t Max() const override { return max_; }
  void SetMax(int16_t v) override;
  int16_t Value() const override { return value_; }
  void SetValue(int16_t v) override;
  int16_t SmallChange() const override { return smallChange_; }
  void SetSmallChange(int16_t v) override;
  int16_t LargeChange() const override { return largeChange_; }
  void SetLargeChange(int16_t v) override;
  void Step(ScrollPart part);

 private:
  int16_t Clamp(int32_t v) const;
  void Mirror();
  int16_t min_ = 0, max_ = 32767, value_ = 0;
  int16_t smallChange_ = 1, largeChange_ = 1;
  bool vertical_;
  bool mirroring_ = false;
};

}  // namespace orvo
