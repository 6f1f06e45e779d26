// hello_field: two OrvoMask fields in a Qt window: a telephone under a mask and a date.
// With --offscreen-check it runs without a display: it types into both fields as a user
// would, builds the same telephone on a headless host's form, saves that form to a form file
// and loads it back, prints what the fields hold and exits 0 when all came out right.
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "orvo/form_file.h"
#include "orvo/headless_host.h"
#include "orvo/orvo_mask_widget.h"

namespace {

// Types `keys` into `field` as the keyboard would, the field holding the focus.
void TypeInto(orvo::OrvoMaskWidget& field, const char* keys) {
  field.setFocus();
  QApplication::processEvents();
  QTest::keyClicks(QApplication::focusWidget(), keys);
}

// The controls of a form restored from a file: made when the file asks, gone before the host.
class Controls : public orvo::FormControlOwner {
 public:
  explicit Controls(orvo::FormHost& host) : host_(host) {}
  ~Controls() override { DestroyAll(); }
  void DestroyAll() override {
    for (auto& [site, control] : made_) {
      control.reset();
      host_.RemoveControl(*site);
    }
    made_.clear();
  }
  orvo::OrvoMask& Make(orvo::ControlSite& site, const orvo::FormControl&) override {
    made_.emplace_back(&site, std::make_unique<orvo::OrvoMask>(site));
    return *made_.back().second;
  }

 private:
  orvo::FormHost& host_;
  std::vector<std::pair<orvo::ControlSite*, std::unique_ptr<orvo::OrvoMask>>> made_;
};

// A telephone on a headless host's form, typed into, saved to a form file and loaded into a
// second form: the text the second form shows.
std::string FormFileRoundTrip() {
  const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                           "/hello_field_" + std::to_string(getpid()) + ".form.json";
  {
    std::unique_ptr<orvo::FormHost> host = orvo::CreateHeadlessHost();
    orvo::ControlSite& site = host->CreateSite("Telefone");
    orvo::OrvoMask phone(site);
    host->RegisterControl(site, &phone);
    phone.SetMask("(99) 9999-9999");
    host->ShowForm();
    host->FocusControl(site);
    host->Type("1122334444");
    orvo::SaveFormFile(*host, path);
  }
  std::unique_ptr<orvo::FormHost> host = orvo::CreateHeadlessHost();
  Controls controls(*host);
  orvo::LoadFormFile(*host, path, controls);
  std::remove(path.c_str());
  orvo::OrvoMask* phone = host->FindControl("Telefone");
  return phone ? phone->Text() : "(none)";
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
  const std::string restored = FormFileRoundTrip();
  std::cout << "Telefone " << phone->text().toStdString() << ", Nascimento "
            << birth->text().toStdString() << " (" << value.str() << "), from a form file "
            << restored << "\n";
  const bool ok = phone->text() == "(11) 2233-4444" && birth->text() == "15/06/1990" &&
                  birth->control().Value().Type() == orvo::VarType::Date &&
                  restored == "(11) 2233-4444";
  return ok ? 0 : 1;
}
