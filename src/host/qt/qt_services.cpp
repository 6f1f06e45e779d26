// The Qt host's process services.
#include "host/qt/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDateTime>
#include <QScreen>
#include <cmath>

#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_message_hook.h"
#include "host/qt/qt_popup_form.h"
#include "host/qt/qt_site.h"

namespace orvo {

namespace {

constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

double RealNow() {
  QDateTime now = QDateTime::currentDateTime();
  QDate d = now.date();
  QTime t = now.time();
  double days = static_cast<double>(DaysFromCivil(d.year(), d.month(), d.day()) -
                                    DaysFromCivil(1899, 12, 30));
  return days + t.msecsSinceStartOfDay() / 86400000.0;
}

}  // namespace

double QtServices::StartTime() {
  constexpr int64_t days = DaysFromCivil(2024, 6, 15) - DaysFromCivil(1899, 12, 30);
  return static_cast<double>(days) + 10.0 / 24.0;
}

QtServices::QtServices(QtHost& host, bool simulatedClock) : host_(host) {
  if (simulatedClock) now_ = StartTime();
}

void QtServices::ClipboardClear() {
  ClipboardSetText("");
}

void QtServices::ClipboardSetText(const std::string& text) {
  clipboard_ = text;
  QClipboard* c = QGuiApplication::clipboard();
  if (!c) return;
  c->setText(FromLatin1(text));
  // A platform whose clipboard does not hand the text back leaves us with our own copy.
  platformClipboard_ = c->text() == FromLatin1(text);
}

std::string QtServices::ClipboardGetText() const {
  QClipboard* c = QGuiApplication::clipboard();
  return c && platformClipboard_ ? ToLatin1(c->text()) : clipboard_;
}

void QtServices::Beep() {
  ++beeps_;
  QApplication::beep();
}

void QtServices::KeybdEvent(uint8_t virtualKey, uint8_t, int32_t flags) {
  host_.QueueInjectedKey(virtualKey, flags);
}

void QtServices::DoEvents() {
  QCoreApplication::processEvents();
  host_.ProcessPending();
}

double QtServices::Now() const {
  return now_ ? *now_ : RealNow() + offset_;
}

float QtServices::Timer() const {
  double n = Now();
  double fraction = n - std::floor(n);
  return static_cast<float>(std::round(fraction * 86400.0 * 1000.0) / 1000.0);
}

void QtServices::AdvanceClock(double seconds) {
  if (now_)
    *now_ += seconds / 86400.0;
  else
    offset_ += seconds / 86400.0;
}

void QtServices::SetClock(double serial) {
  now_ = serial;
}

float QtServices::ScreenWidth() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->size().width() * kQtTwipsPerPixel : 12000;
}

float QtServices::ScreenHeight() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->size().height() * kQtTwipsPerPixel : 12000;
}

LocaleSettings QtServices::Locale() const {
  return host_.Locale();
}

int32_t QtServices::GetWindowLong(int32_t hwnd, int32_t index) const {
  auto it = windowLongs_.find({hwnd, index});
  if (it != windowLongs_.end()) return it->second;
  if (index != kGwlStyle) return 0;
  if (hwnd == host_.Form().Hwnd()) return 0x10000000;
  if (QtWindow* w = host_.WindowByHwnd(hwnd))
    return w->Popup() ? static_cast<int32_t>(0x90000000u) : 0x10000000;
  return host_.CoreByHwnd(hwnd) ? 0x50000000 : 0;
}

void QtServices::SetWindowLong(int32_t hwnd, int32_t index, int32_t value) {
  windowLongs_[{hwnd, index}] = value;
}

Rect QtServices::GetWindowRect(int32_t hwnd) const {
  if (QtCore* core = host_.CoreByHwnd(hwnd)) return host_.ScreenRectPixels(core);
  if (QtWindow* w = host_.WindowByHwnd(hwnd)) {
    if (QtPopupForm* popup = w->Popup()) return host_.ScreenRectPixels(&popup->Core());
    Rect r{0, 0, 8, 8};
    for (QtSite* s : host_.SiteList()) {
      Rect c = host_.ScreenRectPixels(&s->Surface());
      r.right = std::max(r.right, c.right + 8);
      r.bottom = std::max(r.bottom, c.bottom + 8);
    }
    return r;
  }
  return {};
}

Point QtServices::GetCursorPos() const {
  if (cursor_) return *cursor_;
  QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

void QtServices::SetScreenMousePointer(int16_t v) {
  screenMousePointer_ = v;
  if (v == 11)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

std::unique_ptr<PopupForm> QtServices::CreatePopupForm() {
  return std::make_unique<QtPopupForm>(host_);
}

std::unique_ptr<MessageHook> QtServices::CreateMessageHook() {
  return std::make_unique<QtMessageHook>(host_);
}

}  // namespace orvo
