#pragma once

#include <QString>

// One key of the settings file config/config.ini: its section, its name and what a read gives
// when it is missing.
struct SettingKey {
  const char* section;
  const char* key;
  // nullptr: read without a fallback, so a missing key reads as "".
  const char* fallback;
  // The fallback is a path inside the program directory, built afresh at every read.
  bool fallback_in_program_dir = false;
};

// Every key the program reads or writes; no other is.
namespace setting {

// PFSZ: skin, skin effects and transparency.
inline constexpr SettingKey skin{"PFSZ", "PF", "1"};
inline constexpr SettingKey skin_effects{"PFSZ", "TX", "0"};
inline constexpr SettingKey transparency{"PFSZ", "TM", "0"};

// KNSZ: the switches of the settings window and the floating icon's picture.
inline constexpr SettingKey remember_size{"KNSZ", "BKBC", "0"};
inline constexpr SettingKey floating_icon{"KNSZ", "PFTB", "0"};
inline constexpr SettingKey start_at_logon{"KNSZ", "KJQD", "0"};
inline constexpr SettingKey floating_picture{"KNSZ", "FDTB", "ico/2.jpg", true};

// BKKG: the remembered size of the main window.
inline constexpr SettingKey window_width{"BKKG", "KD", "760"};
inline constexpr SettingKey window_height{"BKKG", "GD", "569"};

// FWJL: the last category, article and caret.
inline constexpr SettingKey last_category{"FWJL", "FL", nullptr};
inline constexpr SettingKey last_article{"FWJL", "WZ", nullptr};
inline constexpr SettingKey last_caret{"FWJL", "ZB", nullptr};

// BJCS: the stored default text format.
inline constexpr SettingKey apply_text_format{"BJCS", "SFKQBCYS", "0"};
inline constexpr SettingKey text_size{"BJCS", "DX", "12"};
inline constexpr SettingKey text_font{"BJCS", "ZTMC", "宋体"};
inline constexpr SettingKey text_colour{"BJCS", "WBYS", "0"};
inline constexpr SettingKey background_colour{"BJCS", "BJYS", "16777215"};
inline constexpr SettingKey line_height{"BJCS", "HG", "0"};
inline constexpr SettingKey bullet{"BJCS", "XMSY", "0"};
inline constexpr SettingKey first_line_indent{"BJCS", "SHSJ", "10"};
inline constexpr SettingKey other_lines_indent{"BJCS", "FSHSJ", "0"};
inline constexpr SettingKey right_indent{"BJCS", "YSJ", "0"};
inline constexpr SettingKey alignment{"BJCS", "DQFS", "1"};

}  // namespace setting

// Each access builds the file's path afresh and reads or writes one key; nothing is cached.
QString read_setting(const SettingKey& key);
void write_setting(const SettingKey& key, const QString& value);
// What a read gives when the key is missing; "" for a key without a fallback.
QString setting_fallback(const SettingKey& key);
// A switch counts as on only when its integer value is 1; it is stored as "1" or "0".
bool setting_is_on(const SettingKey& key);
void write_switch(const SettingKey& key, bool on);
