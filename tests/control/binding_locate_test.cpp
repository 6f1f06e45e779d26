// Locating the field's value and preparing the list, on a recordset that logs every call:
// the criteria the control writes, the index it restores, the grid columns it builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "access/constituents.h"
#include "access/internals.h"
#include "base/error.h"
#include "base/format.h"
#include "orvo/orvo_mask.h"
#include "access/internals.h"
#include "host/headless/headless_host.h"
#include "popups/calend_form.h"

namespace orvo {
namespace {

// Rows in insertion order; a current index orders them by one column (ties keep insertion
// order). Finds land on the row the test names in `findRow`, and log the criterion.
class LoggingRecordset : public Recordset {
 public:
  struct Column {
    std::string name;
    int16_t type;
    int32_t size;
  };
  LoggingRecordset(int16_t type, bool hasNoMatch, std::vector<Column> columns,
                   std::vector<std::vector<Variant>> rows)
      : type_(type), hasNoMatch_(hasNoMatch), columns_(std::move(columns)), rows_(std::move(rows)) {
    for (size_t i = 0; i < columns_.size(); ++i) fields_.push_back(std::make_unique<F>(*this, i));
    order_.resize(rows_.size());
    for (size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    pos_ = rows_.empty() ? 0 : 0;
  }

  std::vector<std::string> log;
  std::map<std::string, std::string> indexColumns;  // index name -> column
  int findRow = -1;                                 // the row a find lands on; -1 none
  bool seekRaises = false;
  bool recordCountRaises = false;

  int32_t RecordCount() override {
    if (recordCountRaises) RaiseError(err::kNoCurrentRecord, "RecordCount failed");
    return static_cast<int32_t>(rows_.size());
  }
  bool BOF() override { return rows_.empty() || pos_ < 0; }
  bool EOF_() override { return rows_.empty() || pos_ >= static_cast<int>(rows_.size()); }
  Variant BookMark() override { return Variant(static_cast<double>(Row())); }
  void SetBookMark(const Variant& b) override {
    log.push_back("BookMark=" + std::to_string(static_cast<int>(b.AsDouble())));
    pos_ = static_cast<int>(
        std::find(order_.begin(), order_.end(), static_cast<int>(b.AsDouble())) - order_.begin());
  }
  void MoveFirst() override { log.push_back("MoveFirst"), pos_ = 0; }
  void MoveLast() override { log.push_back("MoveLast"), pos_ = static_cast<int>(rows_.size()) - 1; }
  void MoveNext() override { log.push_back("MoveNext"), ++pos_; }
  void MovePrevious() override { log.push_back("MovePrevious"), --pos_; }
  void Move(int32_t, const Variant&) override { Unsupported(); }
  int16_t FieldCount() override { return static_cast<int16_t>(columns_.size()); }
  Field& Fields(int16_t i) override { return *fields_.at(i); }
  Field& Fields(const std::string& name) override { return *fields_[ColumnAt(name)]; }
  int16_t Type() override { return type_; }
  bool NoMatch() override {
    if (!hasNoMatch_) RaiseError(err::kNotSupported, "no NoMatch");
    return noMatch_;
  }
  std::string Index() override { return index_; }
  void SetIndex(const std::string& name) override {
    log.push_back("Index=" + name);
    if (!indexColumns.count(name)) RaiseError(3800, "not an index");
    const int row = EOF_() || BOF() ? -1 : Row();
    index_ = name;
    const size_t col = ColumnAt(indexColumns[name]);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
      return rows_[a][col].AsString() < rows_[b][col].AsString();
    });
    if (row >= 0)
      pos_ = static_cast<int>(std::find(order_.begin(), order_.end(), row) - order_.begin());
  }
  int16_t IndexCount() override { return static_cast<int16_t>(indexes_.size()); }
  IndexInfo& Indexes(int16_t i) override { return *indexes_.at(i); }
  void AddIndex(std::string name, std::string fields, bool foreign = false) {
    indexes_.push_back(std::make_unique<Idx>(std::move(name), std::move(fields), foreign));
  }
  void Seek(const std::string& comparison, const std::vector<Variant>& keys) override {
    log.push_back("Seek " + comparison + " " + keys.at(0).AsString());
    if (seekRaises) RaiseError(err::kTypeMismatch, "Type mismatch");
    const size_t col = ColumnAt(indexColumns.at(index_));
    for (size_t p = 0; p < order_.size(); ++p) {
      const std::string v = rows_[order_[p]][col].AsString();
      if (comparison == "=" ? v == keys[0].AsString() : v >= keys[0].AsString()) {
        pos_ = static_cast<int>(p), noMatch_ = false;
        return;
      }
    }
    noMatch_ = true;
  }
  void FindFirst(const std::string& c) override { Land("FindFirst " + c); }
  void FindLast(const std::string& c) override { Land("FindLast " + c); }
  void FindNext(const std::string& c) override { Land("FindNext " + c); }
  void FindPrevious(const std::string& c) override { Land("FindPrevious " + c); }
  void Find(const std::string& c, int32_t skip, int32_t dir) override {
    Land("Find " + c + " " + std::to_string(skip) + " " + std::to_string(dir));
  }
  std::string Name() override { return "T"; }
  std::string Source() override { return "T"; }
  void Requery() override {}
  void Close() override {}

