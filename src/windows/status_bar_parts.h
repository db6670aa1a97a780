#pragma once

#include <array>

// The four parts of the main window's status bar 状态条1, by index.
enum class StatusPart {
  position = 0,
  line = 1,
  count = 2,
  date = 3,
  // Not a part: how many there are.
  part_count,
};

// A part's caption when the window is created, and the label and unit around a value shown
// there later (the blanks are part of the texts).
struct StatusPartText {
  const char* caption;
  const char* label;
  const char* unit;
};

inline constexpr auto status_part_texts = std::to_array<StatusPartText>({
    {"当前位置：", "当前位置：  ", ""},
    {"当前行号：", "当前行号：     ", "   行 "},
    {"共计字数：", "共计字数：    ", "   个字"},
    {"当前日期：", "当前日期：   ", ""},
});
static_assert(status_part_texts.size() == static_cast<std::size_t>(StatusPart::part_count));
