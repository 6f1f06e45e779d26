// OrvoMaskWidget: a field of its own host, embedded in an application's window; its events
// as signals, its focus in Qt's Tab chain.
#include "host/qt/orvo_mask_widget.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDateTime>
#include <QFocusEvent>
#include <QPointer>
#include <algorithm>
#include <cmath>

#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"

namespace orvo {

namespace {

constexpr float kPreferredFieldWidth = 2400;  // twips, the width a new field is given

// Whether `part` lies inside a scroll area below `top`, where it may stand anywhere.
bool Scrolled(const QWidget* part, const QWidget* top) {
  for (const QWidget* w = part->parentWidget(); w && w != top; w = w->parentWidget())
    if (qobject_cast<const QAbstractScrollArea*>(w)) return true;
  return false;
}

QtPlatform& PlatformOf(QtHost& host) {
  return static_cast<QtPlatform&>(host.Platform());
}

const QDate kSerialEpoch(1899, 12, 30);

// Serial dates are days since 1899-12-30 with the time as the fraction; before the epoch the
// fraction still counts forward from the day's start.
QVariant ToQVariant(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty:
      return QVariant();
    case VarType::Null:
      return QVariant::fromValue(nullptr);
    case VarType::Integer:
      return QVariant(static_cast<int>(v.AsInteger()));
    case VarType::Long:
      return QVariant(static_cast<int>(v.AsLong()));
    case VarType::Single:
      return QVariant(static_cast<double>(v.AsSingle()));
    case VarType::Double:
    case VarType::Currency:
      return QVariant(v.AsDouble());
    case VarType::Date: {
      const double serial = v.AsDouble();
      const double day = std::floor(serial);
      const auto ms = static_cast<int>(std::lround((serial - day) * 86400000.0));
      return QVariant(QDateTime(kSerialEpoch.addDays(static_cast<qint64>(day)),
                                QTime(0, 0).addMSecs(std::min(ms, 86399999))));
    }
    case VarType::String:
      return QVariant(FromLatin1(v.AsString()));
    case VarType::Boolean:
      return QVariant(v.AsBoolean());
    default:
      return QVariant();
  }
}

Variant FromQVariant(const QVariant& q) {
  if (!q.isValid()) return Variant();
  switch (q.metaType().id()) {
    case QMetaType::Nullptr:
      return Variant::Null();
    case QMetaType::Bool:
      return Variant(q.toBool());
    case QMetaType::Short:
    case QMetaType::Int:
      return Variant(static_cast<int32_t>(q.toInt()));
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::LongLong:
      return Variant(q.toDouble());
    case QMetaType::QDate:
      return Variant::Date(static_cast<double>(kSerialEpoch.daysTo(q.toDate())));
    case QMetaType::QDateTime: {
      const QDateTime t = q.toDateTime();
      return Variant::Date(static_cast<double>(kSerialEpoch.daysTo(t.date())) +
                           t.time().msecsSinceStartOfDay() / 86400000.0);
    }
    default:
      return Variant(ToLatin1(q.toString()));
  }
}

}  // namespace

// Each event goes out as the signal, then to the application's OrvoMaskEvents. A slot may
// delete the widget (and so the control): nothing of it is touched after that.
class OrvoMaskWidget::EventRelay : public OrvoMaskEvents {
 public:
  explicit EventRelay(OrvoMaskWidget& w) : w_(&w) {}

