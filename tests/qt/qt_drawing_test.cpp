// What the Qt host draws, checked on an offscreen screenshot of a form with one field of each
// kind and each caption alignment: where the pixels fall against the layout the model made,
// and in which colours. Font rendering may vary; the geometry may not. The same tests run
// again at 120 dpi (12 twips a pixel), where every conversion must follow the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "access/constituents.h"
#include "access/internals.h"
#include "orvo/orvo_mask.h"
#include "db/sqlite/sqlite_database.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"
#include "platform/property_bag.h"
#include "popups/calc_form.h"

namespace orvo::testing {
namespace {

constexpr Color kCaptionBlue = 0xFF0000;  // red in the low byte: pure blue
constexpr Color kRed = 0x0000FF, kGreen = 0x00FF00, kMagenta = 0xFF00FF;

struct Field {
  std::string name;
  std::function<void(OrvoMask&)> setUp;
};

class QtDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db = SqliteDatabase::Open(":memory:");
    db->Exec(
        "CREATE TABLE uf (sigla TEXT PRIMARY KEY, nome TEXT);"
        "INSERT INTO uf VALUES ('SP', 'Sao Paulo'), ('RJ', 'Rio de Janeiro');");
    using A = TipoAlinhamento;
    const std::vector<Field> fields = {
        {"texto", [](OrvoMask& c) { Style(c, "Texto", A::FieldTop); }},
        {"valor",
         [](OrvoMask& c) {
           Style(c, "Valor", A::FieldLeft);
           c.SetDataType(TipoDeCampo::Numeric);
           c.SetMask("#.##0,00");
           c.SetBrowseVisible(TipoBot::DropDown);
           c.SetShape(TipoShape::Rectangle);
           c.SetColorNoFocus(kRed);
           c.SetColorOnFocus(kGreen);
           c.SetFillStyleNoFocus(EstiloShape::Solid);
           c.SetFillStyleOnFocus(EstiloShape::Solid);
         }},
        {"data",
         [](OrvoMask& c) {
           Style(c, "Data", A::FieldRight);
           c.SetDataType(TipoDeCampo::Date);
           c.SetBrowseVisible(TipoBot::DropDown);
           c.SetAppearance(Aparencia::Flat);
           c.SetBorderStyle(TipoBorda::FixedSingle);
           c.SetShape(TipoShape::Rectangle);
           c.SetColorNoFocus(kMagenta);
           c.SetFillStyleNoFocus(EstiloShape::HorizontalLine);
           c.SetFillStyleOnFocus(EstiloShape::HorizontalLine);
         }},
        {"ativo",
         [](OrvoMask& c) {
           Style(c, "Ativo", A::FieldLeft);
           c.SetDataType(TipoDeCampo::Boolean);
           c.SetValue(Variant(true));
         }},
        {"opcao",
         [](OrvoMask& c) {
           Style(c, "Opcao", A::FieldRight);
           c.SetDataType(TipoDeCampo::Option);
         }},
        {"parcelas",
         [](OrvoMask& c) {
           Style(c, "Parcelas", A::FieldBottom);
           c.SetDataType(TipoDeCampo::Spinner);
         }},
        {"obs",
         [](OrvoMask& c) {
           Style(c, "Obs", A::FieldTop);
           c.SetDataType(TipoDeCampo::Memo);
         }},
        {"cliente",
         [this](OrvoMask& c) {
           Style(c, "Cliente", A::FieldLeft);
           c.SetBrowseVisible(TipoBot::DropDown);
           c.SetListFields("sigla;nome");
           c.SetRecordSource(db->OpenTable("uf"));
         }},
        {"estado",
         [](OrvoMask& c) {
           Style(c, "Estado", A::FieldTop);
           c.SetBrowseVisible(TipoBot::DropDown);
           c.SetListFields("SP|RJ|MG");
         }},
        {"busca",
         [](OrvoMask& c) {
           Style(c, "Busca", A::FieldTop);
           c.SetBrowseVisible(TipoBot::Ellipsis);
         }},
    };
    // Two columns of fields, 3000 twips wide and 900 high.
    for (size_t i = 0; i < fields.size(); ++i) {
      SiteOptions options;
      if (fields[i].name == "opcao") options.index = 0;
      ControlSite& site = host.CreateSite(fields[i].name, options);
      auto control = std::make_unique<OrvoMask>(site);
      host.RegisterControl(site, control.get());
      MemoryPropertyBag bag;
      control->UserControl_ReadProperties(bag);
      fields[i].setUp(*control);
      host.PlaceControl(site, 120 + 3240.0f * static_cast<float>(i % 2),
                        120 + 1020.0f * static_cast<float>(i / 2), 3000, 900);
      sites[fields[i].name] = static_cast<CoreSite*>(&site);
      controls[fields[i].name] = std::move(control);
    }
    host.ShowForm();
    host.ProcessPending();
    QApplication::processEvents();
  }

