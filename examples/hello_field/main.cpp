// hello_field: two OrvoMask fields in a Qt window: a telephone under a mask and a date.
// With --offscreen-check it runs without a display: it types into both fields as a user
// would, prints what they hold and exits 0 when the masks and the typed value came out right.
#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>
#include <iostream>
#include <sstream>

#include "orvo/orvo_mask_widget.h"

namespace {

// Types `keys` into `field` as the keyboard would, the field holding the focus.
void TypeInto(orvo::OrvoMaskWidget& field, const char* keys) {
  field.setFocus();
  QApplication::processEvents();
  QTest::keyClicks(QApplication::focusWidget(), keys);
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc > 1 && std::strcmp(argv[1], "--offscreen-check") == 0;
  if (check) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  QWidget window;
  window.setWindowTitle("hello_field");
  auto* layout = new QVBoxLayout(&window);
  auto* phone = new orvo::OrvoMaskWidget(&window, "Telefone");
  phone->setCaption("Telefone");
  phone->setMask("(99) 9999-9999");
  auto* birth = new orvo::OrvoMaskWidget(&window, "Nascimento");
  birth->setCaption("Nascimento");
  birth->setDataType(static_cast<int>(orvo::TipoDeCampo::Date));
  birth->setMask("99/99/9999");
  layout->addWidget(phone);
  layout->addWidget(birth);
  // The control's events arrive as Qt signals.
  QObject::connect(phone, &orvo::OrvoMaskWidget::textChanged, [&window](const QString& text) {
    window.setWindowTitle("hello_field " + text);
  });
  window.show();
  if (!check) return app.exec();

  window.activateWindow();
  QTest::qWaitForWindowActive(&window);
  TypeInto(*phone, "1122334444");
  TypeInto(*birth, "15061990");
  phone->setFocus();
  QApplication::processEvents();

  std::ostringstream value;
  value << birth->control().Value();
  std::cout << "Telefone " << phone->text().toStdString() << ", Nascimento "
            << birth->text().toStdString() << " (" << value.str() << ")\n";
  const bool ok = phone->text() == "(11) 2233-4444" && birth->text() == "15/06/1990" &&
                  birth->control().Value().Type() == orvo::VarType::Date;
  return ok ? 0 : 1;
}
