// The screenshot tour's steps.
#include "form_tour.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <cstdio>
#include <set>
#include <string>

#include "orvo/error.h"
#include "orvo/form_host.h"

namespace orvo::demo {

namespace {

// Windows of their own that are not another form or the panel: the open popups.
bool IsPopupOf(const QWidget* top, const QWidget& window) {
  return top->isVisible() && top != &window && !qobject_cast<const QMainWindow*>(top) &&
         !qobject_cast<const QMenu*>(top);
}

// A press and release on the bar's upper arrow, as a click there delivers them.
void ClickUpperArrow(QScrollBar& bar) {
  const QPointF at(bar.width() / 2.0, bar.orientation() == Qt::Vertical ? 3 : bar.height() / 2.0);
  const QPointF global = bar.mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(&bar, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, {}, {});
  QApplication::sendEvent(&bar, &release);
}

// Every part of the field (its box, button, bar, caption) lies within the widget, which is no
// smaller than the control's least size: nothing of it is cut off.
bool Whole(OrvoMaskWidget& field) {
  const QSize least = field.minimumSizeHint();
  if (field.width() < least.width() || field.height() < least.height()) return false;
  for (QWidget* part : field.findChildren<QWidget*>()) {
    if (part->window() != field.window() || !part->isVisibleTo(&field)) continue;
    const QRect place(part->mapTo(&field, QPoint(0, 0)), part->size());
    if (!field.rect().contains(place)) return false;
  }
  return true;
}

class Tour {
 public:
  Tour(FormWindow& window, const QString& folder) : window_(window), folder_(folder) {}

  bool Shoot(FormWindow& window, const char* name) {
    const std::string path = QDir(folder_).filePath(name).toStdString();
    const bool ok = SaveWindowPicture(window, path);
    std::printf("demo: %s %s\n", ok ? "wrote" : "could not write", path.c_str());
    ok_ = ok_ && ok;
    return ok;
  }
  bool Shoot(const char* name) { return Shoot(window_, name); }

  // Focuses `field` of `window` and runs `action` on its host; an error is reported and the
  // tour goes on.
  template <typename Action>
  void In(FormWindow& window, const char* field, Action&& action) {
    try {
      OrvoMaskWidget* w = window.Widget(field);
      if (!w) {
        std::printf("demo: the form has no field %s\n", field);
        ok_ = false;
        return;
      }
      w->host().FocusControl(*w->host().Sites().front());
      QCoreApplication::processEvents();
      action(*w);
      QCoreApplication::processEvents();
    } catch (const Error& e) {
      std::printf("demo: %s: error %d %s\n", field, e.Number(), e.Message().c_str());
      ok_ = false;
    }
  }
  template <typename Action>
  void In(const char* field, Action&& action) {
    In(window_, field, std::forward<Action>(action));
  }

  // F4 drops the field's popup down; the picture shows it open, then a click outside
  // closes it. The popup opens just below or above the field and, when the window fits on
  // its screen, lies whole on it.
  void ShootPopup(const char* field, const char* name) {
    In(field, [&](OrvoMaskWidget& w) {
      w.host().Key("F4");
      QCoreApplication::processEvents();
      const std::string what = std::string("the popup of ") + field;
      const QRect at(w.mapToGlobal(QPoint(0, 0)), w.size());
      const QRect screen = w.screen()->availableGeometry();
      const int near = static_cast<int>(180 / OrvoMaskWidget::twipsPerPixel());  // 1/8 inch
      int open = 0;
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!IsPopupOf(top, window_)) continue;
        ++open;
        const QRect popup = top->geometry();
        if (screen.contains(window_.frameGeometry()) && !screen.contains(popup))
          Fail((what + " is not whole on the screen").c_str());
        const bool below = popup.top() > at.bottom() && popup.top() - at.bottom() <= near;
        const bool above = popup.bottom() < at.top() && at.top() - popup.bottom() <= near;
        if ((!below && !above) || popup.right() < at.left() || popup.left() > at.right())
          Fail((what + " does not open beside its field").c_str());
      }
      if (open == 0) Fail((what + " did not open").c_str());
      Shoot(name);
      w.host().ActivateOutside();
    });
  }

  void Fail(const char* what) {
    std::printf("demo: %s\n", what);
    ok_ = false;
  }
  bool Ok() const { return ok_; }

 private:
  FormWindow& window_;
  QString folder_;
  bool ok_ = true;
};

}  // namespace

