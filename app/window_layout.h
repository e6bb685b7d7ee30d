#pragma once
// Every control of the main window: name, kind, parent, geometry, initial text and state.
#include <span>
#include <string_view>

#include "text/text.h"

namespace quorvel {

enum class ControlKind { GroupBox, Label, LineEdit, MultiLineEdit, PushButton, CheckBox, RadioButton };

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // "" for the window itself
  int left, top, width, height;
  bool checked;
};

std::span<const ControlSpec> windowControls();
const ControlSpec* findControl(std::string_view name);

// The text a control starts with, in GBK (some come from the source table).
Text initialText(const ControlSpec& control);

// The window caption, in GBK, and its outer size.
Text windowCaption();
inline constexpr int kWindowWidth = 611;
inline constexpr int kWindowHeight = 385;

}  // namespace quorvel
