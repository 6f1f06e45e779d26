// The lookup fields as a user meets them on a real X server: typing finds the record, the
// grid opens with the button and with F4, scrolls with the wheel and its bar, a divider is
// dragged, a row is chosen with a click, with Enter and by typing; an item list is chosen
// from. Every step is a real X event from xdotool. Set ORVO_REALINPUT_SHOTS to a folder for
// PNGs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "access/constituents.h"
#include "access/internals.h"
#include "orvo/orvo_mask.h"
#include "db/sqlite/sqlite_database.h"
#include "host/core/core_data_grid.h"
#include "host/core/core_site.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"
#include "platform/property_bag.h"
#include "popups/calend_form.h"
#include "x_session.h"

namespace orvo::realinput {
namespace {

constexpr const char* kCustomers =
    "CREATE TABLE cli (codigo INTEGER PRIMARY KEY, nome VARCHAR(20) COLLATE NOCASE,"
    " uf VARCHAR(2)); CREATE INDEX ix_nome ON cli (nome);"
    "INSERT INTO cli VALUES (1,'Ana','SP'),(2,'Bia','RJ'),(3,'Caio','SP'),(4,'Duda','MG'),"
    "(5,'Edu','MG'),(6,'Fabi','MG'),(7,'Gil','SP'),(8,'Hugo','MG'),(9,'Ivo','MG'),"
    "(10,'Jo','MG'),(11,'Lia','BA'),(12,'Mel','BA'),(13,'Nei','PR'),(14,'Ot','PR')";

class RealLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    db = SqliteDatabase::Open(":memory:");
    db->Exec(kCustomers);
    cliente = AddField("cliente", 120);
    cliente->SetBoundColumn("codigo");
    cliente->SetListFields("nome|uf");
    cliente->SetRecordSource(db->OpenTable("cli", "ix_nome"));
    uf = AddField("uf", 840);
    uf->SetListFields("SP|RJ|MG|BA");
    host.FormWidget()->move(40, 40);
    host.ShowForm();
    QWidget* form = host.FormWidget();
    ASSERT_TRUE(
        WaitFor([form] { return form->windowHandle() && form->windowHandle()->isExposed(); }));
  }
  void TearDown() override {
    uf.reset();
    cliente.reset();
  }

  std::unique_ptr<OrvoMask> AddField(const char* name, float top) {
    ControlSite& site = host.CreateSite(name);
    auto c = std::make_unique<OrvoMask>(site);
    host.RegisterControl(site, c.get());
    MemoryPropertyBag bag;
    c->UserControl_ReadProperties(bag);
    host.PlaceControl(site, 120, top, 3600, 600);
    return c;
  }

  void Do(std::vector<std::string> args) {
    std::string error;
    ASSERT_TRUE(XDoTool(args, error)) << error;
  }
  std::vector<std::string> At(QWidget* w, QPoint p) {
    const QPoint g = w->mapToGlobal(p);
    return {"mousemove", std::to_string(g.x()), std::to_string(g.y())};
  }
  void ClickAt(QWidget* w, QPoint p, const char* button = "1") {
    std::vector<std::string> args = At(w, p);
    args.insert(args.end(), {"click", button});
    Do(args);
  }
  QWidget* ViewOf(Widget& w) { return QtView::WidgetOf(*NodeOf(&w)); }
  QWidget* Box(OrvoMask& c) { return ViewOf(*Constituents(c).txt[0]); }
  QWidget* Button(OrvoMask& c) { return ViewOf(*Constituents(c).bot); }
  QPoint Middle(QWidget* w) { return w->rect().center(); }
  CoreDataGrid& Grid() { return static_cast<CoreDataGrid&>(CalendarForm(*cliente)->Grid()); }
  QWidget* GridView() { return ViewOf(Grid()); }
  int RowY(int row) {
    return static_cast<int>((Grid().RowsTop() + (row + 0.5f) * Grid().RowHeight()) / 15);
  }
  bool ListShown(OrvoMask& c) { return CalendarForm(c) && CalendarForm(c)->Shown(); }
  // The name shown in the grid's first row.
  std::string TopName() {
    const auto& texts = Grid().ShownTexts();
    return texts.empty() ? "" : texts.front().at(0);
  }
  // The screen's corner where the form and its popups stand, as the X server shows it.
  void Shot(const char* name) {
    const char* shots = std::getenv("ORVO_REALINPUT_SHOTS");
    if (!shots) return;
    QGuiApplication::primaryScreen()
        ->grabWindow(0, 0, 0, 400, 320)
        .save(QString::fromStdString(std::string(shots) + "/Lookup" + name + ".png"), "PNG");
  }

  QtHost host;
  DatabaseRef db;
  std::unique_ptr<OrvoMask> cliente, uf;
};

