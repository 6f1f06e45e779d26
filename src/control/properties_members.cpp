// Properties backed by the member record: field kind, mask, caption placement, spinner range.
#include "base/error.h"
#include "control/orvo_mask.h"
#include "platform/popup_widgets.h"
#include "popups/calend_form.h"

namespace orvo {

void OrvoMask::SetFormatLostFocus(bool v) {
  m_.FormatLostFocus = v ? -1 : 0;
}

void OrvoMask::SetBookMark(const Variant& v) {
  m_.BookMark = v;
  RaiseChangeReport("BookMark");
}

void OrvoMask::SetColorNoFocus(Color c) {
  m_.ColorNoFocus = c;
  shp->SetFillColor(c);
  RaiseChangeReport("ColorNoFocus");
}

void OrvoMask::SetColorOnFocus(Color c) {
  m_.ColorOnFocus = c;
  RaiseChangeReport("ColorOnFocus");
}

int16_t OrvoMask::LargeChange() const {
  return scrH->LargeChange();
}

void OrvoMask::SetLargeChange(int16_t v) {
  // A value either bar refuses is ignored; what the bars accepted stays.
  for (ScrollBar* bar : {scrH.get(), scrV.get()}) {
    try {
      bar->SetLargeChange(v);
    } catch (const Error&) {
    }
  }
  RaiseChangeReport("LargeChange");
}

int16_t OrvoMask::SmallChange() const {
  return scrH->SmallChange();
}

void OrvoMask::SetSmallChange(int16_t v) {
  for (ScrollBar* bar : {scrH.get(), scrV.get()}) {
    try {
      bar->SetSmallChange(v);
    } catch (const Error&) {
    }
  }
  RaiseChangeReport("SmallChange");
}

// The bars hold one range with opposite ends: Min is scrV.Min and scrH.Max.
void OrvoMask::SetMin(int16_t v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    int16_t saved = m_.SuppressChange;
    m_.SuppressChange = -1;
    m_.MinValue = v;
    scrV->SetMin(v);
    scrH->SetMax(v);
    RaiseChangeReport("Min");
    m_.SuppressChange = saved;
  });
}

int16_t OrvoMask::Max() const {
  return scrV->Max();
}

void OrvoMask::SetMax(int16_t v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    int16_t saved = m_.SuppressChange;
    m_.SuppressChange = -1;
    scrH->SetMin(v);
    scrV->SetMax(v);
    m_.SuppressChange = saved;
    RaiseChangeReport("Max");
  });
}

void OrvoMask::SetMultiLine(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    m_.MultiLine = v ? -1 : 0;
    SelectEditWidgets();
    UserControl_Resize();
    RaiseChangeReport("MultiLine");
  });
}

void OrvoMask::SetSelectOnFocus(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    m_.SelectOnFocus = v ? -1 : 0;
    SelectEditWidgets();
    UserControl_Resize();
    RaiseChangeReport("SelectOnFocus");
  });
}

void OrvoMask::SetBrowseVisible(TipoBot v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    m_.BrowseVisible = v;
    int32_t orientation = static_cast<int32_t>(m_.Orientation);
    ConfigureButtons(orientation);
    if (m_.CalendFormOpen) {
      if (!m_.ListFields.empty()) {
        CloseCalendFormPage();
      } else {
        EnsureCalendForm().Unload();
      }
      m_.CalendFormOpen = 0;
    }
    CloseCalendFormPage();
    UserControl_Resize();
    RaiseChangeReport("BrowseVisible");
  });
}

void OrvoMask::SetCaptionOffset(int16_t v) {
  m_.CaptionOffset = v;
  UserControl_Resize();
  RaiseChangeReport("CaptionOffset");
}

void OrvoMask::SetBorderStyle(TipoBorda v) {
  m_.BorderStyle = v;
  UserControl_Resize();
  RaiseChangeReport("BorderStyle");
}

void OrvoMask::SetAppearance(Aparencia v) {
  m_.Appearance = v;
  UserControl_Resize();
  RaiseChangeReport("Appearance");
}

void OrvoMask::SetOrientation(Orientacao v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    int32_t orientation = static_cast<int32_t>(v);
    ConfigureButtons(orientation);
    UserControl_Resize();
    RaiseChangeReport("Orientation");
  });
}

void OrvoMask::SetBoundColumn(const std::string& v) {
  m_.BoundColumn = v;
  RaiseChangeReport("BoundColumn");
}

void OrvoMask::SetListFields(const std::string& v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    m_.ListFields = v;
    if (!v.empty() && m_.DataType == TipoDeCampo::Character) m_.BrowseVisible = TipoBot::DropDown;
    int32_t orientation = static_cast<int32_t>(m_.Orientation);
    ConfigureButtons(orientation);
    if (!m_.Mask.empty() && !m_.ListFields.empty()) CompileMask();
    BuildItemList();
    UserControl_Resize();
    RaiseChangeReport("ListFields");
  });
}

void OrvoMask::SetMask(const std::string& v) {
  m_.Mask = v;
  CompileMask();
  RaiseChangeReport("Mask");
}

// Changing the kind keeps the compiled mask: a later Mask assignment or load recompiles.
void OrvoMask::SetDataType(TipoDeCampo v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  AsFrame([&] {
    m_.DataType = v;
    m_.MultiLine = v == TipoDeCampo::Memo ? -1 : 0;
    int32_t orientation = static_cast<int32_t>(m_.Orientation);
    ConfigureButtons(orientation);
    SelectEditWidgets();
    UserControl_Resize();
    RaiseChangeReport("DataType");
  });
}

void OrvoMask::SetStuffChar(const std::string& v) {
  m_.StuffChar = v;
  RaiseChangeReport("StuffChar");
}

void OrvoMask::SetAlignment(TipoAlinhamento v) {
  m_.Alignment = v;
  UserControl_Resize();
  RaiseChangeReport("Alignment");
}

void OrvoMask::SetFillStyleOnFocus(EstiloShape v) {
  m_.FillStyleOnFocus = v;
  shp->SetFillStyle(static_cast<int32_t>(v));
  UpdateCaptionVisibility();
  UserControl_Resize();
  RaiseChangeReport("FillStyleOnFocus");
}

void OrvoMask::SetFillStyleNoFocus(EstiloShape v) {
  m_.FillStyleNoFocus = v;
  UpdateCaptionVisibility();
  UserControl_Resize();
  RaiseChangeReport("FillStyleNoFocus");
}

int16_t OrvoMask::ComLstExt() const {
  return gRsLista && !m_.ListFields.empty() ? -1 : 0;
}

}  // namespace orvo
