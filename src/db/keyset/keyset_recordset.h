// KeysetRecordset: the recordset interface over either engine's RowCursor, in three flavours: table
// (Type 1: Index, Seek, NoMatch), dynaset (Type 2: FindFirst..FindPrevious, NoMatch) and
// the flavour without NoMatch (Find with skip and direction; its fields report DefinedSize
// and the other family's type codes).
//
// Behaviour chosen where the classic engines left it open:
// - RecordCount is the exact count, read once with count(*) and kept until the data
//   changes (any connection), so repeated reads cost nothing where the engine can tell.
//   ApproxRecordCount is the engine's estimate, which a large table answers without
//   reading its rows.
// - Setting Index keeps the current record (the first one when there is none).
// - A Seek or Find* that finds nothing sets NoMatch and leaves the current record as it was.
// - MoveFirst/MoveLast on an empty recordset leave BOF and EOF both true instead of
//   raising; MoveNext at EOF and MovePrevious at BOF raise 3021.
// - Bookmarks are the row id (or a one-column integer primary key) as a Double; other row
//   identities are numbered as the recordset meets them. A bookmark whose row is gone
//   raises 3159; so does one whose row another user changed where the row identity is no
//   key of the user's (tables without one: see each engine's recordset opening), rather
//   than name another row.
// - The current record's fields are read when it becomes current (a move, seek, find or
//   bookmark), as the classic record buffer was: another user's later change or deletion
//   shows after the next move; Move 0 reads the record again (3021 when it is gone).
//   Moving from a record deleted meanwhile goes on to its neighbours. Within a ReadAhead run
//   the records stepped onto were read together, when the run's first step was taken.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/locale_settings.h"
#include "db/dialect/column_kind.h"
#include "db/dialect/criteria_translator.h"
#include "db/keyset/row_cursor.h"
#include "db/keyset/table_schema.h"
#include "lookup/recordset.h"

namespace orvo {

enum class RecordsetFlavour { Table, Dynaset, NoMatchless };

class KeysetRecordset;

class KeysetField : public Field {
 public:
  KeysetField(KeysetRecordset& owner, size_t column) : owner_(owner), column_(column) {}
  std::string Name() const override;
  int16_t Type() const override;
  Variant Value() const override;
  int32_t Size() const override;
  int32_t DefinedSize() const override;

 private:
  KeysetRecordset& owner_;
  size_t column_;
};

class KeysetIndexInfo : public IndexInfo {
 public:
  explicit KeysetIndexInfo(IndexSchema schema) : schema_(std::move(schema)) {}
  std::string Name() const override { return schema_.name; }
  std::string Fields() const override { return schema_.FieldsText(); }
  // Neither engine makes hidden indexes for foreign keys, so no index is one.
  bool Foreign() const override { return false; }

 private:
  IndexSchema schema_;
};

// What a recordset shows: built by each engine's open functions.
struct RecordsetPlan {
  RecordsetFlavour flavour = RecordsetFlavour::Dynaset;
  std::string name;  // table name, or the statement as given
  std::vector<ColumnInfo> fields;
  std::optional<TableSchema> table;  // for tables (their indexes)
  std::string index;                 // a table's Index when it opens
  ColumnResolver resolve;            // criterion names to columns
};

// The engine behind a recordset: its cursor, how it spells criteria, the locale values are
// read under, and what keeps its connection alive.
struct RecordsetEngine {
  std::unique_ptr<RowCursor> cursor;
  const SqlBackEnd* backEnd = nullptr;
  LocaleSettings locale;
  bool integerIds = true;  // the row identity is one integer: it is the bookmark
  std::shared_ptr<void> connection;
};

class KeysetRecordset : public Recordset {
 public:
  KeysetRecordset(RecordsetEngine engine, RecordsetPlan plan);
  ~KeysetRecordset() override;

  int32_t RecordCount() override;
  int32_t ApproxRecordCount() override;
  bool BOF() override;
  bool EOF_() override;
  Variant BookMark() override;
  void SetBookMark(const Variant& bookmark) override;

  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrevious() override;
  void Move(int32_t rows, const Variant& startBookmark) override;
  void ReadAhead(int32_t rows) override;

  int16_t FieldCount() override;
  Field& Fields(int16_t index) override;
  Field& Fields(const std::string& name) override;

  int16_t Type() override;
  bool NoMatch() override;
  std::string Index() override;
  void SetIndex(const std::string& name) override;
  int16_t IndexCount() override;
  IndexInfo& Indexes(int16_t index) override;
  void Seek(const std::string& comparison, const std::vector<Variant>& keys) override;

  void FindFirst(const std::string& criterion) override;
  void FindLast(const std::string& criterion) override;
  void FindNext(const std::string& criterion) override;
  void FindPrevious(const std::string& criterion) override;
  void Find(const std::string& criterion, int32_t skip, int32_t direction) override;

  std::string Name() override;
  std::string Source() override;
  void Requery() override;
  void Close() override;

  RecordsetFlavour Flavour() const { return plan_.flavour; }

 private:
  friend class KeysetField;
  enum class FindKind { First, Last, Next, Previous };

  void CheckOpen() const;
  [[noreturn]] void Unsupported(const char* operation) const;
  void RequireTable(const char* operation) const;
  void RequireSeekFamily(const char* operation) const;
  void UseIndex(const std::string& name);  // raises 3800 for one the table lacks
  Variant CurrentValue(size_t column);
  void Land(std::optional<CursorRow> row);  // on a row, or at the end when none
  void SetRow(CursorRow row);
  SqlFragment Criterion(const std::string& criterion) const;
  void FindWith(FindKind kind, const std::string& criterion);
  std::optional<CursorRow> First(bool forward, const SqlFragment* extra);
  std::optional<CursorRow> Step(bool forward, const KeyBound& from, bool inclusive,
                                const SqlFragment* extra, int64_t skip);
  // The record after (before) the current one, from the rows read ahead when they continue
  // from it; the first (last) record, reading those after (before) it ahead in a run.
  std::optional<CursorRow> Neighbour(bool forward);
  std::optional<CursorRow> End(bool first);
  // Reads readAhead_ rows from `from` (an end when null) into ahead_; hands out the next.
  void ReadAheadFrom(bool forward, const KeyBound* from);
  std::optional<CursorRow> TakeAhead();
  Variant BookmarkOf(const std::vector<SqlValue>& id);

  RecordsetEngine engine_;
  RecordsetPlan plan_;
  RowCursor* cursor_;
  // Other identities are numbered for bookmarks as they are met.
  std::vector<std::vector<SqlValue>> numberedIds_;
  std::map<std::string, size_t> idNumbers_;  // encoded identity -> its number
  std::vector<std::unique_ptr<KeysetField>> fieldObjects_;
  std::vector<std::unique_ptr<KeysetIndexInfo>> indexObjects_;
  std::string index_;
  const IndexSchema* currentIndex_ = nullptr;
  std::optional<CursorRow> row_;
  // Rows read ahead of the current one in a run of steps (ReadAhead): they follow the row
  // whose identity is aheadAfter_, in aheadForward_'s direction.
  int32_t readAhead_ = 0;
  std::deque<CursorRow> ahead_;
  std::vector<SqlValue> aheadAfter_;
  bool aheadForward_ = true;
  bool bof_ = true, eof_ = true;
  bool noMatch_ = false;
  bool closed_ = false;
};

}  // namespace orvo
