// The demo: the customer registration form on an embedded SQLite database, read from the form
// file shipped beside it, with a side panel logging the fields' events. With a display it
// stays open; with --screenshot DIR (or no display) it runs on the offscreen platform, fills
// the form, writes PNGs of it and of each popup open, and exits.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <cstdio>
#include <memory>
#include <string>

#include "demo_database.h"
#include "demo_options.h"
#include "form_session.h"
#include "form_tour.h"
#include "orvo/error.h"
#include "side_panel.h"

namespace {

std::shared_ptr<orvo::SqliteDatabase> OpenDatabase(const orvo::demo::DemoOptions& options) {
  std::unique_ptr<QProgressDialog> dialog;
  return orvo::demo::OpenDemoDatabase(
      options.database, options.rows, [&](int64_t written, int64_t rows) {
        if (!dialog) {
          dialog = std::make_unique<QProgressDialog>(
              QString::fromUtf8("Criando o banco de dados de exemplo..."), QString(), 0, 1000);
          dialog->setWindowTitle(QStringLiteral("Cadastro de clientes"));
          dialog->setMinimumDuration(0);
        }
        dialog->setValue(rows > 0 ? static_cast<int>(written * 1000 / rows) : 1000);
        QCoreApplication::processEvents();
      });
}

std::string BesideProgram(const char* name) {
  return QDir(QCoreApplication::applicationDirPath()).filePath(name).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  orvo::demo::DemoOptions options;
  if (!orvo::demo::ReadOptions(argc, argv, options)) return 2;
  if (!options.screenshots.empty()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (options.database.empty()) options.database = BesideProgram("demo-clientes.db");
  if (options.form.empty()) options.form = BesideProgram("customer.form.json");

  std::shared_ptr<orvo::SqliteDatabase> db;
  try {
    db = OpenDatabase(options);
  } catch (const orvo::Error& e) {
    std::fprintf(stderr, "demo: %s: %s\n", options.database.c_str(), e.Message().c_str());
    return 1;
  }

  orvo::demo::SidePanel panel;
  orvo::QtHostOptions hostOptions;
  hostOptions.simulatedClock = false;
  hostOptions.systemLocale = options.systemLocale;
  hostOptions.onInputError = [&panel](const orvo::Error& e) {
    panel.Log("error " + std::to_string(e.Number()) + " " + e.Message());
  };
  orvo::QtHost host(hostOptions);
  int status = 0;
  {
    orvo::demo::FormSession session(host, db,
                                    [&panel](const std::string& line) { panel.Log(line); });
    try {
      session.Open(options.form);
    } catch (const orvo::Error& e) {
      std::fprintf(stderr, "demo: %s; the form is built from the program's own definition\n",
                   e.Message().c_str());
      session.Build();
    }
    if (!options.saveForm.empty()) {
      try {
        session.Save(options.saveForm);
      } catch (const orvo::Error& e) {
        std::fprintf(stderr, "demo: %s\n", e.Message().c_str());
        return 1;
      }
      std::printf("demo: wrote the form to %s\n", options.saveForm.c_str());
      return 0;
    }
    panel.Connect(session, options.form);
    host.ShowForm();
    QWidget* window = host.FormWidget();
    panel.move(window->frameGeometry().topRight() + QPoint(8, 0));
    panel.show();

    if (!options.screenshots.empty()) {
      status =
          orvo::demo::TourForm(session, panel, QString::fromStdString(options.screenshots)) ? 0 : 1;
    } else {
      status = app.exec();
    }
  }
  return status;
}
