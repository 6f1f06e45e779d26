// KeysetRecordset: position state, moves, seeks, finds and fields over a RowCursor.
#include "db/keyset/keyset_recordset.h"

#include <cmath>

#include "base/error.h"
#include "base/strings.h"
#include "db/dialect/db_errors.h"

namespace orvo {

// ---- fields ----

std::string KeysetField::Name() const {
  owner_.CheckOpen();
  return owner_.plan_.fields[column_].name;
}

int16_t KeysetField::Type() const {
  owner_.CheckOpen();
  ColumnKind kind = owner_.plan_.fields[column_].kind;
  return owner_.Flavour() == RecordsetFlavour::NoMatchless ? FindFamilyType(kind)
                                                           : SeekFamilyType(kind);
}

Variant KeysetField::Value() const {
  return owner_.CurrentValue(column_);
}

int32_t KeysetField::Size() const {
  owner_.CheckOpen();
  if (owner_.Flavour() == RecordsetFlavour::NoMatchless) {
    RaiseError(dberr::kNotSupported, "field `" + Name() + "` has no Size here; read DefinedSize");
  }
  return owner_.plan_.fields[column_].size;
}

int32_t KeysetField::DefinedSize() const {
  owner_.CheckOpen();
  if (owner_.Flavour() != RecordsetFlavour::NoMatchless) {
    RaiseError(dberr::kNotSupported, "field `" + Name() + "` has no DefinedSize here; read Size");
  }
  const ColumnInfo& info = owner_.plan_.fields[column_];
  return info.kind == ColumnKind::Memo || info.kind == ColumnKind::Binary ? 2147483647 : info.size;
}

// ---- lifetime ----

KeysetRecordset::KeysetRecordset(RecordsetEngine engine, RecordsetPlan plan)
    : engine_(std::move(engine)), plan_(std::move(plan)), cursor_(engine_.cursor.get()) {
  for (size_t i = 0; i < plan_.fields.size(); ++i) {
    fieldObjects_.push_back(std::make_unique<KeysetField>(*this, i));
  }
  if (plan_.table) {
    for (const auto& index : plan_.table->indexes) {
      indexObjects_.push_back(std::make_unique<KeysetIndexInfo>(index));
    }
    if (!Trim(plan_.index).empty()) UseIndex(plan_.index);
  }
  MoveFirst();
}

KeysetRecordset::~KeysetRecordset() {
  try {
    Close();
  } catch (const Error&) {
    // A connection that can no longer drop a temporary table drops it when it closes.
  }
}

void KeysetRecordset::Close() {
  if (closed_) return;
  closed_ = true;
  row_.reset();
  ahead_.clear();
  cursor_ = nullptr;
  engine_.cursor.reset();
}

void KeysetRecordset::CheckOpen() const {
  if (closed_) RaiseError(dberr::kObjectClosed, "recordset `" + plan_.name + "` is closed");
}

void KeysetRecordset::Unsupported(const char* operation) const {
  RaiseError(dberr::kNotSupported, std::string("this recordset does not support ") + operation);
}

void KeysetRecordset::RequireSeekFamily(const char* operation) const {
  CheckOpen();
  if (plan_.flavour == RecordsetFlavour::NoMatchless) Unsupported(operation);
}

void KeysetRecordset::RequireTable(const char* operation) const {
  RequireSeekFamily(operation);
  if (plan_.flavour != RecordsetFlavour::Table) {
    RaiseError(dberr::kWrongFamily, std::string(operation) + " is only for table recordsets (`" +
                                        plan_.name + "` is not one)");
  }
}

// ---- position ----

void KeysetRecordset::SetRow(CursorRow row) {
  row_ = std::move(row);
  bof_ = eof_ = false;
}

void KeysetRecordset::Land(std::optional<CursorRow> row) {
  if (row) SetRow(std::move(*row));
}

std::optional<CursorRow> KeysetRecordset::First(bool forward, const SqlFragment* extra) {
  auto rows = cursor_->Walk(forward, nullptr, false, extra, 0, 1);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::optional<CursorRow> KeysetRecordset::Step(bool forward, const KeyBound& from, bool inclusive,
                                               const SqlFragment* extra, int64_t skip) {
  auto rows = cursor_->Walk(forward, &from, inclusive, extra, skip, 1);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

int32_t KeysetRecordset::RecordCount() {
  CheckOpen();
  int64_t count = cursor_->Count();
  return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

int32_t KeysetRecordset::ApproxRecordCount() {
  CheckOpen();
  int64_t count = cursor_->Estimate();
  return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
}

bool KeysetRecordset::BOF() {
  CheckOpen();
  return bof_;
}

bool KeysetRecordset::EOF_() {
  CheckOpen();
  return eof_;
}

Variant KeysetRecordset::BookmarkOf(const std::vector<SqlValue>& id) {
  if (engine_.integerIds) return Variant(static_cast<double>(id.at(0).integer));
  std::string encoded;
  for (const SqlValue& part : id) {
    encoded += std::to_string(static_cast<int>(part.kind)) + ':' + std::to_string(part.integer) +
               ':' + std::to_string(part.real) + ':' + std::to_string(part.text.size()) + ':' +
               part.text;
  }
  auto [at, added] = idNumbers_.emplace(std::move(encoded), numberedIds_.size() + 1);
  if (added) numberedIds_.push_back(id);
  return Variant(static_cast<double>(at->second));
}

Variant KeysetRecordset::BookMark() {
  CheckOpen();
  if (!row_) RaiseError(dberr::kNoCurrentRecord, "no current record to take a bookmark of");
  return BookmarkOf(row_->id);
}

void KeysetRecordset::SetBookMark(const Variant& bookmark) {
  CheckOpen();
  if (!bookmark.IsNumber()) {
    RaiseError(dberr::kInvalidBookmark, "not a valid bookmark for recordset `" + plan_.name + "`");
  }
  double number = bookmark.Type() == VarType::Long      ? bookmark.AsLong()
                  : bookmark.Type() == VarType::Integer ? bookmark.AsInteger()
                  : bookmark.Type() == VarType::Single  ? bookmark.AsSingle()
                                                        : bookmark.AsDouble();
  const int64_t whole = static_cast<int64_t>(std::llround(number));
  std::optional<CursorRow> row;
  if (engine_.integerIds) {
    row = cursor_->ById({SqlValue::Int(whole)});
  } else if (whole >= 1 && static_cast<size_t>(whole) <= numberedIds_.size()) {
    row = cursor_->ById(numberedIds_[whole - 1]);
  }
  if (!row) {
    RaiseError(dberr::kInvalidBookmark,
               "bookmark names no record of `" + plan_.name +
                   "` (it may have been deleted, or changed in a table without a key)");
  }
  SetRow(std::move(*row));
}

void KeysetRecordset::ReadAheadFrom(bool forward, const KeyBound* from) {
  std::vector<CursorRow> rows = cursor_->Walk(forward, from, false, nullptr, 0, readAhead_);
  ahead_.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
  aheadForward_ = forward;
}

std::optional<CursorRow> KeysetRecordset::TakeAhead() {
  if (ahead_.empty()) return std::nullopt;
  CursorRow next = std::move(ahead_.front());
  ahead_.pop_front();
  aheadAfter_ = next.id;
  return next;
}

std::optional<CursorRow> KeysetRecordset::End(bool first) {
  if (readAhead_ <= 1) return First(first, nullptr);
  ReadAheadFrom(first, nullptr);
  return TakeAhead();
}

void KeysetRecordset::MoveFirst() {
  CheckOpen();
  row_.reset();
  bof_ = eof_ = true;
  Land(End(true));
}

void KeysetRecordset::MoveLast() {
  CheckOpen();
  row_.reset();
  bof_ = eof_ = true;
  Land(End(false));
}

std::optional<CursorRow> KeysetRecordset::Neighbour(bool forward) {
  if (!row_) return First(forward, nullptr);
  if (readAhead_ <= 1) return Step(forward, RowCursor::BoundOf(*row_), false, nullptr, 0);
  if (ahead_.empty() || aheadForward_ != forward || aheadAfter_ != row_->id) {
    const KeyBound from = RowCursor::BoundOf(*row_);
    ReadAheadFrom(forward, &from);
  }
  return TakeAhead();
}

void KeysetRecordset::ReadAhead(int32_t rows) {
  CheckOpen();
  readAhead_ = rows > 0 ? rows : 0;
  ahead_.clear();
}

void KeysetRecordset::MoveNext() {
  CheckOpen();
  if (eof_) RaiseError(dberr::kNoCurrentRecord, "no current record: already past the last record");
  auto next = Neighbour(true);
  row_.reset();
  bof_ = false;
  eof_ = true;
  Land(std::move(next));
}

void KeysetRecordset::MovePrevious() {
  CheckOpen();
  if (bof_)
    RaiseError(dberr::kNoCurrentRecord, "no current record: already before the first record");
  auto previous = Neighbour(false);
  row_.reset();
  eof_ = false;
  bof_ = true;
  Land(std::move(previous));
}

void KeysetRecordset::Move(int32_t rows, const Variant& startBookmark) {
  CheckOpen();
  if (!startBookmark.IsEmpty() && !startBookmark.IsNull()) SetBookMark(startBookmark);
  if (rows == 0) {
    // Move 0 reads the current record again, with other users' changes.
    if (!row_) RaiseError(dberr::kNoCurrentRecord, "no current record to move from");
    auto fresh = cursor_->ById(row_->id);
    if (!fresh) {
      RaiseError(dberr::kNoCurrentRecord,
                 "no current record: another user deleted it (or changed it, in a table "
                 "without a key)");
    }
    fresh->keys = row_->keys;  // the position stays where the walk put it
    row_ = std::move(*fresh);
    return;
  }
  const bool forward = rows > 0;
  const int64_t distance = std::llabs(static_cast<int64_t>(rows));
  std::optional<CursorRow> target;
  if (row_) {
    target = Step(forward, RowCursor::BoundOf(*row_), false, nullptr, distance - 1);
  } else if ((forward && bof_ && !eof_) || (!forward && eof_ && !bof_)) {
    auto found = cursor_->Walk(forward, nullptr, false, nullptr, distance - 1, 1);
    if (!found.empty()) target = std::move(found.front());
  } else {
    RaiseError(dberr::kNoCurrentRecord, "no current record to move from");
  }
  row_.reset();
  bof_ = !forward;
  eof_ = forward;
  Land(std::move(target));
}

Variant KeysetRecordset::CurrentValue(size_t column) {
  CheckOpen();
  if (!row_) RaiseError(dberr::kNoCurrentRecord, "no current record");
  return ToVariant(row_->values[column], plan_.fields[column].kind);
}

// ---- fields ----

int16_t KeysetRecordset::FieldCount() {
  CheckOpen();
  return static_cast<int16_t>(fieldObjects_.size());
}

Field& KeysetRecordset::Fields(int16_t index) {
  CheckOpen();
  if (index < 0 || static_cast<size_t>(index) >= fieldObjects_.size()) {
    RaiseError(dberr::kItemNotFound, "field " + std::to_string(index) + " is out of range (" +
                                         std::to_string(fieldObjects_.size()) + " fields)");
  }
  return *fieldObjects_[index];
}

Field& KeysetRecordset::Fields(const std::string& name) {
  CheckOpen();
  std::string upper = UCase(RemoveChars(name, "[]", true));
  for (size_t i = 0; i < plan_.fields.size(); ++i) {
    if (UCase(plan_.fields[i].name) == upper) return *fieldObjects_[i];
  }
  RaiseError(dberr::kItemNotFound, "recordset `" + plan_.name + "` has no field `" + name + "`");
}

// ---- table operations ----

int16_t KeysetRecordset::Type() {
  CheckOpen();
  return static_cast<int16_t>(plan_.flavour == RecordsetFlavour::Table ? RecordsetType::Table
                                                                       : RecordsetType::Dynaset);
}

bool KeysetRecordset::NoMatch() {
  RequireSeekFamily("NoMatch");
  return noMatch_;
}

std::string KeysetRecordset::Index() {
  RequireTable("Index");
  return index_;
}

void KeysetRecordset::SetIndex(const std::string& name) {
  RequireTable("Index");
  UseIndex(name);
  std::optional<CursorRow> again;
  if (row_) again = cursor_->ById(row_->id);
  if (again) {
    SetRow(std::move(*again));
  } else {
    MoveFirst();
  }
}

void KeysetRecordset::UseIndex(const std::string& name) {
  ahead_.clear();  // read in the old order
  const IndexSchema* index = nullptr;
  if (!Trim(name).empty()) {
    index = plan_.table->FindIndex(Trim(name));
    if (!index) {
      RaiseError(dberr::kNotAnIndex,
                 "`" + name + "` is not an index of table `" + plan_.name + "`");
    }
    if (!index->usable) {
      RaiseError(dberr::kNotAnIndex,
                 "index `" + name + "` orders by an expression and cannot be the current index");
    }
  }
  currentIndex_ = index;
  index_ = index ? index->name : "";
  std::vector<KeyColumn> order = index ? index->columns : std::vector<KeyColumn>{};
  cursor_->SetOrder(order);
}

int16_t KeysetRecordset::IndexCount() {
  RequireTable("Indexes");
  return static_cast<int16_t>(indexObjects_.size());
}

IndexInfo& KeysetRecordset::Indexes(int16_t index) {
  RequireTable("Indexes");
  if (index < 0 || static_cast<size_t>(index) >= indexObjects_.size()) {
    RaiseError(dberr::kItemNotFound, "index " + std::to_string(index) + " is out of range (" +
                                         std::to_string(indexObjects_.size()) + " indexes)");
  }
  return *indexObjects_[index];
}

void KeysetRecordset::Seek(const std::string& comparison, const std::vector<Variant>& keys) {
  RequireTable("Seek");
  if (!currentIndex_) {
    RaiseError(dberr::kNoCurrentIndex, "Seek on `" + plan_.name + "` needs a current Index");
  }
  const auto& columns = currentIndex_->columns;
  if (keys.empty() || keys.size() > 10 || keys.size() > columns.size()) {
    RaiseError(dberr::kInvalidArgument, "Seek on index `" + index_ + "` takes 1 to " +
                                            std::to_string(std::min<size_t>(10, columns.size())) +
                                            " key values, not " + std::to_string(keys.size()));
  }
  std::string op = Trim(comparison);
  if (op != "=" && op != ">=" && op != "<=" && op != ">" && op != "<") {
    RaiseError(dberr::kInvalidArgument,
               "Seek comparison `" + comparison + "` is not =, >=, <=, > or <");
  }
  KeyBound bound;
  for (size_t i = 0; i < keys.size(); ++i) {
    int at = plan_.table->FindColumn(columns[i].name);
    ColumnKind kind = at >= 0 ? plan_.table->columns[at].kind : ColumnKind::Long;
    SqlValue value = ToSqlValue(keys[i], kind, engine_.locale);
    // A trailing NUL only guards a trailing blank against trimming; blanks count here.
    while (value.kind == SqlValue::Kind::Text && !value.text.empty() && value.text.back() == '\0') {
      value.text.pop_back();
    }
    bound.values.push_back(std::move(value));
  }
  std::optional<CursorRow> found;
  if (op == "=") {
    found = cursor_->FirstEqual(bound.values);
  } else {
    bool forward = op[0] == '>';
    auto rows = cursor_->Walk(forward, &bound, op.size() == 2, nullptr, 0, 1);
    if (!rows.empty()) found = std::move(rows.front());
  }
  noMatch_ = !found;
  Land(std::move(found));
}

// ---- finds ----

SqlFragment KeysetRecordset::Criterion(const std::string& criterion) const {
  return TranslateCriterion(criterion, plan_.resolve, engine_.locale, *engine_.backEnd);
}

void KeysetRecordset::FindWith(FindKind kind, const std::string& criterion) {
  RequireSeekFamily("FindFirst/FindLast/FindNext/FindPrevious");
  SqlFragment condition = Criterion(criterion);
  std::optional<CursorRow> found;
  try {
    switch (kind) {
      case FindKind::First:
        found = First(true, &condition);
        break;
      case FindKind::Last:
        found = First(false, &condition);
        break;
      case FindKind::Next:
        if (row_)
          found = Step(true, RowCursor::BoundOf(*row_), false, &condition, 0);
        else if (bof_)
          found = First(true, &condition);
        break;
      case FindKind::Previous:
        if (row_)
          found = Step(false, RowCursor::BoundOf(*row_), false, &condition, 0);
        else if (eof_)
          found = First(false, &condition);
        break;
    }
  } catch (const Error& e) {
    if (e.Number() != dberr::kEngineError) throw;
    RaiseError(dberr::kSyntaxInCriterion,
               "criterion `" + criterion + "` cannot be applied: " + e.Message());
  }
  noMatch_ = !found;
  Land(std::move(found));
}

void KeysetRecordset::FindFirst(const std::string& c) {
  FindWith(FindKind::First, c);
}
void KeysetRecordset::FindLast(const std::string& c) {
  FindWith(FindKind::Last, c);
}
void KeysetRecordset::FindNext(const std::string& c) {
  FindWith(FindKind::Next, c);
}
void KeysetRecordset::FindPrevious(const std::string& c) {
  FindWith(FindKind::Previous, c);
}

void KeysetRecordset::Find(const std::string& criterion, int32_t skip, int32_t direction) {
  CheckOpen();
  if (direction != 1 && direction != -1) {
    RaiseError(dberr::kInvalidArgument, "Find direction must be 1 (forward) or -1 (backward)");
  }
  if (skip < 0)
    RaiseError(dberr::kInvalidArgument, "Find cannot skip a negative number of records");
  const bool forward = direction == 1;
  SqlFragment condition = Criterion(criterion);
  std::optional<CursorRow> found;
  try {
    std::optional<CursorRow> start = row_;
    if (start && skip > 0)
      start = Step(forward, RowCursor::BoundOf(*start), false, nullptr, skip - 1);
    if (start) {
      // The search includes the record it starts on.
      found = Step(forward, RowCursor::BoundOf(*start), true, &condition, 0);
    } else if (!row_ && ((forward && bof_ && !eof_) || (!forward && eof_ && !bof_))) {
      auto rows = cursor_->Walk(forward, nullptr, false, &condition, 0, 1);
      if (!rows.empty()) found = std::move(rows.front());
    }
  } catch (const Error& e) {
    if (e.Number() != dberr::kEngineError) throw;
    RaiseError(dberr::kSyntaxInCriterion,
               "criterion `" + criterion + "` cannot be applied: " + e.Message());
  }
  row_.reset();
  bof_ = !forward;
  eof_ = forward;
  Land(std::move(found));
}

// ---- the rest ----

std::string KeysetRecordset::Name() {
  CheckOpen();
  return plan_.name;
}

std::string KeysetRecordset::Source() {
  CheckOpen();
  return plan_.name;
}

void KeysetRecordset::Requery() {
  CheckOpen();
  cursor_->Refill();
  ahead_.clear();
  noMatch_ = false;
  MoveFirst();
}

}  // namespace orvo
