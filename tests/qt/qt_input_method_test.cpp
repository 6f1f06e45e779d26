// Text an input method commits (a dead-key compose, a candidate chosen) reaches the control as
// the characters it stands for, as typed ones do: in the field's own box through the mask,
// and in an open item list or lookup grid through the list's search.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <functional>
#include <memory>
#include <vector>

#include "orvo/orvo_mask.h"
#include "db/sqlite/sqlite_database.h"
#include "host/core/widget_node.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"
#include "platform/property_bag.h"

namespace orvo::testing {
namespace {

struct Case {
  const char* name;
  std::function<void(OrvoMask&)> setUp;
  bool dropDown;  // the list is open when the text comes, and Enter then picks a row
  QString committed;
};

TEST(QtInputMethod, CommittedTextIsTypedIntoTheFocusedView) {
  auto db = SqliteDatabase::Open(":memory:");
  db->Exec(
      "CREATE TABLE uf (sigla TEXT PRIMARY KEY, nome TEXT);"
      "INSERT INTO uf VALUES ('AC', 'Acre'), ('PA', 'Para'), ('PR', 'Parana');");
  const std::vector<Case> cases = {
      {"box through its mask", [](OrvoMask& c) { c.SetMask("@!"); }, false,
       QString::fromUtf8("s\xC3\xA1o")},
      {"item list", [](OrvoMask& c) { c.SetListFields("Acre|Amap\xE1|\xC1vila|Bahia"); }, true,
       QString::fromUtf8("\xC3\xA1")},
      {"lookup grid",
       [&db](OrvoMask& c) {
         c.SetBoundColumn("sigla");
         c.SetListFields("sigla|nome");
         c.SetRecordSource(db->OpenTable("uf"));
       },
       true, QStringLiteral("PR")},
  };
  // The field's text once the characters come, typed or committed.
  auto textAfter = [](const Case& k, bool typed) {
    QtHost host;
    ControlSite& site = host.CreateSite("campo");
    OrvoMask control(site);
    host.RegisterControl(site, &control);
    MemoryPropertyBag bag;
    control.UserControl_ReadProperties(bag);
    control.SetBrowseVisible(TipoBot::DropDown);
    k.setUp(control);
    host.PlaceControl(site, 120, 120, 3000, 330);
    host.ShowForm();
    host.FocusControl(site);
    if (k.dropDown) host.Key("F4");
    host.ProcessPending();
    QApplication::processEvents();
    if (typed) {
      host.Type(k.committed.toLatin1().toStdString());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(k.committed);
      QApplication::sendEvent(QtView::WidgetOf(*NodeOf(host.FocusedWidget())), &commit);
    }
    host.ProcessPending();
    QApplication::processEvents();
    if (k.dropDown) host.Key("Enter");  // the row the search found
    return control.Text();
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const std::string typed = textAfter(k, true);
    EXPECT_NE(typed, "");
    EXPECT_EQ(textAfter(k, false), typed);
  }
}

}  // namespace
}  // namespace orvo::testing
