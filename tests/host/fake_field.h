// A stand-in for a control in host tests: a picture box holding one text box on a site of
// its own, every notification logged as "name.Event".
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/core_host.h"

namespace orvo::testing {

struct FakeField {
  FakeField(CoreHost& host, const std::string& name, std::vector<std::string>& log,
            std::optional<int16_t> index = {})
      : site(host.CreateSite(name, SiteOptions{index})) {
    const std::string n = ControlDisplayName(name, index);
    pic = site.CreatePictureBox();
    pic->Move(0, 0, 2400, 600);
    txt = site.CreateTextBox(pic.get(), false);
    txt->Move(30, 30, 2000, 300);
    SurfaceHandlers h;
    h.OnEnterFocus = [&log, n] { log.push_back(n + ".Enter"); };
    h.OnExitFocus = [&log, n] { log.push_back(n + ".Exit"); };
    h.OnGotFocus = [&log, n] { log.push_back(n + ".SurfaceGot"); };
    h.OnLostFocus = [&log, n] { log.push_back(n + ".SurfaceLost"); };
    site.SetSurfaceHandlers(h);
    txt->OnGotFocus = [&log, n] { log.push_back(n + ".Got"); };
    txt->OnLostFocus = [&log, n] { log.push_back(n + ".Lost"); };
    txt->OnChange = [&log, n] { log.push_back(n + ".Change"); };
  }
  ControlSite& site;
  std::unique_ptr<PictureBox> pic;
  std::unique_ptr<TextBox> txt;
};

}  // namespace orvo::testing
