// OrvoMask: one field of a form: caption, masked edit box, typed value and drop-down aid.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/locale_settings.h"
#include "base/variant.h"
#include "control/enums.h"
#include "control/life_token.h"
#include "control/orvo_mask_events.h"
#include "control/property_table.h"
#include "lookup/recordset.h"
#include "mask/compiled_mask.h"
#include "platform/control_site.h"
#include "platform/property_bag.h"
#include "platform/widgets.h"

namespace orvo {

class PopupForm;
class CalendForm;
class CalcForm;
class ControlPopupOwner;
struct PopupPlace;
class BagReader;
struct LayoutInput;

// The private members of the control, under the names every part of the control uses.
// Booleans are 16-bit (-1 true, 0 false); enumerations are 32-bit.
struct MemberRecord {
  std::array<std::string, 10> FilterKeyFields;
  std::array<Variant, 10> FilterKeyValues;
  int16_t FilterKeyLast = -1;
  int16_t CalendFormOpen = 0;
  int16_t CalcFormOpen = 0;
  Orientacao Orientation = DefaultOf<Orientacao>("Orientation");
  Aparencia Appearance = DefaultOf<Aparencia>("Appearance");
  TipoBorda BorderStyle = DefaultOf<TipoBorda>("BorderStyle");
  std::string Mask;
  TipoDeCampo DataType = DefaultOf<TipoDeCampo>("DataType");
  std::string StuffChar;
  TipoBot BrowseVisible = DefaultOf<TipoBot>("BrowseVisible");
  int16_t SelectOnFocus = DefaultOf<int16_t>("SelectOnFocus");
  int16_t MultiLine = DefaultOf<int16_t>("MultiLine");
  int16_t CaptionOffset = DefaultOf<int16_t>("CaptionOffset");  // twips
  int16_t CheckValue = DefaultOf<int16_t>("CheckValue");
  TipoAlinhamento Alignment = DefaultOf<TipoAlinhamento>("Alignment");
  Color ColorOnFocus = DefaultOf<Color>("ColorOnFocus");
  Color ColorNoFocus = DefaultOf<Color>("ColorNoFocus");
  EstiloShape FillStyleOnFocus = DefaultOf<EstiloShape>("FillStyleOnFocus");
  EstiloShape FillStyleNoFocus = DefaultOf<EstiloShape>("FillStyleNoFocus");
  std::string ListFields;
  std::string BoundColumn;
  std::string IndexBound;
  std::string IndexField;
  int16_t FormatLostFocus = DefaultOf<int16_t>("FormatLostFocus");
  int16_t Enabled = DefaultOf<int16_t>("Enabled");
  Variant BookMark;
  std::string Filter;
  std::string SelectFilter;
  CompiledMask compiled;  // MaskTemplate, ForceUpper, ForceLower, AllLetters, DecimalDigits,
                          // IntegerDigits, GroupThousands
  int16_t ActiveTextIndex = 0;
  orvo::CalendForm* CalendForm = nullptr;  // owned by calendForm_; created on first use
  float PopupClosedAt = 0;                 // seconds since midnight
  int16_t LayoutReady = 0;
  int16_t UserMode = 0;
  int16_t SuppressChange = 0;
  int16_t ListBusy = 0;
  // Not in the classic record: what reading Min returns (the value last given to Min).
  int16_t MinValue = DefaultOf<int16_t>("Min");
};

class OrvoMask {
 public:
  // Creates the constituent widgets through the site and runs UserControl_Initialize.
  explicit OrvoMask(ControlSite& site, OrvoMaskEvents* events = nullptr);
  ~OrvoMask();
  OrvoMask(const OrvoMask&) = delete;
  OrvoMask& operator=(const OrvoMask&) = delete;

  void SetEvents(OrvoMaskEvents* events) { events_ = events ? events : &noEvents_; }
  ControlSite& Site() { return site_; }

