// A key typed through the Qt host's real text box: a QKeyEvent sent to the field's QLineEdit,
// through the event filter, the host model and the control, to the mask engine and back to
// the QLineEdit on screen; with and without painting the box after each key. Beside it, in
// the same run, Qt's nearest own widget receiving the same key events: a QLineEdit with the
// same input mask for a date and a document number, a QDoubleSpinBox for a grouped number.
//
// Offscreen, painting costs almost nothing; under a real X server the paint after each key
// goes through the xcb platform to the server:
//   Xvfb :57 -screen 0 1280x1024x24 -nolisten tcp &
//   DISPLAY=:57 QT_QPA_PLATFORM=xcb build/bench/qt_key_bench
// Target: our field no slower per key than Qt's widget (items_per_second, or time / keys).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QWindow>
#include <memory>
#include <string>

#include "qt_field.h"

namespace {

using namespace orvo;

struct KeyCase {
  const char* name;
  TipoDeCampo kind;
  const char* mask;       // our field's mask
  const char* inputMask;  // the QLineEdit's; null: a QDoubleSpinBox
  std::string keys;
};

const KeyCase kCases[] = {
    {"date", TipoDeCampo::Date, "99/99/9999", "99/99/9999", "25122024"},
    {"document", TipoDeCampo::Character, "999.999.999-99", "999.999.999-99", "12345678909"},
    {"grouped_number", TipoDeCampo::Numeric, "#.##0,00", nullptr, "1234,56"},
};

// One application for the whole run: a second one made after the first ends may not reach
// the X server again.
QtHost& Application() {
  static QtHost host;
  return host;
}

void SendKeys(QWidget* w, const std::string& keys, bool paint) {
  for (char c : keys) {
    const QString text(QChar::fromLatin1(c));
    const int key = c == ',' ? Qt::Key_Comma : Qt::Key_0 + (c - '0');
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
    if (paint) w->repaint();
  }
}

void Label(benchmark::State& state, const KeyCase& c, const std::string& shown, QWidget* painted) {
  state.SetLabel(std::string(c.name) + " -> " + shown + " " + std::to_string(painted->width()) +
                 "x" + std::to_string(painted->height()) + " (" +
                 QGuiApplication::platformName().toStdString() + ")");
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(c.keys.size()));
}

// On a real window system a window is painted only once the server has mapped and exposed
// it; until then a repaint paints nothing.
void WaitExposed(QWidget* w) {
  QWindow* window = w->window()->windowHandle();
  QElapsedTimer waited;
  waited.start();
  while (window && !window->isExposed() && waited.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  QCoreApplication::processEvents();
}

// The QLineEdit our field shows.
QLineEdit* ShownEdit(bench::QtField& field) {
  for (QLineEdit* e : field.host.FormWidget()->findChildren<QLineEdit*>())
    if (e->isVisible()) return e;
  return nullptr;
}

// The size of our field's box for a case, which Qt's widget is given too: the same pixels
// painted on both sides.
QSize OurBoxSize(const KeyCase& c) {
  bench::QtField field(c.kind, c.mask);
  field.Show();
  QLineEdit* edit = ShownEdit(field);
  return edit ? edit->size() : QSize();
}

// One field of the control on a shown form, focused, typed into from empty each round.
// range(0): the case; range(1): 1 paints after each key.
void BM_OurFieldKey(benchmark::State& state) {
  const KeyCase& c = kCases[state.range(0)];
  const bool paint = state.range(1) != 0;
  Application();
  bench::QtField field(c.kind, c.mask);
  field.Show();
  QLineEdit* edit = ShownEdit(field);
  if (!edit) return state.SkipWithError("the field shows no QLineEdit");
  WaitExposed(edit);
  for (auto _ : state) {
    state.PauseTiming();
    field.control.SetText("");
    state.ResumeTiming();
    SendKeys(edit, c.keys, paint);
  }
  Label(state, c, field.control.Text(), edit);
}

// Qt's own widget for the same entry, on the same application and platform.
void BM_QtWidgetKey(benchmark::State& state) {
  const KeyCase& c = kCases[state.range(0)];
  const bool paint = state.range(1) != 0;
  Application();
  std::unique_ptr<QWidget> widget;
  QLineEdit* edit = nullptr;
  QDoubleSpinBox* spin = nullptr;
  if (c.inputMask) {
    edit = new QLineEdit;
    edit->setInputMask(QString::fromLatin1(c.inputMask));
    widget.reset(edit);
  } else {
    spin = new QDoubleSpinBox;
    spin->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    spin->setGroupSeparatorShown(true);
    spin->setDecimals(2);
    spin->setRange(-1e9, 1e9);
    widget.reset(spin);
  }
  widget->resize(OurBoxSize(c));
  widget->show();
  widget->activateWindow();
  widget->setFocus();
  WaitExposed(widget.get());
  for (auto _ : state) {
    state.PauseTiming();
    if (edit) {
      edit->clear();
      edit->setCursorPosition(0);
    } else {
      spin->clear();
    }
    state.ResumeTiming();
    SendKeys(widget.get(), c.keys, paint);
  }
  Label(state, c, (edit ? edit->text() : spin->text()).toStdString(), widget.get());
}

void Cases(benchmark::internal::Benchmark* b) {
  b->ArgsProduct({{0, 1, 2}, {0, 1}})->ArgNames({"case", "paint"});
}
BENCHMARK(BM_OurFieldKey)->Apply(Cases);
BENCHMARK(BM_QtWidgetKey)->Apply(Cases);

}  // namespace
