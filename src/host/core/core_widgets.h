// The simple widgets of the host model: label, picture box, image, shape, command button,
// scroll bar.
#pragma once

#include <string>
#include <vector>

#include "host/core/core_host.h"
#include "host/core/widget_node.h"

namespace orvo {

// Auto-sized to its caption by the platform's text measure, unless told otherwise.
class CoreLabel : public CoreWidget<Label> {
 public:
  CoreLabel(CoreHost& host, CoreWindow* window, CoreSite* site);
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& s) override;
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override { Set(foreColor_, c, change::kStyle); }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  void SetAutoSize(bool v) override;
  void SetAlignment(int16_t v) override { Set(alignment_, v, change::kStyle); }
  void SetBorderStyle(int16_t v) override { Set(borderStyle_, v, change::kStyle); }
  int16_t Alignment() const { return alignment_; }
  int16_t BorderStyle() const { return borderStyle_; }

 private:
  void AutoSize();
  std::string caption_;
  Color foreColor_ = kSysButtonText;
  FontRef font_;
  bool autoSize_ = true;
  int16_t alignment_ = 0;
  int16_t borderStyle_ = 0;
};

// Borderless: its scale is its own size.
class CorePictureBox : public CoreWidget<PictureBox> {
 public:
  CorePictureBox(CoreHost& host, CoreWindow* window, CoreSite* site)
      : CoreWidget(host, window, site, nullptr, WidgetKind::PictureBox) {}
  float ScaleWidth() const override { return node_.width; }
  float ScaleHeight() const override { return node_.height; }
  int16_t DrawWidth() const override { return drawWidth_; }
  void SetDrawWidth(int16_t v) override { drawWidth_ = v; }
  bool AutoRedraw() const override { return autoRedraw_; }
  void SetAutoRedraw(bool v) override { autoRedraw_ = v; }
  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, Color color) override;
  const std::vector<DrawnLine>& Lines() const override { return lines_; }
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override { Set(picture_, std::move(p), change::kContent); }
  Color BackColor() const override { return backColor_; }
  void SetBackColor(Color c) override { Set(backColor_, c, change::kStyle); }
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override { foreColor_ = c; }
  int16_t LinkTimeout() const override { return linkTimeout_; }
  void SetLinkTimeout(int16_t v) override { linkTimeout_ = v; }

 private:
  int16_t drawWidth_ = 1;
  bool autoRedraw_ = false;
  std::vector<DrawnLine> lines_;
  PictureRef picture_;
  Color backColor_ = kSysWindowBackground;
  Color foreColor_ = kSysWindowText;
  int16_t linkTimeout_ = 50;
};

class CoreImage : public CoreWidget<Image> {
 public:
  CoreImage(CoreHost& host, CoreWindow* window, CoreSite* site)
      : CoreWidget(host, window, site, nullptr, WidgetKind::Image) {}
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override { Set(picture_, std::move(p), change::kContent); }

 private:
  PictureRef picture_;
};

class CoreShape : public CoreWidget<Shape> {
 public:
  CoreShape(CoreHost& host, CoreWindow* window, CoreSite* site)
      : CoreWidget(host, window, site, nullptr, WidgetKind::Shape) {}
  int32_t ShapeKind() const override { return shape_; }
  void SetShapeKind(int32_t v) override { shape_ = v, Changed(); }
  Color FillColor() const override { return fillColor_; }
  void SetFillColor(Color c) override { fillColor_ = c, Changed(); }
  int32_t FillStyle() const override { return fillStyle_; }
  void SetFillStyle(int32_t v) override { fillStyle_ = v, Changed(); }
  Color BorderColor() const override { return borderColor_; }
  void SetBorderColor(Color c) override { borderColor_ = c, Changed(); }
  int16_t BorderWidth() const override { return borderWidth_; }
  void SetBorderWidth(int16_t v) override { borderWidth_ = v, Changed(); }
  int32_t BorderStyle() const override { return borderStyle_; }
  void SetBorderStyle(int32_t v) override { borderStyle_ = v, Changed(); }

 private:
  void Changed() { node_.Show(change::kContent); }
  int32_t shape_ = 0;
  Color fillColor_ = 0;
  int32_t fillStyle_ = 1;  // transparent
  Color borderColor_ = kSysWindowText;
  int16_t borderWidth_ = 1;
  int32_t borderStyle_ = 1;
};

class CoreCommandButton : public CoreWidget<CommandButton> {
 public:
  CoreCommandButton(CoreHost& host, CoreWindow* window, CoreSite* site, WidgetNode* parent,
                    std::string caption = {})
      : CoreWidget(host, window, site, parent, WidgetKind::Button), caption_(std::move(caption)) {}
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override { Set(picture_, std::move(p), change::kContent); }
  void SetValue(bool v) override;
  const std::string& Caption() const { return caption_; }
  // Enter and Space press a focused button.
  void NativeChar(int16_t keyAscii) override;

 private:
  PictureRef picture_;
  std::string caption_;
};

class CoreScrollBar : public CoreWidget<ScrollBar> {
 public:
  CoreScrollBar(CoreHost& host, CoreWindow* window, CoreSite* site, WidgetNode* parent,
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

  // An arrow or trough click: a step towards one end, clamped.
  void Step(ScrollPart part);
  void NativeKeyDown(int16_t keyCode, int16_t shift) override;

 private:
  int16_t Clamp(int32_t v) const;
  int16_t min_ = 0, max_ = 32767, value_ = 0;
  int16_t smallChange_ = 1, largeChange_ = 1;
  bool vertical_;
};

}  // namespace orvo