  // ---- Container notifications ------------------------------------------------------
  // What the form that holds the control raises to create, load, save and size it. The
  // other notifications (focus, keys, mouse, show, terminate) reach the control through the
  // surface handlers it gives its site.
  void UserControl_InitProperties();
  void UserControl_ReadProperties(PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag);
  void UserControl_Resize();

  // ---- Properties ---------------------------------------------------------------------
  std::string SelectFilter() const { return m_.SelectFilter; }
  void SetSelectFilter(const std::string& v);
  std::string Filter() const { return m_.Filter; }
  void SetFilter(const std::string& v);
  RecordsetRef RecordSource() const { return gRsLista; }
  void SetRecordSource(RecordsetRef r);
  void SetFormatLostFocus(bool v);
  Color BackColor() const;
  void SetBackColor(Color c);
  Variant BookMark() const { return m_.BookMark; }
  void SetBookMark(const Variant& v);
  std::string PasswordChar() const;
  void SetPasswordChar(const std::string& v);
  int16_t LinkTimeOut() const;
  void SetLinkTimeOut(int16_t v);
  Color ColorNoFocus() const { return m_.ColorNoFocus; }
  void SetColorNoFocus(Color c);
  Color ColorOnFocus() const { return m_.ColorOnFocus; }
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
  bool MultiLine() const { return m_.MultiLine != 0; }
  void SetMultiLine(bool v);
  bool SelectOnFocus() const { return m_.SelectOnFocus != 0; }
  void SetSelectOnFocus(bool v);
  TipoBot BrowseVisible() const { return m_.BrowseVisible; }
  void SetBrowseVisible(TipoBot v);
  int16_t CaptionOffset() const { return m_.CaptionOffset; }
  void SetCaptionOffset(int16_t v);
  Ponteiro MousePointer() const;
  void SetMousePointer(Ponteiro v);
  PictureRef MouseIcon() const;
  void SetMouseIcon(PictureRef p);
  int16_t Min() const { return m_.MinValue; }
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
  TipoBorda BorderStyle() const { return m_.BorderStyle; }
  void SetBorderStyle(TipoBorda v);
  Aparencia Appearance() const { return m_.Appearance; }
  void SetAppearance(Aparencia v);
  Orientacao Orientation() const { return m_.Orientation; }
  void SetOrientation(Orientacao v);
  std::string IndexField() const { return m_.IndexField; }
  std::string IndexBound() const { return m_.IndexBound; }
  std::string BoundColumn() const { return m_.BoundColumn; }
  void SetBoundColumn(const std::string& v);
  std::string ListFields() const { return m_.ListFields; }
  void SetListFields(const std::string& v);
  std::string Mask() const { return m_.Mask; }
  void SetMask(const std::string& v);
  TipoDeCampo DataType() const { return m_.DataType; }
  void SetDataType(TipoDeCampo v);
  std::string StuffChar() const { return m_.StuffChar; }
  void SetStuffChar(const std::string& v);
  std::string Caption() const;
  void SetCaption(const std::string& v);
  TipoAlinhamento Alignment() const { return m_.Alignment; }
  void SetAlignment(TipoAlinhamento v);
  EstiloShape FillStyleOnFocus() const { return m_.FillStyleOnFocus; }
  void SetFillStyleOnFocus(EstiloShape v);
  EstiloShape FillStyleNoFocus() const { return m_.FillStyleNoFocus; }
  void SetFillStyleNoFocus(EstiloShape v);
  TipoShape Shape() const;
  void SetShape(TipoShape v);
  bool Enabled() const { return m_.Enabled != 0; }
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
  int16_t gTpMDB = DefaultOf<int16_t>("gTpMDB");
  int16_t gTpTabela = DefaultOf<int16_t>("gTpTabela");
  Variant gValueAtual;
  int32_t WndForm = 0;
  int32_t EstiloForm = 0;
  int16_t NaoEClick = 0;
  int16_t EstadoNumLock = 0;
  std::string UserTag;
  std::string ListBoxSearch;
  int16_t FazerRefresh = 0;

