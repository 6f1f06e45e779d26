// The demo's registration form as a clerk fills it on a real X server: typing into fields,
// each popup opened and a value picked in it (the lookup grid, the calendar, the calculator,
// the item list, the city grid narrowed by the state), the spinner's upper arrow, Tab to the
// next widget, the record saved from the menu; then the fields, the database row and the event
// log. A second window from the menu keeps fields of its own. Every step is a real X event
// from xdotool. Set ORVO_REALINPUT_SHOTS to a folder for PNGs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "access/internals.h"
#include "demo_app.h"
#include "demo_database.h"
#include "host/core/widget_node.h"
#include "host/qt/qt_views.h"
#include "popups/calend_form.h"
#include "x_session.h"

namespace orvo::realinput {
namespace {

class RealDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    options.rows = 300;
    options.database = dir.filePath("demo.db").toStdString();
    options.form = ORVO_DEMO_FORM;
    demo =
        std::make_unique<demo::DemoApp>(options, demo::OpenDemoDatabase(options.database, 300, {}));
    window = &demo->NewWindow();
    window->move(40, 40);
    demo->Panel().move(620, 40);
    ASSERT_TRUE(
        WaitFor([this] { return window->windowHandle() && window->windowHandle()->isExposed(); }));
  }
  void TearDown() override {
    if (const char* shots = std::getenv("ORVO_REALINPUT_SHOTS"))
      QGuiApplication::primaryScreen()
          ->grabWindow(0, 0, 0, 1100, 560)
          .save(QString::fromStdString(
                    std::string(shots) + "/Demo" +
                    testing::UnitTest::GetInstance()->current_test_info()->name() + ".png"),
                "PNG");
    demo.reset();
  }

  void Do(std::vector<std::string> args) {
    std::string error;
    ASSERT_TRUE(XDoTool(args, error)) << error;
  }
  void ClickAt(QWidget* w, QPoint p) {
    ASSERT_TRUE(w);
    const QPoint g = w->mapToGlobal(p);
    Do({"mousemove", std::to_string(g.x()), std::to_string(g.y()), "click", "1"});
  }
  void Click(QWidget* w) { ClickAt(w, w->rect().center()); }
  // xdotool key names, a space between them ("Down Return").
  void Keys(const std::string& keys) {
    std::vector<std::string> args = {"key", "--delay", "30"};
    for (const QString& key : QString::fromStdString(keys).split(' '))
      args.push_back(key.toStdString());
    Do(args);
  }
  void Type(const std::string& text) { Do({"type", text}); }

  OrvoMask& Field(const std::string& name, demo::FormWindow* in = nullptr) {
    OrvoMask* c = (in ? in : window)->Find(name);
    if (!c) throw std::runtime_error("no field " + name);
    return *c;
  }
  // The visible part of a field of the kind asked for: its edit box, caption or bar.
  template <typename Part>
  Part* PartOf(const std::string& name, demo::FormWindow* in = nullptr) {
    for (Part* p : (in ? in : window)->Widget(name)->findChildren<Part*>())
      if (p->isVisible()) return p;
    return nullptr;
  }
  QWidget* Box(const std::string& name, demo::FormWindow* in = nullptr) {
    if (QWidget* box = PartOf<QLineEdit>(name, in)) return box;
    if (QWidget* box = PartOf<QTextEdit>(name, in)) return box;
    return PartOf<QPlainTextEdit>(name, in);
  }
  bool PopupShown(const std::string& name) {
    return WaitFor([&] {
      CalendForm* popup = CalendarForm(Field(name));
      return popup && popup->Shown();
    });
  }
  bool TextIs(const std::string& name, const std::string& text) {
    return WaitFor([&] { return Field(name).Text() == text; });
  }
  // A command of the window's menu, chosen with two clicks.
  void Menu(const QString& item, demo::FormWindow* in = nullptr) {
    QMenuBar* bar = (in ? in : window)->menuBar();
    QAction* file = bar->actions().front();
    ClickAt(bar, bar->actionGeometry(file).center());
    QMenu* menu = file->menu();
    ASSERT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
    for (QAction* a : menu->actions())
      if (a->text().remove('&') == item) return ClickAt(menu, menu->actionGeometry(a).center());
    FAIL() << "no menu item " << item.toStdString();
  }
  std::string Column(int code, const std::string& column) {
    RecordsetRef rs = demo->Database()->OpenDynaset(
        "SELECT " + column + " FROM clientes WHERE codigo = " + std::to_string(code));
    if (rs->EOF_()) return "(no row)";
    return ToText(rs->Fields(column).Value(), LocaleSettings::PtBR());
  }

