// QtField: one field of the control on a shown Qt form, focused, for the Qt benchmarks.
#pragma once

#include "orvo/orvo_mask.h"
#include "host/qt/qt_host.h"

namespace orvo::bench {

struct QtField {
  QtField(TipoDeCampo kind, const char* mask) : site(host.CreateSite("campo")), control(site) {
    host.RegisterControl(site, &control);
    control.SetDataType(kind);
    control.SetMask(mask);
  }
  // Shows the form and focuses the field; set what else the field needs first.
  void Show() {
    host.ShowForm();
    host.FocusControl(site);
  }

  QtHost host;
  ControlSite& site;
  OrvoMask control;
};

}  // namespace orvo::bench
