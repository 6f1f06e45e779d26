// The registration form's window: loading its fields, lining up their edit boxes, binding
// them, and the menu.
#include "form_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <algorithm>
#include <cmath>
#include <limits>

#include "orvo/error.h"
#include "orvo/form_file.h"
#include "orvo/host_objects.h"
#include "orvo/property_bag.h"
#include "registration_form.h"

namespace orvo::demo {

namespace {

constexpr float kCaptionGap = 120;  // twips between the widest caption and the boxes
constexpr float kMargin = 240;      // twips around the form

// The form file's twips convert as the fields' own do, at the screen's dots per inch: the
// captions, measured in pixels of that screen, then keep their place beside the boxes.
int Pixels(float twips) {
  return static_cast<int>(std::lround(twips / OrvoMaskWidget::twipsPerPixel()));
}

float Twips(int pixels) {
  return static_cast<float>(pixels) * OrvoMaskWidget::twipsPerPixel();
}

QString Text(const std::string& latin1) {
  return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

float CaptionOf(OrvoMask& c) {
  return CaptionWidth(c.CaptionFont().get(), c.Caption());
}

bool LeftCaptioned(const FormWindow::Field& f) {
  return f.widget && f.widget->control().Alignment() == TipoAlinhamento::FieldLeft;
}

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char ch : text) out += ch == '\'' ? std::string("''") : std::string(1, ch);
  return out + "'";
}

}  // namespace

FormWindow::FormWindow(DatabaseRef db, EventSink log, QtHostOptions options)
    : db_(std::move(db)),
      log_(std::move(log)),
      options_(std::move(options)),
      canvas_(new QWidget(this)) {
  setCentralWidget(canvas_);
  BuildMenu();
}

FormWindow::~FormWindow() {
  Clear();
}

// Each widget (and its control) goes before the events it reports to.
void FormWindow::Clear() {
  for (Field& f : fields_) delete f.widget;
  fields_.clear();
}

OrvoMaskWidget* FormWindow::Widget(const std::string& name) const {
  for (const Field& f : fields_)
    if (f.name == name) return f.widget;
  return nullptr;
}

OrvoMask* FormWindow::Find(const std::string& name) const {
  OrvoMaskWidget* w = Widget(name);
  return w ? &w->control() : nullptr;
}

void FormWindow::Open(const std::string& path) {
  const FormDocument form = ReadFormFile(path);  // whole before anything is replaced
  Load(form);
  formPath_ = path;
}