  static void Style(OrvoMask& c, const std::string& caption, TipoAlinhamento alignment) {
    c.SetCaption(caption);
    c.SetCaptionColor(kCaptionBlue);
    c.SetAlignment(alignment);
  }

  OrvoMask& C(const std::string& name) { return *controls.at(name); }
  CoreSite& SiteOf(const std::string& name) { return *sites.at(name); }
  // A widget's place on the form as the layout plan gives it, in the form's pixels.
  QRect Plan(const std::string& name, Widget& w) {
    const WidgetNode& surface = SiteOf(name).Surface();
    float left = surface.left + w.Left(), top = surface.top + w.Top();
    for (const WidgetNode* n = NodeOf(&w)->parent; n; n = n->parent) left += n->left, top += n->top;
    return {ToPixels(left), ToPixels(top), ToPixels(w.Width()), ToPixels(w.Height())};
  }
  QRect PlanOfControl(const std::string& name) {
    const WidgetNode& s = SiteOf(name).Surface();
    return {ToPixels(s.left), ToPixels(s.top), ToPixels(s.width), ToPixels(s.height)};
  }
  QImage Shot() {
    QApplication::processEvents();
    return host.FormWidget()->grab().toImage();
  }
  void Focus(const std::string& name) {
    host.FocusControl(SiteOf(name));
    host.ProcessPending();
  }
  QWidget* OpenPopup() {
    for (CoreWindow* w : host.Windows())
      if (w->Popup() && w->Shown()) return QtView::WidgetOf(w->Popup()->Node());
    return nullptr;
  }

  QtHost host;
  std::shared_ptr<SqliteDatabase> db;
  std::map<std::string, CoreSite*> sites;
  std::map<std::string, std::unique_ptr<OrvoMask>> controls;
};

bool Bluish(QColor c) {
  return c.blue() > 96 && c.blue() > c.red() + 48 && c.blue() > c.green() + 48;
}
bool Dark(QColor c) {
  return c.lightness() < 96;
}
QRgb Rgb(Color c) {
  return ToQColor(c).rgb();
}
int Count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& is) {
  int n = 0;
  const QRect r = area.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += is(image.pixelColor(x, y)) ? 1 : 0;
  return n;
}

TEST_F(QtDrawingTest, TwipsFollowTheScreensDotsPerInch) {
  const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
  EXPECT_FLOAT_EQ(QtTwipsPerPixel(), static_cast<float>(1440 / dpi));
  EXPECT_FLOAT_EQ(host.Services().TwipsPerPixelX(), QtTwipsPerPixel());
  // A control placed 1440 twips wide is an inch of the screen wide.
  host.PlaceControl(SiteOf("texto"), 120, 120, 1440, 900);
  QApplication::processEvents();
  EXPECT_EQ(QtView::WidgetOf(SiteOf("texto").Surface())->width(), qRound(dpi));
}

