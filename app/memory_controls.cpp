#include "app/memory_controls.h"

#include <stdexcept>

#include "app/window_layout.h"

namespace quorvel {

MemoryControls::MemoryControls() {
  for (const ControlSpec& control : windowControls()) {
    states_[std::string(control.name)] = State{initialText(control), "", control.checked};
  }
}

// A name outside the layout is a programming error, never user input.
MemoryControls::State& MemoryControls::stateOf(std::string_view name) {
  auto found = states_.find(name);
  if (found == states_.end()) throw std::logic_error("no control named " + std::string(name));
  return found->second;
}

const MemoryControls::State& MemoryControls::stateOf(std::string_view name) const {
  return const_cast<MemoryControls*>(this)->stateOf(name);
}

Text MemoryControls::text(std::string_view name) const {
  std::lock_guard lock(mutex_);
  return stateOf(name).text;
}

void MemoryControls::setText(std::string_view name, std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    stateOf(name).text = text;
  }
  changed(name);
}

void MemoryControls::appendToBox(std::string_view name, std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    stateOf(name).text += text;
  }
  changed(name);
}

bool MemoryControls::isChecked(std::string_view name) const {
  std::lock_guard lock(mutex_);
  return stateOf(name).checked;
}

void MemoryControls::setChecked(std::string_view name, bool checked) {
  {
    std::lock_guard lock(mutex_);
    stateOf(name).checked = checked;
  }
  changed(name);
}

Text MemoryControls::toolTip(std::string_view name) const {
  std::lock_guard lock(mutex_);
  return stateOf(name).toolTip;
}

void MemoryControls::setToolTip(std::string_view name, std::string_view text) {
  {
    std::lock_guard lock(mutex_);
    stateOf(name).toolTip = text;
  }
  changed(name);
}

void MemoryControls::setObserver(Observer observer) {
  std::lock_guard lock(mutex_);
  observer_ = std::move(observer);
}

void MemoryControls::changed(std::string_view name) {
  Observer observer;
  {
    std::lock_guard lock(mutex_);
    observer = observer_;
  }
  if (observer) observer(name);
}

}  // namespace quorvel
