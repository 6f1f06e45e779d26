// Popups whose field goes away while its popup is open, and the shared calculator met by
// fields of another host. Nothing may dangle (the sanitizer build checks every access).
#include <gtest/gtest.h>

#include <memory>

#include "access/constituents.h"
#include "base/key_codes.h"
#include "orvo/orvo_mask.h"
#include "access/internals.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"

namespace orvo {
namespace {

// A run-mode field of `kind` with a browse button on a headless form.
std::unique_ptr<OrvoMask> NewField(HeadlessHost& host, const char* name, TipoDeCampo kind,
                                   OrvoMaskEvents* events = nullptr) {
  ControlSite& site = host.CreateSite(name);
  auto c = std::make_unique<OrvoMask>(site, events);
  host.RegisterControl(site, c.get());
  MemoryPropertyBag bag;
  c->UserControl_ReadProperties(bag);
  c->SetDataType(kind);
  c->SetMask(kind == TipoDeCampo::Date ? "99/99/9999" : "#####,##");
  c->SetBrowseVisible(TipoBot::DropDown);
  host.ShowForm();
  return c;
}

// As a container unloads a field: the control, then its site.
void Destroy(HeadlessHost& host, std::unique_ptr<OrvoMask>& field) {
  ControlSite& site = field->Site();
  field.reset();
  host.RemoveControl(site);
}

TEST(PopupLifetime, FieldDestroyedWhileItsPopupIsOpen) {
  HeadlessHost host;
  auto date = NewField(host, "d", TipoDeCampo::Date);
  auto number = NewField(host, "n", TipoDeCampo::Numeric);
  host.Click(*Constituents(*date).bot);
  ASSERT_EQ(PopupOwnerControl(), date.get());
  Destroy(host, date);
  EXPECT_EQ(PopupOwnerControl(), nullptr);
  host.ActivateOutside();

  host.Click(*Constituents(*number).bot);
  ASSERT_TRUE(SharedCalculator() && SharedCalculator()->Form().Visible());
  Destroy(host, number);
  EXPECT_EQ(PopupOwnerControl(), nullptr);
  EXPECT_EQ(SharedCalculator(), nullptr);
  EXPECT_EQ(CalculatorLoaded(), false);
  host.ActivateOutside();
}

// The calculator belongs to the host it was made in; a field of another host gets its own.
TEST(PopupLifetime, CalculatorOfAnotherHost) {
  auto first = std::make_unique<HeadlessHost>();
  auto a = NewField(*first, "a", TipoDeCampo::Numeric);
  first->Click(*Constituents(*a).bot);
  first->SendKey({vk::kEscape, 0, 0});

  HeadlessHost second;
  auto b = NewField(second, "b", TipoDeCampo::Numeric);
  second.Click(*Constituents(*b).bot);
  ASSERT_TRUE(SharedCalculator());
  EXPECT_EQ(&SharedCalculator()->Host(), &second.Services());
  second.Click(SharedCalculator()->Button(calc::kDigit0 + 8));
  second.Click(SharedCalculator()->Button(calc::kAccept));
  EXPECT_EQ(b->Text(), "8,00");
  Destroy(*first, a);
  first.reset();
  Destroy(second, b);
  EXPECT_EQ(SharedCalculator(), nullptr);
}

}  // namespace
}  // namespace orvo
