// A key typed through the Qt host's real text box: a QKeyEvent sent to the field's QLineEdit,
// through the event filter, the host model and the control, to the mask engine and back to
// the QLineEdit on screen; with and without repainting the box after each key. Beside it, in
// the same run, a QLineEdit with a Qt input mask receiving the same key events.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <memory>
#include <string>

#include "qt_field.h"

namespace {

using namespace orvo;

void SendKeys(QWidget* w, const std::string& keys, bool repaint) {
  for (char c : keys) {
    const QString text(QChar::fromLatin1(c));
    const int key = c == ',' ? Qt::Key_Comma : Qt::Key_0 + (c - '0');
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
    if (repaint) w->repaint();
  }
}

// One field of the control on a shown form, focused, typed into from empty each round.
void TypeIntoControl(benchmark::State& state, TipoDeCampo kind, const char* mask,
                     const std::string& keys, bool repaint) {
  bench::QtField field(kind, mask);
  field.Show();
  QtHost& host = field.host;
  OrvoMask& control = field.control;
  QLineEdit* edit = nullptr;
  for (QLineEdit* e : host.FormWidget()->findChildren<QLineEdit*>())
    if (e->isVisible() && !edit) edit = e;
  if (!edit) return state.SkipWithError("the field shows no QLineEdit");
  for (auto _ : state) {
    state.PauseTiming();
    control.SetText("");
    state.ResumeTiming();
    SendKeys(edit, keys, repaint);
  }
  state.SetLabel(control.Text() + " / shown " + edit->text().toStdString());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}

void TypeIntoMaskedLineEdit(benchmark::State& state, const char* inputMask, const std::string& keys,
                            bool repaint) {
  QtHost host;  // the same application and platform
  QLineEdit edit;
  edit.setInputMask(QString::fromLatin1(inputMask));
  edit.show();
  for (auto _ : state) {
    state.PauseTiming();
    edit.clear();
    edit.setCursorPosition(0);
    state.ResumeTiming();
    SendKeys(&edit, keys, repaint);
  }
  state.SetLabel(edit.text().toStdString());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}

void BM_QtHostDateKey(benchmark::State& s) {
  TypeIntoControl(s, TipoDeCampo::Date, "99/99/9999", "25122024", false);
}
void BM_QtHostDateKeyRepaint(benchmark::State& s) {
  TypeIntoControl(s, TipoDeCampo::Date, "99/99/9999", "25122024", true);
}
void BM_QtHostNumericKey(benchmark::State& s) {
  TypeIntoControl(s, TipoDeCampo::Numeric, "#.##0,00", "1234,56", false);
}
void BM_QtHostNumericKeyRepaint(benchmark::State& s) {
  TypeIntoControl(s, TipoDeCampo::Numeric, "#.##0,00", "1234,56", true);
}
void BM_QLineEditMaskDateKey(benchmark::State& s) {
  TypeIntoMaskedLineEdit(s, "99/99/9999", "25122024", false);
}
void BM_QLineEditMaskDateKeyRepaint(benchmark::State& s) {
  TypeIntoMaskedLineEdit(s, "99/99/9999", "25122024", true);
}
BENCHMARK(BM_QtHostDateKey);
BENCHMARK(BM_QtHostDateKeyRepaint);
BENCHMARK(BM_QtHostNumericKey);
BENCHMARK(BM_QtHostNumericKeyRepaint);
BENCHMARK(BM_QLineEditMaskDateKey);
BENCHMARK(BM_QLineEditMaskDateKeyRepaint);

}  // namespace
