// ComputeLayout: the field, caption and parts of the control as a plan of rectangles
// (twips), from its settings and the sizes measured on its widgets. The control measures,
// calls it, grows its surface to the least size, and applies the plan to its widgets.
#pragma once

#include <cstdint>
#include <optional>

#include "appearance/appearance_enums.h"
#include "mask/tipo_de_campo.h"

namespace orvo {

// A widget's place in its parent: twips, Single as widget geometry is.
struct Placement {
  float left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Placement&) const = default;
};

struct LayoutInput {
  // Settings.
  TipoDeCampo kind = TipoDeCampo::Character;
  TipoAlinhamento alignment = TipoAlinhamento::FieldTop;
  Aparencia appearance = Aparencia::ThreeD;
  TipoBorda borderStyle = TipoBorda::FixedSingle;
  TipoBot browse = TipoBot::None;
  Orientacao orientation = Orientacao::Vertical;
  int16_t captionOffset = 50;  // twips
  bool hasCaption = false;
  bool fillVisible = false;  // the caption's shape is drawn (a fill style not transparent)

  // Measured on the widgets and the host.
  float twipsPerPixelX = 15, twipsPerPixelY = 15;
  float digitWidth = 0, digitHeight = 0;              // "0" in the field's font
  float fieldBorderWidth = 0, fieldBorderHeight = 0;  // the field's size beyond its scale
  int16_t drawWidth = 1;                              // the field's pen, pixels
  float captionWidth = 0, captionHeight = 0;          // the caption label, sized to its text
  float captionLeft = 0, captionTop = 0;              // where it stands now
  int16_t shapeBorderWidth = 1;                       // pixels
  float spinnerWidth = 0;                             // the vertical bar's breadth
  float spinnerHeight = 0;                            // the horizontal bar's breadth
  float surfaceWidth = 0, surfaceHeight = 0;          // the control's scale size as the pass begins
};

// The room the field and the caption take. The working quantities are 16-bit, rounded half
// to even; sums that leave the range clamp to its ends rather than fail.
struct LayoutRoom {
  int16_t fieldWidth = 0, fieldHeight = 0;      // the least field
  int16_t captionWidth = 0, captionHeight = 0;  // beside and above the field
  int16_t captionGap = 0;                       // around the caption inside its shape
  int16_t shapeBorder = 0;                      // the shape's border, twips
  double minWidth = 0, minHeight = 0;           // the control's least size, whole pixels
};

struct LayoutPlan {
  Placement field;                      // the picture box holding the field
  std::optional<Placement> optionMark;  // Option: the image showing the mark
  // With a caption: its shape's place and the caption label's corner.
  bool captionPlaced = false;
  Placement shape;
  float captionLeft = 0, captionTop = 0;
  // Inside the field, for the kinds that edit text.
  std::optional<Placement> editBox, browseButton, spinnerBar;
  bool drawBorder = false;   // the field's border is drawn (not for Option)
  bool clearBorder = false;  // the drawing is cleared first (not for Boolean)
};

// Which of the three edit boxes a field shows: 0 one line of text, 1 a number, 2 several
// lines. A field listing records, or a number with an item list, edits in box 0.
int16_t EditBoxFor(TipoDeCampo kind, bool multiLine, bool hasListFields, bool listsRecords);

LayoutRoom ComputeLayoutRoom(const LayoutInput& in);

// The plan on a surface of the given scale size, the room measured as the pass began. A
// control that grows to its least size raises a nested pass, and may end larger than that
// size: the parts are laid out on the size it ends with, the caption room stays as measured.
LayoutPlan ComputeLayout(const LayoutInput& in, const LayoutRoom& room, float surfaceWidth,
                         float surfaceHeight);

// The whole pass on a surface that grows to exactly its least size when below it.
LayoutPlan ComputeLayout(const LayoutInput& in);

}  // namespace orvo
