// Properties backed by the member record: field kind, mask, caption placement, spinner range.
#include "base/error.h"
#include "control/orvo_mask_impl.h"
#include "platform/popup_widgets.h"
#include "popups/calend_form.h"

namespace orvo {

void OrvoMask::SetFormatLostFocus(bool v) {
  d_->m_.FormatLostFocus = v ? -1 : 0;
}

void OrvoMask::SetBookMark(const Variant& v) {
  d_->m_.BookMark = v;
  d_->RaiseChangeReport("BookMark");
}

void OrvoMask::SetColorNoFocus(Color c) {
  d_->m_.ColorNoFocus = c;
  d_->shp->SetFillColor(c);
  d_->RaiseChangeReport("ColorNoFocus");
}

void OrvoMask::SetColorOnFocus(Color c) {
  d_->m_.ColorOnFocus = c;
  d_->RaiseChangeReport("ColorOnFocus");
}

int16_t OrvoMask::LargeChange() const {
  return d_->scrH->LargeChange();
}

void OrvoMask::SetLargeChange(int16_t v) {
  // A value either bar refuses is ignored; what the bars accepted stays.
  for (ScrollBar* bar : {d_->scrH.get(), d_->scrV.get()}) {
    try {
      bar->SetLargeChange(v);
    } catch (const Error&) {
    }
  }
  d_->RaiseChangeReport("LargeChange");
}

int16_t OrvoMask::SmallChange() const {
  return d_->scrH->SmallChange();
}

void OrvoMask::SetSmallChange(int16_t v) {
  for (ScrollBar* bar : {d_->scrH.get(), d_->scrV.get()}) {
    try {
      bar->SetSmallChange(v);
    } catch (const Error&) {
    }
  }
  d_->RaiseChangeReport("SmallChange");
}

// The bars hold one range with opposite ends: Min is scrV.Min and scrH.Max.
void OrvoMask::SetMin(int16_t v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    int16_t saved = d_->m_.SuppressChange;
    d_->m_.SuppressChange = -1;
    d_->m_.MinValue = v;
    d_->scrV->SetMin(v);
    d_->scrH->SetMax(v);
    d_->RaiseChangeReport("Min");
    d_->m_.SuppressChange = saved;
  });
}

int16_t OrvoMask::Max() const {
  return d_->scrV->Max();
}

void OrvoMask::SetMax(int16_t v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    int16_t saved = d_->m_.SuppressChange;
    d_->m_.SuppressChange = -1;
    d_->scrH->SetMin(v);
    d_->scrV->SetMax(v);
    d_->m_.SuppressChange = saved;
    d_->RaiseChangeReport("Max");
  });
}

void OrvoMask::SetMultiLine(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    d_->m_.MultiLine = v ? -1 : 0;
    d_->SelectEditWidgets();
    UserControl_Resize();
    d_->RaiseChangeReport("MultiLine");
  });
}

void OrvoMask::SetSelectOnFocus(bool v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    d_->m_.SelectOnFocus = v ? -1 : 0;
    d_->SelectEditWidgets();
    UserControl_Resize();
    d_->RaiseChangeReport("SelectOnFocus");
  });
}

void OrvoMask::SetBrowseVisible(TipoBot v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    d_->m_.BrowseVisible = v;
    int32_t orientation = static_cast<int32_t>(d_->m_.Orientation);
    d_->ConfigureButtons(orientation);
    if (d_->m_.CalendFormOpen) {
      if (!d_->m_.ListFields.empty()) {
        d_->CloseCalendFormPage();
      } else {
        d_->EnsureCalendForm().Unload();
      }
      d_->m_.CalendFormOpen = 0;
    }
    d_->CloseCalendFormPage();
    UserControl_Resize();
    d_->RaiseChangeReport("BrowseVisible");
  });
}

void OrvoMask::SetCaptionOffset(int16_t v) {
  d_->m_.CaptionOffset = v;
  UserControl_Resize();
  d_->RaiseChangeReport("CaptionOffset");
}

void OrvoMask::SetBorderStyle(TipoBorda v) {
  d_->m_.BorderStyle = v;
  UserControl_Resize();
  d_->RaiseChangeReport("BorderStyle");
}

void OrvoMask::SetAppearance(Aparencia v) {
  d_->m_.Appearance = v;
  UserControl_Resize();
  d_->RaiseChangeReport("Appearance");
}

void OrvoMask::SetOrientation(Orientacao v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    int32_t orientation = static_cast<int32_t>(v);
    d_->ConfigureButtons(orientation);
    UserControl_Resize();
    d_->RaiseChangeReport("Orientation");
  });
}

void OrvoMask::SetBoundColumn(const std::string& v) {
  d_->m_.BoundColumn = v;
  d_->RaiseChangeReport("BoundColumn");
}

void OrvoMask::SetListFields(const std::string& v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    d_->m_.ListFields = v;
    if (!v.empty() && d_->m_.DataType == TipoDeCampo::Character)
      d_->m_.BrowseVisible = TipoBot::DropDown;
    int32_t orientation = static_cast<int32_t>(d_->m_.Orientation);
    d_->ConfigureButtons(orientation);
    if (!d_->m_.Mask.empty() && !d_->m_.ListFields.empty()) d_->CompileMask();
    d_->BuildItemList();
    UserControl_Resize();
    d_->RaiseChangeReport("ListFields");
  });
}

void OrvoMask::SetMask(const std::string& v) {
  d_->m_.Mask = v;
  d_->CompileMask();
  d_->RaiseChangeReport("Mask");
}

// Changing the kind keeps the compiled mask: a later Mask assignment or load recompiles.
void OrvoMask::SetDataType(TipoDeCampo v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    d_->m_.DataType = v;
    d_->m_.MultiLine = v == TipoDeCampo::Memo ? -1 : 0;
    int32_t orientation = static_cast<int32_t>(d_->m_.Orientation);
    d_->ConfigureButtons(orientation);
    d_->SelectEditWidgets();
    UserControl_Resize();
    d_->RaiseChangeReport("DataType");
  });
}

void OrvoMask::SetStuffChar(const std::string& v) {
  d_->m_.StuffChar = v;
  d_->RaiseChangeReport("StuffChar");
}

void OrvoMask::SetAlignment(TipoAlinhamento v) {
  d_->m_.Alignment = v;
  UserControl_Resize();
  d_->RaiseChangeReport("Alignment");
}

void OrvoMask::SetFillStyleOnFocus(EstiloShape v) {
  d_->m_.FillStyleOnFocus = v;
  d_->shp->SetFillStyle(static_cast<int32_t>(v));
  d_->UpdateCaptionVisibility();
  UserControl_Resize();
  d_->RaiseChangeReport("FillStyleOnFocus");
}

void OrvoMask::SetFillStyleNoFocus(EstiloShape v) {
  d_->m_.FillStyleNoFocus = v;
  d_->UpdateCaptionVisibility();
  UserControl_Resize();
  d_->RaiseChangeReport("FillStyleNoFocus");
}

int16_t OrvoMask::ComLstExt() const {
  return gRsLista && !d_->m_.ListFields.empty() ? -1 : 0;
}

}  // namespace orvo
