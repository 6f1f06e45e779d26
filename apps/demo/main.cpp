// The demo: a customer form of OrvoMask fields in the Qt host. With a display it stays open;
// without one it runs on the offscreen platform, types into the form, writes screenshots
// into build/demo-shots/ (or the folder given as the first argument) and exits.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "customer_form.h"
#include "host/qt/qt_host.h"

namespace {

bool Shoot(orvo::QtHost& host, const QString& dir, const char* name) {
  std::string path = QDir(dir).filePath(name).toStdString();
  bool ok = host.SaveScreenshot(path);
  std::printf("demo: %s %s\n", ok ? "wrote" : "could not write", path.c_str());
  return ok;
}

// What a user would do on the form, for the screenshots.
void PlayUser(orvo::QtHost& host, std::vector<orvo::demo::Field>& fields) {
  auto step = [](const char* what, auto&& action) {
    try {
      action();
    } catch (const orvo::Error& e) {
      std::printf("demo: %s: error %d %s\n", what, e.Number(), e.Message().c_str());
    }
  };
  step("typing the name", [&] {
    host.FocusControl(*fields[0].site);
    host.Type("Maria da Silva");
  });
  step("typing the birth date", [&] {
    host.Key("Tab");
    host.Type("15031985");
  });
  step("typing the limit", [&] {
    host.Key("Tab");
    host.Type("1500");
    host.Key("Tab");
  });
}

}  // namespace

int main(int argc, char** argv) {
  const bool headless = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
  if (headless) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const QString shots =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/demo-shots");

  int status = 0;
  {
    orvo::QtHostOptions options;
    options.simulatedClock = false;
    options.systemLocale = !headless;  // screenshots in the default pt-BR settings
    options.onInputError = [](const orvo::Error& e) {
      std::printf("demo: error %d %s\n", e.Number(), e.Message().c_str());
    };
    orvo::QtHost host(options);
    host.FormWidget()->setWindowTitle(QStringLiteral("Cadastro de clientes"));

    std::vector<orvo::demo::Field> fields =
        orvo::demo::BuildCustomerForm(host, [](const char* name, const orvo::Error& e) {
          std::printf("demo: %s: error %d %s\n", name, e.Number(), e.Message().c_str());
        });
    host.ShowForm();

    if (headless) {
      QDir().mkpath(shots);
      QCoreApplication::processEvents();
      bool ok = Shoot(host, shots, "form-empty.png");
      PlayUser(host, fields);
      ok = Shoot(host, shots, "form-filled.png") && ok;
      // The birth date's calendar and the limit's calculator, dropped down with F4.
      for (auto [field, name] : {std::pair{1, "form-calendar.png"}, {2, "form-calculator.png"}}) {
        try {
          host.FocusControl(*fields[field].site);
          host.Key("F4");
          ok = Shoot(host, shots, name) && ok;
          host.ActivateOutside();
        } catch (const orvo::Error& e) {
          std::printf("demo: %s: error %d %s\n", name, e.Number(), e.Message().c_str());
        }
      }
      status = ok ? 0 : 1;
    } else {
      status = app.exec();
    }
    // Controls go before their sites and the host.
    for (auto it = fields.rbegin(); it != fields.rend(); ++it) it->control.reset();
  }
  return status;
}
