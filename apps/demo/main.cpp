// The demo: the customer registration form on an embedded SQLite database or a PostgreSQL
// server, read from the form file shipped beside it, with a side panel logging the fields'
// events. With a display it stays open; with --screenshot DIR (or no display) it runs on the
// offscreen platform, fills the form, writes PNGs of it and of each popup open, and exits.
#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "demo_app.h"
#include "demo_database.h"
#include "demo_options.h"
#include "form_tour.h"
#include "orvo/error.h"

namespace {

orvo::DatabaseRef OpenDatabase(const orvo::demo::DemoOptions& options) {
  std::unique_ptr<QProgressDialog> dialog;
  bool shot = false;
  return orvo::demo::OpenDemoDatabase(
      options.database, options.rows, [&](int64_t written, int64_t rows) {
        if (!dialog) {
          dialog = std::make_unique<QProgressDialog>(
              QString::fromUtf8("Criando o banco de dados de exemplo..."), QString(), 0, 1000);
          dialog->setWindowTitle(QStringLiteral("Cadastro de clientes"));
          dialog->setMinimumDuration(0);
        }
        dialog->setLabelText(QString::fromUtf8("Criando o banco de dados de exemplo: %L1 de %L2 "
                                               "clientes...")
                                 .arg(written)
                                 .arg(rows));
        dialog->setValue(rows > 0 ? static_cast<int>(written * 1000 / rows) : 1000);
        QCoreApplication::processEvents();
        // The tour's picture of the dialog, halfway.
        if (!shot && !options.screenshots.empty() && written * 2 >= rows && written < rows) {
          QDir().mkpath(QString::fromStdString(options.screenshots));
          shot = dialog->grab().save(
              QDir(QString::fromStdString(options.screenshots)).filePath("progress.png"), "PNG");
        }
      });
}

std::string BesideProgram(const char* name) {
  return QDir(QCoreApplication::applicationDirPath()).filePath(name).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  orvo::demo::DemoOptions options;
  if (!orvo::demo::ReadOptions(argc, argv, options)) return 2;
  // The pictures, and a form file saved with no display, need no window system.
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  // An offscreen platform already asked for keeps its options (a screens file, for one).
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const bool offscreen = platform && std::string_view(platform).starts_with("offscreen");
  if ((!options.screenshots.empty() || !display) && !offscreen)
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // Qt's own texts and numbers (the progress dialog's) in the captions' locale.
  if (!options.systemLocale) QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  if (options.database.empty()) options.database = BesideProgram("demo-clientes.db");
  if (options.form.empty()) options.form = BesideProgram("customer.form.json");

  orvo::DatabaseRef db;
  try {
    db = OpenDatabase(options);
  } catch (const orvo::Error& e) {
    std::fprintf(stderr, "demo: %s\n", e.Message().c_str());
    return 1;
  }

  orvo::demo::DemoApp demo(options, db);
  orvo::demo::FormWindow& window = demo.NewWindow();
  if (!options.saveForm.empty()) {
    try {
      window.Save(options.saveForm);
    } catch (const orvo::Error& e) {
      std::fprintf(stderr, "demo: %s\n", e.Message().c_str());
      return 1;
    }
    std::printf("demo: wrote the form to %s\n", options.saveForm.c_str());
    return 0;
  }
  if (!options.screenshots.empty())
    return orvo::demo::TourForm(demo, QString::fromStdString(options.screenshots)) ? 0 : 1;
  return app.exec();
}
