#pragma once
// The window's controls, addressed by their names ("编辑框1", "标签3", "选择框4" ...).
// Every call may come from any thread. Texts are GBK; names are as the window calls them.
#include <string_view>

#include "text/text.h"

namespace quorvel {

class Controls {
 public:
  virtual ~Controls() = default;

  virtual Text text(std::string_view name) const = 0;
  virtual void setText(std::string_view name, std::string_view text) = 0;
  // Adds text at the end of an edit box, so successive calls build it in call order.
  virtual void appendToBox(std::string_view name, std::string_view text) = 0;

  virtual bool isChecked(std::string_view name) const = 0;
  // Setting a state from code is not a click: no click handler runs.
  virtual void setChecked(std::string_view name, bool checked) = 0;

  virtual Text toolTip(std::string_view name) const = 0;
  virtual void setToolTip(std::string_view name, std::string_view text) = 0;
};

}  // namespace quorvel
