// Saving a control to a property bag and loading it back: keys, order, defaults, errors.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "access/by_name.h"
#include "access/constituents.h"
#include "base/error.h"
#include "orvo/orvo_mask.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace orvo {
namespace {

// A form of controls on the headless host; the controls go before the host does.
class Form {
 public:
  ~Form() { controls_.clear(); }

  OrvoMask& Load(const MemoryPropertyBag& source, bool userMode = true) {
    MemoryPropertyBag bag = source;
    return Load(bag, userMode);
  }
  OrvoMask& Load(MemoryPropertyBag& bag, bool userMode = true) {
    OrvoMask& c = Create(userMode);
    c.UserControl_ReadProperties(bag);
    host_.ShowForm();
    return c;
  }
  OrvoMask& Place() {
    OrvoMask& c = Create(false);
    c.UserControl_InitProperties();
    host_.ShowForm();
    return c;
  }

 private:
  OrvoMask& Create(bool userMode) {
    SiteOptions o;
    o.userMode = userMode;
    ControlSite& site = host_.CreateSite("c" + std::to_string(controls_.size()), o);
    controls_.push_back(std::make_unique<OrvoMask>(site));
    host_.RegisterControl(site, controls_.back().get());
    return *controls_.back();
  }

  HeadlessHost host_;
  std::vector<std::unique_ptr<OrvoMask>> controls_;
};

FontRef MakeFont(const char* name, float size, bool bold) {
  auto f = std::make_shared<Font>();
  f->name = name;
  f->size = size;
  f->bold = bold;
  return f;
}

Variant Obj(std::shared_ptr<Object> o) {
  return Variant(std::move(o));
}

// Every key away from its default (ListFields aside: a list field has no Mask; see the
// list-field test below).
MemoryPropertyBag FullBag() {
  MemoryPropertyBag b;
  b.Set("LargeChange", Variant(int16_t(20)));
  b.Set("DataType", Variant(int32_t(3)));
  b.Set("Enabled", Variant(false));
  b.Set("MousePointer", Variant(int16_t(11)));
  b.Set("MouseIcon", Obj(std::make_shared<Picture>("hand.cur")));
  b.Set("Min", Variant(int16_t(5)));
  b.Set("Max", Variant(int16_t(20)));
  b.Set("SmallChange", Variant(int16_t(2)));
  b.Set("Value", Variant(int16_t(7)));
  b.Set("Orientation", Variant(int32_t(1)));
  b.Set("Appearance", Variant(int32_t(0)));
  b.Set("BorderStyle", Variant(int32_t(0)));
  b.Set("Mask", Variant("@!99"));
  b.Set("BoundColumn", Variant("Codigo"));
  b.Set("StuffChar", Variant("_"));
  b.Set("BrowseVisible", Variant(int16_t(2)));
  b.Set("MultiLine", Variant(true));
  b.Set("SelectOnFocus", Variant(false));
  b.Set("CaptionOffSet", Variant(int16_t(80)));
  b.Set("ValueChk", Variant(true));
  b.Set("ColorOnFocus", Variant(int32_t(0x123456)));
  b.Set("Caption", Variant("Nome"));
  b.Set("CaptionColor", Variant(int32_t(0x654321)));
  b.Set("CaptionFont", Obj(MakeFont("Arial", 12, true)));
  b.Set("ColorNoFocus", Variant(int32_t(0x111111)));
  b.Set("Alignment", Variant(int16_t(3)));
  b.Set("Shape", Variant(int16_t(4)));
  b.Set("ShapeBorderColor", Variant(int32_t(0x222222)));
  b.Set("ShapeBorderWidth", Variant(int16_t(3)));
  b.Set("ShapeBorderStyle", Variant(int16_t(2)));
  b.Set("FillStyleOnFocus", Variant(int16_t(6)));
  b.Set("FillStyleNoFocus", Variant(int16_t(0)));
  b.Set("BookMark", Variant("B42"));
  b.Set("Font", Obj(MakeFont("Courier New", 10, false)));
  b.Set("BackColor", Variant(int32_t(0x333333)));
  b.Set("ForeColor", Variant(int32_t(0x444444)));
  b.Set("PasswordChar", Variant("*"));
  b.Set("MaxLength", Variant(int16_t(15)));
  b.Set("Locked", Variant(true));
  b.Set("Text", Variant("7"));
  b.Set("LinkTimeOut", Variant(int16_t(99)));
  return b;
}

const std::vector<std::string> kWriteOrder = {"BackColor",
                                              "PasswordChar",
                                              "BookMark",
                                              "LinkTimeOut",
                                              "Locked",
                                              "LargeChange",
                                              "ForeColor",
                                              "Font",
                                              "Enabled",
                                              "MousePointer",
                                              "MouseIcon",
                                              "Min",
                                              "MaxLength",
                                              "Max",
                                              "Text",
                                              "SmallChange",
                                              "Value",
                                              "Orientation",
                                              "Appearance",
                                              "BorderStyle",
                                              "Mask",
                                              "BoundColumn",
                                              "ListFields",
                                              "DataType",
                                              "StuffChar",
                                              "BrowseVisible",
                                              "MultiLine",
                                              "SelectOnFocus",
                                              "CaptionOffSet",
                                              "ValueChk",
                                              "Caption",
                                              "CaptionColor",
                                              "CaptionFont",
                                              "ColorNoFocus",
                                              "ColorOnFocus",
                                              "Alignment",
                                              "Shape",
                                              "ShapeBorderColor",
                                              "ShapeBorderWidth",
                                              "ShapeBorderStyle",
                                              "FillStyleOnFocus",
                                              "FillStyleNoFocus"};

std::vector<std::string> Names(const MemoryPropertyBag& bag) {
  std::vector<std::string> names;
  for (const auto& [name, value] : bag.Entries()) names.push_back(name);
  return names;
}

std::vector<std::string> Without(std::vector<std::string> names, const std::string& gone) {
  std::erase(names, gone);
  return names;
}

FontRef FontOf(OrvoMask& c, const char* prop) {
  return std::dynamic_pointer_cast<Font>(GetProperty(c, prop).AsObject());
}

TEST(Persistence, SavedControlLoadsBackWithEveryProperty) {
  Form form;
  OrvoMask& a = form.Load(FullBag());
  MemoryPropertyBag saved;
  a.UserControl_WriteProperties(saved);
  // Every key but ListFields is away from its default, so every one is stored, in order.
  EXPECT_EQ(Names(saved), Without(kWriteOrder, "ListFields"));

  OrvoMask& b = form.Load(saved);
  for (const char* name : {"BackColor",
                           "BookMark",
                           "PasswordChar",
                           "LinkTimeOut",
                           "ColorNoFocus",
                           "ColorOnFocus",
                           "Locked",
                           "LargeChange",
                           "ForeColor",
                           "ShapeBorderColor",
                           "ShapeBorderWidth",
                           "ShapeBorderStyle",
                           "CaptionColor",
                           "MultiLine",
                           "SelectOnFocus",
                           "BrowseVisible",
                           "CaptionOffset",
                           "MousePointer",
                           "Min",
                           "MaxLength",
                           "Max",
                           "Text",
                           "SmallChange",
                           "Value",
                           "BorderStyle",
                           "Appearance",
                           "Orientation",
                           "BoundColumn",
                           "ListFields",
                           "Mask",
                           "DataType",
                           "StuffChar",
                           "Caption",
                           "Alignment",
                           "FillStyleOnFocus",
                           "FillStyleNoFocus",
                           "Shape",
                           "Enabled",
                           "CheckValue",
                           "MaskTemplate",
                           "ForceUpper",
                           "ActiveTextIndex"}) {
    EXPECT_EQ(GetProperty(b, name), GetProperty(a, name)) << name;
  }
  EXPECT_TRUE(FontOf(b, "Font")->SameAs(*MakeFont("Courier New", 10, false)));
  EXPECT_TRUE(FontOf(b, "CaptionFont")->SameAs(*MakeFont("Arial", 12, true)));
  EXPECT_EQ(b.MouseIcon()->name, "hand.cur");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Constituents(b).txt[i]->Text(), "7") << i;
    EXPECT_TRUE(Constituents(b).txt[i]->Font()->SameAs(*MakeFont("Courier New", 10, false))) << i;
    EXPECT_EQ(Constituents(b).txt[i]->Locked(), true) << i;
    EXPECT_EQ(Constituents(b).txt[i]->Enabled(), false) << i;
  }
  EXPECT_EQ(Constituents(b).txt[1]->MaxLength(), 15);
  EXPECT_EQ(Constituents(b).txt[2]->MaxLength(), 0);
  EXPECT_EQ(Constituents(b).pic->BackColor(), Color(0x333333));
  EXPECT_EQ(Constituents(b).scrV->LargeChange(), 20);
  EXPECT_EQ(Constituents(b).scrV->SmallChange(), 2);
  // The "Value" key is the spinner's position, on both bars.
  EXPECT_EQ(Constituents(b).scrH->Value(), 7);
  EXPECT_EQ(Constituents(b).scrV->Value(), 7);
  // The caption and a fill: both shown.
  EXPECT_TRUE(Constituents(b).lab->Visible());
  EXPECT_TRUE(Constituents(b).shp->Visible());
}

