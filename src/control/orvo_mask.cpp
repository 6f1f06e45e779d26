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
      locale_(site.Services().Locale()),
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
  d_->WireWidgetEvents();
  d_->UserControl_Initialize();
}

OrvoMask::~OrvoMask() {
  if (!d_->terminated_) d_->UserControl_Terminate();
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

void OrvoMaskImpl::WireWidgetEvents() {
  for (int16_t i = 0; i < 3; ++i) {
    TextBox& box = *txt[i];
    box.OnKeyDown = InFrame([this, i](int16_t& k, int16_t& s) { txt_KeyDown(i, k, s); });
    box.OnKeyPress = InFrame([this, i](int16_t& k) { txt_KeyPress(i, k); });
    box.OnKeyUp = InFrame([this, i](int16_t& k, int16_t& s) { txt_KeyUp(i, k, s); });
    box.OnClick = InFrame([this, i] { txt_Click(i); });
    box.OnChange = InFrame([this, i] { txt_Change(i); });
    box.OnGotFocus = InFrame([this, i] { txt_GotFocus(i); });
    box.OnLostFocus = InFrame([this, i] { txt_LostFocus(i); });
    box.OnMouseDown = InFrame(
        [this, i](int16_t& b, int16_t& s, float& x, float& y) { txt_MouseDown(i, b, s, x, y); });
    box.OnMouseMove = InFrame(
        [this, i](int16_t& b, int16_t& s, float& x, float& y) { txt_MouseMove(i, b, s, x, y); });
    box.OnMouseUp = InFrame(
        [this, i](int16_t& b, int16_t& s, float& x, float& y) { txt_MouseUp(i, b, s, x, y); });
  }
  scrH->OnChange = InFrame([this] { scrH_Change(); });
  scrV->OnChange = InFrame([this] { scrV_Change(); });
  bot->OnClick = InFrame([this] { bot_Click(); });
  hok->OnMessage = InFrame([this](int32_t) { hok_Message(); });
  lab->OnClick = InFrame([this] { lab_Click(); });
  img->OnClick = InFrame([this] { img_Click(); });
  pic->OnClick = InFrame([this] { pic_Click(); });
  pic->OnGotFocus = InFrame([this] { pic_GotFocus(); });
  pic->OnLostFocus = InFrame([this] { pic_LostFocus(); });
  pic->OnKeyDown = InFrame([this](int16_t& k, int16_t& s) { pic_KeyDown(k, s); });
  pic->OnKeyPress = InFrame([this](int16_t& k) { pic_KeyPress(k); });
  for (Widget* w : {static_cast<Widget*>(lab.get()), static_cast<Widget*>(pic.get())}) {
    w->OnMouseDown = InFrame(
        [this, w](int16_t& b, int16_t& s, float& x, float& y) { ForwardMouse(*w, 0, b, s, x, y); });
    w->OnMouseMove = InFrame(
        [this, w](int16_t& b, int16_t& s, float& x, float& y) { ForwardMouse(*w, 1, b, s, x, y); });
    w->OnMouseUp = InFrame(
        [this, w](int16_t& b, int16_t& s, float& x, float& y) { ForwardMouse(*w, 2, b, s, x, y); });
  }

  SurfaceHandlers h;
  h.OnShow = InFrame([this] { UserControl_Show(); });
  h.OnResize = InFrame([this] { q_.UserControl_Resize(); });
  h.OnEnterFocus = InFrame([this] { UserControl_EnterFocus(); });
  h.OnExitFocus = InFrame([this] { UserControl_ExitFocus(); });
  h.OnGotFocus = InFrame([this] { UserControl_GotFocus(); });
  h.OnLostFocus = InFrame([this] { UserControl_LostFocus(); });
  h.OnKeyDown = InFrame([this](int16_t& k, int16_t& s) { UserControl_KeyDown(k, s); });
  h.OnKeyPress = InFrame([this](int16_t& k) { UserControl_KeyPress(k); });
  h.OnMouseDown = InFrame(
      [this](int16_t& b, int16_t& s, float& x, float& y) { UserControl_MouseDown(b, s, x, y); });
  h.OnMouseUp = InFrame(
      [this](int16_t& b, int16_t& s, float& x, float& y) { UserControl_MouseUp(b, s, x, y); });
  h.OnMouseMove = InFrame(
      [this](int16_t& b, int16_t& s, float& x, float& y) { UserControl_MouseMove(b, s, x, y); });
  site_.SetSurfaceHandlers(std::move(h));
}

void OrvoMaskImpl::UserControl_Initialize() {
  ProcessState& ps = Process();
  ps.gColumnSeparator = kColumnSeparator;
  m_.LayoutReady = 0;
  m_.ActiveTextIndex = 0;
  ps.gOptionBusy = 0;
  m_.CalendFormOpen = 0;
  m_.CalcFormOpen = 0;

  // The separators are read when each control is created; the module keeps one value for
  // all controls, so a control created after the settings change sees the new ones.
  ps.gDecimalSeparator = locale_.decimalSeparator.empty() ? "," : locale_.decimalSeparator;
  ps.gGroupSeparator = ps.gDecimalSeparator == "," ? "." : ",";

  m_.FillStyleOnFocus = DefaultOf<EstiloShape>("FillStyleOnFocus");
  m_.FillStyleNoFocus = DefaultOf<EstiloShape>("FillStyleNoFocus");
  m_.ColorNoFocus = DefaultOf<Color>("ColorNoFocus");
  m_.ColorOnFocus = DefaultOf<Color>("ColorOnFocus");
  m_.FilterKeyLast = -1;
  m_.Enabled = DefaultOf<int16_t>("Enabled");
  shp->SetShapeKind(DefaultOf<int32_t>("Shape"));
  shp->SetFillColor(m_.ColorNoFocus);
  shp->SetFillStyle(static_cast<int32_t>(m_.FillStyleNoFocus));
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
  d_->SelectEditWidgets();
  d_->m_.LayoutReady = -1;
  gTpMDB = DefaultOf<int16_t>("gTpMDB");
  gTpTabela = DefaultOf<int16_t>("gTpTabela");
  d_->m_.FilterKeyLast = -1;
}

void OrvoMaskImpl::UserControl_Show() {
  if (m_.LayoutReady) return;
  SelectEditWidgets();
  m_.LayoutReady = -1;
  q_.UserControl_Resize();
}

bool OrvoMaskImpl::ReadOnly() const {
  return txt[0]->Locked() || q_.WhatsThisHelpID() == -1;
}

}  // namespace orvo