  void Click() override {
    Raise([&] { emit w_->Click(); }, [&](OrvoMaskEvents& e) { e.Click(); });
  }
  void DblClick() override {
    Raise([&] { emit w_->DblClick(); }, [&](OrvoMaskEvents& e) { e.DblClick(); });
  }
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override {
    Raise([&] { emit w_->KeyDown(KeyCode, Shift); },
          [&](OrvoMaskEvents& e) { e.KeyDown(KeyCode, Shift); });
  }
  void KeyPress(int16_t& KeyAscii) override {
    Raise([&] { emit w_->KeyPress(KeyAscii); }, [&](OrvoMaskEvents& e) { e.KeyPress(KeyAscii); });
  }
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override {
    Raise([&] { emit w_->KeyUp(KeyCode, Shift); },
          [&](OrvoMaskEvents& e) { e.KeyUp(KeyCode, Shift); });
  }
  void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& Y) override {
    Raise([&] { emit w_->MouseDown(Button, Shift, x, Y); },
          [&](OrvoMaskEvents& e) { e.MouseDown(Button, Shift, x, Y); });
  }
  // Change is the control's text changing: textChanged follows it with the new text.
  void Change() override {
    QPointer<OrvoMaskWidget> alive(w_);
    emit w_->Change();
    if (!alive) return;
    emit alive->textChanged(alive->text());
    if (alive && alive->appEvents_) alive->appEvents_->Change();
  }
  void ButtonClick(bool& Cancel) override {
    Raise([&] { emit w_->ButtonClick(Cancel); }, [&](OrvoMaskEvents& e) { e.ButtonClick(Cancel); });
  }
  void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& Y) override {
    Raise([&] { emit w_->MouseUp(Button, Shift, x, Y); },
          [&](OrvoMaskEvents& e) { e.MouseUp(Button, Shift, x, Y); });
  }
  void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& Y) override {
    Raise([&] { emit w_->MouseMove(Button, Shift, x, Y); },
          [&](OrvoMaskEvents& e) { e.MouseMove(Button, Shift, x, Y); });
  }
  void DropDown(bool& Status) override {
    Raise([&] { emit w_->DropDown(Status); }, [&](OrvoMaskEvents& e) { e.DropDown(Status); });
  }
  void SetFilter() override {
    Raise([&] { emit w_->SetFilter(); }, [&](OrvoMaskEvents& e) { e.SetFilter(); });
  }
  void OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL) override {
    Raise([&] { emit w_->OpenRecordSet(vgRecordSet, vgSQL); },
          [&](OrvoMaskEvents& e) { e.OpenRecordSet(vgRecordSet, vgSQL); });
  }

 private:
  template <typename Emit, typename Forward>
  void Raise(Emit&& emitSignal, Forward&& forward) {
    QPointer<OrvoMaskWidget> alive(w_);
    emitSignal();
    if (alive && alive->appEvents_) forward(*alive->appEvents_);
  }

  OrvoMaskWidget* w_;
};

FormHost& OrvoMaskWidget::host() {
  return *host_;
}

QtHostOptions OrvoMaskWidget::ApplicationOptions() {
  QtHostOptions options;
  options.simulatedClock = false;
  return options;
}

float OrvoMaskWidget::twipsPerPixel() {
  return QtTwipsPerPixel();
}

OrvoMaskWidget::OrvoMaskWidget(QWidget* parent, const QString& name, QtHostOptions options,
                               std::optional<int16_t> index)
    : QWidget(parent), host_(std::make_unique<QtHost>(this, std::move(options))) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  PlatformOf(*host_).SetTabOut([this](bool backwards) { return LeaveByTab(backwards); });
  SiteOptions site;
  site.index = index;
  site_ = &host_->CreateSite(ToLatin1(name), site);
  relay_ = std::make_unique<EventRelay>(*this);
  control_ = std::make_unique<OrvoMask>(*site_, relay_.get());
  host_->RegisterControl(*site_, control_.get());
  control_->UserControl_InitProperties();
  host_->PlaceControl(*site_, 0, 0, site_->Width(), site_->Height());
  host_->ShowForm();
  updateSizeHints();
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { FocusLeftForAnotherWidget(now); });
  WatchWindow();
}

// The control goes before its host, the host (with the form widget) before the QWidget.
OrvoMaskWidget::~OrvoMaskWidget() {
  disconnect(qApp, nullptr, this, nullptr);
  if (watchedWindow_) watchedWindow_->removeEventFilter(this);
  PlatformOf(*host_).SetTabOut(nullptr);
  control_.reset();
  relay_.reset();
  host_.reset();
}

// The control grows its surface to its least size whenever it is laid out smaller: a probe
// at one pixel reads that size.
void OrvoMaskWidget::updateSizeHints() {
  probing_ = true;
  const float width = site_->Width(), height = site_->Height();
  host_->ResizeControl(*site_, QtTwipsPerPixel(), QtTwipsPerPixel());
  least_ = QSize(ToPixels(site_->Width()), ToPixels(site_->Height()));
  host_->ResizeControl(*site_, width, height);
  probing_ = false;
  KeepPartsInside();
  updateGeometry();
}

QSize OrvoMaskWidget::minimumSizeHint() const {
  return least_ + QSize(inset_.x(), inset_.y());
}

QSize OrvoMaskWidget::sizeHint() const {
  const QSize least = minimumSizeHint();
  return QSize(std::max(least.width(), ToPixels(kPreferredFieldWidth)), least.height());
}

void OrvoMaskWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (QWidget* form = host_->FormWidget()) form->setGeometry(FormPlace());
  if (probing_) return;
  FitControl();
  KeepPartsInside();
}

QRect OrvoMaskWidget::FormPlace() const {
  return QRect(inset_, size() - QSize(inset_.x(), inset_.y()));
}

// The control's surface is the widget less the inset its form stands at.
void OrvoMaskWidget::FitControl() {
  PlatformOf(*host_).HandlingInput([&] {
    host_->ResizeControl(*site_, static_cast<float>(width() - inset_.x()) * QtTwipsPerPixel(),
                         static_cast<float>(height() - inset_.y()) * QtTwipsPerPixel());
  });
}