TEST(Persistence, ListFieldsAndOptionIndexRoundTrip) {
  Form form;
  MemoryPropertyBag bag;
  bag.Set("DataType", Variant(int32_t(6)));
  bag.Set("ListFields", Variant("Codigo;Nome"));
  bag.Set("BoundColumn", Variant("Codigo"));
  bag.Set("ValueChk", Variant(int16_t(2)));
  OrvoMask& a = form.Load(bag);
  MemoryPropertyBag saved;
  a.UserControl_WriteProperties(saved);
  OrvoMask& b = form.Load(saved);
  EXPECT_EQ(b.ListFields(), "Codigo;Nome");
  EXPECT_EQ(b.BoundColumn(), "Codigo");
  // An option field's selected index survives: it is not narrowed to True.
  EXPECT_EQ(GetProperty(b, "CheckValue"), Variant(int16_t(2)));
}

TEST(Persistence, MinAndMaxSurviveRepeatedSaves) {
  Form form;
  MemoryPropertyBag bag;
  bag.Set("DataType", Variant(int32_t(3)));
  OrvoMask* c = &form.Load(bag);
  c->SetMin(5);
  c->SetMax(20);
  for (int round = 0; round < 3; ++round) {
    MemoryPropertyBag saved;
    c->UserControl_WriteProperties(saved);
    c = &form.Load(saved);
    EXPECT_EQ(c->Min(), 5) << round;
    EXPECT_EQ(c->Max(), 20) << round;
    EXPECT_EQ(Constituents(*c).scrV->Min(), 5) << round;
    EXPECT_EQ(Constituents(*c).scrH->Max(), 5) << round;
    EXPECT_EQ(Constituents(*c).scrH->Min(), 20) << round;
  }
}

