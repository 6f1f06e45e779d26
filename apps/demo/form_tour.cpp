// The screenshot tour's steps.
#include "form_tour.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <string>

#include "access/constituents.h"
#include "orvo/error.h"

namespace orvo::demo {

namespace {

class Tour {
 public:
  Tour(QtHost& host, RegistrationForm& form, const QString& folder)
      : host_(host), form_(form), folder_(folder) {}

  bool Shoot(const char* name) {
    const std::string path = QDir(folder_).filePath(name).toStdString();
    const bool ok = host_.SaveScreenshot(path);
    std::printf("demo: %s %s\n", ok ? "wrote" : "could not write", path.c_str());
    ok_ = ok_ && ok;
    return ok;
  }

  // Focuses `field` and runs `action`; an error is reported and the tour goes on.
  template <typename Action>
  void In(const char* field, Action&& action) {
    try {
      ControlSite* site = nullptr;
      for (RegistrationField& f : form_.fields)
        if (f.name == field) site = f.site;
      if (!site) {
        std::printf("demo: the form has no field %s\n", field);
        ok_ = false;
        return;
      }
      host_.FocusControl(*site);
      action();
    } catch (const Error& e) {
      std::printf("demo: %s: error %d %s\n", field, e.Number(), e.Message().c_str());
      ok_ = false;
    }
  }

  // F4 drops the field's popup down; the picture shows it open, then a click outside
  // closes it.
  void ShootPopup(const char* field, const char* name) {
    In(field, [&] {
      host_.Key("F4");
      QCoreApplication::processEvents();
      Shoot(name);
      host_.ActivateOutside();
    });
  }

  bool Ok() const { return ok_; }
  QtHost& host_;

 private:
  RegistrationForm& form_;
  QString folder_;
  bool ok_ = true;
};

}  // namespace

bool TourForm(FormSession& session, QWidget& panel, const QString& folder) {
  QtHost& host = session.Host();
  RegistrationForm& form = session.Form();
  bool ok = true;
  QDir().mkpath(folder);
  QCoreApplication::processEvents();
  Tour tour(host, form, folder);
  tour.Shoot("form-empty.png");
  // A customer without a name is refused by the database, and the transaction is undone.
  try {
    session.SaveRecord();
    std::printf("demo: the database took a customer without a name\n");
    ok = false;
  } catch (const Error& e) {
    std::printf("demo: the empty customer was refused: %s\n", e.Message().c_str());
  }

  tour.In("txtCodigo", [&] { host.Type("12"); });
  tour.In("txtNome", [&] { host.Type("Maria da Silva"); });
  tour.In("txtCpf", [&] { host.Type("12345678909"); });
  tour.In("txtTelefone", [&] { host.Type("1133224455"); });
  tour.In("txtNascimento", [&] { host.Type("15031985"); });
  tour.In("txtLimite", [&] { host.Type("1500"); });
  // The bar's upper arrow raises the number of instalments: 1 -> 3.
  tour.In("txtParcelas", [&] {
    if (OrvoMask* parcelas = form.Find("txtParcelas")) {
      host.ClickScrollBar(*Constituents(*parcelas).scrV, ScrollPart::ArrowMin);
      host.ClickScrollBar(*Constituents(*parcelas).scrV, ScrollPart::ArrowMin);
    }
  });
  tour.In("txtUf", [&] { host.Type("SP"); });
  tour.In("txtCidade", [&] { host.Type("camp"); });
  tour.In("optTipo(0)", [&] { host.Key("Space"); });
  tour.In("txtObs", [&] { host.Type("Cliente desde 2010."); });
  tour.In("chkAtivo", [&] { host.Key("Space"); });
  tour.Shoot("form-filled.png");
  tour.In("txtNome", [&] {
    session.SaveRecord();
    std::printf("demo: saved the customer\n");
  });

  tour.ShootPopup("txtNascimento", "popup-calendar.png");
  tour.ShootPopup("txtLimite", "popup-calculator.png");
  tour.ShootPopup("txtCodigo", "popup-lookup-grid.png");
  tour.ShootPopup("txtUf", "popup-item-list.png");
  tour.ShootPopup("txtCidade", "popup-city-grid.png");

  QCoreApplication::processEvents();
  const std::string log = QDir(folder).filePath("event-log.png").toStdString();
  const bool logged = panel.grab().save(QString::fromStdString(log), "PNG");
  std::printf("demo: %s %s\n", logged ? "wrote" : "could not write", log.c_str());
  std::printf("demo: the pictures are in %s\n", QDir(folder).absolutePath().toLocal8Bit().data());
  return ok && tour.Ok() && logged;
}

}  // namespace orvo::demo