TEST_F(RealLookup, TypingFindsTheRecordAndTheGridChoosesByEnterAndByClick) {
  ClickAt(Box(*cliente), Middle(Box(*cliente)));
  Do({"type", "--delay", "20", "ca"});
  ASSERT_TRUE(WaitFor([&] { return cliente->Value() == Variant(int32_t{3}); })) << cliente->Text();
  EXPECT_EQ(cliente->Text(), "Caio\xA0\xA0-\xA0\xA0SP");
  EXPECT_EQ(cliente->SelLength(), 2);

  // F4 drops the grid on the field's record; Down and Enter choose the next one.
  Do({"key", "F4"});
  ASSERT_TRUE(WaitFor([&] { return ListShown(*cliente) && GridView()->isVisible(); }));
  EXPECT_EQ(Grid().VisibleRow(), 0) << "the field's record heads the page";
  EXPECT_EQ(TopName(), "Caio");
  Do({"key", "Down", "Return"});
  ASSERT_TRUE(WaitFor([&] { return !ListShown(*cliente); }));
  EXPECT_EQ(cliente->Value(), Variant(int32_t{4}));
  EXPECT_EQ(host.FocusName(), "cliente");

  // The button drops it again: the wheel and the bar scroll, a divider drags, a click on a
  // row chooses it.
  Do({"sleep", "0.1"});
  ClickAt(Button(*cliente), Middle(Button(*cliente)));
  ASSERT_TRUE(WaitFor([&] { return ListShown(*cliente) && GridView()->isVisible(); }));
  QWidget* grid = GridView();
  EXPECT_EQ(TopName(), "Duda");
  ClickAt(grid, {30, RowY(2)}, "5");  // a notch down: three rows
  ASSERT_TRUE(WaitFor([&] { return TopName() == "Gil"; })) << TopName();
  auto* bar = grid->findChild<QScrollBar*>();
  ASSERT_TRUE(bar && bar->isVisible());
  const GridScrollBar b = Grid().Bar();
  ClickAt(grid, {bar->geometry().center().x(), static_cast<int>((b.top + b.arrow / 2) / 15)});
  ASSERT_TRUE(WaitFor([&] { return TopName() == "Fabi"; })) << TopName();
  const DataGrid::Column nome = Grid().Columns().at(0);
  const int edge = static_cast<int>((nome.left + nome.width) / 15);
  std::vector<std::string> drag = At(grid, {edge - 1, RowY(1)});
  drag.insert(drag.end(), {"mousedown", "1"});
  Do(drag);
  drag = At(grid, {edge - 11, RowY(1)});
  const std::vector<std::string> end = At(grid, {edge - 31, RowY(1)});
  drag.insert(drag.end(), end.begin(), end.end());
  Do(drag);
  Do({"mouseup", "1"});
  ASSERT_TRUE(WaitFor([&] { return Grid().Columns().at(0).width < nome.width - 200; }));
  EXPECT_TRUE(ListShown(*cliente)) << "a divider drag chooses nothing";
  Shot("Grid");
  ClickAt(grid, {30, RowY(3)});  // Ivo
  ASSERT_TRUE(WaitFor([&] { return !ListShown(*cliente); }));
  EXPECT_EQ(cliente->Value(), Variant(int32_t{9}));
  EXPECT_EQ(cliente->Text(), "Ivo\xA0\xA0-\xA0\xA0MG");

  // Letters typed into the open grid find the record; Enter chooses it.
  Do({"sleep", "0.1"});
  Do({"key", "F4"});
  ASSERT_TRUE(WaitFor([&] { return ListShown(*cliente) && GridView()->isVisible(); }));
  Do({"type", "--delay", "20", "hu"});
  ASSERT_TRUE(WaitFor([&] { return cliente->Value() == Variant(int32_t{8}); })) << cliente->Text();
  Do({"key", "Return"});
  ASSERT_TRUE(WaitFor([&] { return !ListShown(*cliente); }));
  EXPECT_EQ(cliente->Text(), "Hugo\xA0\xA0-\xA0\xA0MG");
}

TEST_F(RealLookup, AnItemListOpensWithoutAChoiceAndChoosesByKeysAndByClick) {
  ClickAt(Button(*uf), Middle(Button(*uf)));
  ASSERT_TRUE(WaitFor([&] { return ListShown(*uf); }));
  EXPECT_EQ(uf->Text(), "") << "the list taking the focus chooses nothing";
  Do({"key", "Down", "Down"});
  EXPECT_EQ(uf->Text(), "") << "keys move the selection without choosing";
  Shot("Items");
  Do({"key", "Return"});
  ASSERT_TRUE(WaitFor([&] { return !ListShown(*uf); }));
  EXPECT_EQ(uf->Text(), "RJ");
  Do({"sleep", "0.1"});
  ClickAt(Button(*uf), Middle(Button(*uf)));
  ASSERT_TRUE(WaitFor([&] { return ListShown(*uf); }));
  QWidget* list = ViewOf(*CalendarForm(*uf)->lst);
  const int rowHeight = list->height() / 4;
  ClickAt(list, {20, rowHeight * 2 + rowHeight / 2});
  ASSERT_TRUE(WaitFor([&] { return !ListShown(*uf); }));
  EXPECT_EQ(uf->Text(), "MG");
}

}  // namespace
}  // namespace orvo::realinput
