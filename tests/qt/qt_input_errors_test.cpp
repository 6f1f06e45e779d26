// Every way Qt calls into the model hands an error the model raises to the host's error sink:
// none crosses Qt's event loop. One row per entry, each with a handler that raises.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <memory>
#include <vector>

#include "../host/rows_feeder.h"
#include "base/error.h"
#include "host/qt/orvo_mask_widget.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"

namespace orvo::testing {
namespace {

template <class Q = QWidget>
Q* ViewOf(Widget& w) {
  return qobject_cast<Q*>(QtView::WidgetOf(*NodeOf(&w)));
}

void Fail() {
  RaiseError(err::kNotAvailableYet, "not yet");
}

struct Entry {
  const char* name;
  // Builds what the row needs on a host made with `options` and drives Qt into the handler.
  std::function<void(const QtHostOptions& options)> drive;
};

const Entry kEntries[] = {
    {"a key whose handler fails is not typed by Qt's editor",
     [](const QtHostOptions& o) {
       QtHost host(o);
       ControlSite& site = host.CreateSite("a");
       auto txt = site.CreateTextBox(nullptr, false);
       txt->Move(0, 0, 1200, 300);
       txt->OnKeyPress = [](int16_t&) { Fail(); };
       host.ShowForm();
       host.FocusControl(site);
       auto* line = ViewOf<QLineEdit>(*txt);
       QTest::keyClick(line, Qt::Key_X);
       EXPECT_EQ(line->text(), "");
     }},
    {"scroll bar moved by Qt",
     [](const QtHostOptions& o) {
       QtHost host(o);
       auto bar = host.CreateSite("a").CreateScrollBar(nullptr, true);
       bar->SetMax(10);
       bar->OnChange = Fail;
       host.ShowForm();
       ViewOf<QScrollBar>(*bar)->setValue(5);
     }},
    {"wheel over a scroll bar",
     [](const QtHostOptions& o) {
       QtHost host(o);
       auto bar = host.CreateSite("a").CreateScrollBar(nullptr, true);
       bar->Move(0, 0, 255, 1200);
       bar->SetMax(10);
       bar->SetValue(5);
       bar->OnChange = Fail;
       host.ShowForm();
       QWidget* q = ViewOf(*bar);
       QWheelEvent wheel(QPointF(3, 3), q->mapToGlobal(QPointF(3, 3)), {}, QPoint(0, 120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
       QApplication::sendEvent(q, &wheel);
     }},
    {"mouse pressed on a text box",
     [](const QtHostOptions& o) {
       QtHost host(o);
       auto txt = host.CreateSite("a").CreateTextBox(nullptr, false);
       txt->Move(0, 0, 1200, 300);
       txt->OnMouseDown = [](int16_t&, int16_t&, float&, float&) { Fail(); };
       host.ShowForm();
       QTest::mousePress(ViewOf(*txt), Qt::LeftButton, {}, QPoint(5, 5));
     }},
    {"row of a popup's list pressed",
     [](const QtHostOptions& o) {
       QtHost host(o);
       host.CreateSite("a");
       host.ShowForm();
       auto popup = host.Services().CreatePopupForm();
       popup->Move(1500, 1500, 1800, 1500);
       auto list = popup->CreateListBox();
       list->Move(0, 0, 1800, 1500);
       list->AddItem("um");
       list->AddItem("dois");
       list->OnClick = Fail;
       popup->Show(false);
       QApplication::processEvents();
       auto* q = ViewOf<QListWidget>(*list);
       QTest::mousePress(q->viewport(), Qt::LeftButton, {}, q->visualItemRect(q->item(1)).center());
     }},
    {"focus taken by a click",
     [](const QtHostOptions& o) {
       QtHost host(o);
       auto txt = host.CreateSite("a").CreateTextBox(nullptr, false);
       txt->Move(0, 0, 1200, 300);
       txt->OnGotFocus = Fail;
       host.ShowForm();
       QTest::mouseClick(ViewOf(*txt), Qt::LeftButton, {}, QPoint(5, 5));
     }},
    {"grid scrolled by its bar",
     [](const QtHostOptions& o) {
       QtHost host(o);
       RowsFeeder feeder(100);
       auto popup = host.Services().CreatePopupForm();
       std::unique_ptr<DataGrid> grid = popup->CreateDataGrid();
       grid->Columns() = {{"Codigo", true, 1200, 0}};
       feeder.Feed(*grid);
       popup->Move(1500, 1500, 2400, 1500);
       grid->Move(0, 0, 2400, 1500);
       grid->SetApproxCount(feeder.n);
       grid->Rebind();
       grid->OnScrollNotify = Fail;
       popup->Show(false);
       QApplication::processEvents();
       ViewOf(*grid)->findChild<QScrollBar*>()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
     }},
    {"popup closed by the window system",
     [](const QtHostOptions& o) {
       QtHost host(o);
       host.CreateSite("a");
       host.ShowForm();
       auto popup = host.Services().CreatePopupForm();
       popup->Move(1500, 1500, 1800, 1500);
       popup->OnKeyDown = [](int16_t&, int16_t&) { Fail(); };
       popup->Show(false);
       QApplication::processEvents();
       QCloseEvent close;
       QApplication::sendEvent(ViewOf(*popup), &close);
     }},
    {"popup's paint run when Qt is idle",
     [](const QtHostOptions& o) {
       QtHost host(o);
       host.CreateSite("a");
       host.ShowForm();
       auto popup = host.Services().CreatePopupForm();
       popup->Move(1500, 1500, 1800, 1500);
       popup->OnPaint = Fail;
       popup->Show(false);
       for (int i = 0; i < 3; ++i) QApplication::processEvents();
     }},
    {"the field widget's Change, from a paste into its line edit",
     [](const QtHostOptions& o) {
       OrvoMaskWidget field(nullptr, "f", o);
       QObject::connect(&field, &OrvoMaskWidget::Change, [] { Fail(); });
       field.show();
       field.setFocus();
       QApplication::processEvents();
       QApplication::clipboard()->setText("12");
       QTest::keyClick(field.findChild<QLineEdit*>(), Qt::Key_V, Qt::ControlModifier);
     }},
};

TEST(QtInputErrors, EachEntryFromQtHandsTheErrorToTheSink) {
  QtHost application;  // its QApplication outlives every row's host and widget
  for (const Entry& entry : kEntries) {
    SCOPED_TRACE(entry.name);
    std::vector<int32_t> reported;
    QtHostOptions options;
    options.onInputError = [&](const Error& e) { reported.push_back(e.Number()); };
    try {
      entry.drive(options);
    } catch (const Error& e) {
      ADD_FAILURE() << "error " << e.Number() << " crossed Qt's event loop";
    }
    EXPECT_EQ(reported.empty() ? 0 : reported.front(), err::kNotAvailableYet);
  }
}

}  // namespace
}  // namespace orvo::testing