// Moved to a screen of other dots per inch, the form converts twips with that screen's and
// each control lays itself out again in its pixels: the edit box stays two pixels inside the
// field's sunken border, where a layout left in the old pixels would put it three (at 144 dpi).
// The screen's size is that screen's too. Needs a platform with a second screen of another dpi.
TEST_F(QtDrawingTest, TwipsFollowTheScreenTheFormMovesTo) {
  QWindow* window = host.FormWidget()->windowHandle();
  ASSERT_NE(window, nullptr);
  QScreen* home = window->screen();
  QScreen* other = nullptr;
  for (QScreen* s : QGuiApplication::screens())
    if (s->logicalDotsPerInch() != home->logicalDotsPerInch()) other = s;
  if (!other) GTEST_SKIP() << "no screen of another dpi";
  TextBox* box = nullptr;
  for (auto& t : Constituents(C("texto")).txt)
    if (t && t->Visible()) box = t.get();
  ASSERT_NE(box, nullptr);
  QWidget* edit = QtView::WidgetOf(*NodeOf(box));
  QWidget* surface = QtView::WidgetOf(SiteOf("texto").Surface());
  for (QScreen* screen : {other, home}) {
    SCOPED_TRACE(screen->logicalDotsPerInch());
    window->setScreen(screen);
    QApplication::processEvents();
    EXPECT_FLOAT_EQ(QtTwipsPerPixel(), static_cast<float>(1440 / screen->logicalDotsPerInch()));
    EXPECT_EQ(surface->width(), qRound(SiteOf("texto").Surface().width / QtTwipsPerPixel()));
    EXPECT_EQ(edit->pos(), QPoint(2, 2));
    EXPECT_FLOAT_EQ(host.Services().ScreenWidth(), screen->size().width() * QtTwipsPerPixel());
  }
}

// A form in an application's window follows the screen that window moves to.
TEST(QtDrawingOnScreens, AnEmbeddedFormFollowsTheScreenItsWindowMovesTo) {
  static int argc = 1;
  static char name[] = "qt_drawing_test";
  static char* argv[] = {name, nullptr};
  std::unique_ptr<QApplication> app;
  if (!qApp) app = std::make_unique<QApplication>(argc, argv);
  QWidget window;
  window.resize(400, 200);
  QtHost host(&window, QtHostOptions{});
  ControlSite& site = host.CreateSite("campo");
  OrvoMask control(site);
  host.RegisterControl(site, &control);
  MemoryPropertyBag bag;
  control.UserControl_ReadProperties(bag);
  host.PlaceControl(site, 0, 0, 1440, 600);
  host.ShowForm();
  window.show();
  QApplication::processEvents();
  QScreen* home = window.screen();
  QScreen* other = nullptr;
  for (QScreen* s : QGuiApplication::screens())
    if (s->logicalDotsPerInch() != home->logicalDotsPerInch()) other = s;
  if (!other) GTEST_SKIP() << "no screen of another dpi";
  QWidget* surface = QtView::WidgetOf(static_cast<CoreSite&>(site).Surface());
  for (QScreen* screen : {other, home}) {
    window.windowHandle()->setScreen(screen);
    QApplication::processEvents();
    EXPECT_EQ(surface->width(), qRound(screen->logicalDotsPerInch()));
  }
}

// Each caption's text lies inside the rect the layout gave its label, and nowhere else in
// its control, whichever side of the field it stands.
TEST_F(QtDrawingTest, CaptionsLieWhereTheLayoutPutTheirLabels) {
  const QImage shot = Shot();
  for (auto& [name, control] : controls) {
    SCOPED_TRACE(name);
    const QRect label = Plan(name, *Constituents(*control).lab);
    EXPECT_GT(Count(shot, label, Bluish), 4);
    const QRect around = label.adjusted(-1, -1, 1, 1);
    const QRect whole = PlanOfControl(name);
    int outside = 0;
    for (int y = whole.top(); y <= whole.bottom(); ++y)
      for (int x = whole.left(); x <= whole.right(); ++x)
        if (!around.contains(x, y) && Bluish(shot.pixelColor(x, y))) ++outside;
    EXPECT_EQ(outside, 0);
  }
}

