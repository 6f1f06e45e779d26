// Reading the constituent widgets' state by name, rendered as the classic widgets type it.
#include "access/by_name.h"
#include "access/constituents.h"
#include "base/error.h"
#include "base/strings.h"
#include "control/orvo_mask.h"

namespace orvo {

namespace {

Variant Geometry(const Widget& w, const std::string& p, bool& found) {
  found = true;
  if (p == "LEFT") return Variant(w.Left());
  if (p == "TOP") return Variant(w.Top());
  if (p == "WIDTH") return Variant(w.Width());
  if (p == "HEIGHT") return Variant(w.Height());
  if (p == "VISIBLE") return Variant(w.Visible());
  if (p == "ENABLED") return Variant(w.Enabled());
  if (p == "HWND") return Variant(w.hWnd());
  found = false;
  return Variant();
}

Variant PictureName(const PictureRef& p) {
  return Variant(p ? p->name : std::string());
}
Variant Long(int32_t v) {
  return Variant(v);
}
Variant Colour(Color c) {
  return Variant(static_cast<int32_t>(c));
}

}  // namespace

Variant GetWidgetProperty(OrvoMask& c, const std::string& widget, int16_t index,
                          const std::string& prop) {
  Constituents parts(c);
  const std::string w = UCase(widget);
  const std::string p = UCase(prop);
  auto unknown = [&]() -> Variant {
    RaiseError(err::kNotSupported,
               "Object doesn't support this property or method: " + widget + "." + prop);
  };
  bool found = false;
  if (w == "TXT") {
    if (index < 0 || index > 2) RaiseError(err::kSubscriptOutOfRange, "Subscript out of range");
    const TextBox& b = *parts.txt[index];
    Variant g = Geometry(b, p, found);
    if (found) return g;
    if (p == "TEXT") return Variant(b.Text());
    if (p == "LOCKED") return Variant(b.Locked());
    if (p == "MAXLENGTH") return Long(b.MaxLength());
    if (p == "SELSTART") return Long(b.SelStart());
    if (p == "SELLENGTH") return Long(b.SelLength());
    if (p == "SELTEXT") return Variant(b.SelText());
    if (p == "BACKCOLOR") return Colour(b.BackColor());
    if (p == "FORECOLOR") return Colour(b.ForeColor());
    if (p == "PASSWORDCHAR") return Variant(b.PasswordChar());
    if (p == "MOUSEICON") return PictureName(b.MouseIcon());
    return unknown();
  }
  if (index != 0) RaiseError(err::kSubscriptOutOfRange, widget + " is not a control array");
  if (w == "LAB") {
    Variant g = Geometry(*parts.lab, p, found);
    if (found) return g;
    if (p == "CAPTION") return Variant(parts.lab->Caption());
    if (p == "FORECOLOR") return Colour(parts.lab->ForeColor());
    return unknown();
  }
  if (w == "PIC") {
    Variant g = Geometry(*parts.pic, p, found);
    if (found) return g;
    if (p == "SCALEWIDTH") return Variant(parts.pic->ScaleWidth());
    if (p == "SCALEHEIGHT") return Variant(parts.pic->ScaleHeight());
    if (p == "BACKCOLOR") return Colour(parts.pic->BackColor());
    if (p == "FORECOLOR") return Colour(parts.pic->ForeColor());
    if (p == "DRAWWIDTH") return Long(parts.pic->DrawWidth());
    if (p == "PICTURE") return PictureName(parts.pic->Picture());
    if (p == "LINKTIMEOUT") return Variant(parts.pic->LinkTimeout());
    if (p == "LINES") return Long(static_cast<int32_t>(parts.pic->Lines().size()));
    return unknown();
  }
  if (w == "IMG") {
    Variant g = Geometry(*parts.img, p, found);
    if (found) return g;
    if (p == "PICTURE") return PictureName(parts.img->Picture());
    return unknown();
  }
  if (w == "SHP") {
    Variant g = Geometry(*parts.shp, p, found);
    if (found) return g;
    if (p == "SHAPE") return Long(parts.shp->ShapeKind());
    if (p == "FILLCOLOR") return Colour(parts.shp->FillColor());
    if (p == "FILLSTYLE") return Long(parts.shp->FillStyle());
    if (p == "BORDERCOLOR") return Colour(parts.shp->BorderColor());
    if (p == "BORDERWIDTH") return Long(parts.shp->BorderWidth());
    if (p == "BORDERSTYLE") return Long(parts.shp->BorderStyle());
    return unknown();
  }
  if (w == "BOT") {
    Variant g = Geometry(*parts.bot, p, found);
    if (found) return g;
    if (p == "PICTURE") return PictureName(parts.bot->Picture());
    return unknown();
  }
  if (w == "SCRV" || w == "SCRH") {
    const ScrollBar& s = w == "SCRV" ? *parts.scrV : *parts.scrH;
    Variant g = Geometry(s, p, found);
    if (found) return g;
    if (p == "VALUE") return Variant(s.Value());
    if (p == "MIN") return Variant(s.Min());
    if (p == "MAX") return Variant(s.Max());
    if (p == "SMALLCHANGE") return Variant(s.SmallChange());
    if (p == "LARGECHANGE") return Variant(s.LargeChange());
    return unknown();
  }
  if (w == "USERCONTROL") {
    // The control's own surface: what the layout widens to its minimum size.
    if (p == "WIDTH") return Variant(c.Site().Width());
    if (p == "HEIGHT") return Variant(c.Site().Height());
    if (p == "SCALEWIDTH") return Variant(c.Site().ScaleWidth());
    if (p == "SCALEHEIGHT") return Variant(c.Site().ScaleHeight());
    return unknown();
  }
  if (w == "HOK") {
    if (p == "HWNDHOOK") return Long(parts.hok->HwndHook());
    return unknown();
  }
  RaiseError(err::kNotSupported, "The control has no widget named " + widget);
}

}  // namespace orvo
