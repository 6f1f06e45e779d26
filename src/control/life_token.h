// LifeToken: whether a control still exists, for the control's own frames still on the stack
// after a handler of one of its events destroyed it.
//
// A form that closes itself from a field's Change or LostFocus is ordinary application code,
// and a C++ destructor cannot wait for the event to return. So the control's state that must
// outlive it (alive, and how many of its frames are running) sits in a shared block that each
// frame holds on its own stack. A raise that finds the control gone throws ControlGone; the
// exception unwinds the control's frames without touching a member, and the outermost frame
// of the control (the host's notification, the popup's call, the application's call) swallows
// it and returns to its caller as if the work were done. Nothing else catches it: it is not an
// orvo::Error, so the steps that ignore errors let it pass.
#pragma once

#include <memory>
#include <stdexcept>

namespace orvo {

struct LifeState {
  bool alive = true;
  int frames = 0;  // the control's frames running, innermost included
};

// Reaches the application only when one of its own calls destroyed the control from a
// handler and that call had no frame to end in: a library fault, said plainly.
class ControlGone : public std::logic_error {
 public:
  ControlGone() : std::logic_error("the control was destroyed by a handler of its own event") {}
};

class LifeToken {
 public:
  LifeToken() : state_(std::make_shared<LifeState>()) {}
  ~LifeToken() { state_->alive = false; }
  LifeToken(const LifeToken&) = delete;
  LifeToken& operator=(const LifeToken&) = delete;

  // Taken before a call that may run application code, and read after it.
  std::shared_ptr<LifeState> Share() const { return state_; }

 private:
  std::shared_ptr<LifeState> state_;
};

// After a call that may have run application code: leaves the control's work when it is gone.
inline void LeaveIfGone(const LifeState& life) {
  if (!life.alive) throw ControlGone();
}

// Runs `work` as one frame of the control. Returns false when the control is gone by the end
// (the work then stopped where it found out). Errors pass on as they come.
template <typename F>
bool RunFrame(std::shared_ptr<LifeState> life, F&& work) {
  struct Count {
    LifeState& s;
    explicit Count(LifeState& state) : s(state) { ++s.frames; }
    ~Count() { --s.frames; }
  };
  try {
    Count count(*life);
    work();
  } catch (const ControlGone&) {
    if (life->frames > 0) throw;  // an outer frame of the control still runs: it ends there
  }
  return life->alive;
}

// Host work that runs an event loop (DoEvents) may deliver the control's own notifications,
// and ControlGone must never cross the host's loop: while a barrier stands, the control's
// frames inside it count as outermost and end there. The frame that set it leaves after it.
class FrameBarrier {
 public:
  explicit FrameBarrier(std::shared_ptr<LifeState> life)
      : life_(std::move(life)), outer_(life_->frames) {
    life_->frames = 0;
  }
  ~FrameBarrier() { life_->frames = outer_; }
  FrameBarrier(const FrameBarrier&) = delete;
  FrameBarrier& operator=(const FrameBarrier&) = delete;

 private:
  std::shared_ptr<LifeState> life_;
  int outer_;
};

}  // namespace orvo
