// The headless host: what only the headless host pins
// (text measure, positions on the form and the screen).
#include "host/headless/headless_host.h"

#include <gtest/gtest.h>

namespace orvo::testing {
namespace {

struct MeasureCase {
  float size;
  std::string text;
  float width, height;
};

class HeadlessMeasure : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(HeadlessMeasure, IsFixedPerCharacterAndLine) {
  Font f;
  f.size = GetParam().size;
  HeadlessPlatform measure;
  EXPECT_EQ(measure.TextWidth(&f, GetParam().text), GetParam().width);
  EXPECT_EQ(measure.TextHeight(&f, GetParam().text), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HeadlessMeasure,
                         ::testing::Values(MeasureCase{8.25f, "0", 90, 195},
                                           MeasureCase{8.25f, "", 0, 195},
                                           MeasureCase{8.25f, "Nome:", 450, 195},
                                           MeasureCase{12, "ab", 270, 285},
                                           MeasureCase{8.25f, "abc\r\nd", 270, 390}));

TEST(HeadlessHost, LabelSizesItselfToItsCaption) {
  HeadlessHost host;
  ControlSite& site = host.CreateSite("a");
  auto lab = site.CreateLabel();
  lab->SetCaption("Nome");
  EXPECT_EQ(lab->Width(), 360);
  EXPECT_EQ(lab->Height(), 195);
  auto big = std::make_shared<Font>();
  big->size = 12;
  lab->SetFont(big);
  EXPECT_EQ(lab->Width(), 4 * 9 * 15);
  EXPECT_EQ(site.TextHeight("0"), 195);
}

TEST(HeadlessHost, WindowRectsFollowPositionsOnTheForm) {
  HeadlessHost host;
  host.CreateSite("a");                   // at 120,120, 2400 x 600
  ControlSite& b = host.CreateSite("b");  // below it: 120, 840
  auto pic = b.CreatePictureBox();
  pic->Move(300, 150, 1500, 300);
  auto bot = b.CreateCommandButton(pic.get());
  bot->Move(1245, 0, 255, 300);
  HostServices& s = host.Services();
  EXPECT_EQ(s.GetWindowRect(b.hWnd()), (Rect{8, 56, 168, 96}));
  EXPECT_EQ(s.GetWindowRect(pic->hWnd()), (Rect{28, 66, 128, 86}));
  EXPECT_EQ(s.GetWindowRect(bot->hWnd()), (Rect{111, 66, 128, 86}));
  EXPECT_NE(b.hWnd(), pic->hWnd());
  EXPECT_EQ(s.GetWindowLong(b.ParentHwnd(), kGwlStyle) & kWsDisabled, 0);
  s.SetWindowLong(b.ParentHwnd(), kGwlStyle, kWsDisabled);
  EXPECT_EQ(s.GetWindowLong(b.ParentHwnd(), kGwlStyle), kWsDisabled);
}

TEST(HeadlessHost, ResizingASiteRaisesItsResizeOnlyOnChange) {
  HeadlessHost host;
  ControlSite& a = host.CreateSite("a");
  int resizes = 0;
  SurfaceHandlers h;
  h.OnResize = [&] {
    ++resizes;
    if (a.Width() < 3000) a.SetWidth(3000);  // a minimum, as a layout pass sets it
  };
  a.SetSurfaceHandlers(h);
  host.PlaceControl(a, 0, 0, 1000, 600);
  EXPECT_EQ(a.Width(), 3000);
  EXPECT_EQ(resizes, 2);
  a.SetHeight(600);
  EXPECT_EQ(resizes, 2);
}

TEST(HeadlessHost, ShowRaisesEachControlsShowOnce) {
  HeadlessHost host;
  int shows = 0;
  ControlSite& a = host.CreateSite("a");
  SurfaceHandlers h;
  h.OnShow = [&] { ++shows; };
  a.SetSurfaceHandlers(h);
  host.ShowForm();
  host.ShowForm();
  EXPECT_EQ(shows, 1);
  EXPECT_TRUE(host.FormShown());
}

TEST(HeadlessHost, RemovingTheFocusedControlLeavesNoFocus) {
  HeadlessHost host;
  ControlSite& a = host.CreateSite("a");
  host.CreateSite("b");
  auto pic = a.CreatePictureBox();
  pic->Move(0, 0, 100, 100);
  host.ShowForm();
  host.FocusControl(a);
  EXPECT_EQ(host.FocusName(), "a");
  pic.reset();
  host.RemoveControl(a);
  EXPECT_EQ(host.FocusName(), "");
  host.Key("Tab");
  EXPECT_EQ(host.FocusName(), "b");
  ASSERT_EQ(host.Sites().size(), 1u);
}

TEST(HeadlessHost, KeysGoToTheActivePopupsFocus) {
  HeadlessHost host;
  ControlSite& a = host.CreateSite("a");
  auto pic = a.CreatePictureBox();
  pic->Move(0, 0, 100, 100);
  host.ShowForm();
  host.FocusControl(a);
  auto popup = host.Services().CreatePopupForm();
  auto list = popup->CreateListBox();
  list->Move(0, 0, 1000, 1000);
  for (const char* s : {"a", "b", "c"}) list->AddItem(s);
  popup->Show(false);
  EXPECT_EQ(host.FocusName(), "");
  host.Click(*list, 30, 200);  // the second row
  EXPECT_EQ(list->ListIndex(), 1);
  host.Key("Down");
  EXPECT_EQ(list->ListIndex(), 2);
  popup->Hide();
  EXPECT_EQ(host.FocusName(), "a");  // the form's focus was kept meanwhile
}

}  // namespace
}  // namespace orvo::testing
