// The constituent widgets a host supplies: the operations and notifications the control uses.
//
// Semantics every host keeps (the classic widgets'):
// - Positions and sizes are twips in the parent's scale (Single).
// - TextBox::SetText raises OnChange synchronously, before it returns, when the text
//   changes; assigning the same text raises nothing.
// - ScrollBar clamps Value to its range (Min may be above Max) and raises OnChange when the
//   value changes; setting Min or Max moves Value into the new range (and notifies).
// - ListBox raises OnClick when its selection changes (SetListIndex included).
// - A widget that cannot take the focus (hidden, disabled, or its form not shown) raises
//   orvo::Error 5 from SetFocus.
// Notification arguments are by reference: the control may change them, and the host uses
// the changed values (a KeyPress handler that zeroes KeyAscii keeps the box from inserting).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/host_objects.h"

namespace orvo {

using MouseHandler = std::function<void(int16_t& button, int16_t& shift, float& x, float& y)>;
using KeyHandler = std::function<void(int16_t& keyCode, int16_t& shift)>;
using KeyPressHandler = std::function<void(int16_t& keyAscii)>;
using Notify = std::function<void()>;

class Widget {
 public:
  virtual ~Widget() = default;

  virtual float Left() const = 0;
  virtual float Top() const = 0;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  virtual void Move(float left, float top, float width, float height) = 0;
  void SetLeft(float v) { Move(v, Top(), Width(), Height()); }
  void SetTop(float v) { Move(Left(), v, Width(), Height()); }
  void SetWidth(float v) { Move(Left(), Top(), v, Height()); }
  void SetHeight(float v) { Move(Left(), Top(), Width(), v); }

  virtual bool Visible() const = 0;
  virtual void SetVisible(bool v) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool v) = 0;
  // 0 brings to the front, 1 sends to the back.
  virtual void ZOrder(int16_t position) = 0;
  virtual void Refresh() = 0;
  // 0 for windowless widgets (label, image, shape).
  virtual int32_t hWnd() const = 0;
  virtual void SetFocus() = 0;
  virtual PictureRef MouseIcon() const = 0;
  virtual void SetMouseIcon(PictureRef p) = 0;

  MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;
  // A double click raises down, up, Click, DblClick, up: its second press brings no down.
  Notify OnClick, OnDblClick, OnGotFocus, OnLostFocus;
  KeyHandler OnKeyDown, OnKeyUp;
  KeyPressHandler OnKeyPress;
};

class TextBox : public Widget {
 public:
  virtual bool MultiLine() const = 0;  // fixed when the box is created
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual int32_t SelStart() const = 0;
  virtual void SetSelStart(int32_t v) = 0;  // clamps to the text; clears the selection
  virtual int32_t SelLength() const = 0;
  virtual void SetSelLength(int32_t v) = 0;  // clamps to the text after SelStart
  virtual std::string SelText() const = 0;
  virtual void SetSelText(const std::string& s) = 0;  // replaces the selection
  virtual int32_t MaxLength() const = 0;  // 0 = no limit; typed input stops at the limit
  virtual void SetMaxLength(int32_t v) = 0;
  virtual bool Locked() const = 0;
  virtual void SetLocked(bool v) = 0;
  virtual Color BackColor() const = 0;
  virtual void SetBackColor(Color c) = 0;
  virtual Color ForeColor() const = 0;
  virtual void SetForeColor(Color c) = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  virtual std::string PasswordChar() const = 0;
  virtual void SetPasswordChar(const std::string& c) = 0;

  Notify OnChange;
};

// Sized to its caption in its own font (auto-size), as the control's caption label is.
class Label : public Widget {
 public:
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& s) = 0;
  virtual Color ForeColor() const = 0;
  virtual void SetForeColor(Color c) = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  // A label sizes itself to its caption unless told not to; then the caption stands in the
  // label's own width by its alignment (0 left, 1 right, 2 centre). Border style 1 shows it
  // as a display: a sunken frame on a window-coloured ground.
  virtual void SetAutoSize(bool v) = 0;
  virtual void SetAlignment(int16_t v) = 0;
  virtual void SetBorderStyle(int16_t v) = 0;
};

