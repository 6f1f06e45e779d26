// OrvoMaskImpl: the control's member record, constituent widgets and popup forms, and the
// routines of the control that work on them; OrvoMask holds it behind its interface.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "control/life_token.h"
#include "control/property_table.h"
#include "mask/compiled_mask.h"
#include "orvo/orvo_mask.h"
#include "platform/control_site.h"
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

class OrvoMaskImpl {
 public:
  OrvoMaskImpl(OrvoMask& q, ControlSite& site, OrvoMaskEvents* events);
  ~OrvoMaskImpl();
  OrvoMaskImpl(const OrvoMaskImpl&) = delete;
  OrvoMaskImpl& operator=(const OrvoMaskImpl&) = delete;

  static OrvoMaskImpl& Of(OrvoMask& c) { return *c.d_; }
  static const OrvoMaskImpl& Of(const OrvoMask& c) { return *c.d_; }

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

  // ---- Private members by name, for reading (scripts, diagnostics) ------------------
  // The private members and compiled-mask fields a script may read ("FilterKeyLast",
  // "MaskTemplate", ...), each as a Variant of its declared type; nothing for other names.
  // The indexed form reads FilterKeyFields(i) and FilterKeyValues(i), raising 9 outside 0..9.
  std::optional<Variant> MemberValue(const std::string& name) const;
  std::optional<Variant> MemberValue(const std::string& name, int16_t index) const;
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
  void ParseFilter();
  // The list preparation the drop-down runs (tools drive it directly too).
  void PrepareList(int16_t& SkipLocate);
  void LocateValue();

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

  void WireWidgetEvents();
  bool ReadOnly() const;
  // The steps of UserControl_ReadProperties.
  void ReadUserMode();
  void ResetForLoading();
  void ShowUnfocusedLook();
  void ForgetBinding();
  void StopHook();
  std::string FormatTextWith(const std::string& st) const;
  // Closes the list/calendar page of this control's popup form without a choice.
  void CloseCalendFormPage();
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
  // Value set on an item list: selects the line of that index and shows it.
  void SetItemValue(const Variant& v);
  // Unloads the calculator shared by the process when it is loaded.
  void UnloadCalculatorIfLoaded();
  // The drop-downs of Date and of Numeric and Spinner fields.
  void OpenCalendar();
  void OpenCalculator();
  void ClosedByHook(bool overButton, bool raiseDropDown);

  // Routines of the control that work on its widgets and popup forms.
  void ShowPopup(PopupForm& form);
  void ForwardMouse(Widget& w, int which, int16_t& Button, int16_t& Shift, float& X, float& Y);
  LayoutInput MeasureLayout() const;
  TextBox& ActiveBox() const { return *txt[m_.ActiveTextIndex]; }
  // Reports a set under the name the property table gives (none for some properties).
  void RaiseChangeReport(PropertyName p) {
    if (!p.Info().report.empty()) site_.PropertyChanged(std::string(p.Info().report));
  }
  // The steps of UserControl_ReadProperties that read the bag.
  void ReadFieldSettings(BagReader& r);
  void ReadSpinnerRange(BagReader& r);
  void ReadEditBoxes(BagReader& r);
  void ReadPictureBox(BagReader& r);
  // This control's popup form, created on first use.
  orvo::CalendForm& EnsureCalendForm();
  // The popup's list box, its items built from ListFields on first use.
  ListBox& ItemListBox();
  // The process's calculator, made for this control's host when it has none.
  CalcForm& SharedCalcForm();
  // Where a popup of that size opens beside the control.
  PopupPlace PlaceBesideMe(float popupWidth, float popupHeight) const;
  void SpinnerBarChanged(ScrollBar& moved, ScrollBar& other);

  OrvoMask& q_;

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
  // The site's settings, kept as they were when it was made: shared, never copied.
  const LocaleSettings& locale_;
  std::unique_ptr<ControlPopupOwner> popupOwner_;
  std::unique_ptr<orvo::CalendForm> calendForm_;
  bool terminated_ = false;
  // Declared last, so it is the first member to go: from then on every frame of the control
  // still on the stack leaves at its next check.
  LifeToken life_;
};

}  // namespace orvo
