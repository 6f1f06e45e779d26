// The dotted focus rectangle around a Boolean field's caption: one rectangle while the field
// has the focus, whatever repaints or moves the caption, and in whichever host.
#include <gtest/gtest.h>

#include <functional>

#include "orvo/orvo_mask.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace orvo {
namespace {

struct BooleanField {
  BooleanField(HeadlessHost& host, const std::string& name)
      : site(static_cast<HeadlessSite&>(host.CreateSite(name))), control(site) {
    host.RegisterControl(site, &control);
    MemoryPropertyBag bag;
    control.UserControl_ReadProperties(bag);
    control.SetDataType(TipoDeCampo::Boolean);
    control.SetCaption("Active");
  }
  HeadlessSite& site;
  OrvoMask control;
};

struct FocusedCase {
  const char* name;
  std::function<void(HeadlessHost&, OrvoMask&)> act;  // on the focused field
};

class FocusedBooleanField : public ::testing::TestWithParam<FocusedCase> {};

TEST_P(FocusedBooleanField, ShowsOneRectangle) {
  HeadlessHost host;
  BooleanField field(host, "a");
  host.ShowForm();
  host.FocusControl(field.site);
  GetParam().act(host, field.control);
  EXPECT_EQ(field.site.FocusRects().size(), 1u);
}

const FocusedCase kFocusedCases[] = {
    // The toggle lays the field out again, which repaints the caption over the rectangle
    // and draws it anew, rather than inverting it away.
    {"SpaceTogglesTheBox", [](HeadlessHost& host, OrvoMask&) { host.Type(" "); }},
    // The caption's old place is repainted too: no rectangle stays behind there.
    {"CaptionMovesBelowTheBox",
     [](HeadlessHost&, OrvoMask& c) { c.SetAlignment(TipoAlinhamento::FieldBottom); }},
};

INSTANTIATE_TEST_SUITE_P(Repaints, FocusedBooleanField, ::testing::ValuesIn(kFocusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A host made after another numbers its windows from the same start, so a field there can
// have the window handle a field of the old host had when it was focused.
TEST(CaptionFocus, ANewHostsFieldDoesNotInheritAnOldFocus) {
  {
    HeadlessHost old;
    BooleanField field(old, "a");
    old.ShowForm();
    old.FocusControl(field.site);
  }
  HeadlessHost host;
  BooleanField field(host, "a");
  host.ShowForm();
  host.FocusControl(field.site);
  EXPECT_EQ(field.site.FocusRects().size(), 1u);
}

// Two forms of one application, each with a host of its own.
TEST(CaptionFocus, AFieldOfAnotherFormDoesNotShowTheFocusedFieldsRectangle) {
  HeadlessHost first, second;
  BooleanField focused(first, "a");
  first.ShowForm();
  first.FocusControl(focused.site);
  BooleanField other(second, "a");
  second.ShowForm();
  EXPECT_TRUE(other.site.FocusRects().empty());
}

}  // namespace
}  // namespace orvo
