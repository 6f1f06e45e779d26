// OrvoMask: one field of a form: caption, masked edit box, typed value and drop-down aid.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "orvo/enums.h"
#include "orvo/host_objects.h"
#include "orvo/locale_settings.h"
#include "orvo/orvo_mask_events.h"
#include "orvo/property_bag.h"
#include "orvo/recordset.h"
#include "orvo/variant.h"

namespace orvo {

// The container a control lives in; a host creates one per control (FormHost::CreateSite).
class ControlSite;
// The control's state and constituent widgets, behind the interface.
class OrvoMaskImpl;

class OrvoMask {
 public:
  // Creates the constituent widgets through the site and runs UserControl_Initialize.
  explicit OrvoMask(ControlSite& site, OrvoMaskEvents* events = nullptr);
  ~OrvoMask();
  OrvoMask(const OrvoMask&) = delete;
  OrvoMask& operator=(const OrvoMask&) = delete;

  void SetEvents(OrvoMaskEvents* events);
  // The container the control lives in, as its host gave it.
  ControlSite& Site();

  // ---- Container notifications ------------------------------------------------------
  // What the form that holds the control raises to create, load, save and size it. The
  // other notifications (focus, keys, mouse, show, terminate) reach the control through the
  // surface handlers it gives its site.
  void UserControl_InitProperties();
  void UserControl_ReadProperties(PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag);
  void UserControl_Resize();

  // ---- Properties ---------------------------------------------------------------------
  std::string SelectFilter() const;
  void SetSelectFilter(const std::string& v);
  std::string Filter() const;
  void SetFilter(const std::string& v);
  RecordsetRef RecordSource() const { return gRsLista; }
  void SetRecordSource(RecordsetRef r);
  void SetFormatLostFocus(bool v);
  Color BackColor() const;
  void SetBackColor(Color c);
  Variant BookMark() const;
  void SetBookMark(const Variant& v);
  std::string PasswordChar() const;
  void SetPasswordChar(const std::string& v);
  int16_t LinkTimeOut() const;
  void SetLinkTimeOut(int16_t v);
  Color ColorNoFocus() const;
  void SetColorNoFocus(Color c);
  Color ColorOnFocus() const;
  void SetColorOnFocus(Color c);
  bool Locked() const;
  void SetLocked(bool v);
  int16_t LargeChange() const;
  void SetLargeChange(int16_t v);
  int32_t hwnd() const;
  int32_t hdc() const;
  Color ForeColor() const;
  void SetForeColor(Color c);
  Color ShapeBorderColor() const;
  void SetShapeBorderColor(Color c);
  int16_t ShapeBorderWidth() const;
  void SetShapeBorderWidth(int16_t v);
  TipoBordaShape ShapeBorderStyle() const;
  void SetShapeBorderStyle(TipoBordaShape v);
  Color CaptionColor() const;
  void SetCaptionColor(Color c);
  FontRef Font() const;
  void SetFont(FontRef f);
  FontRef CaptionFont() const;
  void SetCaptionFont(FontRef f);
  bool MultiLine() const;
  void SetMultiLine(bool v);
  bool SelectOnFocus() const;
  void SetSelectOnFocus(bool v);
  TipoBot BrowseVisible() const;
  void SetBrowseVisible(TipoBot v);
  int16_t CaptionOffset() const;
  void SetCaptionOffset(int16_t v);
  Ponteiro MousePointer() const;
  void SetMousePointer(Ponteiro v);
  PictureRef MouseIcon() const;
  void SetMouseIcon(PictureRef p);
  int16_t Min() const;
  void SetMin(int16_t v);
  int32_t MaxLength() const;
  void SetMaxLength(int32_t v);
  int16_t Max() const;
  void SetMax(int16_t v);
  int16_t ListIndex();
  void SetListIndex(int16_t v);
  int16_t ListCount();
  std::string List(int16_t Index);
  void SetList(int16_t Index, const std::string& v);
  std::string SelText() const;
  void SetSelText(const std::string& v);
  int32_t SelStart() const;
  void SetSelStart(int32_t v);
  int32_t SelLength() const;
  void SetSelLength(int32_t v);
  std::string Text() const;
  void SetText(const std::string& v);
  int16_t SmallChange() const;
  void SetSmallChange(int16_t v);
  Variant Value();
  void SetValue(const Variant& v);
  int32_t WhatsThisHelpID() const;
  void SetWhatsThisHelpID(int32_t v);
  TipoBorda BorderStyle() const;
  void SetBorderStyle(TipoBorda v);
  Aparencia Appearance() const;
  void SetAppearance(Aparencia v);
  Orientacao Orientation() const;
  void SetOrientation(Orientacao v);
  std::string IndexField() const;
  std::string IndexBound() const;
  std::string BoundColumn() const;
  void SetBoundColumn(const std::string& v);
  std::string ListFields() const;
  void SetListFields(const std::string& v);
  std::string Mask() const;
  void SetMask(const std::string& v);
  TipoDeCampo DataType() const;
  void SetDataType(TipoDeCampo v);
  std::string StuffChar() const;
  void SetStuffChar(const std::string& v);
  std::string Caption() const;
  void SetCaption(const std::string& v);
  TipoAlinhamento Alignment() const;
  void SetAlignment(TipoAlinhamento v);
  EstiloShape FillStyleOnFocus() const;
  void SetFillStyleOnFocus(EstiloShape v);
  EstiloShape FillStyleNoFocus() const;
  void SetFillStyleNoFocus(EstiloShape v);
  TipoShape Shape() const;
  void SetShape(TipoShape v);
  bool Enabled() const;
  void SetEnabled(bool v);

  // ---- Methods ------------------------------------------------------------------------
  void VoltaFoco();
  void ExcutaChange();
  void ProcuraLetra(int16_t& Index, int16_t& KeyAscii);
  void LigaDesligaHok(int32_t& Liga, bool& GeraEvento);
  void Refresh();
  void AddItem(std::string New_Item);
  void Clear();
  void RemoveItem(int16_t New_Index);
  Variant FieldValue(std::string St, TipoDeCampo Tp, std::string MA, std::string LstCp);
  std::string FormatField(Variant New_Value, std::string MA, TipoDeCampo Tp, std::string LstCp);
  std::string FormatText(std::string& St);
  int16_t ComLstExt() const;
  void Pesquisa(int16_t& Oq);
  bool RegistroOk();
  void OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL);

  // ---- Public variables -----------------------------------------------------------------
  RecordsetRef gRsLista;
  int16_t gTpMDB;
  int16_t gTpTabela;
  Variant gValueAtual;
  int32_t WndForm = 0;
  int32_t EstiloForm = 0;
  int16_t NaoEClick = 0;
  int16_t EstadoNumLock = 0;
  std::string UserTag;
  std::string ListBoxSearch;
  int16_t FazerRefresh = 0;

  const LocaleSettings& Locale() const;

 private:
  friend class OrvoMaskImpl;

  // The member record, the constituent widgets, the popup forms and the routines over them.
  // Declared last, so it is the first member to go, before the public variables.
  std::unique_ptr<OrvoMaskImpl> d_;
};

}  // namespace orvo