  QTemporaryDir dir;
  demo::DemoOptions options;
  std::unique_ptr<demo::DemoApp> demo;
  demo::FormWindow* window = nullptr;
};

TEST_F(RealDemo, AClerkFillsTheFormThroughEachPopupAndSavesTheCustomer) {
  // The customer grid: F4, a row down, Enter.
  Click(Box("txtCodigo"));
  Keys("F4");
  ASSERT_TRUE(PopupShown("txtCodigo"));
  Keys("Down Return");
  ASSERT_TRUE(WaitFor([&] { return !CalendarForm(Field("txtCodigo"))->Shown(); }));
  const Variant code = Field("txtCodigo").Value();
  ASSERT_TRUE(code.IsNumber()) << Field("txtCodigo").Text();
  const int chosen = ToLong(code, LocaleSettings::PtBR());
  // The chosen customer is shown; the clerk types over it, field by field.
  EXPECT_TRUE(WaitFor([&] { return !Field("txtNome").Text().empty(); }));

  Click(Box("txtNome"));
  Keys("Home shift+End");
  Type("ana paula");
  EXPECT_TRUE(TextIs("txtNome", "ANA PAULA"));
  // Tab goes on to the next widget of the window, as in any Qt form.
  Keys("Tab");
  ASSERT_TRUE(
      WaitFor([&] { return window->Widget("txtCpf")->isAncestorOf(QApplication::focusWidget()); }));
  Keys("Home shift+End");
  Type("12345678909");
  EXPECT_TRUE(TextIs("txtCpf", "123.456.789-09"));
  Click(Box("txtTelefone"));
  Keys("Home shift+End");
  Type("1133224455");
  EXPECT_TRUE(TextIs("txtTelefone", "(11) 3322-4455"));

  // The calendar opens at the typed month; a click on the 20th picks it.
  Click(Box("txtNascimento"));
  Keys("Home shift+End");
  Type("15031985");
  Keys("F4");
  ASSERT_TRUE(PopupShown("txtNascimento"));
  CalendForm* calendar = CalendarForm(Field("txtNascimento"));
  const CalendarCells cells = calendar->Cells();
  const CalendarMonth& month = calendar->ShownMonth();
  ClickAt(QtView::WidgetOf(*NodeOf(&calendar->Form())),
          QPoint(month.ColumnOf(20) * cells.width + cells.width / 2,
                 month.RowOf(20) * cells.height + cells.height / 2));
  EXPECT_TRUE(TextIs("txtNascimento", "20/03/1985"));

  // The calculator, from an empty field: keys typed into it, Enter writes the result.
  Click(Box("txtLimite"));
  Keys("Home shift+End BackSpace F4");
  ASSERT_TRUE(WaitFor([] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && !qobject_cast<QMainWindow*>(top)) return true;
    return false;
  }));
  Keys("KP_2 KP_5 KP_0 Return");
  EXPECT_TRUE(TextIs("txtLimite", "250,00"));

  // Min 48 at the top: the upper arrow raises the instalments.
  QScrollBar* bar = PartOf<QScrollBar>("txtParcelas");
  ASSERT_TRUE(bar);
  ClickAt(bar, QPoint(bar->width() / 2, 2));
  ClickAt(bar, QPoint(bar->width() / 2, 2));
  EXPECT_TRUE(TextIs("txtParcelas", "3"));

  // The state typed into its open item list ("SP", Enter), then the city from a grid of that
  // state's cities only.
  Click(Box("txtUf"));
  Keys("F4");
  ASSERT_TRUE(PopupShown("txtUf"));
  Type("SP");
  EXPECT_TRUE(TextIs("txtUf", "SP"));
  Keys("Return");
  ASSERT_TRUE(WaitFor([&] { return !CalendarForm(Field("txtUf"))->Shown(); }));
  EXPECT_EQ(Field("txtUf").Text(), "SP");
  Click(Box("txtCidade"));
  Keys("F4");
  ASSERT_TRUE(PopupShown("txtCidade"));
  Keys("Return");
  ASSERT_TRUE(WaitFor([&] { return !Field("txtCidade").Text().empty(); }));
  const std::string city = Field("txtCidade").Value().AsString();
  RecordsetRef cities =
      demo->Database()->OpenDynaset("SELECT uf FROM cidades WHERE nome = '" + city + "'");
  ASSERT_FALSE(cities->EOF_()) << city;
  EXPECT_EQ(cities->Fields("uf").Value().AsString(), "SP") << city;

  // One option of the group: the others follow it.
  Click(PartOf<QLabel>("optTipo(1)"));
  EXPECT_TRUE(WaitFor([&] {
    return ToLong(Field("optTipo(0)").Value(), LocaleSettings::PtBR()) == 1 &&
           ToLong(Field("optTipo(2)").Value(), LocaleSettings::PtBR()) == 1;
  }));
  Click(PartOf<QLabel>("chkAtivo"));
  Click(Box("txtObs"));
  Keys("ctrl+Home ctrl+shift+End");
  Type("Bom pagador");

  Menu("Gravar cliente");
  const QString log = demo->Panel().LogView().toPlainText();
  ASSERT_TRUE(WaitFor([&] {
    return demo->Panel().LogView().toPlainText().contains("record saved");
  })) << log.toStdString();
  const std::pair<const char*, std::string> row[] = {{"nome", "ANA PAULA"},
                                                     {"cpf", "123.456.789-09"},
                                                     {"telefone", "(11) 3322-4455"},
                                                     {"limite", "250"},
                                                     {"parcelas", "3"},
                                                     {"uf", "SP"},
                                                     {"cidade", city},
                                                     {"tipo", "J"},
                                                     {"obs", "Bom pagador"}};
  for (const auto& [column, want] : row) EXPECT_EQ(Column(chosen, column), want) << column;
  EXPECT_EQ(Column(chosen, "nascimento"), "20/03/1985");
  EXPECT_NE(Column(chosen, "ativo"), "0");
  EXPECT_NE(city, "");
  EXPECT_EQ(Column(0, "cidade"), "(no row)");  // nothing else was written

  // The panel heard the keys, the drop-downs, the state's narrowing and the save.
  const QString events = demo->Panel().LogView().toPlainText();
  for (const char* line : {"txtNome KeyPress KeyAscii=97", "txtNascimento DropDown",
                           "txtLimite ButtonClick", "txtCidade SetFilter", "optTipo(1) Click",
                           "txtParcelas Change", "chkAtivo Click", "record saved"})
    EXPECT_TRUE(events.contains(QString::fromLatin1(line))) << line;
}

