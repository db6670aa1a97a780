#pragma once

#include <QString>

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace rtf {

// The Windows code page an RTF \fcharset names; 0 when it names none (the document's applies).
int code_page_for_charset(int charset);

// Decodes bytes of Windows code pages (single-byte and DBCS lead+trail pairs) through iconv,
// keeping one converter per code page for the reader's lifetime.
class CodePageDecoder {
 public:
  CodePageDecoder() = default;
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;
  ~CodePageDecoder();

  // Appends the text of the bytes; bytes that form no character are dropped. An unknown code
  // page decodes as 1252.
  void decode(std::string_view bytes, int code_page, QString& out);

 private:
  void* converter(int code_page);

  std::vector<std::pair<int, void*>> converters_;
};

// For each BMP character its two GBK bytes (lead << 8 | trail), 0 when GBK has no double-byte
// form. Built once.
const std::uint16_t* gbk_double_byte_table();

inline unsigned gbk_double_byte(char16_t unit) {
  return gbk_double_byte_table()[unit];
}

}  // namespace rtf