void FormWindow::Load(const FormDocument& form) {
  Clear();
  setWindowTitle(Text(form.title));
  for (const FormControl& entry : form.controls) {
    Field f;
    f.name = entry.index ? entry.name + "(" + std::to_string(*entry.index) + ")" : entry.name;
    f.arrayName = entry.name;
    f.index = entry.index;
    f.events = std::make_unique<FieldEvents>(f.name, log_);
    // Created in the file's order, the widgets take Tab in it.
    auto* w = new OrvoMaskWidget(canvas_, Text(entry.name), options_, entry.index);
    w->setEvents(f.events.get());
    w->setGeometry(Pixels(entry.left), Pixels(entry.top), Pixels(entry.width),
                   Pixels(entry.height));
    try {
      MemoryPropertyBag bag = BagFor(entry);
      w->control().UserControl_ReadProperties(bag);
      f.widget = w;
      // A child made after its window is shown stays hidden until shown: a form opened
      // again would show none of its fields.
      w->show();
    } catch (const Error& e) {
      if (log_)
        log_(f.name + " not loaded: error " + std::to_string(e.Number()) + " " + e.Message());
      delete w;
    }
    fields_.push_back(std::move(f));
  }

  // The edit boxes stand in one column whatever the captions: each caption is padded to the
  // widest one and a gap. The file's offsets were measured in the font of the machine that
  // wrote it; its column is taken where the least padded caption puts its box. Each field
  // keeps its box's width from the file, and the fields beside the column move with it.
  float widest = 0, fileColumn = std::numeric_limits<float>::max();
  for (const Field& f : fields_) {
    if (!LeftCaptioned(f)) continue;
    OrvoMask& c = f.widget->control();
    widest = std::max(widest, CaptionOf(c));
    fileColumn = std::min(fileColumn, CaptionOf(c) + c.CaptionOffset());
  }
  if (widest == 0) fileColumn = 0;
  const float column = std::max(fileColumn, widest + kCaptionGap);
  const int shift = Pixels(column) - Pixels(fileColumn);
  QRect fields;
  for (const Field& f : fields_) {
    if (!f.widget) continue;
    QRect place = f.widget->geometry();
    if (LeftCaptioned(f)) {
      OrvoMask& c = f.widget->control();
      c.SetCaptionOffset(static_cast<int16_t>(column - CaptionOf(c)));
      place.setWidth(place.width() + shift);
    } else if (place.left() > Pixels(kMargin)) {
      place.translate(shift, 0);
    }
    f.widget->updateSizeHints();
    // A field the file made smaller than its control's least size would be drawn beyond its
    // widget and cut there.
    place.setSize(place.size().expandedTo(f.widget->minimumSizeHint()));
    f.widget->setGeometry(place);
    fields = fields.united(place);
  }

  // The window never shrinks below the form: every field stays whole.
  const int margin = Pixels(kMargin);
  canvas_->setMinimumSize(
      QSize(Pixels(form.width) + shift, Pixels(form.height))
          .expandedTo(QSize(fields.right() + 1 + margin, fields.bottom() + 1 + margin)));
  Bind();
  adjustSize();
  // The first field takes the focus, now or when the window is next active, as a form's first
  // control does; the field that held it may have gone with the old form.
  for (const Field& f : fields_) {
    if (!f.widget) continue;
    f.widget->setFocus(Qt::OtherFocusReason);
    break;
  }
}

FormDocument FormWindow::Capture() const {
  FormDocument form;
  form.title = windowTitle().toLatin1().toStdString();
  form.width = Twips(canvas_->minimumWidth());
  form.height = Twips(canvas_->minimumHeight());
  for (const Field& f : fields_) {
    if (!f.widget) continue;  // a field that failed to load is not written back
    MemoryPropertyBag bag;
    f.widget->control().UserControl_WriteProperties(bag);
    const QRect g = f.widget->geometry();
    form.controls.push_back(FormControl{f.arrayName, f.index, Twips(g.left()), Twips(g.top()),
                                        Twips(g.width()), Twips(g.height()), bag.Entries()});
  }
  return form;
}

void FormWindow::Save(const std::string& path) {
  WriteFormFile(path, Capture());
  formPath_ = path;
}

void FormWindow::Bind() {
  citiesState_ = "?";
  for (Field& f : fields_) {
    if (!f.widget || !f.index) continue;
    if (f.widget->control().DataType() != TipoDeCampo::Option) continue;
    OrvoMask* option = &f.widget->control();
    const std::string arrayName = f.arrayName;
    f.events->onChange = [this, option, arrayName] { ChooseOption(arrayName, option->Value()); };
  }
  for (Field& f : fields_) {
    // Choosing a customer's code shows the customer, so that a save keeps what it held.
    if (f.name != "txtCodigo" || !f.events) continue;
    f.events->onChange = [this] { Logged("showing the customer", [this] { ShowRecord(); }); };
  }
  Logged("binding the lookups", [this] {
    if (OrvoMask* code = Find("txtCodigo")) code->SetRecordSource(db_->OpenTable("clientes"));
    if (Find("txtUf") && Find("txtCidade")) {
      NarrowCities();
      for (Field& f : fields_) {
        // A state chosen narrows the cities at once: a city typed next is searched there.
        if (f.name == "txtUf")
          f.events->onChange = [this] {
            Logged("narrowing the cities", [this] { NarrowCities(); });
          };
        if (f.name != "txtCidade") continue;
        f.events->onSetFilter = [this] { NarrowCities(); };
        f.events->onOpenRecordSet = [this](RecordsetRef& rs, const std::string& statement) {
          rs = db_->OpenDynaset(statement);
        };
      }
    }
  });
}

