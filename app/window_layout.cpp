#include "app/window_layout.h"

#include <array>

#include "sources/domains.h"
#include "text/charset.h"

namespace quorvel {
namespace {

using K = ControlKind;

constexpr std::array kControls = {
    ControlSpec{"分组框2", K::GroupBox, "", 7, 5, 496, 72, false},
    ControlSpec{"标签1", K::Label, "分组框2", 12, 13, 80, 24, false},
    ControlSpec{"地址框", K::LineEdit, "分组框2", 52, 13, 336, 24, false},
    ControlSpec{"获取按钮", K::PushButton, "分组框2", 401, 10, 87, 25, false},
    ControlSpec{"选择框1", K::CheckBox, "分组框2", 8, 42, 80, 24, true},
    ControlSpec{"选择框2", K::CheckBox, "分组框2", 54, 42, 80, 24, true},
    ControlSpec{"选择框3", K::CheckBox, "分组框2", 128, 41, 70, 24, true},
    ControlSpec{"选择框4", K::CheckBox, "分组框2", 198, 41, 56, 24, true},
    ControlSpec{"选择框5", K::CheckBox, "分组框2", 240, 41, 56, 24, true},
    ControlSpec{"选择框6", K::CheckBox, "分组框2", 288, 42, 56, 24, true},
    ControlSpec{"选择框7", K::CheckBox, "分组框2", 336, 42, 56, 24, true},
    ControlSpec{"选择框8", K::CheckBox, "分组框2", 394, 42, 56, 24, true},
    ControlSpec{"分组框1", K::GroupBox, "", 8, 81, 496, 264, false},
    ControlSpec{"标签2", K::Label, "分组框1", 12, 17, 80, 24, false},
    ControlSpec{"编辑框1", K::LineEdit, "分组框1", 41, 17, 375, 24, false},
    ControlSpec{"按钮1", K::PushButton, "分组框1", 432, 16, 56, 24, false},
    ControlSpec{"标签5", K::Label, "分组框1", 11, 47, 80, 24, false},
    ControlSpec{"按钮2", K::PushButton, "分组框1", 432, 47, 56, 24, false},
    ControlSpec{"编辑框2", K::MultiLineEdit, "分组框1", 8, 77, 480, 178, false},
    ControlSpec{"编辑框5", K::LineEdit, "", 88, 127, 256, 25, false},
    ControlSpec{"替换按钮", K::PushButton, "", 352, 128, 72, 25, false},
    ControlSpec{"标签3", K::Label, "", 511, 15, 128, 24, false},
    ControlSpec{"标签4", K::Label, "", 512, 45, 80, 24, false},
    ControlSpec{"单选框1", K::RadioButton, "", 512, 68, 80, 24, false},
    ControlSpec{"单选框2", K::RadioButton, "", 512, 91, 80, 24, false},
    ControlSpec{"单选框3", K::RadioButton, "", 512, 115, 80, 24, false},
    ControlSpec{"单选框4", K::RadioButton, "", 512, 139, 80, 24, false},
    ControlSpec{"单选框5", K::RadioButton, "", 512, 163, 88, 24, false},
    ControlSpec{"单选框6", K::RadioButton, "", 512, 187, 80, 24, false},
    ControlSpec{"单选框7", K::RadioButton, "", 512, 209, 80, 24, false},
    ControlSpec{"单选框8", K::RadioButton, "", 512, 230, 80, 24, false},
    ControlSpec{"单选框9", K::RadioButton, "", 513, 252, 80, 24, false},
    ControlSpec{"标签6", K::Label, "", 648, 280, 160, 24, false},
    ControlSpec{"标签7", K::Label, "", 648, 320, 160, 24, false},
};

constexpr std::string_view kAuthorLine = "by Ordwyn";

// Fixed captions, in UTF-8 as written here.
constexpr std::array<std::pair<std::string_view, std::string_view>, 19> kCaptions = {{
    {"标签1", "地址:"},       {"获取按钮", "获取"},     {"选择框1", "快播"},
    {"选择框2", "百度影音"},  {"选择框3", "迅播高清"},  {"选择框4", "FTP"},
    {"选择框5", "电驴"},      {"选择框6", "快车"},      {"选择框7", "迅雷"},
    {"选择框8", "磁力"},      {"标签2", "标题"},        {"按钮1", "复制标题"},
    {"标签5", "替换内容"},    {"按钮2", "复制内容"},    {"替换按钮", "替换"},
    {"标签3", "获取状态"},    {"标签4", "获取站点"},    {"标签6", kAuthorLine},
    {"标签7", "2012-12-4"},
}};

}  // namespace

std::span<const ControlSpec> windowControls() { return kControls; }

const ControlSpec* findControl(std::string_view name) {
  for (const ControlSpec& control : kControls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

Text initialText(const ControlSpec& control) {
  if (control.name == "地址框") return sampleAddress();
  if (control.kind == ControlKind::RadioButton) {
    return Text(sourceDomain(control.name.back() - '0'));
  }
  for (const auto& [name, caption] : kCaptions) {
    if (name == control.name) return utf8ToGbk(caption);
  }
  return "";
}

Text windowCaption() { return "Quorvel" + std::string(31, ' ') + Text(kAuthorLine); }

}  // namespace quorvel