 private:
  struct F : Field {
    F(LoggingRecordset& o, size_t c) : owner(o), col(c) {}
    std::string Name() const override { return owner.columns_[col].name; }
    int16_t Type() const override { return owner.columns_[col].type; }
    Variant Value() const override {
      if (owner.BOF() || owner.EOF_()) RaiseError(err::kNoCurrentRecord, "No current record");
      return owner.rows_[owner.Row()][col];
    }
    int32_t Size() const override {
      if (!owner.hasNoMatch_) RaiseError(err::kNotSupported, "no Size");
      return owner.columns_[col].size;
    }
    int32_t DefinedSize() const override {
      if (owner.hasNoMatch_) RaiseError(err::kNotSupported, "no DefinedSize");
      return owner.columns_[col].size;
    }
    LoggingRecordset& owner;
    size_t col;
  };
  struct Idx : IndexInfo {
    Idx(std::string n, std::string f, bool fo)
        : name(std::move(n)), fields(std::move(f)), foreign(fo) {}
    std::string Name() const override { return name; }
    std::string Fields() const override { return fields; }
    bool Foreign() const override { return foreign; }
    std::string name, fields;
    bool foreign;
  };
  [[noreturn]] static void Unsupported() { RaiseError(err::kNotSupported, "not supported"); }
  int Row() const { return order_.at(pos_); }
  size_t ColumnAt(const std::string& name) const {
    for (size_t i = 0; i < columns_.size(); ++i)
      if (columns_[i].name == name) return i;
    RaiseError(3265, "Item not found in this collection: " + name);
  }
  void Land(const std::string& call) {
    log.push_back(call);
    if (findRow < 0) {
      noMatch_ = true;
      if (!hasNoMatch_) pos_ = static_cast<int>(rows_.size());
      return;
    }
    noMatch_ = false;
    pos_ = static_cast<int>(std::find(order_.begin(), order_.end(), findRow) - order_.begin());
  }

  int16_t type_;
  bool hasNoMatch_;
  std::vector<Column> columns_;
  std::vector<std::vector<Variant>> rows_;
  std::vector<std::unique_ptr<F>> fields_;
  std::vector<std::unique_ptr<Idx>> indexes_;
  std::vector<int> order_;
  std::string index_;
  int pos_ = 0;
  bool noMatch_ = false;
};

struct ListEvents : OrvoMaskEvents {
  std::function<void()> onSetFilter;
  int setFilters = 0;
  void SetFilter() override {
    ++setFilters;
    if (onSetFilter) onSetFilter();
  }
};

class Binding : public ::testing::Test {
 protected:
  void SetUp() override {
    host.SetLocale(LocaleSettings::PtBR());
    ControlSite& site = host.CreateSite("c");
    c = std::make_unique<OrvoMask>(site, &events);
    host.RegisterControl(site, c.get());
    MemoryPropertyBag bag;
    c->UserControl_ReadProperties(bag);
    host.ShowForm();
  }
  void TearDown() override {
    c.reset();
    EXPECT_EQ(PopupOwnerControl(), nullptr);  // the control took its claim with it
  }