bool SaveWindowPicture(QWidget& window, const std::string& path) {
  QCoreApplication::processEvents();
  QRect area = window.geometry();
  std::vector<QWidget*> popups;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (IsPopupOf(top, window)) {
      popups.push_back(top);
      area = area.united(top->geometry());
    }
  QImage image(area.size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawPixmap(window.geometry().topLeft() - area.topLeft(), window.grab());
  for (QWidget* p : popups) painter.drawPixmap(p->geometry().topLeft() - area.topLeft(), p->grab());
  painter.end();
  return image.save(QString::fromStdString(path), "PNG");
}

bool TourForm(DemoApp& demo, const QString& folder) {
  FormWindow& window = *demo.Windows().front();
  QDir().mkpath(folder);
  window.activateWindow();
  QCoreApplication::processEvents();
  Tour tour(window, folder);
  tour.Shoot("form-empty.png");
  // Every captioned field's edit box starts at one column.
  std::set<int> columns;
  for (const FormWindow::Field& f : window.Fields()) {
    if (!f.widget || f.widget->control().Alignment() != TipoAlinhamento::FieldLeft) continue;
    for (QWidget* box : f.widget->findChildren<QWidget*>())
      if (box->isVisible() && (qobject_cast<QLineEdit*>(box) || qobject_cast<QTextEdit*>(box) ||
                               qobject_cast<QPlainTextEdit*>(box)))
        columns.insert(box->mapTo(&window, QPoint(0, 0)).x());
  }
  if (columns.size() != 1) tour.Fail("the edit boxes do not stand in one column");
  // The window's least size keeps every field whole.
  const QRect least(QPoint(0, 0), window.centralWidget()->minimumSize());
  for (const FormWindow::Field& f : window.Fields()) {
    if (!f.widget) continue;
    if (!least.contains(f.widget->geometry()))
      tour.Fail(("the field " + f.name + " lies beyond the window's least size").c_str());
    if (!Whole(*f.widget)) tour.Fail(("the field " + f.name + " is cut off").c_str());
  }
  // A customer without a name is refused by the database, and the transaction is undone.
  try {
    window.SaveRecord();
    tour.Fail("the database took a customer without a name");
  } catch (const Error& e) {
    std::printf("demo: the empty customer was refused: %s\n", e.Message().c_str());
  }

  // Choosing customer 12 shows the customer; each field is then typed over.
  tour.In("txtCodigo", [](OrvoMaskWidget& w) { w.host().Type("12"); });
  if (OrvoMask* name = window.Find("txtNome"); !name || name->Text().empty())
    tour.Fail("choosing a customer did not show the customer");
  const auto retype = [](const char* text) {
    return [text](OrvoMaskWidget& w) {
      w.host().Key("Home");
      w.host().Key("Shift+End");
      w.host().Type(text);
    };
  };
  tour.In("txtNome", retype("Maria da Silva"));
  tour.In("txtCpf", retype("12345678909"));
  tour.In("txtTelefone", retype("1133224455"));
  tour.In("txtNascimento", retype("15031985"));
  tour.In("txtLimite", retype("1500"));
  // The bar's upper arrow raises the number of instalments: 1 -> 3.
  tour.In("txtParcelas", [&](OrvoMaskWidget& w) {
    QScrollBar* bar = nullptr;
    for (QScrollBar* b : w.findChildren<QScrollBar*>())
      if (b->isVisible()) bar = b;
    if (!bar) return tour.Fail("the instalments show no bar");
    w.control().SetText("1");
    ClickUpperArrow(*bar);
    ClickUpperArrow(*bar);
    if (w.control().Text() != "3") tour.Fail("the upper arrow did not raise the instalments to 3");
  });
  tour.In("txtUf", retype("SP"));
  tour.In("txtCidade", retype("camp"));
  tour.In("optTipo(1)", [](OrvoMaskWidget& w) { w.host().Key("Space"); });
  tour.In("txtObs", retype("Cliente desde 2010."));
  tour.In("chkAtivo", [](OrvoMaskWidget& w) { w.host().Key("Space"); });
  tour.Shoot("form-filled.png");
  tour.In("txtNome", [&](OrvoMaskWidget&) {
    window.SaveRecord();
    std::printf("demo: saved the customer\n");
  });

  if (!window.screen()->availableGeometry().contains(window.frameGeometry()))
    std::printf("demo: the window is larger than its screen; the popups may leave it\n");
  tour.ShootPopup("txtNascimento", "popup-calendar.png");
  tour.ShootPopup("txtLimite", "popup-calculator.png");
  tour.ShootPopup("txtCodigo", "popup-lookup-grid.png");
  tour.ShootPopup("txtUf", "popup-item-list.png");
  tour.ShootPopup("txtCidade", "popup-city-grid.png");

  // A second window keeps fields of its own beside the first.
  FormWindow& second = demo.NewWindow();
  second.move(window.geometry().topLeft() + QPoint(40, 40));
  tour.In(second, "txtNome", [](OrvoMaskWidget& w) { w.host().Type("Outra janela"); });
  OrvoMask* firstName = window.Find("txtNome");
  if (!firstName || firstName->Text() != "MARIA DA SILVA")
    tour.Fail("typing in the second window changed the first");
  tour.Shoot(second, "second-window.png");
  // A form loaded again into a window on screen (Arquivo, "Abrir formulário") shows its
  // fields as the first load did.
  second.Load(second.Capture());
  QCoreApplication::processEvents();
  for (const FormWindow::Field& f : second.Fields()) {
    if (f.widget && !f.widget->isVisible()) {
      tour.Fail("a form loaded again into a shown window hides its fields");
      break;
    }
  }

  QCoreApplication::processEvents();
  const std::string log = QDir(folder).filePath("event-log.png").toStdString();
  const bool logged = demo.Panel().grab().save(QString::fromStdString(log), "PNG");
  std::printf("demo: %s %s\n", logged ? "wrote" : "could not write", log.c_str());
  std::printf("demo: the pictures are in %s\n", QDir(folder).absolutePath().toLocal8Bit().data());
  return tour.Ok() && logged;
}

}  // namespace orvo::demo
