// ControlSite: what the container gives one control: change reports, ambient properties,
// the extender, the control's own surface, its notifications, and its constituent widgets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/host_objects.h"
#include "platform/host_services.h"
#include "platform/widgets.h"

namespace orvo {

// One entry of the parent form's Controls collection. The control is an opaque handle: the
// host keeps what the control registered and compares it, and only the control's own code
// turns it back into the control.
struct SiblingControl {
  std::string name;
  void* control = nullptr;  // null for controls of other kinds
};

// The control's own surface notifications (the UserControl_* events).
struct SurfaceHandlers {
  Notify OnShow, OnResize, OnEnterFocus, OnExitFocus, OnGotFocus, OnLostFocus;
  KeyHandler OnKeyDown;
  KeyPressHandler OnKeyPress;
  MouseHandler OnMouseDown, OnMouseUp, OnMouseMove;
};

class ControlSite {
 public:
  virtual ~ControlSite() = default;

  virtual HostServices& Services() = 0;

  // Container.
  virtual void PropertyChanged(const std::string& name) = 0;
  virtual bool AmbientUserMode() const = 0;  // may raise; callers treat a failure as false
  virtual FontRef AmbientFont() const = 0;

  // Extender.
  virtual int32_t WhatsThisHelpID() const = 0;
  virtual void SetWhatsThisHelpID(int32_t v) = 0;
  virtual int16_t Index() const = 0;  // raises orvo::Error 343 when not in a control array
  virtual std::string Name() const = 0;
  virtual int32_t ParentHwnd() const = 0;  // raises when the control has no parent form
  virtual std::vector<SiblingControl> ParentControls() const = 0;

  // The control's own surface (twips unless said otherwise).
  virtual int32_t hWnd() const = 0;
  virtual int32_t hDC() const = 0;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  virtual void SetWidth(float v) = 0;
  virtual void SetHeight(float v) = 0;
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
  // A distance in the surface's scale converted to the container's units.
  virtual float ScaleXToContainer(float x) const = 0;
  virtual float ScaleYToContainer(float y) const = 0;
  // Text measured in the surface's font.
  virtual float TextWidth(const std::string& text) const = 0;
  virtual float TextHeight(const std::string& text) const = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  virtual int16_t MousePointer() const = 0;
  virtual void SetMousePointer(int16_t v) = 0;
  virtual PictureRef MouseIcon() const = 0;
  virtual void SetMouseIcon(PictureRef p) = 0;
  virtual void Repaint() = 0;
  // Inverts the dotted outline of the rectangle (pixels of the surface); twice restores.
  virtual void DrawFocusRect(const Rect& r) = 0;
  // Sets the control's notification handlers; the site calls them from then on.
  virtual void SetSurfaceHandlers(SurfaceHandlers handlers) = 0;

  // Constituent widgets. `parent` is the picture box the widget sits in, or null for the
  // control's own surface.
  virtual std::unique_ptr<TextBox> CreateTextBox(PictureBox* parent, bool multiLine) = 0;
  virtual std::unique_ptr<Label> CreateLabel() = 0;
  virtual std::unique_ptr<PictureBox> CreatePictureBox() = 0;
  virtual std::unique_ptr<Image> CreateImage() = 0;
  virtual std::unique_ptr<Shape> CreateShape() = 0;
  virtual std::unique_ptr<CommandButton> CreateCommandButton(PictureBox* parent) = 0;
  virtual std::unique_ptr<ScrollBar> CreateScrollBar(PictureBox* parent, bool vertical) = 0;
  virtual std::unique_ptr<MessageHook> CreateMessageHook() = 0;
};

}  // namespace orvo
