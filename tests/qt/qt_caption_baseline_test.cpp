// A caption beside its field, on the field's line, stands on the baseline of the text in the
// field's box, whatever the box's border and height: checked on offscreen screenshots, where
// the caption's pixels are blue and the box's red.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <functional>
#include <memory>
#include <vector>

#include "access/constituents.h"
#include "orvo/orvo_mask.h"
#include "host/core/core_site.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"
#include "platform/property_bag.h"

namespace orvo::testing {
namespace {

struct Case {
  const char* name;
  std::function<void(OrvoMask&)> setUp;
  float height;  // twips
};

// The lowest row of the rect holding at least two pixels the test accepts: for capitals, the
// baseline.
int LowestRow(const QImage& image, const QRect& area, const std::function<bool(QColor)>& is) {
  const QRect r = area.intersected(image.rect());
  for (int y = r.bottom(); y >= r.top(); --y) {
    int n = 0;
    for (int x = r.left(); x <= r.right(); ++x) n += is(image.pixelColor(x, y)) ? 1 : 0;
    if (n >= 2) return y;
  }
  return -1;
}

bool Bluish(QColor c) {
  return c.blue() > 96 && c.blue() > c.red() + 48 && c.blue() > c.green() + 48;
}
bool Reddish(QColor c) {
  return c.red() > 96 && c.red() > c.blue() + 48 && c.red() > c.green() + 48;
}

TEST(QtCaptionBaseline, CaptionOnTheFieldsLineSharesTheBoxTextsBaseline) {
  using A = TipoAlinhamento;
  const std::vector<Case> cases = {
      {"left of a sunken box", [](OrvoMask&) {}, 330},
      {"left of a tall box", [](OrvoMask&) {}, 900},
      {"right of a flat single-line box",
       [](OrvoMask& c) {
         c.SetAlignment(A::FieldRight);
         c.SetAppearance(Aparencia::Flat);
         c.SetBorderStyle(TipoBorda::FixedSingle);
       },
       330},
      {"left of a memo", [](OrvoMask& c) { c.SetDataType(TipoDeCampo::Memo); }, 900},
  };
  QtHost host;
  std::vector<std::unique_ptr<OrvoMask>> controls;
  for (size_t i = 0; i < cases.size(); ++i) {
    ControlSite& site = host.CreateSite("f" + std::to_string(i));
    auto control = std::make_unique<OrvoMask>(site);
    host.RegisterControl(site, control.get());
    MemoryPropertyBag bag;
    control->UserControl_ReadProperties(bag);
    control->SetAlignment(A::FieldLeft);
    control->SetCaption("NOME");
    control->SetCaptionColor(0xFF0000);  // blue
    control->SetForeColor(0x0000FF);     // red
    cases[i].setUp(*control);
    control->SetText("MAX");
    host.PlaceControl(site, 120, 120 + 1020.0f * static_cast<float>(i), 3000, cases[i].height);
    controls.push_back(std::move(control));
  }
  host.ShowForm();
  host.ProcessPending();
  QApplication::processEvents();
  const QImage shot = host.FormWidget()->grab().toImage();

  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    const WidgetNode& surface = static_cast<CoreSite&>(controls[i]->Site()).Surface();
    const QRect whole(ToPixels(surface.left), ToPixels(surface.top), ToPixels(surface.width),
                      ToPixels(surface.height));
    const int caption = LowestRow(shot, whole, Bluish);
    const int box = LowestRow(shot, whole, Reddish);
    ASSERT_GE(caption, 0);
    ASSERT_GE(box, 0);
    EXPECT_EQ(caption, box);
    // Its line stays inside the label the layout placed.
    const Widget& lab = *Constituents(*controls[i]).lab;
    EXPECT_LE(caption, whole.top() + ToPixels(lab.Top() + lab.Height()));
  }
}

}  // namespace
}  // namespace orvo::testing
