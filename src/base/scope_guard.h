// ScopeGuard: a cleanup that runs when its scope ends, unless dismissed first.
#pragma once

#include <utility>

#include "base/error.h"

namespace orvo {

// Written for the undo of a step half done: arm the guard after the step, dismiss it once
// the whole sequence has succeeded. A cleanup that raises an orvo::Error while the scope
// unwinds is dropped, so the error that unwound the scope is the one reported.
template <typename F>
class ScopeGuard {
 public:
  explicit ScopeGuard(F cleanup) : cleanup_(std::move(cleanup)) {}
  ~ScopeGuard() {
    if (armed_) TryStep(cleanup_);
  }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;

  void Dismiss() { armed_ = false; }

 private:
  F cleanup_;
  bool armed_ = true;
};

}  // namespace orvo
