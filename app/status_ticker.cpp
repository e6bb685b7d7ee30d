#include "app/status_ticker.h"

#include "app/status_text.h"
#include "sources/compose.h"
#include "text/between.h"

namespace quorvel {

StatusTicker::StatusTicker(Controls& controls, PressGate& gate, PressGate::PressId press)
    : controls_(controls), gate_(gate), press_(press) {}

Text StatusTicker::dots(int counter) {
  static const TextList digits = {"1", "2", "3", "4", "5", "6"};
  static const TextList dotTexts = {".", "..", "...", "...", "...", "..."};
  return replaceEach(integerToText(counter), digits, dotTexts, false);
}

bool StatusTicker::step() {
  bool ticking = false;
  gate_.writeIfCurrent(press_, [&] {
    if (isFinalStatus(controls_.text(kStatusLabel))) return;
    counter_ = counter_ <= 5 ? counter_ + 1 : 1;
    controls_.setText(kStatusLabel, statusBusy() + dots(counter_));
    ticking = true;
  });
  return ticking;
}

void StatusTicker::run(const std::function<bool()>& pause) {
  while (step() && pause()) {
  }
}

}  // namespace quorvel