// Line drawing on a canvas: what a picture box or a popup form records and shows.
struct DrawnLine {
  float x1, y1, x2, y2;
  Color color;
};

class PictureBox : public Widget {
 public:
  virtual float ScaleWidth() const = 0;  // inside the widget's own border
  virtual float ScaleHeight() const = 0;
  virtual int16_t DrawWidth() const = 0;  // pixels
  virtual void SetDrawWidth(int16_t v) = 0;
  virtual bool AutoRedraw() const = 0;
  virtual void SetAutoRedraw(bool v) = 0;
  virtual void Cls() = 0;
  virtual void Line(float x1, float y1, float x2, float y2, Color color) = 0;
  virtual const std::vector<DrawnLine>& Lines() const = 0;  // since the last Cls
  virtual PictureRef Picture() const = 0;
  virtual void SetPicture(PictureRef p) = 0;
  virtual Color BackColor() const = 0;
  virtual void SetBackColor(Color c) = 0;
  virtual Color ForeColor() const = 0;
  virtual void SetForeColor(Color c) = 0;
  virtual int16_t LinkTimeout() const = 0;
  virtual void SetLinkTimeout(int16_t v) = 0;
};

class Image : public Widget {
 public:
  virtual PictureRef Picture() const = 0;
  virtual void SetPicture(PictureRef p) = 0;
};

class Shape : public Widget {
 public:
  virtual int32_t ShapeKind() const = 0;  // TipoShape codes
  virtual void SetShapeKind(int32_t v) = 0;
  virtual Color FillColor() const = 0;
  virtual void SetFillColor(Color c) = 0;
  virtual int32_t FillStyle() const = 0;  // EstiloShape codes
  virtual void SetFillStyle(int32_t v) = 0;
  virtual Color BorderColor() const = 0;
  virtual void SetBorderColor(Color c) = 0;
  virtual int16_t BorderWidth() const = 0;  // pixels
  virtual void SetBorderWidth(int16_t v) = 0;
  virtual int32_t BorderStyle() const = 0;  // TipoBordaShape codes
  virtual void SetBorderStyle(int32_t v) = 0;
};

class CommandButton : public Widget {
 public:
  virtual PictureRef Picture() const = 0;
  virtual void SetPicture(PictureRef p) = 0;
  // Setting Value true clicks the button (raises OnClick).
  virtual void SetValue(bool v) = 0;
};

class ScrollBar : public Widget {
 public:
  virtual bool Vertical() const = 0;  // fixed when the bar is created
  virtual int16_t Min() const = 0;
  virtual void SetMin(int16_t v) = 0;
  virtual int16_t Max() const = 0;
  virtual void SetMax(int16_t v) = 0;
  virtual int16_t Value() const = 0;
  virtual void SetValue(int16_t v) = 0;
  virtual int16_t SmallChange() const = 0;
  virtual void SetSmallChange(int16_t v) = 0;  // refuses values below 1 (error 380)
  virtual int16_t LargeChange() const = 0;
  virtual void SetLargeChange(int16_t v) = 0;  // refuses values below 1 (error 380)

  Notify OnChange;
  Notify OnScroll;
};

class ListBox : public Widget {
 public:
  virtual void AddItem(const std::string& item) = 0;
  virtual void RemoveItem(int16_t index) = 0;  // error 5 out of range
  virtual void Clear() = 0;
  virtual int16_t ListCount() const = 0;
  virtual std::string List(int16_t index) const = 0;  // "" out of range
  virtual void SetList(int16_t index, const std::string& s) = 0;
  virtual int16_t ListIndex() const = 0;         // -1 = no selection
  virtual void SetListIndex(int16_t index) = 0;  // raises OnClick when it changes
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
};

// The window-message hook: reports selected messages of one window while it is set.
class MessageHook {
 public:
  virtual ~MessageHook() = default;
  virtual int32_t HwndHook() const = 0;
  virtual void SetHwndHook(int32_t hwnd) = 0;  // 0 stops watching
  virtual bool Message(int32_t msg) const = 0;
  virtual void SetMessage(int32_t msg, bool report) = 0;

  std::function<void(int32_t msg)> OnMessage;
};

}  // namespace orvo
