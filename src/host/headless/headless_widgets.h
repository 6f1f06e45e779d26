// The simple headless widgets: label, picture box, image, shape, command button, scroll bar.
#pragma once

#include <string>
#include <vector>

#include "host/headless/headless_text_metrics.h"
#include "host/headless/headless_widget.h"

namespace orvo {

// Auto-sized to its caption by the headless text measure.
class HeadlessLabel : public HeadlessWidget<Label> {
 public:
  HeadlessLabel(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site, WidgetCore* parent);
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& s) override;
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override { foreColor_ = c; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;

 private:
  void AutoSize();
  std::string caption_;
  Color foreColor_ = kSysButtonText;
  FontRef font_;
};

// Borderless: its scale is its own size.
class HeadlessPictureBox : public HeadlessWidget<PictureBox> {
 public:
  HeadlessPictureBox(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site)
      : HeadlessWidget(host, window, site, nullptr, CoreKind::PictureBox) {}
  float ScaleWidth() const override { return core_.width; }
  float ScaleHeight() const override { return core_.height; }
  int16_t DrawWidth() const override { return drawWidth_; }
  void SetDrawWidth(int16_t v) override { drawWidth_ = v; }
  bool AutoRedraw() const override { return autoRedraw_; }
  void SetAutoRedraw(bool v) override { autoRedraw_ = v; }
  void Cls() override { lines_.clear(); }
  void Line(float x1, float y1, float x2, float y2, Color color) override {
    lines_.push_back({x1, y1, x2, y2, color});
  }
  const std::vector<DrawnLine>& Lines() const override { return lines_; }
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override { picture_ = std::move(p); }
  Color BackColor() const override { return backColor_; }
  void SetBackColor(Color c) override { backColor_ = c; }
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

class HeadlessImage : public HeadlessWidget<Image> {
 public:
  HeadlessImage(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site)
      : HeadlessWidget(host, window, site, nullptr, CoreKind::Image) {}
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override { picture_ = std::move(p); }

 private:
  PictureRef picture_;
};

class HeadlessShape : public HeadlessWidget<Shape> {
 public:
  HeadlessShape(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site)
      : HeadlessWidget(host, window, site, nullptr, CoreKind::Shape) {}
  int32_t ShapeKind() const override { return shape_; }
  void SetShapeKind(int32_t v) override { shape_ = v; }
  Color FillColor() const override { return fillColor_; }
  void SetFillColor(Color c) override { fillColor_ = c; }
  int32_t FillStyle() const override { return fillStyle_; }
  void SetFillStyle(int32_t v) override { fillStyle_ = v; }
  Color BorderColor() const override { return borderColor_; }
  void SetBorderColor(Color c) override { borderColor_ = c; }
  int16_t BorderWidth() const override { return borderWidth_; }
  void SetBorderWidth(int16_t v) override { borderWidth_ = v; }
  int32_t BorderStyle() const override { return borderStyle_; }
  void SetBorderStyle(int32_t v) override { borderStyle_ = v; }

 private:
  int32_t shape_ = 0;
  Color fillColor_ = 0;
  int32_t fillStyle_ = 1;  // transparent
  Color borderColor_ = kSysWindowText;
  int16_t borderWidth_ = 1;
  int32_t borderStyle_ = 1;
};

class HeadlessCommandButton : public HeadlessWidget<CommandButton> {
 public:
  HeadlessCommandButton(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                        WidgetCore* parent, std::string caption = {})
      : HeadlessWidget(host, window, site, parent, CoreKind::Button),
        caption_(std::move(caption)) {}
  PictureRef Picture() const override { return picture_; }
  void SetPicture(PictureRef p) override { picture_ = std::move(p); }
  void SetValue(bool v) override;
  const std::string& Caption() const { return caption_; }

 private:
  PictureRef picture_;
  std::string caption_;
};

class HeadlessScrollBar : public HeadlessWidget<ScrollBar> {
 public:
  HeadlessScrollBar(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                    WidgetCore* parent, bool vertical);
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

 private:
  int16_t Clamp(int32_t v) const;
  int16_t min_ = 0, max_ = 32767, value_ = 0;
  int16_t smallChange_ = 1, largeChange_ = 1;
  bool vertical_;
};

}  // namespace orvo