TEST_F(QtDrawingTest, ShapeFillFollowsFocusAndHatchesAreLinesOfTheFillColour) {
  Constituents valor(C("valor"));
  const QRect shape = Plan("valor", *valor.shp);
  // Inside the shape's border, left of the caption.
  const QPoint fill(shape.left() + 2, shape.center().y());
  QImage shot = Shot();
  EXPECT_EQ(shot.pixelColor(fill), QColor(Qt::red));
  // The shape reaches under the field's corner; the field, a window, covers it there.
  const QRect field = Plan("valor", *valor.pic);
  ASSERT_TRUE(field.intersects(shape));
  EXPECT_EQ(Count(shot, field, [](QColor c) { return c == Qt::red; }), 0);
  Focus("valor");
  EXPECT_EQ(Shot().pixelColor(fill), QColor(Qt::green));
  Focus("texto");
  EXPECT_EQ(Shot().pixelColor(fill), QColor(Qt::red));

  // Horizontal lines: whole rows of the fill colour, with rows of the ground between them.
  Constituents data(C("data"));
  const QRect hatch = Plan("data", *data.shp).adjusted(2, 2, -2, -2);
  shot = Shot();
  const int x = hatch.right() - 1;  // right of the caption, away from the field
  int lines = 0;
  for (int y = hatch.top(); y <= hatch.bottom(); ++y) {
    if (shot.pixelColor(x, y) != QColor(Qt::magenta)) continue;
    ++lines;
    EXPECT_EQ(shot.pixelColor(x - 3, y), QColor(Qt::magenta)) << "row " << y;
    EXPECT_NE(shot.pixelColor(x, y + 1), QColor(Qt::magenta)) << "row " << y;
  }
  EXPECT_GE(lines, hatch.height() / 8);
}

// A border wider than a pixel: Solid centres its pen on the bounds' edge, so that only its
// inner half shows, in whole pixels; Inside Solid keeps the whole pen inside the bounds.
TEST_F(QtDrawingTest, ShapeBorderInsideSolidKeepsTheWholePenInside) {
  constexpr Color kYellow = 0x00FFFF;
  const struct {
    TipoBordaShape style;
    int16_t width;
    int shown;  // pixels of border inside the bounds
  } kCases[] = {
      {TipoBordaShape::Solid, 4, 2},
      {TipoBordaShape::Solid, 3, 2},
      {TipoBordaShape::InsideSolid, 4, 4},
  };
  C("valor").SetShapeBorderColor(kYellow);
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.style)) + " " + std::to_string(c.width));
    C("valor").SetShapeBorderStyle(c.style);
    C("valor").SetShapeBorderWidth(c.width);
    const QRect shape = Plan("valor", *Constituents(C("valor")).shp);
    const QImage shot = Shot();
    const int y = shape.center().y();
    for (int i = 0; i < c.shown; ++i)
      EXPECT_EQ(shot.pixelColor(shape.left() + i, y), QColor(Qt::yellow)) << "pixel " << i;
    EXPECT_EQ(shot.pixelColor(shape.left() + c.shown, y), QColor(Qt::red));
  }
}