  // Codigo (long), [Cod Cli] (text), Nome (text 40), Quando (date); three customers.
  std::shared_ptr<LoggingRecordset> Customers(int16_t type, bool hasNoMatch) {
    auto rs = std::make_shared<LoggingRecordset>(
        type, hasNoMatch,
        std::vector<LoggingRecordset::Column>{
            {"Codigo", hasNoMatch ? int16_t{4} : int16_t{3}, 4},
            {"Cod Cli", hasNoMatch ? int16_t{10} : int16_t{200}, 6},
            {"Nome", hasNoMatch ? int16_t{10} : int16_t{200}, 255},
            {"Quando", hasNoMatch ? int16_t{8} : int16_t{7}, 8}},
        std::vector<std::vector<Variant>>{
            {Variant(int32_t{1}), Variant("c3"), Variant("Caio"), Variant::Date(45651)},
            {Variant(int32_t{2}), Variant("c1"), Variant("Ana"), Variant::Date(45652)},
            {Variant(int32_t{3}), Variant("c2"), Variant("Bia"), Variant::Date(45653)}});
    rs->indexColumns = {{"ixCod", "Cod Cli"}, {"ixNome", "Nome"}};
    rs->AddIndex("ixNome", "+Nome;+Codigo");
    rs->AddIndex("ixFk", "+[Cod Cli]", true);
    rs->AddIndex("ixCod", "-[Cod Cli];+Nome");
    return rs;
  }
  // The grid reads no rows here: the log holds the locate's own calls.
  void Bind(const std::shared_ptr<LoggingRecordset>& rs) {
    c->SetRecordSource(rs);
    DataGrid& grid = CalendarForm(*c)->Grid();
    grid.OnReadRows = nullptr;
    grid.OnRelativeBookmark = nullptr;
    rs->log.clear();
  }
  // A value typed in the field: the edit box is not empty and gValueAtual holds it.
  void Holding(const Variant& value) {
    Constituents(*c).txt[MemberValue(*c, "ActiveTextIndex")->AsInteger()]->SetText("x");
    c->gValueAtual = value;
  }

