#pragma once
// The window's controls without a screen: every control of the layout with its text,
// checked state and tooltip, safe to use from any thread. The command line and the
// tests work on it directly; the on-screen window keeps its state here too and
// mirrors every change.
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "app/controls.h"

namespace quorvel {

class MemoryControls : public Controls {
 public:
  MemoryControls();  // every control as the window starts

  Text text(std::string_view name) const override;
  void setText(std::string_view name, std::string_view text) override;
  void appendToBox(std::string_view name, std::string_view text) override;
  bool isChecked(std::string_view name) const override;
  void setChecked(std::string_view name, bool checked) override;
  Text toolTip(std::string_view name) const override;
  void setToolTip(std::string_view name, std::string_view text) override;

  // Called after every change, with the control's name, on the thread that made it
  // and outside the lock.
  using Observer = std::function<void(std::string_view name)>;
  void setObserver(Observer observer);

 private:
  struct State {
    Text text;
    Text toolTip;
    bool checked = false;
  };
  State& stateOf(std::string_view name);  // caller holds mutex_
  const State& stateOf(std::string_view name) const;
  void changed(std::string_view name);

  mutable std::mutex mutex_;
  std::map<std::string, State, std::less<>> states_;
  Observer observer_;
};

}  // namespace quorvel