// The field's border as the model drew it: on the field's edge pixels, in the palette's
// colours for the system colours named.
TEST_F(QtDrawingTest, FieldBordersShowTheirEdges) {
  const QImage shot = Shot();
  auto at = [&](int x, int y) { return shot.pixel(x, y); };
  const QRect sunken = Plan("texto", *Constituents(C("texto")).pic);
  const int midY = sunken.top() + sunken.height() / 2, midX = sunken.left() + sunken.width() / 2;
  EXPECT_EQ(at(sunken.left(), midY), Rgb(kSysButtonShadow));
  EXPECT_EQ(at(sunken.left() + 1, midY), Rgb(kSys3DDarkShadow));
  EXPECT_EQ(at(midX, sunken.top()), Rgb(kSysButtonShadow));
  EXPECT_EQ(at(midX, sunken.top() + 1), Rgb(kSys3DDarkShadow));
  EXPECT_EQ(at(sunken.right(), midY), Rgb(kSysButtonHighlight));
  EXPECT_EQ(at(sunken.right() - 1, midY), Rgb(kSys3DLight));
  EXPECT_EQ(at(midX, sunken.bottom()), Rgb(kSysButtonHighlight));
  EXPECT_EQ(at(midX, sunken.bottom() - 1), Rgb(kSys3DLight));
  // Segments meet without drawing a corner twice: the lower left corners keep the shadows.
  EXPECT_EQ(at(sunken.left(), sunken.bottom()), Rgb(kSysButtonShadow));
  EXPECT_EQ(at(sunken.left() + 1, sunken.bottom() - 1), Rgb(kSys3DDarkShadow));

  const QRect flat = Plan("data", *Constituents(C("data")).pic);
  const QRgb dark = Rgb(kSys3DDarkShadow);
  for (QPoint p : {QPoint(flat.left(), flat.center().y()), QPoint(flat.right(), flat.center().y()),
                   QPoint(flat.center().x(), flat.top()), QPoint(flat.center().x(), flat.bottom())})
    EXPECT_EQ(at(p.x(), p.y()), dark) << p.x() << "," << p.y();
  EXPECT_NE(at(flat.left() + 1, flat.center().y()), dark);
}

TEST_F(QtDrawingTest, CheckAndOptionShowTheirMarks) {
  Constituents ativo(C("ativo"));
  const QRect box = Plan("ativo", *ativo.pic).adjusted(2, 2, -2, -2);
  EXPECT_GT(Count(Shot(), box, Dark), 3);
  C("ativo").SetValue(Variant(false));
  EXPECT_EQ(Count(Shot(), box, Dark), 0);

  const QRect mark = Plan("opcao", *Constituents(C("opcao")).img);
  const QPoint centre = mark.center();
  C("opcao").SetValue(Variant(int16_t{1}));
  EXPECT_FALSE(Dark(Shot().pixelColor(centre)));
  C("opcao").SetValue(Variant(int16_t{0}));
  EXPECT_TRUE(Dark(Shot().pixelColor(centre)));
}

// The dotted rectangle round a check box's caption: on the rect the model gave, while the
// field has the focus.
TEST_F(QtDrawingTest, CaptionFocusRectangleOutlinesTheCaption) {
  Focus("ativo");
  const std::vector<Rect>& rects = SiteOf("ativo").FocusRects();
  ASSERT_EQ(rects.size(), 1u);
  const QRect control = PlanOfControl("ativo");
  const QRect r(control.left() + rects[0].left, control.top() + rects[0].top,
                rects[0].right - rects[0].left, rects[0].bottom - rects[0].top);
  const QRect label = Plan("ativo", *Constituents(C("ativo")).lab);
  EXPECT_TRUE(r.adjusted(-1, -1, 1, 1).contains(label));
  const QImage shot = Shot();
  const int topDots = Count(shot, QRect(r.left(), r.top(), r.width(), 1), Dark);
  EXPECT_GE(topDots, r.width() / 3);
  EXPECT_LT(topDots, r.width());  // dotted
  Focus("texto");
  EXPECT_EQ(Count(Shot(), QRect(r.left(), r.top(), r.width(), 1), Dark), 0);
}

