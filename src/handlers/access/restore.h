#pragma once

#include <functional>
#include <string_view>

// 数据设置 > 数据恢复: after the question and the file dialog, replaces data.mdb by the one in the
// chosen archive once that has proved whole, and shows the restored categories. A refused or
// failed restore leaves data.mdb as it was and the connection open again.
void restore_database();

// The steps after which a restore can be cut off: the notebook must then open whole, old or new.
inline constexpr std::string_view restore_step_unpacked = "unpacked";
inline constexpr std::string_view restore_step_validated = "validated";
inline constexpr std::string_view restore_step_replaced = "replaced";

// Tests stop a restore at a step (to kill the process there); empty for none.
void set_restore_step_hook(std::function<void(std::string_view step)> hook);