TEST(Persistence, ReadsKeysInOrderAndTheBoxKeysOncePerBox) {
  Form form;
  MemoryPropertyBag bag;
  form.Load(bag);
  std::vector<std::string> expected = {"LargeChange",
                                       "DataType",
                                       "Enabled",
                                       "MousePointer",
                                       "MouseIcon",
                                       "Min",
                                       "Max",
                                       "SmallChange",
                                       "Value",
                                       "Orientation",
                                       "Appearance",
                                       "BorderStyle",
                                       "Mask",
                                       "BoundColumn",
                                       "ListFields",
                                       "StuffChar",
                                       "BrowseVisible",
                                       "MultiLine",
                                       "SelectOnFocus",
                                       "CaptionOffSet",
                                       "ValueChk",
                                       "ColorOnFocus",
                                       "Caption",
                                       "CaptionColor",
                                       "CaptionFont",
                                       "ColorNoFocus",
                                       "Alignment",
                                       "Shape",
                                       "ShapeBorderColor",
                                       "ShapeBorderWidth",
                                       "ShapeBorderStyle",
                                       "FillStyleOnFocus",
                                       "FillStyleNoFocus",
                                       "BookMark"};
  for (int box = 0; box < 3; ++box) {
    for (const char* key : {"Font", "BackColor", "ForeColor", "PasswordChar"})
      expected.push_back(key);
    // The multi-line box is never length-limited, so its MaxLength is not read.
    if (box != 2) expected.push_back("MaxLength");
    expected.push_back("Locked");
    expected.push_back("Text");
  }
  expected.push_back("LinkTimeOut");
  EXPECT_EQ(bag.ReadLog(), expected);
}

