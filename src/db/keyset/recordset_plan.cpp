// Recordset plans over one table.
#include "db/keyset/recordset_plan.h"

#include "base/error.h"
#include "base/strings.h"

namespace orvo {

ColumnResolver TableResolver(const TableSchema& schema, std::string alias) {
  return [schema, alias](const std::string& name) -> std::optional<ResolvedColumn> {
    std::string column = name;
    auto dot = name.rfind('.');
    if (dot != std::string::npos) {
      std::string qualifier = UCase(name.substr(0, dot));
      if (qualifier != UCase(schema.name) && qualifier != UCase(alias)) return std::nullopt;
      column = name.substr(dot + 1);
    }
    int at = schema.FindColumn(column);
    if (at < 0) return std::nullopt;
    const ColumnInfo& info = schema.columns[at];
    return ResolvedColumn{QuoteIdentifier(info.name), info.kind, info.collation == "NOCASE"};
  };
}

ColumnResolver MaterialisedResolver(std::vector<ColumnInfo> fields) {
  return [fields = std::move(fields)](const std::string& name) -> std::optional<ResolvedColumn> {
    std::string upper =
        UCase(name.substr(name.rfind('.') == std::string::npos ? 0 : name.rfind('.') + 1));
    for (size_t i = 0; i < fields.size(); ++i) {
      if (UCase(fields[i].name) == upper) {
        return ResolvedColumn{"c" + std::to_string(i), fields[i].kind};
      }
    }
    return std::nullopt;
  };
}

std::string StripBrackets(const std::string& name) {
  std::string trimmed = Trim(name);
  if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
    return trimmed.substr(1, trimmed.size() - 2);
  }
  return trimmed;
}

OpenText ReadOpenText(const std::string& text) {
  std::string trimmed = Trim(text);
  std::vector<Token> tokens = Tokenize(trimmed, "statement");
  if (tokens.size() > 2 && !tokens[0].IsWord("SELECT") &&
      (tokens[1].IsWord("WHERE") || tokens[1].IsWord("ORDER"))) {
    return {"", "SELECT * FROM " + trimmed};
  }
  if (!tokens[0].IsWord("SELECT")) return {StripBrackets(trimmed), ""};
  return {"", trimmed};
}

void UseWholeTable(RecordsetPlan& plan, KeysetSelect& select, const TableSchema& schema) {
  for (const auto& column : schema.columns) {
    plan.fields.push_back(column);
    select.fieldSql.push_back(QuoteIdentifier(column.name));
  }
  plan.resolve = TableResolver(schema);
  plan.table = schema;
}

bool PlanPlainSelect(const ParsedStatement& parsed, const TableSchema& schema,
                     const LocaleSettings& locale, const SqlBackEnd& backEnd, RecordsetPlan& plan,
                     KeysetSelect& out) {
  const PlainSelect& select = *parsed.plain;
  // The rows are read from the table itself, so an alias only names it in the statement.
  plan.resolve = TableResolver(schema, select.alias);
  auto find = [&](const PlainColumn& column) {
    if (!column.qualifier.empty() && UCase(column.qualifier) != UCase(schema.name) &&
        UCase(column.qualifier) != UCase(select.alias)) {
      return -1;
    }
    return schema.FindColumn(column.name);
  };
  if (select.columns.empty()) {
    for (const auto& column : schema.columns) {
      plan.fields.push_back(column);
      out.fieldSql.push_back(QuoteIdentifier(column.name));
    }
  } else {
    for (const auto& column : select.columns) {
      int at = find(column);
      if (at < 0) return false;
      plan.fields.push_back(schema.columns[at]);
      if (!column.alias.empty()) plan.fields.back().name = column.alias;
      out.fieldSql.push_back(QuoteIdentifier(schema.columns[at].name));
    }
  }
  std::vector<std::pair<std::string, ResolvedColumn>> aliases;
  for (size_t i = 0; i < select.columns.size(); ++i) {
    if (select.columns[i].alias.empty()) continue;
    aliases.push_back({UCase(select.columns[i].alias), {out.fieldSql[i], plan.fields[i].kind}});
  }
  if (!aliases.empty()) {
    plan.resolve = [aliases, columns = plan.resolve](const std::string& name) {
      for (const auto& [alias, column] : aliases) {
        if (UCase(name) == alias) return std::optional<ResolvedColumn>(column);
      }
      return columns(name);
    };
  }
  for (const auto& item : select.order) {
    int at = find(item);
    if (at < 0) return false;
    out.order.push_back({schema.columns[at].name, item.descending, ""});
  }
  if (select.whereEnd > select.whereBegin) {
    try {
      out.where = TranslateCondition(parsed.tokens, select.whereBegin, select.whereEnd,
                                     plan.resolve, locale, backEnd, "statement", parsed.source);
    } catch (const Error&) {
      return false;  // something the criterion grammar lacks: let the engine judge it whole
    }
  }
  return true;
}

}  // namespace orvo