  HeadlessHost host;
  ListEvents events;
  std::unique_ptr<OrvoMask> c;
};

using Log = std::vector<std::string>;

struct CriterionCase {
  const char* name;
  bool hasNoMatch;
  const char* boundColumn;
  Variant value;
  int findRow;
  Log calls;
};

class LocateCriterion : public Binding, public ::testing::WithParamInterface<CriterionCase> {};

TEST_P(LocateCriterion, WritesTheCriterionAndLandsOnTheRecord) {
  const CriterionCase& k = GetParam();
  auto rs = Customers(2, k.hasNoMatch);
  c->SetListFields("Nome");
  c->SetBoundColumn(k.boundColumn);
  Bind(rs);
  rs->findRow = k.findRow;
  Holding(k.value);
  LocateValue(*c);
  EXPECT_EQ(rs->log, k.calls);
  if (k.findRow >= 0) {
    EXPECT_EQ(rs->Fields("Codigo").Value().AsLong(), k.findRow + 1);
    EXPECT_EQ(PopupOwnerControl(), c.get());
    EXPECT_EQ(CalendarForm(*c)->Grid().Bookmark(), Variant(double{1.0 * k.findRow}));
  }
}

const CriterionCase kCriteria[] = {
    {"NameWithSpaceInBrackets", true, "Cod Cli", Variant("c1"), 1, {"FindFirst [Cod Cli]='c1'"}},
    {"BracketedNameKept", true, "[Cod Cli]", Variant("c1"), 1, {"FindFirst [Cod Cli]='c1'"}},
    {"QualifiedNameEachSide", true, "t.Cod Cli", Variant("c1"), 1, {"FindFirst t.[Cod Cli]='c1'"}},
    {"QuoteDoubledInValue", true, "Nome", Variant("O'Neil"), 1, {"FindFirst Nome='O''Neil'"}},
    {"NumberWithPointUnderCommaLocale",
     true,
     "Codigo",
     Variant(1234.5),
     1,
     {"FindFirst Codigo=1234.5"}},
    {"LongAsDigits", true, "Codigo", Variant(int32_t{3}), 2, {"FindFirst Codigo=3"}},
    {"DateAsShortDateInCDate",
     true,
     "Quando",
     Variant::Date(45651),
     0,
     {"FindFirst Quando=CDate('25/12/2024')"}},
    {"DateWithTimeStillShortDate",
     true,
     "Quando",
     Variant::Date(45651.5),
     0,
     {"FindFirst Quando=CDate('25/12/2024')"}},
    {"WithoutNoMatchFindFromFirst",
     false,
     "Cod Cli",
     Variant("c2"),
     2,
     {"MoveFirst", "Find [Cod Cli]='c2' 0 1"}},
    {"WithoutNoMatchDateAsIsoText",
     false,
     "Quando",
     Variant::Date(45651.5),
     0,
     {"MoveFirst", "Find Quando='2024/12/25 12:00:00' 0 1"}},
    // Not found: the list starts at its first record.
    {"NotFoundGoesToFirst",
     true,
     "Cod Cli",
     Variant("zz"),
     -1,
     {"FindFirst [Cod Cli]='zz'", "MoveFirst"}},
    {"NotFoundWithoutNoMatch",
     false,
     "Cod Cli",
     Variant("zz"),
     -1,
     {"MoveFirst", "Find [Cod Cli]='zz' 0 1", "MoveFirst"}},
};

INSTANTIATE_TEST_SUITE_P(Binding, LocateCriterion, ::testing::ValuesIn(kCriteria),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Binding, LocateOnATableSeeksByTheBoundIndexAndPutsTheIndexBack) {
  auto rs = Customers(1, true);
  c->SetBoundColumn("Cod Cli");
  c->SetListFields("Nome");
  Bind(rs);
  EXPECT_EQ(c->IndexBound(), "ixCod");  // the foreign index does not count
  EXPECT_EQ(c->IndexField(), "ixNome");
  rs->SetIndex("ixNome");
  rs->log.clear();
  Holding(Variant("c2"));
  LocateValue(*c);
  EXPECT_EQ(rs->log, (Log{"Index=ixCod", "Seek = c2", "Index=ixNome", "BookMark=2"}));
  EXPECT_EQ(rs->Index(), "ixNome");
  EXPECT_EQ(rs->Fields("Nome").Value().AsString(), "Bia");
  EXPECT_EQ(CalendarForm(*c)->Grid().Bookmark(), Variant(2.0));
}

TEST_F(Binding, LocateOnATablePutsTheIndexBackWhenTheSeekFails) {
  auto rs = Customers(1, true);
  c->SetBoundColumn("Cod Cli");
  c->SetListFields("Nome");
  Bind(rs);
  rs->SetIndex("ixNome");
  rs->seekRaises = true;
  Holding(Variant("c2"));
  EXPECT_NO_THROW(LocateValue(*c));
  EXPECT_EQ(rs->Index(), "ixNome");
}

TEST_F(Binding, LocateOutsideTheFilterRangeStartsAtTheRange) {
  auto rs = Customers(1, true);
  c->SetBoundColumn("Cod Cli");
  c->SetListFields("Nome");
  c->SetFilter("Nome = 'Bia'");
  Bind(rs);
  rs->SetIndex("ixNome");
  rs->log.clear();
  Holding(Variant("c3"));  // Caio: found, but outside the range
  LocateValue(*c);
  EXPECT_EQ(rs->log,
            (Log{"Index=ixCod", "Seek = c3", "Index=ixNome", "BookMark=0", "Seek >= Bia"}));
  EXPECT_EQ(rs->Fields("Nome").Value().AsString(), "Bia");
}

TEST_F(Binding, PrepareListVisitsTheLastRecordOfAFreshDynasetThenLocates) {
  auto rs = Customers(2, true);
  c->SetBoundColumn("Cod Cli");
  c->SetListFields("Nome");
  Bind(rs);
  ASSERT_EQ(c->FazerRefresh, -2);
  rs->findRow = 2;
  Holding(Variant("c2"));
  int16_t pointerDuring = 0, busyDuring = 0;
  events.onSetFilter = [&] {
    pointerDuring = host.Services().ScreenMousePointer();
    busyDuring = MemberValue(*c, "ListBusy")->AsInteger();
    EXPECT_TRUE(rs->log.empty());  // SetFilter comes first, so the application can filter
  };
  host.Services().SetScreenMousePointer(99);
  int16_t skip = 0;
  PrepareList(*c, skip);
  EXPECT_EQ(events.setFilters, 1);
  EXPECT_EQ(pointerDuring, 11);
  EXPECT_EQ(busyDuring, -1);
  EXPECT_EQ(rs->log, (Log{"MoveLast", "MoveFirst", "FindFirst [Cod Cli]='c2'"}));
  EXPECT_EQ(c->FazerRefresh, 0);
  EXPECT_EQ(MemberValue(*c, "ListBusy"), Variant(int16_t{0}));
  EXPECT_EQ(host.Services().ScreenMousePointer(), 99);
}

TEST_F(Binding, PrepareListWithAnEmptyFieldShowsTheFirstRecordOfTheRange) {
  auto rs = Customers(1, true);
  c->SetListFields("Nome");
  c->SetFilter("Nome = 'Bia'");
  Bind(rs);
  rs->SetIndex("ixNome");
  rs->log.clear();
  int16_t skip = 0;
  PrepareList(*c, skip);
  EXPECT_EQ(rs->log, (Log{"Seek >= Bia"}));
  EXPECT_EQ(CalendarForm(*c)->Grid().Bookmark().AsDouble(), 2);
  EXPECT_EQ(PopupOwnerControl(), c.get());
}

TEST_F(Binding, PrepareListWalksTheRangeTheApplicationSetsInSetFilter) {
  auto rs = Customers(1, true);
  c->SetListFields("Nome");
  Bind(rs);
  rs->SetIndex("ixNome");
  rs->log.clear();
  events.onSetFilter = [&] { c->SetSelectFilter("Nome = 'Caio'"); };
  int16_t skip = 0;
  PrepareList(*c, skip);
  EXPECT_EQ(c->Filter(), "Nome = 'Caio'");
  EXPECT_EQ(rs->log, (Log{"Seek >= Caio"}));
  EXPECT_EQ(rs->Fields("Nome").Value().AsString(), "Caio");
}

TEST_F(Binding, PrepareListSkippingTheLocateOnlyRefreshes) {
  auto rs = Customers(2, true);
  c->SetListFields("Nome");
  Bind(rs);
  Holding(Variant("c2"));
  int16_t skip = -1;
  PrepareList(*c, skip);
  EXPECT_EQ(rs->log, (Log{"MoveLast", "MoveFirst"}));
  skip = 0;
  rs->log.clear();
  c->gValueAtual = Variant();  // no value: the list starts at its first record
  PrepareList(*c, skip);
  EXPECT_EQ(rs->log, (Log{"MoveFirst"}));
}

TEST_F(Binding, PrepareListEndsAtAnErrorAndStillRestoresThePointer) {
  auto rs = Customers(2, true);
  c->SetListFields("Nome");
  Bind(rs);
  c->FazerRefresh = 0;
  rs->recordCountRaises = true;
  host.Services().SetScreenMousePointer(3);
  int16_t skip = 0;
  EXPECT_NO_THROW(PrepareList(*c, skip));
  EXPECT_EQ(MemberValue(*c, "ListBusy"), Variant(int16_t{0}));
  EXPECT_EQ(host.Services().ScreenMousePointer(), 3);
}

TEST_F(Binding, PrepareListAndLocateWithoutARecordsetDoNothing) {
  c->SetListFields("Nome");
  events.onSetFilter = [&] { c->SetRecordSource(nullptr); };  // the application unbinds
  int16_t skip = 0;
  Holding(Variant("c2"));
  EXPECT_NO_THROW(PrepareList(*c, skip));
  EXPECT_NO_THROW(LocateValue(*c));
  EXPECT_EQ(MemberValue(*c, "ListBusy"), Variant(int16_t{0}));
}

TEST_F(Binding, ColumnsTakeTheirWidthsFromTheFields) {
  auto mdb = Customers(1, true);
  c->SetListFields("Cod Cli| Nome |Codigo|Nada");
  c->SetRecordSource(mdb);
  CalendForm& form = *CalendarForm(*c);
  const float m = form.Form().TextWidth("m"), zero = form.Form().TextWidth("0"), px2 = 30;
  auto& cols = form.Grid().Columns();
  ASSERT_EQ(cols.size(), 4u);
  EXPECT_EQ(cols[1].caption, "Nome");
  EXPECT_FLOAT_EQ(cols[0].width, m * 6 + px2);
  EXPECT_FLOAT_EQ(cols[1].width, m * 255 + px2);
  EXPECT_FLOAT_EQ(cols[2].width, zero * 4 * 3 + px2);
  EXPECT_FLOAT_EQ(cols[3].width, px2);  // a field the recordset lacks: only the 2 pixels
  EXPECT_FLOAT_EQ(form.LastColumnWidth, px2);

  // Without NoMatch: the defined size, at most 50 "m"; other fields ten "0".
  c->SetListFields("Nome|Codigo");
  c->SetRecordSource(Customers(2, false));
  auto& cols2 = form.Grid().Columns();
  ASSERT_EQ(cols2.size(), 2u);
  EXPECT_FLOAT_EQ(cols2[0].width, m * 50 + px2);
  EXPECT_FLOAT_EQ(cols2[1].width, zero * 10 + px2);
  EXPECT_FLOAT_EQ(form.LastColumnWidth, zero * 10 + px2);
}

}  // namespace
}  // namespace orvo