TEST(Persistence, DefaultsAreNotStored) {
  Form form;
  MemoryPropertyBag empty, loaded;
  form.Load(empty).UserControl_WriteProperties(loaded);
  EXPECT_EQ(Names(loaded), std::vector<std::string>{});

  MemoryPropertyBag placed;
  form.Place().UserControl_WriteProperties(placed);
  EXPECT_EQ(Without(Names(placed), "Value"), std::vector<std::string>{});
}

// A control placed in the designer has its spinner at 0 of the range 0..32767 (the
// horizontal bar holding it as 32767..0), so it stores no "Value".
TEST(Persistence, PlacedControlStoresNoSpinnerPosition) {
  Form form;
  MemoryPropertyBag placed;
  OrvoMask& c = form.Place();
  EXPECT_EQ(Constituents(c).scrH->Max(), 0);
  c.UserControl_WriteProperties(placed);
  EXPECT_FALSE(placed.Has("Value"));
}

TEST(Persistence, LoadingChangesNothingTheBagDoesNotHold) {
  Form form;
  MemoryPropertyBag empty;
  OrvoMask& c = form.Load(empty);
  EXPECT_EQ(GetProperty(c, "UserMode"), Variant(int16_t(-1)));
  EXPECT_FALSE(c.gRsLista);
  EXPECT_EQ(c.gTpMDB, -1);
  EXPECT_EQ(c.gTpTabela, 0);
  EXPECT_EQ(Constituents(c).hok->HwndHook(), 0);
  EXPECT_EQ(GetProperty(c, "PopupClosedAt"), Variant(0.0f));
}

TEST(Persistence, DropDownOnABooleanLoadsAsNone) {
  Form form;
  MemoryPropertyBag bag;
  bag.Set("DataType", Variant(int32_t(5)));
  bag.Set("BrowseVisible", Variant(int16_t(1)));
  OrvoMask& c = form.Load(bag);
  EXPECT_EQ(c.BrowseVisible(), TipoBot::None);
  EXPECT_FALSE(Constituents(c).bot->Visible());
}

TEST(Persistence, ValueKeyIsTheSpinnerPositionNotTheFieldValue) {
  Form form;
  MemoryPropertyBag bag;
  bag.Set("DataType", Variant(int32_t(1)));
  bag.Set("Text", Variant("12"));
  OrvoMask& c = form.Load(bag);
  MemoryPropertyBag saved;
  c.UserControl_WriteProperties(saved);
  EXPECT_TRUE(saved.Has("Text"));
  EXPECT_FALSE(saved.Has("Value"));
}

struct TextCase {
  const char* name;
  int32_t dataType;
  const char* mask;
  const char* stored;
  const char* designer;  // what the designer shows
};

class StoredText : public ::testing::TestWithParam<TextCase> {};

