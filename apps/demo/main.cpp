// The demo: the customer registration form on an embedded SQLite database, with a side
// panel logging the fields' events. With a display it stays open; without one (or with
// --screenshot DIR) it runs on the offscreen platform, fills the form, writes PNGs of it and
// of each popup open, and exits.
//   demo [--rows N] [--database PATH] [--screenshot DIR] [--system-locale]
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "demo_database.h"
#include "demo_options.h"
#include "event_log.h"
#include "form_tour.h"
#include "host/qt/qt_host.h"
#include "registration_form.h"

namespace {

using orvo::demo::RegistrationForm;

std::shared_ptr<orvo::SqliteDatabase> OpenDatabase(const orvo::demo::DemoOptions& options) {
  std::unique_ptr<QProgressDialog> dialog;
  return orvo::demo::OpenDemoDatabase(
      options.database, options.rows, [&](int64_t written, int64_t rows) {
        if (!dialog) {
          dialog = std::make_unique<QProgressDialog>(
              QString::fromLatin1("Criando o banco de dados de exemplo..."), QString(), 0, 1000);
          dialog->setWindowTitle(QStringLiteral("Cadastro de clientes"));
          dialog->setMinimumDuration(0);
        }
        dialog->setValue(rows > 0 ? static_cast<int>(written * 1000 / rows) : 1000);
        QCoreApplication::processEvents();
      });
}

// The city list holds the chosen state's cities: the list is narrowed when it is about to
// be shown or searched, and a statement the field asks for is opened on the same database.
void WireCity(RegistrationForm& form, orvo::demo::FieldEvents& cityEvents,
              const std::shared_ptr<orvo::SqliteDatabase>& db) {
  orvo::OrvoMask* uf = form.Find("txtUf");
  orvo::OrvoMask* city = form.Find("txtCidade");
  if (!uf || !city) return;
  auto boundState = std::make_shared<std::string>("?");
  auto narrow = [uf, city, db, boundState] {
    std::string state = uf->Text();
    if (state == *boundState) return;
    *boundState = state;
    std::string quoted;
    for (char ch : state) quoted += ch == '\'' ? std::string("''") : std::string(1, ch);
    const std::string condition = state.empty() ? "" : "uf = '" + quoted + "'";
    city->SetSelectFilter(condition);
    city->SetRecordSource(db->OpenDynaset("SELECT * FROM cidades" +
                                          (condition.empty() ? "" : " WHERE " + condition) +
                                          " ORDER BY nome"));
  };
  narrow();
  cityEvents.onSetFilter = narrow;
  cityEvents.onOpenRecordSet = [db](orvo::RecordsetRef& rs, const std::string& statement) {
    rs = db->OpenDynaset(statement);
  };
}

}  // namespace

int main(int argc, char** argv) {
  orvo::demo::DemoOptions options;
  if (!orvo::demo::ReadOptions(argc, argv, options)) return 2;
  if (!options.screenshots.empty()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (options.database.empty())
    options.database =
        QDir(QCoreApplication::applicationDirPath()).filePath("demo-clientes.db").toStdString();

  std::shared_ptr<orvo::SqliteDatabase> db;
  try {
    db = OpenDatabase(options);
  } catch (const orvo::Error& e) {
    std::fprintf(stderr, "demo: %s: %s\n", options.database.c_str(), e.Message().c_str());
    return 1;
  }

  int status = 0;
  {
    QPlainTextEdit panel;
    panel.setReadOnly(true);
    panel.setWindowTitle(QStringLiteral("Eventos"));
    panel.resize(420, 480);
    orvo::demo::EventSink sink = [&panel](const std::string& line) {
      panel.appendPlainText(QString::fromLatin1(line.c_str()));
    };

    orvo::QtHostOptions hostOptions;
    hostOptions.simulatedClock = false;
    hostOptions.systemLocale = options.systemLocale;
    hostOptions.onInputError = [&sink](const orvo::Error& e) {
      sink("error " + std::to_string(e.Number()) + " " + e.Message());
    };
    orvo::QtHost host(hostOptions);

    std::vector<std::unique_ptr<orvo::demo::FieldEvents>> events;
    RegistrationForm form =
        orvo::demo::BuildRegistrationForm(host, [](const std::string& name, const orvo::Error& e) {
          std::printf("demo: %s: error %d %s\n", name.c_str(), e.Number(), e.Message().c_str());
        });
    for (orvo::demo::RegistrationField& f : form.fields) {
      events.push_back(std::make_unique<orvo::demo::FieldEvents>(f.name, sink));
      if (f.control) f.control->SetEvents(events.back().get());
    }
    try {
      if (orvo::OrvoMask* code = form.Find("txtCodigo"))
        code->SetRecordSource(db->OpenTable("clientes"));
      for (size_t i = 0; i < form.fields.size(); ++i)
        if (form.fields[i].name == "txtCidade") WireCity(form, *events[i], db);
    } catch (const orvo::Error& e) {
      std::printf("demo: binding the lookups: error %d %s\n", e.Number(), e.Message().c_str());
    }

    host.SetFormFrame("Cadastro de clientes", form.width, form.height);
    QWidget* window = host.FormWidget();
    window->setMinimumSize(static_cast<int>(form.width / 15), static_cast<int>(form.height / 15));
    host.ShowForm();
    panel.move(window->frameGeometry().topRight() + QPoint(8, 0));
    panel.show();

    if (!options.screenshots.empty()) {
      status = orvo::demo::TourForm(host, form, panel, QString::fromStdString(options.screenshots))
                   ? 0
                   : 1;
    } else {
      status = app.exec();
    }
    form.Close();
    for (auto& e : events) e.reset();
  }
  return status;
}
