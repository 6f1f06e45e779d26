// ModelForm: the form the randomised model test drives: twenty fields of every kind on the
// headless host, lookups on a table and a dynaset of one SQLite database, and the slots that
// let a field be destroyed (its popup open or not) and made again.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "orvo/orvo_mask.h"
#include "orvo/orvo_mask_events.h"
#include "db/keyset/database.h"
#include "host/headless/headless_host.h"

namespace orvo::model {

// The application's answers: OpenRecordSet opens the statement on the form's database.
struct ModelEvents : OrvoMaskEvents {
  void OpenRecordSet(RecordsetRef& rs, std::string& sql) override;
  DatabaseRef db;
};

struct FieldSlot {
  std::string name;
  int16_t index = -1;  // an element of a control array when >= 0
  // Sets the field up as the application's form would (kind, mask, list, recordset).
  std::function<void(OrvoMask&, const DatabaseRef&)> setUp;
  std::unique_ptr<OrvoMask> field;
  // Whether the field's text was last written whole under its current mask (typed from
  // empty, set, chosen in a popup); a mask or kind change leaves the old text as it was.
  bool textFollowsMask = true;
  // Whether the mask is one for the field's kind (a date picture on a date field): a date
  // field shows its value as the picture formats it, which is the template only then.
  bool maskFitsKind = true;
};

class ModelForm {
 public:
  ModelForm();
  ~ModelForm();

  HeadlessHost host;
  DatabaseRef db;
  ModelEvents events;
  std::vector<FieldSlot> slots;

  // Makes the slot's field (again) and shows it; destroys it as a container unloads it.
  void Create(size_t slot);
  void Destroy(size_t slot);
  OrvoMask* Field(size_t slot) { return slots[slot].field.get(); }
  // A recordset of the customers in one of the three flavours.
  RecordsetRef OpenCustomers(int flavour);
};

}  // namespace orvo::model