  // ---- Private members by name, for reading (scripts, diagnostics) ------------------
  // The private members and compiled-mask fields a script may read ("FilterKeyLast",
  // "MaskTemplate", ...), each as a Variant of its declared type; nothing for other names.
  // The indexed form reads FilterKeyFields(i) and FilterKeyValues(i), raising 9 outside 0..9.
  std::optional<Variant> MemberValue(const std::string& name) const;
  std::optional<Variant> MemberValue(const std::string& name, int16_t index) const;

  // The control's own popup form (the calendar and list pages), made on first use; null
  // before. For hosts and tools that look at the open popup.
  orvo::CalendForm* CalendarForm() const { return m_.CalendForm; }
  const LocaleSettings& Locale() const { return locale_; }

  // ---- List preparation the drop-down runs (the binding tests drive it directly) -------
  void PrepareList(int16_t& SkipLocate);
  void LocateValue();

 private:
  friend class ControlPopupOwner;
  friend class ListPage;
  friend struct Constituents;

  // Container notifications raised through the surface handlers.
  void UserControl_Initialize();
  void UserControl_Terminate();
  void UserControl_Show();
  void UserControl_EnterFocus();
  void UserControl_ExitFocus();
  void UserControl_GotFocus();
  void UserControl_LostFocus();
  void UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift);
  void UserControl_KeyPress(int16_t& KeyAscii);
  void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
  void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);

  // Routines the parts of the control call by name.
  void ConfigureButtons(int32_t& orientation);
  void CompileMask();
  int16_t ApplyKey(int16_t& key, int16_t& passThrough);
  void PressKey(int16_t virtualKey);
  void SelectEditWidgets();
  void DrawFieldBorder(int16_t& Clear);
  void UpdateCaptionVisibility();
  void DrawCaptionFocus();
  void ToggleValue();
  void ShowPopup(PopupForm& form);
  void ParseFilter();

  // Edit box handlers.
  void txt_KeyDown(int16_t Index, int16_t& KeyCode, int16_t& Shift);
  void txt_KeyPress(int16_t Index, int16_t& KeyAscii);
  void txt_KeyUp(int16_t Index, int16_t& KeyCode, int16_t& Shift);
  void txt_Click(int16_t Index);
  void txt_Change(int16_t Index);
  void txt_GotFocus(int16_t Index);
  void txt_LostFocus(int16_t Index);
  void txt_MouseDown(int16_t Index, int16_t& Button, int16_t& Shift, float& X, float& Y);
  void txt_MouseMove(int16_t Index, int16_t& Button, int16_t& Shift, float& X, float& Y);
  void txt_MouseUp(int16_t Index, int16_t& Button, int16_t& Shift, float& X, float& Y);
  // Spinner bars, browse button, caption and box handlers.
  void scrH_Change();
  void scrV_Change();
  void bot_Click();
  // The message hook's report: closes the open popup when another window is activated.
  void hok_Message();
  void lab_Click();
  void pic_Click();
  void img_Click();
  void pic_GotFocus();
  void pic_LostFocus();
  void pic_KeyDown(int16_t& KeyCode, int16_t& Shift);
  void pic_KeyPress(int16_t& KeyAscii);
  void ForwardMouse(Widget& w, int which, int16_t& Button, int16_t& Shift, float& X, float& Y);

  void WireWidgetEvents();
  // Raises an event through `raise`. A handler may destroy the control (a form closing
  // itself from Change): the work of the control then stops here and unwinds to its
  // outermost frame (life_token.h).
  template <typename F>
  void Raise(F&& raise) {
    const std::shared_ptr<LifeState> life = life_.Share();
    raise();
    LeaveIfGone(*life);
  }
  // `handler` as the host calls it: one frame of the control, which ends quietly when a
  // handler of the application destroyed the control meanwhile.
  template <typename F>
  auto InFrame(F handler) {
    return [life = life_.Share(), handler = std::move(handler)](auto&&... args) {
      RunFrame(life, [&] { handler(static_cast<decltype(args)&&>(args)...); });
    };
  }
  // The body of a public method as one frame of the control.
  template <typename F>
  void AsFrame(F&& body) {
    RunFrame(life_.Share(), body);
  }
  LayoutInput MeasureLayout() const;
  TextBox& ActiveBox() const { return *txt[m_.ActiveTextIndex]; }
  bool ReadOnly() const;
  // Reports a set under the name the property table gives (none for some properties).
  void RaiseChangeReport(PropertyName p) {
    if (!p.Info().report.empty()) site_.PropertyChanged(std::string(p.Info().report));
  }
  // The steps of UserControl_ReadProperties.
  void ReadUserMode();
  void ResetForLoading();
  void ReadFieldSettings(BagReader& r);
  void ReadSpinnerRange(BagReader& r);
  void ShowUnfocusedLook();
  void ReadEditBoxes(BagReader& r);
  void ReadPictureBox(BagReader& r);
  void ForgetBinding();
  void StopHook();
  std::string FormatTextWith(const std::string& st) const;
  // Closes the list/calendar page of this control's popup form without a choice.
  void CloseCalendFormPage();
  // This control's popup form, created on first use.
  orvo::CalendForm& EnsureCalendForm();
  // Rebuilds the item list of an item-list field from ListFields.
  void BuildItemList();
  // The lookup list drops down: the record grid or the item list beside the field.
  void OpenList();
  // Keys going down in a list field move its selection and reset its search.
  void ListKeyDown(int16_t& KeyCode);
  // A character typed in a list field extends its search.
  void ListKeyPress(bool internal, int16_t& KeyAscii);
  // Selects the item list's line that reads as the field's text (none when no line does).
  void SelectItemOfText();
  // The popup's list box, its items built from ListFields on first use.
  ListBox& ItemListBox();
  // Value set on an item list: selects the line of that index and shows it.
  void SetItemValue(const Variant& v);
  // Unloads the calculator shared by the process when it is loaded.
  void UnloadCalculatorIfLoaded();
  // The drop-downs of Date and of Numeric and Spinner fields.
  void OpenCalendar();
  void OpenCalculator();
  // The process's calculator, made for this control's host when it has none.
  CalcForm& SharedCalcForm();
  // Where a popup of that size opens beside the control.
  PopupPlace PlaceBesideMe(float popupWidth, float popupHeight) const;
  void ClosedByHook(bool overButton, bool raiseDropDown);
  void SpinnerBarChanged(ScrollBar& moved, ScrollBar& other);

  // The constituent widgets, as the design names them (tools reach them through
  // access/constituents.h).
  std::array<std::unique_ptr<TextBox>, 3> txt;
  std::unique_ptr<Label> lab;
  std::unique_ptr<PictureBox> pic;
  std::unique_ptr<Image> img;
  std::unique_ptr<orvo::Shape> shp;
  std::unique_ptr<CommandButton> bot;
  std::unique_ptr<ScrollBar> scrV;
  std::unique_ptr<ScrollBar> scrH;
  std::unique_ptr<MessageHook> hok;

  ControlSite& site_;
  OrvoMaskEvents noEvents_;
  OrvoMaskEvents* events_;
  MemberRecord m_;
  LocaleSettings locale_;
  std::unique_ptr<ControlPopupOwner> popupOwner_;
  std::unique_ptr<orvo::CalendForm> calendForm_;
  bool terminated_ = false;
  // Declared last, so it is the first member to go: from then on every frame of the control
  // still on the stack leaves at its next check.
  LifeToken life_;
};

}  // namespace orvo