// The designer shows a stored text under the loaded mask; run time shows it as stored.
TEST_P(StoredText, DesignerFormatsRunTimeKeeps) {
  const TextCase& t = GetParam();
  MemoryPropertyBag bag;
  bag.Set("DataType", Variant(t.dataType));
  bag.Set("Mask", Variant(t.mask));
  bag.Set("Text", Variant(t.stored));
  Form form;
  OrvoMask& design = form.Load(bag, false);
  OrvoMask& run = form.Load(bag, true);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Constituents(design).txt[i]->Text(), t.designer) << i;
    EXPECT_EQ(Constituents(run).txt[i]->Text(), t.stored) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredText,
                         ::testing::Values(TextCase{"Number", 1, "#.##0,00", "1234,5", "1.234,50"},
                                           TextCase{"Phone", 0, "(99) 9999-9999", "1234",
                                                    "(12) 34"},
                                           TextCase{"Empty", 1, "#.##0,00", "", ""},
                                           TextCase{"NoMask", 0, "", "abc", "abc"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A value of the wrong type stops the load at its key, naming it; what was read before
// stays applied, nothing after it is.
struct WrongTypeCase {
  const char* key;
  Variant value;
};

class WrongType : public ::testing::TestWithParam<WrongTypeCase> {};

TEST_P(WrongType, NamesTheKeyAndKeepsWhatWasRead) {
  const WrongTypeCase& w = GetParam();
  MemoryPropertyBag bag;
  bag.Set("LargeChange", Variant(int16_t(20)));
  bag.Set("LinkTimeOut", Variant(int16_t(99)));
  bag.Set(w.key, w.value);
  Form form;
  try {
    form.Load(bag);
    FAIL() << "no error for " << w.key;
  } catch (const Error& e) {
    EXPECT_NE(e.Message().find(std::string("\"") + w.key + "\""), std::string::npos) << e.Message();
  }
  // Form::Load threw after creating the control; look at what the bag was asked.
  const auto& log = bag.ReadLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), w.key);
}

const auto kPicture = Obj(std::make_shared<Picture>("x"));

INSTANTIATE_TEST_SUITE_P(Keys, WrongType,
                         ::testing::Values(WrongTypeCase{"DataType", Variant("Numeric")},
                                           WrongTypeCase{"Enabled", Variant("talvez")},
                                           WrongTypeCase{"MouseIcon", Variant("hand.cur")},
                                           WrongTypeCase{"Min", Variant("cinco")},
                                           WrongTypeCase{"Value", kPicture},
                                           WrongTypeCase{"Mask", kPicture},
                                           WrongTypeCase{"CaptionOffSet", Variant(100000)},
                                           WrongTypeCase{"CaptionFont", Variant("Arial")},
                                           WrongTypeCase{"ColorNoFocus", Variant("vermelho")},
                                           WrongTypeCase{"Font", Variant(int16_t(12))},
                                           WrongTypeCase{"MaxLength", Variant("dez")},
                                           WrongTypeCase{"Text", kPicture},
                                           WrongTypeCase{"LinkTimeOut", Variant("x")}),
                         [](const auto& info) { return std::string(info.param.key); });

TEST(Persistence, WrongTypeLeavesEarlierKeysApplied) {
  HeadlessHost host;
  MemoryPropertyBag bag;
  bag.Set("LargeChange", Variant(int16_t(20)));
  bag.Set("Caption", Variant("Nome"));
  bag.Set("Shape", Variant("redondo"));
  bag.Set("LinkTimeOut", Variant(int16_t(99)));
  ControlSite& site = host.CreateSite("a");
  {
    OrvoMask c(site);
    EXPECT_THROW(c.UserControl_ReadProperties(bag), Error);
    EXPECT_EQ(c.LargeChange(), 20);
    EXPECT_EQ(c.Caption(), "Nome");
    EXPECT_EQ(c.Shape(), TipoShape::Oval);
    EXPECT_EQ(c.LinkTimeOut(), 50);
  }
}

}  // namespace
}  // namespace orvo
