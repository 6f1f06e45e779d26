// By-name calls of the control's methods; arguments passed by reference are written back.
#include "access/by_name.h"
#include "base/error.h"
#include "base/strings.h"
#include "control/orvo_mask.h"

namespace orvo {

namespace {

void ExpectArgs(const std::vector<Variant>& args, size_t n, const std::string& name) {
  if (args.size() != n)
    RaiseError(err::kWrongArgumentCount, "Wrong number of arguments for " + name + ": expected " +
                                             std::to_string(n) + ", got " +
                                             std::to_string(args.size()));
}

std::string Str(const Variant& v, const LocaleSettings& loc) {
  return v.IsEmpty() || v.IsNull() ? std::string() : ToText(v, loc);
}

TipoDeCampo Kind(const Variant& v, const LocaleSettings& loc) {
  const int32_t n = ToLong(v, loc);
  if (n < 0 || n > 6)
    RaiseError(err::kInvalidPropertyValue, "Invalid field kind " + std::to_string(n));
  return static_cast<TipoDeCampo>(n);
}

}  // namespace

Variant CallMethod(OrvoMask& c, const std::string& name, std::vector<Variant>& args,
                   bool& isFunction) {
  const std::string n = UCase(name);
  const LocaleSettings& loc = c.Locale();
  isFunction = false;
  if (n == "VOLTAFOCO") {
    ExpectArgs(args, 0, name);
    c.VoltaFoco();
  } else if (n == "EXCUTACHANGE") {
    ExpectArgs(args, 0, name);
    c.ExcutaChange();
  } else if (n == "REFRESH") {
    ExpectArgs(args, 0, name);
    c.Refresh();
  } else if (n == "CLEAR") {
    ExpectArgs(args, 0, name);
    c.Clear();
  } else if (n == "PROCURALETRA") {
    ExpectArgs(args, 2, name);
    int16_t index = ToInteger(args[0], loc), key = ToInteger(args[1], loc);
    c.ProcuraLetra(index, key);
    args[0] = Variant(index);
    args[1] = Variant(key);
  } else if (n == "LIGADESLIGAHOK") {
    ExpectArgs(args, 2, name);
    int32_t liga = ToLong(args[0], loc);
    bool gera = ToBoolean(args[1], loc);
    c.LigaDesligaHok(liga, gera);
    args[0] = Variant(liga);
    args[1] = Variant(gera);
  } else if (n == "ADDITEM") {
    ExpectArgs(args, 1, name);
    c.AddItem(Str(args[0], loc));
  } else if (n == "REMOVEITEM") {
    ExpectArgs(args, 1, name);
    c.RemoveItem(ToInteger(args[0], loc));
  } else if (n == "FIELDVALUE") {
    ExpectArgs(args, 4, name);
    isFunction = true;
    // Any kind number is accepted here: a kind outside the enumeration reads as Empty.
    return c.FieldValue(Str(args[0], loc), static_cast<TipoDeCampo>(ToLong(args[1], loc)),
                        Str(args[2], loc), Str(args[3], loc));
  } else if (n == "FORMATFIELD") {
    ExpectArgs(args, 4, name);
    isFunction = true;
    return Variant(
        c.FormatField(args[0], Str(args[1], loc), Kind(args[2], loc), Str(args[3], loc)));
  } else if (n == "FORMATTEXT") {
    ExpectArgs(args, 1, name);
    isFunction = true;
    std::string st = Str(args[0], loc);
    Variant result(c.FormatText(st));
    args[0] = Variant(st);
    return result;
  } else if (n == "COMLSTEXT") {
    ExpectArgs(args, 0, name);
    isFunction = true;
    return Variant(c.ComLstExt());
  } else if (n == "PESQUISA") {
    ExpectArgs(args, 1, name);
    int16_t oq = ToInteger(args[0], loc);
    c.Pesquisa(oq);
    args[0] = Variant(oq);
  } else if (n == "REGISTROOK") {
    ExpectArgs(args, 0, name);
    isFunction = true;
    return Variant(c.RegistroOk());
  } else if (n == "OPENRECORDSET") {
    ExpectArgs(args, 2, name);
    RecordsetRef rs =
        args[0].IsObject() ? std::dynamic_pointer_cast<Recordset>(args[0].AsObject()) : nullptr;
    std::string sql = Str(args[1], loc);
    c.OpenRecordSet(rs, sql);
    args[0] = Variant(std::static_pointer_cast<Object>(rs));
    args[1] = Variant(sql);
  } else {
    RaiseError(err::kNotSupported, "Object doesn't support this property or method: " + name);
  }
  return Variant();
}

}  // namespace orvo
