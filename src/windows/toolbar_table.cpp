#include "windows/toolbar_table.h"

#include <array>

#include "windows/toolbar_buttons.h"

namespace {

using Kind = ToolbarEntry::Kind;

constexpr ToolbarEntry separator{Kind::separator, "", nullptr};

constexpr auto entries = std::to_array<ToolbarEntry>({
    {Kind::button, "新建", ":/toolbar/new.svg"},
    {Kind::button, "打开", ":/toolbar/open.svg"},
    {Kind::button, "保存", ":/toolbar/save.svg"},
    separator,
    {Kind::button, "剪切", ":/toolbar/cut.svg"},
    {Kind::button, "复制", ":/toolbar/copy.svg"},
    {Kind::button, "粘贴", ":/toolbar/paste.svg"},
    separator,
    {Kind::button, "查找", ":/toolbar/find.svg"},
    {Kind::button, "刷新", ":/toolbar/refresh.svg"},
    separator,
    {Kind::button, "加粗", ":/toolbar/bold.svg"},
    {Kind::button, "倾斜", ":/toolbar/italic.svg"},
    {Kind::button, "下划线", ":/toolbar/underline.svg"},
    separator,
    {Kind::button, "居左", ":/toolbar/align-left.svg"},
    {Kind::button, "居中", ":/toolbar/align-centre.svg"},
    {Kind::button, "居右", ":/toolbar/align-right.svg"},
    separator,
    {Kind::dropdown, "字体大小", ":/toolbar/font-size.svg"},
    {Kind::dropdown, "文本颜色", ":/toolbar/text-colour.svg"},
    {Kind::dropdown, "背景颜色", ":/toolbar/background-colour.svg"},
});
static_assert(entries.size() == toolbar_button_count);

}  // namespace

std::span<const ToolbarEntry> toolbar_entries() {
  return entries;
}
