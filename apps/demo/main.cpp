// The demo: a customer form of OrvoMask fields in the Qt host. With a display it stays open;
// without one it runs on the offscreen platform, types into the form, writes screenshots
// into build/demo-shots/ (or the folder given as the first argument) and exits.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "control/orvo_mask.h"
#include "platform/property_bag.h"
#include "host/qt/qt_host.h"

namespace {

using orvo::Variant;

struct FieldDefinition {
  const char* name;
  std::vector<std::pair<const char*, Variant>> properties;
};

// DataType: 0 Character, 1 Numeric, 2 Date, 3 Spinner, 5 Boolean; Alignment 2: caption left.
std::vector<FieldDefinition> CustomerForm() {
  return {
      {"txtNome", {{"Caption", "Nome"}, {"Alignment", int16_t{2}}}},
      {"txtNascimento",
       {{"Caption", "Nascimento"},
        {"DataType", int32_t{2}},
        {"Mask", "99/99/9999"},
        {"BrowseVisible", int16_t{1}},
        {"Alignment", int16_t{2}}}},
      {"txtLimite",
       {{"Caption", "Limite"},
        {"DataType", int32_t{1}},
        {"Mask", "#.##0,00"},
        {"BrowseVisible", int16_t{2}},
        {"Alignment", int16_t{2}}}},
      {"txtParcelas",
       {{"Caption", "Parcelas"},
        {"DataType", int32_t{3}},
        {"Min", int16_t{1}},
        {"Max", int16_t{12}},
        {"Alignment", int16_t{2}}}},
      {"chkAtivo", {{"Caption", "Ativo"}, {"DataType", int32_t{5}}, {"Alignment", int16_t{3}}}},
  };
}

struct DemoField {
  orvo::ControlSite* site = nullptr;
  std::unique_ptr<orvo::OrvoMask> control;
};

bool Shoot(orvo::QtHost& host, const QString& dir, const char* name) {
  std::string path = QDir(dir).filePath(name).toStdString();
  bool ok = host.SaveScreenshot(path);
  std::printf("demo: %s %s\n", ok ? "wrote" : "could not write", path.c_str());
  return ok;
}

// What a user would do on the form, for the screenshots.
void PlayUser(orvo::QtHost& host, std::vector<DemoField>& fields) {
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
    orvo::QtHost host(options);
    host.FormWidget()->setWindowTitle(QStringLiteral("Cadastro de clientes"));

    std::vector<DemoField> fields;
    for (const FieldDefinition& definition : CustomerForm()) {
      DemoField f;
      orvo::SiteOptions site;
      site.width = 4200;
      site.height = 390;
      f.site = &host.CreateSite(definition.name, site);
      try {
        f.control = std::make_unique<orvo::OrvoMask>(*f.site);
        host.RegisterControl(*f.site, f.control.get());
        orvo::MemoryPropertyBag bag;
        for (const auto& [key, value] : definition.properties) bag.Set(key, value);
        f.control->UserControl_ReadProperties(bag);
      } catch (const orvo::Error& e) {
        std::printf("demo: %s: error %d %s\n", definition.name, e.Number(), e.Message().c_str());
      }
      fields.push_back(std::move(f));
    }
    host.ShowForm();

    if (headless) {
      QDir().mkpath(shots);
      QCoreApplication::processEvents();
      bool ok = Shoot(host, shots, "form-empty.png");
      PlayUser(host, fields);
      ok = Shoot(host, shots, "form-filled.png") && ok;
      // The birth date's calendar, dropped down with F4.
      try {
        host.FocusControl(*fields[1].site);
        host.Key("F4");
        ok = Shoot(host, shots, "form-calendar.png") && ok;
        host.ActivateOutside();
      } catch (const orvo::Error& e) {
        std::printf("demo: calendar: error %d %s\n", e.Number(), e.Message().c_str());
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