// A triangle pointing down for the drop-down button, three dots for the ellipsis, centred
// on the button the layout placed.
TEST_F(QtDrawingTest, BrowseButtonsShowTheirGlyphs) {
  const QImage shot = Shot();
  auto darkRows = [&](const QRect& r) {
    std::vector<int> widths;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const int n = Count(shot, QRect(r.left(), y, r.width(), 1), Dark);
      if (n > 0) widths.push_back(n);
    }
    return widths;
  };
  for (const char* name : {"valor", "data", "cliente", "estado"}) {
    SCOPED_TRACE(name);
    const QRect button = Plan(name, *Constituents(C(name)).bot).adjusted(3, 3, -3, -3);
    const std::vector<int> rows = darkRows(button);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_GT(rows.front(), rows.back());
  }
  const QRect ellipsis = Plan("busca", *Constituents(C("busca")).bot).adjusted(3, 3, -3, -3);
  const std::vector<int> rows = darkRows(ellipsis);
  ASSERT_FALSE(rows.empty());
  EXPECT_LE(rows.size(), 3u);
  int runs = 0;
  for (int y = ellipsis.top(); y <= ellipsis.bottom(); ++y) {
    int rowRuns = 0;
    for (int x = ellipsis.left(); x <= ellipsis.right(); ++x)
      if (Dark(shot.pixelColor(x, y)) && !Dark(shot.pixelColor(x - 1, y))) ++rowRuns;
    runs = std::max(runs, rowRuns);
  }
  EXPECT_EQ(runs, 3);
}

// The month page on its cell grid: whole black grid lines, each cell raised by a white line
// along its top and left, day numbers in blue only in the day rows, on the button face, and
// month arrows that read as arrows.
TEST_F(QtDrawingTest, CalendarPageFollowsItsGeometry) {
  host.Click(*Constituents(C("data")).bot);
  host.ProcessPending();
  QWidget* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  QApplication::processEvents();
  const QImage page = popup->grab().toImage();
  const int cw = (page.width() - 1) / 7, ch = (page.height() - 1) / 8;
  ASSERT_GE(cw, 8);
  const QColor black(Qt::black), white(Qt::white);
  int broken = 0;
  for (int i = 1; i <= 7; ++i)
    for (int x = 1; x < 7 * cw; ++x) broken += page.pixelColor(x, i * ch) != black;
  for (int i = 1; i <= 6; ++i)
    for (int y = ch; y < 8 * ch; ++y) broken += page.pixelColor(i * cw, y) != black;
  EXPECT_EQ(broken, 0);
  for (int r = 1; r <= 7; ++r)
    for (int c = 0; c <= 6; ++c) {
      EXPECT_EQ(page.pixelColor(c * cw + cw / 2, r * ch + 1), white) << r << "," << c;
      EXPECT_EQ(page.pixelColor(c * cw + 1, r * ch + ch / 2), white) << r << "," << c;
    }
  EXPECT_EQ(page.pixel(6 * cw + cw - 2, 8 * ch - 2), Rgb(kSysButtonFace));
  EXPECT_GT(Count(page, QRect(0, 2 * ch, 7 * cw, 6 * ch), Bluish), 20);
  EXPECT_EQ(Count(page, QRect(0, 0, 7 * cw, 2 * ch), Bluish), 0);
  // The month arrows are solid triangles: a column of black pixels at least five tall in the
  // middle of each arrow's cell, away from its lines.
  auto tallestRun = [&](int left) {
    int tallest = 0;
    for (int x = left + 2; x < left + cw - 2; ++x) {
      int run = 0;
      for (int y = 2; y < ch - 2; ++y) {
        run = page.pixelColor(x, y) == black ? run + 1 : 0;
        tallest = std::max(tallest, run);
      }
    }
    return tallest;
  };
  EXPECT_GE(tallestRun(0), 5);
  EXPECT_GE(tallestRun(6 * cw), 5);
}

