#pragma once
// Animates the status label "标签3" while a press's extractors run: "正在获取中" followed by
// one, two, then three dots (three dots for four steps), then one dot again.
#include <functional>

#include "app/controls.h"
#include "app/press_gate.h"

namespace quorvel {

class StatusTicker {
 public:
  StatusTicker(Controls& controls, PressGate& gate, PressGate::PressId press);

  // One check-and-write, atomic against every final status write: reads the label and,
  // unless it holds a final status, writes the next dot text. Returns false, writing
  // nothing, when the ticker has ended: the label holds a final status, or a newer
  // press has started.
  bool step();

  // Steps at once, then after each `pause`, until the ticker ends. `pause` returns
  // false to end it early (the process is shutting down).
  void run(const std::function<bool()>& pause);

  // The dot text of counter value 1..6: ".", "..", "...", "...", "...", "...".
  static Text dots(int counter);

 private:
  Controls& controls_;
  PressGate& gate_;
  const PressGate::PressId press_;
  int counter_ = 0;
};

}  // namespace quorvel
