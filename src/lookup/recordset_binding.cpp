// Binding a recordset, the filter key, record validation and list preparation.
#include "control/orvo_mask.h"

namespace orvo {

void OrvoMask::SetSelectFilter(const std::string& v) {
  m_.SelectFilter = v;
  if (gRsLista && gTpTabela) {
    m_.Filter = v;
    ParseFilter();
  }
}

void OrvoMask::SetFilter(const std::string& v) {
  m_.Filter = v;
  ParseFilter();
  RaiseChangeReport("Filter");
}

void OrvoMask::SetRecordSource(RecordsetRef) { NotAvailableYet("RecordSource"); }

void OrvoMask::ParseFilter() {
  m_.FilterKeyLast = -1;
  if (!gRsLista || m_.Filter.empty() || !gTpTabela) return;
  NotAvailableYet("Filter on a bound table");
}

void OrvoMask::Pesquisa(int16_t&) { NotAvailableYet("Pesquisa"); }
bool OrvoMask::RegistroOk() { NotAvailableYet("RegistroOk"); }
void OrvoMask::PrepareList(int16_t&) { NotAvailableYet("PrepareList"); }
void OrvoMask::LocateValue() { NotAvailableYet("LocateValue"); }

}  // namespace orvo