// The list is sized in the screen's pixels, and the grid's rows and frame are whole pixels of
// the same screen: every record shows, with no scroll bar.
TEST_F(QtDrawingTest, LookupGridShowsEveryRowItWasSizedFor) {
  host.Click(*Constituents(C("cliente")).bot);
  host.ProcessPending();
  QWidget* popup = OpenPopup();
  ASSERT_NE(popup, nullptr);
  QApplication::processEvents();
  const QList<QScrollBar*> bars = popup->findChildren<QScrollBar*>();
  ASSERT_FALSE(bars.empty());
  for (QScrollBar* bar : bars) EXPECT_FALSE(bar->isVisible());
}

// The keys past the digits carry pictures: each its own, drawn in whole pixels of the text
// colour (grey while the key is disabled), centred on the key. The memory indicator shows
// once the memory holds a number.
TEST_F(QtDrawingTest, CalculatorShowsEveryFaceAndItsMemoryIndicator) {
  host.Click(*Constituents(C("valor")).bot);
  host.ProcessPending();
  QWidget* popup = OpenPopup();
  CalcForm* calc = SharedCalculator();
  ASSERT_TRUE(popup && calc);
  QApplication::processEvents();
  auto key = [&](int16_t index) { return QtView::WidgetOf(*NodeOf(&calc->Button(index))); };
  // The mask of a pictured key's pixels in its ink, over their bounding box, which must stand
  // on the key's centre; any other pixel darker than the key's ground is a blur.
  auto faceOf = [&](const QImage& shot, int16_t index) {
    QWidget* k = key(index);
    const QColor ink = k->palette().color(k->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                          QPalette::ButtonText);
    const QRect inside = k->geometry().adjusted(3, 3, -3, -3);
    QRect box;
    int stray = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c == ink)
          box |= QRect(x, y, 1, 1);
        else if (c.lightness() < 200)
          ++stray;
      }
    EXPECT_EQ(stray, 0) << "key " << index;
    EXPECT_FALSE(box.isEmpty()) << "key " << index;
    const QRectF whole = k->geometry();
    EXPECT_LE(std::abs(QRectF(box).center().x() - whole.center().x()), 1.0) << "key " << index;
    EXPECT_LE(std::abs(QRectF(box).center().y() - whole.center().y()), 1.0) << "key " << index;
    return shot.copy(box).createMaskFromColor(ink.rgb());
  };
  QImage shot = popup->grab().toImage();
  std::vector<QImage> faces;
  for (int16_t i = calc::kMemoryRecall; i <= calc::kAccept; ++i) {
    EXPECT_TRUE(key(i)->property("text").toString().isEmpty()) << "key " << i;
    faces.push_back(faceOf(shot, i));
    for (size_t j = 0; j + 1 < faces.size(); ++j)
      EXPECT_NE(faces[j], faces.back()) << "keys " << calc::kMemoryRecall + j << " and " << i;
  }
  for (int16_t i = calc::kEquals; i <= calc::kDigit9; ++i) {
    if (key(i)->isEnabled()) {
      EXPECT_GT(Count(shot, key(i)->geometry().adjusted(3, 3, -3, -3), Dark), 0) << "key " << i;
    }
  }
  // Twips of the form's design: the indicator at 110, 110, 105 x 135.
  const QRect indicator(ToPixels(110), ToPixels(110), ToPixels(105), ToPixels(135));
  EXPECT_EQ(Count(shot, indicator, Dark), 0);
  ASSERT_FALSE(key(calc::kMemoryRecall)->isEnabled());
  QTest::mouseClick(key(calc::kDigit0 + 5), Qt::LeftButton);
  QTest::mouseClick(key(calc::kMemoryPlus), Qt::LeftButton);
  QApplication::processEvents();
  shot = popup->grab().toImage();
  EXPECT_GT(Count(shot, indicator, Dark), 2);
  // Memory recall, enabled now, shows its face in the text colour.
  ASSERT_TRUE(key(calc::kMemoryRecall)->isEnabled());
  EXPECT_EQ(faceOf(shot, calc::kMemoryRecall), faces.front());
}

}  // namespace
}  // namespace orvo::testing
