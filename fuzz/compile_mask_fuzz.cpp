// Fuzz target for the control's mask methods: a mask compiled for a field kind (Mask and
// DataType set on a control), then FormatText, FieldValue and FormatField over a text, and
// the text set as the field's Text and read back as its Value. Only orvo::Error may come
// out, and FormatField leaves the control's own mask and kind as they were.
// Input: byte 0 picks the kind, the locale and whether an item list is set; then the mask up
// to the first NUL, the text up to the next, and the rest as the item list.
// Built by fuzz/CMakeLists.txt: with libFuzzer under clang, else over fuzz_driver.cpp.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/error.h"
#include "base/locale_settings.h"
#include "base/variant.h"
#include "orvo/orvo_mask.h"
#include "fuzz_input.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace {

template <typename F>
void Try(F&& f) {
  try {
    f();
  } catch (const orvo::Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvo;
  if (size < 1) return 0;
  const uint8_t flags = data[0];
  ++data;
  --size;
  const auto kind = static_cast<TipoDeCampo>(flags % 7);
  const std::string mask = orvo::fuzz::TakeUntilNul(data, size);
  const std::string text = orvo::fuzz::TakeUntilNul(data, size);
  const std::string items(reinterpret_cast<const char*>(data), size);

  HeadlessHost host;
  host.SetLocale(flags & 8 ? LocaleSettings::EnUS() : LocaleSettings::PtBR());
  ControlSite& site = host.CreateSite("f", {});
  auto control = std::make_unique<OrvoMask>(site);
  host.RegisterControl(site, control.get());
  OrvoMask& c = *control;
  MemoryPropertyBag bag;
  c.UserControl_ReadProperties(bag);
  host.ShowForm();

  Try([&] { c.SetDataType(kind); });
  Try([&] { c.SetMask(mask); });
  if (flags & 16) Try([&] { c.SetListFields(items); });
  const std::string ownMask = c.Mask();
  const TipoDeCampo ownKind = c.DataType();

  Try([&] {
    std::string st = text;
    (void)c.FormatText(st);
  });
  for (int k = 0; k < 7; ++k) {
    const auto other = static_cast<TipoDeCampo>(k);
    Variant value;
    Try([&] { value = c.FieldValue(text, other, mask, items); });
    Try([&] { (void)c.FormatField(value, mask, other, items); });
    Try([&] { (void)c.FormatField(Variant(text), mask, other, items); });
  }
  if (c.Mask() != ownMask || c.DataType() != ownKind) __builtin_trap();

  Try([&] { c.SetText(text); });
  Try([&] { (void)c.Value(); });
  control.reset();
  host.RemoveControl(site);
  return 0;
}
