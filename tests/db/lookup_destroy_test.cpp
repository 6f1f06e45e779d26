// A lookup field over a real recordset that its form closes from the events only a bound
// list raises (SetFilter, OpenRecordSet, a choice in the grid), and one ended with its grid
// open, before or after another field. The sanitizer build reports any touch of what has gone.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "../control/closing_events.h"
#include "access/constituents.h"
#include "access/internals.h"
#include "orvo/orvo_mask.h"
#include "access/internals.h"
#include "db_test_support.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"
#include "popups/calend_form.h"

namespace orvo {
namespace {

using orvo::testing::Closer;

class LookupDestroy : public ::testing::Test {
 protected:
  void SetUp() override {
    db = dbtest::MakeDb(dbtest::Engine::Sqlite, dbtest::kProdutos);
    events.answer = [this](RecordsetRef& rs, std::string& sql) { rs = db->OpenDynaset(sql); };
    c = Add("c", &events, TipoDeCampo::Character);
    c->SetBoundColumn("id");
    c->SetListFields("nome|grupo");
    c->SetBrowseVisible(TipoBot::DropDown);
    other = Add("other", nullptr, TipoDeCampo::Date);
    host.ShowForm();
  }
  void TearDown() override {
    Close(c);
    Close(other);
  }
  std::unique_ptr<OrvoMask> Add(const char* name, OrvoMaskEvents* ev, TipoDeCampo kind) {
    ControlSite& site = host.CreateSite(name);
    auto f = std::make_unique<OrvoMask>(site, ev);
    host.RegisterControl(site, f.get());
    MemoryPropertyBag bag;
    f->UserControl_ReadProperties(bag);
    f->SetDataType(kind);
    if (kind == TipoDeCampo::Date) {
      f->SetMask("99/99/9999");
      f->SetBrowseVisible(TipoBot::DropDown);
    }
    return f;
  }
  void Close(std::unique_ptr<OrvoMask>& f) {
    if (!f) return;
    ControlSite& site = f->Site();
    f.reset();
    host.RemoveControl(site);
  }
  void CloseOn(const std::string& on) {
    events.on = on;
    events.close = [this] { Close(c); };
  }
  // The other field still opens its calendar and takes keys.
  void ExpectWorking() {
    EXPECT_EQ(PopupOwnerControl(), nullptr);
    host.ActivateOutside();
    host.Click(*Constituents(*other).bot);
    EXPECT_EQ(PopupOwnerControl(), other.get());
    host.ActivateOutside();
    host.FocusControl(other->Site());
    host.Type("01022024");
    EXPECT_EQ(other->Text(), "01/02/2024");
  }
  DataGrid& Grid() { return CalendarForm(*c)->Grid(); }

  HeadlessHost host;
  DatabaseRef db;
  Closer events;
  std::unique_ptr<OrvoMask> c, other;
};

TEST_F(LookupDestroy, SetFilterAsTheGridOpens) {
  c->SetRecordSource(db->OpenDynaset("SELECT * FROM prod ORDER BY nome"));
  CloseOn("SetFilter");
  host.Click(*Constituents(*c).bot);
  EXPECT_EQ(c, nullptr);
  EXPECT_EQ(host.Services().ScreenMousePointer(), 0) << "the hourglass outlives the field";
  ExpectWorking();
}

TEST_F(LookupDestroy, ChangeOfARowClickedInTheGrid) {
  c->SetRecordSource(db->OpenDynaset("SELECT * FROM prod ORDER BY nome"));
  host.Click(*Constituents(*c).bot);
  ASSERT_TRUE(Grid().Visible());
  float y = 0;
  while (y < Grid().Height() && Grid().RowAt(y) < 1) y += 15;
  CloseOn("Change");
  host.Click(Grid(), 300, y + 30);
  EXPECT_EQ(c, nullptr);
  ExpectWorking();
}

// A letter the recordset's own rows do not start with is looked up in the table beyond it,
// through a recordset the application opens.
TEST_F(LookupDestroy, OpenRecordSetOfASearchBeyondTheRecordset) {
  c->SetRecordSource(db->OpenDynaset("SELECT * FROM prod WHERE grupo = 1 ORDER BY nome"));
  host.FocusControl(c->Site());
  CloseOn("OpenRecordSet");
  host.Type("S");
  EXPECT_EQ(c, nullptr);
  ExpectWorking();
}

TEST_F(LookupDestroy, GridOpenEndedBeforeAndAfterAnotherField) {
  for (bool gridFirst : {true, false}) {
    SCOPED_TRACE(gridFirst ? "grid field first" : "other field first");
    if (!c) SetUp();
    c->SetRecordSource(db->OpenDynaset("SELECT * FROM prod ORDER BY nome"));
    host.Click(*Constituents(*other).bot);  // the calendar loaded, then closed
    host.ActivateOutside();
    host.Click(*Constituents(*c).bot);
    ASSERT_EQ(PopupOwnerControl(), c.get());
    if (gridFirst) {
      Close(c);
      host.ActivateOutside();
      host.FocusControl(other->Site());
      host.Type("1");
      EXPECT_EQ(other->Text().substr(0, 1), "1");
      Close(other);
    } else {
      Close(other);
      host.ActivateOutside();
      host.FocusControl(c->Site());
      host.Type("M");
      EXPECT_EQ(c->Text().substr(0, 1), "M");
      Close(c);
    }
    EXPECT_EQ(PopupOwnerControl(), nullptr);
  }
}

}  // namespace
}  // namespace orvo
