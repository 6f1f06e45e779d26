// Recordset: the operations the lookup features call on a recordset the application opened.
// Every operation may raise orvo::Error (an operation the recordset does not offer, an
// invalid criterion, no current record).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "orvo/variant.h"

namespace orvo {

// Field type codes. The seek family reports 8 date, 10 text, 12 long text and the numeric
// codes; the family without NoMatch reports its own (129/200 text, 201 long text, ...).
namespace fieldtype {
inline constexpr int16_t kBoolean = 1;
inline constexpr int16_t kByte = 2;
inline constexpr int16_t kInteger = 3;
inline constexpr int16_t kLong = 4;
inline constexpr int16_t kCurrency = 5;
inline constexpr int16_t kSingle = 6;
inline constexpr int16_t kDouble = 7;
inline constexpr int16_t kDate = 8;
inline constexpr int16_t kText = 10;
inline constexpr int16_t kMemo = 12;
inline constexpr int16_t kBigInt = 16;
// The family without NoMatch.
inline constexpr int16_t kAdInteger = 3;
inline constexpr int16_t kAdDouble = 5;
inline constexpr int16_t kAdBigInt = 20;
inline constexpr int16_t kAdDate = 7;
inline constexpr int16_t kAdDBTimeStamp = 135;
inline constexpr int16_t kAdChar = 129;
inline constexpr int16_t kAdVarChar = 200;
inline constexpr int16_t kAdLongVarChar = 201;
}  // namespace fieldtype

class Field {
 public:
  virtual ~Field() = default;
  virtual std::string Name() const = 0;
  virtual int16_t Type() const = 0;
  virtual Variant Value() const = 0;        // of the current record; raises 3021 without one
  virtual int32_t Size() const = 0;         // seek family; raises in the other
  virtual int32_t DefinedSize() const = 0;  // family without NoMatch; raises in the other
};

class IndexInfo {
 public:
  virtual ~IndexInfo() = default;
  virtual std::string Name() const = 0;
  virtual std::string Fields() const = 0;  // "+Codigo;-Nome"
  virtual bool Foreign() const = 0;
};

enum class RecordsetType : int16_t { Table = 1, Dynaset = 2, Snapshot = 4, ForwardOnly = 8 };

class Recordset : public Object {
 public:
  virtual int32_t RecordCount() = 0;
  // A count that may be estimated, for what only sizes a view (a list's rows, a scroll bar):
  // exact while the records are few, at least that many when there are more, never 0 when
  // there is a record. An exact count of a large table reads all of it.
  virtual int32_t ApproxRecordCount() { return RecordCount(); }
  virtual bool BOF() = 0;
  virtual bool EOF_() = 0;  // EOF is a macro of <cstdio>
  virtual Variant BookMark() = 0;
  virtual void SetBookMark(const Variant& bookmark) = 0;

  virtual void MoveFirst() = 0;
  virtual void MoveLast() = 0;
  virtual void MoveNext() = 0;
  virtual void MovePrevious() = 0;
  virtual void Move(int32_t rows, const Variant& startBookmark) = 0;
  // A hint before a run of MoveNext (or MovePrevious) calls, such as a list reading a page:
  // the next `rows` records in the run's direction may be read together, in one trip to the
  // database. ReadAhead(0) ends the run. A recordset is free to ignore it, as the default does.
  virtual void ReadAhead(int32_t rows) { (void)rows; }

  virtual int16_t FieldCount() = 0;
  virtual Field& Fields(int16_t index) = 0;            // raises 3265 when out of range
  virtual Field& Fields(const std::string& name) = 0;  // raises 3265 for an unknown name

  virtual int16_t Type() = 0;  // RecordsetType codes
  virtual bool NoMatch() = 0;  // the family without NoMatch raises
  virtual std::string Index() = 0;
  virtual void SetIndex(const std::string& name) = 0;
  virtual int16_t IndexCount() = 0;
  virtual IndexInfo& Indexes(int16_t index) = 0;
  // comparison "=", ">=", "<=", ">", "<"; 1 to 10 key values.
  virtual void Seek(const std::string& comparison, const std::vector<Variant>& keys) = 0;

  virtual void FindFirst(const std::string& criterion) = 0;
  virtual void FindLast(const std::string& criterion) = 0;
  virtual void FindNext(const std::string& criterion) = 0;
  virtual void FindPrevious(const std::string& criterion) = 0;
  // The family without NoMatch: from the current record, skipping `skip` records first,
  // forwards (1) or backwards (-1); BOF/EOF tell failure.
  virtual void Find(const std::string& criterion, int32_t skip, int32_t direction) = 0;

  virtual std::string Name() = 0;
  virtual std::string Source() = 0;
  virtual void Requery() = 0;
  virtual void Close() = 0;
};

using RecordsetRef = std::shared_ptr<Recordset>;

}  // namespace orvo
