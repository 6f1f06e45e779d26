// The registration form's session: loading, binding and saving.
#include "form_session.h"

#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "access/constituents.h"
#include "host/formfile/form_persistence.h"

namespace orvo::demo {

FormSession::FormSession(QtHost& host, std::shared_ptr<SqliteDatabase> db, EventSink sink)
    : host_(host), db_(std::move(db)), sink_(std::move(sink)), form_(host) {}

FormSession::~FormSession() {
  form_.DestroyAll();
}

void FormSession::Open(const std::string& path) {
  LoadFormFile(host_, path, form_);
  Attach();
}

void FormSession::Build() {
  BuildRegistrationForm(host_, form_, [](const std::string& name, const Error& e) {
    std::printf("demo: %s: error %d %s\n", name.c_str(), e.Number(), e.Message().c_str());
  });
  Attach();
}

void FormSession::Save(const std::string& path) {
  SaveFormFile(host_, path);
}

void FormSession::Attach() {
  // The file's captions were measured in the font of the machine that wrote it.
  float column = 0;
  for (const RegistrationField& f : form_.fields)
    if (f.control && f.control->Alignment() == TipoAlinhamento::FieldLeft)
      column = std::max(column, Constituents(*f.control).lab->Width() + f.control->CaptionOffset());
  LineUpCaptions(form_, column);
  events_.clear();
  for (RegistrationField& f : form_.fields) {
    events_.push_back(std::make_unique<FieldEvents>(f.name, sink_));
    if (f.control) f.control->SetEvents(events_.back().get());
  }
  citiesState_ = "?";
  try {
    if (OrvoMask* code = form_.Find("txtCodigo")) code->SetRecordSource(db_->OpenTable("clientes"));
    OrvoMask* uf = form_.Find("txtUf");
    OrvoMask* city = form_.Find("txtCidade");
    if (uf && city) {
      NarrowCities(*uf, *city);
      for (size_t i = 0; i < form_.fields.size(); ++i) {
        if (form_.fields[i].control.get() != city) continue;
        events_[i]->onSetFilter = [this, uf, city] { NarrowCities(*uf, *city); };
        events_[i]->onOpenRecordSet = [this](RecordsetRef& rs, const std::string& statement) {
          rs = db_->OpenDynaset(statement);
        };
      }
    }
  } catch (const Error& e) {
    std::printf("demo: binding the lookups: error %d %s\n", e.Number(), e.Message().c_str());
  }
  // Twips: 15 to a pixel at the host's 96 dots per inch. The window opens at the form's size
  // (a form shown while its fields were being loaded may have grown meanwhile).
  host_.FormWidget()->setMinimumSize(static_cast<int>(host_.FormWidth() / 15),
                                     static_cast<int>(host_.FormHeight() / 15));
  host_.SetFormFrame(host_.FormTitle(), host_.FormWidth(), host_.FormHeight());
}

// The city list holds the chosen state's cities: it is narrowed when it is about to be shown
// or searched, and a record searched beyond it is asked within the same state.
void FormSession::NarrowCities(OrvoMask& uf, OrvoMask& city) {
  const std::string state = uf.Text();
  if (state == citiesState_) return;
  citiesState_ = state;
  std::string quoted;
  for (char ch : state) quoted += ch == '\'' ? std::string("''") : std::string(1, ch);
  const std::string condition = state.empty() ? "" : "uf = '" + quoted + "'";
  city.SetSelectFilter(condition);
  city.SetRecordSource(db_->OpenDynaset("SELECT * FROM cidades" +
                                        (condition.empty() ? "" : " WHERE " + condition) +
                                        " ORDER BY nome"));
}

}  // namespace orvo::demo
