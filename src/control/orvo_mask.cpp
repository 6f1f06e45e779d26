// OrvoMask lifetime: widget creation and wiring, initialisation of a new control, Show.
#include "base/error.h"
#include "control/control_popup_owner.h"
#include "control/conversions16.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "platform/popup_widgets.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"

namespace orvo {

OrvoMaskImpl::OrvoMaskImpl(OrvoMask& q, ControlSite& site, OrvoMaskEvents* events)
    : q_(q),
      site_(site),
      events_(events ? events : &noEvents_),
      popupOwner_(std::make_unique<ControlPopupOwner>(q)) {
  pic = site_.CreatePictureBox();
  txt[0] = site_.CreateTextBox(pic.get(), false);
  txt[1] = site_.CreateTextBox(pic.get(), false);
  txt[2] = site_.CreateTextBox(pic.get(), true);
  lab = site_.CreateLabel();
  img = site_.CreateImage();
  shp = site_.CreateShape();
  bot = site_.CreateCommandButton(pic.get());
  scrV = site_.CreateScrollBar(pic.get(), true);
  scrH = site_.CreateScrollBar(pic.get(), false);
  hok = site_.CreateMessageHook();

  // The pictures stored with the constituents: the two browse-button glyphs on the boxes,
  // the check mark on the button, the option marks on the bars.
  txt[0]->SetMouseIcon(std::make_shared<Picture>("ellipsis"));
  txt[1]->SetMouseIcon(std::make_shared<Picture>("dropdown"));
  bot->SetMouseIcon(std::make_shared<Picture>("check"));
  scrV->SetMouseIcon(std::make_shared<Picture>("option-on"));
  scrH->SetMouseIcon(std::make_shared<Picture>("option-off"));

  // The widgets as the control was designed: one visible box, no button, no bars, caption
  // and shape hidden until a caption is given, the spinner range 0..32767 with the bars
  // holding opposite ends.
  for (int i = 1; i < 3; ++i) txt[i]->SetVisible(false);
  img->SetVisible(false);
  lab->SetVisible(false);
  shp->SetVisible(false);
  bot->SetVisible(false);
  scrV->SetVisible(false);
  scrH->SetVisible(false);
  scrV->SetMax(DefaultOf<int16_t>("Max"));
  scrH->SetMax(DefaultOf<int16_t>("Min"));  // first, so the position stays at 0 inside 32767..0
  scrH->SetMin(DefaultOf<int16_t>("Max"));
  for (ScrollBar* bar : {scrV.get(), scrH.get()}) {
    bar->SetLargeChange(DefaultOf<int16_t>("LargeChange"));
    bar->SetSmallChange(DefaultOf<int16_t>("SmallChange"));
  }
}

OrvoMaskImpl::~OrvoMaskImpl() = default;

OrvoMask::OrvoMask(ControlSite& site, OrvoMaskEvents* events)
    : gTpMDB(DefaultOf<int16_t>("gTpMDB")),
      gTpTabela(DefaultOf<int16_t>("gTpTabela")),
      d_(std::make_unique<OrvoMaskImpl>(*this, site, events)) {
  WireWidgetEvents();
  UserControl_Initialize();
}

OrvoMask::~OrvoMask() {
  if (!d_->terminated_) UserControl_Terminate();
  ProcessState& process = Process();
  if (process.gActiveControl == this) process.gActiveControl = nullptr;
  // Window handles are only unique while their host lives; a host made later numbers its
  // windows afresh, and a field there must not take this one's focus for its own.
  if (process.gFocusedHwnd == d_->site_.hWnd()) process.gFocusedHwnd = 0;
  if (process.focusLeftLastHwnd == d_->site_.hWnd()) process.focusLeftLastHwnd = 0;
}

void OrvoMask::SetEvents(OrvoMaskEvents* events) {
  d_->events_ = events ? events : &d_->noEvents_;
}

ControlSite& OrvoMask::Site() {
  return d_->site_;
}

const LocaleSettings& OrvoMask::Locale() const {
  return d_->locale_;
}

void OrvoMask::WireWidgetEvents() {
  for (int16_t i = 0; i < 3; ++i) {
    TextBox& box = *d_->txt[i];
    box.OnKeyDown = d_->InFrame([this, i](int16_t& k, int16_t& s) { txt_KeyDown(i, k, s); });
    box.OnKeyPress = d_->InFrame([this, i](int16_t& k) { txt_KeyPress(i, k); });
    box.OnKeyUp = d_->InFrame([this, i](int16_t& k, int16_t& s) { txt_KeyUp(i, k, s); });
    box.OnClick = d_->InFrame([this, i] { txt_Click(i); });
    box.OnChange = d_->InFrame([this, i] { txt_Change(i); });
    box.OnGotFocus = d_->InFrame([this, i] { txt_GotFocus(i); });
    box.OnLostFocus = d_->InFrame([this, i] { txt_LostFocus(i); });
    box.OnMouseDown = d_->InFrame(
        [this, i](int16_t& b, int16_t& s, float& x, float& y) { txt_MouseDown(i, b, s, x, y); });
    box.OnMouseMove = d_->InFrame(
        [this, i](int16_t& b, int16_t& s, float& x, float& y) { txt_MouseMove(i, b, s, x, y); });
    box.OnMouseUp = d_->InFrame(
        [this, i](int16_t& b, int16_t& s, float& x, float& y) { txt_MouseUp(i, b, s, x, y); });
  }
  d_->scrH->OnChange = d_->InFrame([this] { scrH_Change(); });
  d_->scrV->OnChange = d_->InFrame([this] { scrV_Change(); });
  d_->bot->OnClick = d_->InFrame([this] { bot_Click(); });
  d_->hok->OnMessage = d_->InFrame([this](int32_t) { hok_Message(); });
  d_->lab->OnClick = d_->InFrame([this] { lab_Click(); });
  d_->img->OnClick = d_->InFrame([this] { img_Click(); });
  d_->pic->OnClick = d_->InFrame([this] { pic_Click(); });
  d_->pic->OnGotFocus = d_->InFrame([this] { pic_GotFocus(); });
  d_->pic->OnLostFocus = d_->InFrame([this] { pic_LostFocus(); });
  d_->pic->OnKeyDown = d_->InFrame([this](int16_t& k, int16_t& s) { pic_KeyDown(k, s); });
  d_->pic->OnKeyPress = d_->InFrame([this](int16_t& k) { pic_KeyPress(k); });
  for (Widget* w : {static_cast<Widget*>(d_->lab.get()), static_cast<Widget*>(d_->pic.get())}) {
    w->OnMouseDown = d_->InFrame([this, w](int16_t& b, int16_t& s, float& x, float& y) {
      d_->ForwardMouse(*w, 0, b, s, x, y);
    });
    w->OnMouseMove = d_->InFrame([this, w](int16_t& b, int16_t& s, float& x, float& y) {
      d_->ForwardMouse(*w, 1, b, s, x, y);
    });
    w->OnMouseUp = d_->InFrame([this, w](int16_t& b, int16_t& s, float& x, float& y) {
      d_->ForwardMouse(*w, 2, b, s, x, y);
    });
  }

  SurfaceHandlers h;
  h.OnShow = d_->InFrame([this] { UserControl_Show(); });
  h.OnResize = d_->InFrame([this] { UserControl_Resize(); });
  h.OnEnterFocus = d_->InFrame([this] { UserControl_EnterFocus(); });
  h.OnExitFocus = d_->InFrame([this] { UserControl_ExitFocus(); });
  h.OnGotFocus = d_->InFrame([this] { UserControl_GotFocus(); });
  h.OnLostFocus = d_->InFrame([this] { UserControl_LostFocus(); });
  h.OnKeyDown = d_->InFrame([this](int16_t& k, int16_t& s) { UserControl_KeyDown(k, s); });
  h.OnKeyPress = d_->InFrame([this](int16_t& k) { UserControl_KeyPress(k); });
  h.OnMouseDown = d_->InFrame(
      [this](int16_t& b, int16_t& s, float& x, float& y) { UserControl_MouseDown(b, s, x, y); });
  h.OnMouseUp = d_->InFrame(
      [this](int16_t& b, int16_t& s, float& x, float& y) { UserControl_MouseUp(b, s, x, y); });
  h.OnMouseMove = d_->InFrame(
      [this](int16_t& b, int16_t& s, float& x, float& y) { UserControl_MouseMove(b, s, x, y); });
  d_->site_.SetSurfaceHandlers(std::move(h));
}

void OrvoMask::UserControl_Initialize() {
  ProcessState& ps = Process();
  ps.gColumnSeparator = kColumnSeparator;
  d_->m_.LayoutReady = 0;
  d_->m_.ActiveTextIndex = 0;
  ps.gOptionBusy = 0;
  d_->m_.CalendFormOpen = 0;
  d_->m_.CalcFormOpen = 0;

  // The separators are read when each control is created; the module keeps one value for
  // all controls, so a control created after the settings change sees the new ones.
  d_->locale_ = d_->site_.Services().Locale();
  ps.gDecimalSeparator = d_->locale_.decimalSeparator.empty() ? "," : d_->locale_.decimalSeparator;
  ps.gGroupSeparator = ps.gDecimalSeparator == "," ? "." : ",";

  d_->m_.FillStyleOnFocus = DefaultOf<EstiloShape>("FillStyleOnFocus");
  d_->m_.FillStyleNoFocus = DefaultOf<EstiloShape>("FillStyleNoFocus");
  d_->m_.ColorNoFocus = DefaultOf<Color>("ColorNoFocus");
  d_->m_.ColorOnFocus = DefaultOf<Color>("ColorOnFocus");
  d_->m_.FilterKeyLast = -1;
  d_->m_.Enabled = DefaultOf<int16_t>("Enabled");
  d_->shp->SetShapeKind(DefaultOf<int32_t>("Shape"));
  d_->shp->SetFillColor(d_->m_.ColorNoFocus);
  d_->shp->SetFillStyle(static_cast<int32_t>(d_->m_.FillStyleNoFocus));
}

void OrvoMask::UserControl_InitProperties() {
  Process().gColumnSeparator = kColumnSeparator;
  d_->m_.UserMode = 0;
  d_->m_.FormatLostFocus = DefaultOf<int16_t>("FormatLostFocus");
  d_->m_.Orientation = DefaultOf<Orientacao>("Orientation");
  d_->m_.Appearance = DefaultOf<Aparencia>("Appearance");
  d_->m_.BorderStyle = DefaultOf<TipoBorda>("BorderStyle");
  d_->m_.Mask.clear();
  d_->m_.ListFields.clear();
  d_->m_.BoundColumn.clear();
  d_->m_.IndexBound.clear();
  d_->m_.IndexField.clear();
  d_->m_.StuffChar.clear();
  d_->m_.DataType = DefaultOf<TipoDeCampo>("DataType");
  d_->m_.BrowseVisible = DefaultOf<TipoBot>("BrowseVisible");
  d_->m_.MultiLine = DefaultOf<int16_t>("MultiLine");
  d_->m_.SelectOnFocus = DefaultOf<int16_t>("SelectOnFocus");
  d_->m_.CaptionOffset = DefaultOf<int16_t>("CaptionOffset");
  d_->m_.CheckValue = DefaultOf<int16_t>("CheckValue");
  d_->m_.Alignment = DefaultOf<TipoAlinhamento>("Alignment");
  SelectEditWidgets();
  d_->m_.LayoutReady = -1;
  gTpMDB = DefaultOf<int16_t>("gTpMDB");
  gTpTabela = DefaultOf<int16_t>("gTpTabela");
  d_->m_.FilterKeyLast = -1;
}

void OrvoMask::UserControl_Show() {
  if (d_->m_.LayoutReady) return;
  SelectEditWidgets();
  d_->m_.LayoutReady = -1;
  UserControl_Resize();
}

bool OrvoMask::ReadOnly() const {
  return d_->txt[0]->Locked() || WhatsThisHelpID() == -1;
}

}  // namespace orvo