void FormWindow::Logged(const std::string& what, const std::function<void()>& step) {
  try {
    step();
  } catch (const Error& e) {
    if (log_) log_(what + ": error " + std::to_string(e.Number()) + " " + e.Message());
  }
}

// Each option is alone on its widget's form: choosing one, the window brings the others of
// its array to the same value, as a form holding them all would.
void FormWindow::ChooseOption(const std::string& arrayName, const Variant& chosen) {
  if (choosing_) return;
  choosing_ = true;
  Logged(arrayName, [&] {
    for (const Field& f : fields_)
      if (f.widget && f.index && f.arrayName == arrayName) f.widget->control().SetValue(chosen);
  });
  choosing_ = false;
}

// The city list holds the chosen state's cities: it is narrowed when it is about to be shown
// or searched, and a record searched beyond it is asked within the same state.
void FormWindow::NarrowCities() {
  OrvoMask* uf = Find("txtUf");
  OrvoMask* city = Find("txtCidade");
  if (!uf || !city) return;
  const std::string state = uf->Text();
  if (state == citiesState_) return;
  const std::string condition = state.empty() ? "" : "uf = " + Quoted(state);
  city->SetSelectFilter(condition);
  city->SetRecordSource(db_->OpenDynaset("SELECT * FROM cidades" +
                                         (condition.empty() ? "" : " WHERE " + condition) +
                                         " ORDER BY nome"));
  citiesState_ = state;
}

// The database's own reason, without the statement it names before it.
void FormWindow::Warn(const QString& what, const Error& e) {
  std::string reason = e.Message();
  if (const size_t at = reason.find("` failed: ");
      reason.rfind("statement `", 0) == 0 && at != std::string::npos)
    reason.erase(0, at + 10);
  if (const size_t at = reason.find(" (while running `"); at != std::string::npos) reason.erase(at);
  QMessageBox::warning(this, windowTitle(), what + QStringLiteral("\n\n") + Text(reason));
}

void FormWindow::BuildMenu() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Arquivo"));
  QAction* another = file->addAction(QString::fromUtf8("&Nova janela"), [this] {
    if (onNewWindow) onNewWindow();
  });
  another->setShortcut(QKeySequence::New);
  file->addSeparator();
  file->addAction(QString::fromUtf8("&Abrir formulário..."), [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, QString::fromUtf8("Abrir formulário"),
                                     QString::fromStdString(formPath_), QStringLiteral("*.json"));
    if (path.isEmpty()) return;
    try {
      Open(path.toStdString());
    } catch (const Error& e) {
      Warn(QString::fromUtf8("O formulário não foi aberto; o da tela continua."), e);
    }
  });
  file->addAction(QString::fromUtf8("&Salvar formulário como..."), [this] {
    const QString path =
        QFileDialog::getSaveFileName(this, QString::fromUtf8("Salvar formulário"),
                                     QString::fromStdString(formPath_), QStringLiteral("*.json"));
    if (path.isEmpty()) return;
    try {
      Save(path.toStdString());
    } catch (const Error& e) {
      Warn(QString::fromUtf8("O formulário não foi salvo."), e);
    }
  });
  file->addSeparator();
  QAction* save = file->addAction(QString::fromUtf8("&Gravar cliente"), [this] {
    try {
      SaveRecord();
    } catch (const Error& e) {
      Warn(QString::fromUtf8(
               "O cliente não foi gravado; os valores digitados continuam no formulário."),
           e);
    }
  });
  save->setShortcut(QKeySequence::Save);
  file->addSeparator();
  QAction* close = file->addAction(QString::fromUtf8("&Fechar janela"), [this] { this->close(); });
  close->setShortcut(QKeySequence::Close);
  file->addAction(QString::fromUtf8("Sai&r"), [] { QApplication::closeAllWindows(); });
}

}  // namespace orvo::demo