// The control may place a part above or left of its surface: a check box is centred on its
// caption, which at some dots per inch is a pixel shorter than the box. The form then stands
// that far into the widget, so the part is drawn whole, and the size hints count the inset.
void OrvoMaskWidget::KeepPartsInside() {
  QWidget* form = host_->FormWidget();
  if (!form) return;
  QPoint overhang;
  for (QWidget* part : form->findChildren<QWidget*>()) {
    // An open popup is a window of its own; what scrolls inside an editor is its own.
    if (part->window() != form->window() || !part->isVisibleTo(form) || Scrolled(part, form))
      continue;
    const QPoint at = part->mapTo(form, QPoint(0, 0));
    overhang.setX(std::max(overhang.x(), -at.x()));
    overhang.setY(std::max(overhang.y(), -at.y()));
  }
  if (overhang == inset_) return;
  inset_ = overhang;
  form->setGeometry(FormPlace());
  FitControl();
  updateGeometry();
}

void OrvoMaskWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange)
    PlatformOf(*host_).HandlingInput([&] { host_->SetControlEnabled(*site_, isEnabled()); });
  if (event->type() == QEvent::ParentChange) WatchWindow();
}

void OrvoMaskWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  WatchWindow();
}

// The window the field stands in, watched for moves (it changes when the widget is put in
// a layout of another window).
void OrvoMaskWidget::WatchWindow() {
  QWidget* top = window();
  if (top == watchedWindow_) return;
  if (watchedWindow_) watchedWindow_->removeEventFilter(this);
  watchedWindow_ = top;
  if (top != this) top->installEventFilter(this);
}

bool OrvoMaskWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watchedWindow_ && event->type() == QEvent::Move) {
    QtPlatform& platform = PlatformOf(*host_);
    platform.HandlingInput([&] {
      host_->FormMoved();
      host_->ProcessPending();
    });
  }
  return false;
}

// Qt gives the holder the focus (Tab, a click on its margin, setFocus): the model follows,
// and puts Qt's focus on the widget it focuses.
void OrvoMaskWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  QtPlatform& platform = PlatformOf(*host_);
  if (platform.Syncing()) return;
  platform.HandlingInput([&] {
    CoreWindow& form = host_->Form();
    if (WidgetNode* focused = form.Focused())
      platform.FocusMoved(form, focused);
    else
      host_->FocusControl(*site_);
    host_->ProcessPending();
  });
}

// The model's Tab left the field: the control lets go of the focus first (a handler may keep
// it), then Qt's chain goes on from the holder.
bool OrvoMaskWidget::LeaveByTab(bool backwards) {
  CoreWindow& form = host_->Form();
  form.MoveFocus(nullptr);
  if (form.Focused()) return true;
  QtPlatform& platform = PlatformOf(*host_);
  {
    QtPlatform::FocusSync sync(platform);
    setFocus(Qt::OtherFocusReason);
  }
  QWidget::focusNextPrevChild(!backwards);
  // Alone in its window, the chain comes back to the field.
  if (hasFocus()) host_->FocusControl(*site_);
  return true;
}

// Switching windows keeps the control's focus, as on a form; another widget of the same
// window taking it does not.
void OrvoMaskWidget::FocusLeftForAnotherWidget(QWidget* now) {
  if (!now || now == this || isAncestorOf(now) || now->window() != window()) return;
  QtPlatform& platform = PlatformOf(*host_);
  CoreWindow& form = host_->Form();
  if (platform.Syncing() || !form.Focused()) return;
  platform.HandlingInput([&] {
    form.MoveFocus(nullptr);
    host_->ProcessPending();
  });
}

QString OrvoMaskWidget::text() const {
  return FromLatin1(control_->Text());
}

void OrvoMaskWidget::setText(const QString& text) {
  control_->SetText(ToLatin1(text));
}

QVariant OrvoMaskWidget::value() {
  return ToQVariant(control_->Value());
}

void OrvoMaskWidget::setValue(const QVariant& value) {
  control_->SetValue(FromQVariant(value));
}

QString OrvoMaskWidget::mask() const {
  return FromLatin1(control_->Mask());
}

void OrvoMaskWidget::setMask(const QString& mask) {
  control_->SetMask(ToLatin1(mask));
  updateSizeHints();
}

QString OrvoMaskWidget::caption() const {
  return FromLatin1(control_->Caption());
}

void OrvoMaskWidget::setCaption(const QString& caption) {
  control_->SetCaption(ToLatin1(caption));
  updateSizeHints();
}

int OrvoMaskWidget::dataType() const {
  return static_cast<int>(control_->DataType());
}

void OrvoMaskWidget::setDataType(int kind) {
  control_->SetDataType(static_cast<TipoDeCampo>(kind));
  updateSizeHints();
}

}  // namespace orvo
