// The hosts the runner can play in: creating one, and what only some of them offer.
#pragma once

#include <memory>
#include <string>

#include "host/form_host.h"

namespace orvo::play {

enum class HostKind;

// The headless host, or the Qt host when the runner was built with it (else error 32001).
std::unique_ptr<FormHost> CreatePlayHost(HostKind kind);

// The row of a list box under `y` (twips in the box), -1 for none; the list boxes of the
// hosts know it, the ListBox interface does not tell it.
int16_t ListRowAt(ListBox& list, float y);

// A PNG of the form and any open popup in the Qt host; nothing in the others.
void SavePlayHostScreenshot(FormHost& host, const std::string& path);

}  // namespace orvo::play
