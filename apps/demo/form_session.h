// FormSession: the registration form at work: its fields' events logged, its lookups bound
// to the database, and the form file it was read from or is saved to.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "event_log.h"
#include "host/qt/qt_host.h"
#include "orvo/sqlite_database.h"
#include "registration_form.h"

namespace orvo::demo {

class FormSession {
 public:
  FormSession(QtHost& host, std::shared_ptr<SqliteDatabase> db, EventSink sink);
  ~FormSession();

  // The form from the file at `path`; raises the file's error and keeps the form on screen
  // when it cannot be read.
  void Open(const std::string& path);
  // The form from the demo's own definitions, when no form file is at hand.
  void Build();
  void Save(const std::string& path);
  // Writes the customer on the form to the database: the chosen code's row is replaced, or
  // a new one is added. Raises with the database's message when it refuses a value; the
  // form keeps what was typed and the row its old values.
  void SaveRecord();

  QtHost& Host() { return host_; }
  RegistrationForm& Form() { return form_; }

 private:
  // Gives the fields their event logs and the lookups their recordsets, and keeps the window
  // from shrinking below the form.
  void Attach();
  void NarrowCities(OrvoMask& uf, OrvoMask& city);

  QtHost& host_;
  std::shared_ptr<SqliteDatabase> db_;
  EventSink sink_;
  RegistrationForm form_;
  std::vector<std::unique_ptr<FieldEvents>> events_;
  std::string citiesState_ = "?";  // the state the city list holds
};

}  // namespace orvo::demo