TEST_F(RealDemo, ASecondWindowKeepsFieldsOfItsOwn) {
  // A window opens with its first field holding the focus, as a form's first control does.
  auto firstFieldFocused = [this](demo::FormWindow* w) {
    return WaitFor(
        [&] { return w->isActiveWindow() && QApplication::focusWidget() == Box("txtCodigo", w); });
  };
  EXPECT_TRUE(firstFieldFocused(window));
  Click(Box("txtNome"));
  Type("primeira");
  Menu("Nova janela");
  ASSERT_TRUE(WaitFor([this] { return demo->Windows().size() == 2; }));
  demo::FormWindow* second = demo->Windows().back();
  second->move(560, 60);
  ASSERT_TRUE(WaitFor([second] {
    return second->windowHandle() && second->windowHandle()->isExposed() &&
           second->pos() == QPoint(560, 60);
  }));
  EXPECT_TRUE(firstFieldFocused(second));
  Click(Box("txtNome", second));
  Type("segunda");
  EXPECT_TRUE(WaitFor([&] { return Field("txtNome", second).Text() == "SEGUNDA"; }));
  EXPECT_EQ(Field("txtNome").Text(), "PRIMEIRA");
  // Back in the first window, its field takes the keys again.
  Click(Box("txtCpf"));
  Type("1");
  EXPECT_TRUE(WaitFor([&] { return Field("txtCpf").Text().rfind("1", 0) == 0; }));
  EXPECT_EQ(Field("txtCpf", second).Text().find('1'), std::string::npos);
}

}  // namespace
}  // namespace orvo::realinput
