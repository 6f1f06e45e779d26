// Database: the face both engines show. Runs raw statements of its own engine and opens
// recordsets in the three flavours the lookup features use:
//   OpenTable       table recordset (Type 1): Index, Seek, NoMatch;
//   OpenDynaset     dynaset (Type 2) from a statement or table name: FindFirst.., NoMatch;
//   OpenNoMatchless the flavour without NoMatch: Find(criterion, skip, direction).
// Statements and criteria are read in the control's dialect ([names], 'literals', LIKE
// with *, CDate('..') under the locale, #..# dates, SELECT TOP n) and run with bound
// values only. Errors are orvo::Error with the numbers of db/dialect/db_errors.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "orvo/locale_settings.h"
#include "orvo/recordset.h"

namespace orvo {

class Database {
 public:
  virtual ~Database() = default;
  // One or more raw statements of the engine (no dialect translation, no parameters).
  virtual void Exec(const std::string& sql) = 0;
  // Rows changed by the last Exec statement.
  virtual int64_t Changes() const = 0;

  virtual RecordsetRef OpenTable(const std::string& name, const std::string& index = "") = 0;
  virtual RecordsetRef OpenDynaset(const std::string& statementOrTable) = 0;
  virtual RecordsetRef OpenNoMatchless(const std::string& statementOrTable) = 0;

  virtual const LocaleSettings& Locale() const = 0;
  // How messages name it: "database `path`", "server `host` database `name`".
  virtual std::string Describe() const = 0;
};

using DatabaseRef = std::shared_ptr<Database>;

}  // namespace orvo
