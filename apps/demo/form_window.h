// FormWindow: the registration form in a Qt window of its own: one OrvoMaskWidget per field,
// placed and loaded from a form file through the property bags, its events logged, its
// lookups bound to the database, and a menu that saves and reopens the form file and saves
// the customer. Several may be open side by side, each with its own fields.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "event_log.h"
#include "orvo/database.h"
#include "orvo/form_file.h"
#include "orvo/orvo_mask_widget.h"

namespace orvo::demo {

class FormWindow : public QMainWindow {
 public:
  struct Field {
    std::string name;  // "optTipo(1)" for an element of a control array
    std::string arrayName;
    std::optional<int16_t> index;
    OrvoMaskWidget* widget = nullptr;  // null when the field failed to load
    std::unique_ptr<FieldEvents> events;
  };

  // `log` hears every event of the fields, `options` are the fields' hosts' (the locale).
  FormWindow(DatabaseRef db, EventSink log, QtHostOptions options);
  ~FormWindow() override;

  // The form from the file at `path`; raises the file's error, and keeps the form on screen,
  // when it cannot be read.
  void Open(const std::string& path);
  // Replaces the fields by the form's. A field whose properties fail to load is logged and
  // stays without its widget.
  void Load(const FormDocument& form);
  FormDocument Capture() const;
  // Raises when the file cannot be written; the old file is then whole.
  void Save(const std::string& path);
  // Shows the customer whose code the code field holds; nothing when the code is new.
  void ShowRecord();
  // Writes the customer on the form to the database: the chosen code's row is updated, or a
  // new one added. Raises with the database's message when it refuses a value; the form
  // keeps what was typed and the row its old values.
  void SaveRecord();

  const std::vector<Field>& Fields() const { return fields_; }
  OrvoMaskWidget* Widget(const std::string& name) const;
  OrvoMask* Find(const std::string& name) const;
  const std::string& FormPath() const { return formPath_; }

  // The menu's "Nova janela" asks for another window through this.
  std::function<void()> onNewWindow;

 private:
  void BuildMenu();
  void Clear();
  // Gives the fields their events, the lookups their recordsets, and the option group its
  // single choice.
  void Bind();
  void NarrowCities();
  // Runs a step the window takes on its own (from a field's event, or showing a row): an
  // error is logged after `what` (what was being done), and the window goes on.
  void Logged(const std::string& what, const std::function<void()>& step);
  void ChooseOption(const std::string& arrayName, const Variant& chosen);
  void Warn(const QString& what, const Error& e);

  DatabaseRef db_;
  EventSink log_;
  QtHostOptions options_;
  QWidget* canvas_;
  std::vector<Field> fields_;
  std::string formPath_;
  std::string citiesState_ = "?";  // the state the city list holds
  bool choosing_ = false;          // an option group is being brought in line
  bool showing_ = false;           // a customer's row is being put on the form
};

}  // namespace orvo::demo
