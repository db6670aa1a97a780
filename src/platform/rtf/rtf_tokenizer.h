#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace rtf {

enum class TokenType : std::uint8_t {
  end,
  group_start,
  group_end,
  control_word,
  control_symbol,
  hex_byte,  // \'xx
  binary,    // the payload of \binN
  text,      // literal bytes without braces, backslashes or line ends
};

struct Token {
  TokenType type = TokenType::end;
  // Control word name, text bytes or binary payload; views into the input.
  std::string_view data;
  bool has_parameter = false;
  int parameter = 0;
  // Control symbol character or the hex byte's value.
  unsigned char symbol = 0;
};

namespace detail {
inline constexpr std::array<std::int8_t, 256> hex_values = [] {
  std::array<std::int8_t, 256> values{};
  values.fill(-1);
  for (int i = 0; i < 10; ++i)
    values['0' + i] = static_cast<std::int8_t>(i);
  for (int i = 0; i < 6; ++i) {
    values['a' + i] = static_cast<std::int8_t>(10 + i);
    values['A' + i] = static_cast<std::int8_t>(10 + i);
  }
  return values;
}();
}  // namespace detail

// The value of a hexadecimal digit, -1 for any other byte.
inline int hex_value(char c) {
  return detail::hex_values[static_cast<unsigned char>(c)];
}
// The digits by value, as our RTF writes bytes in hex.
inline constexpr char hex_digits[] = "0123456789abcdef";

// Splits RTF into braces, control words, hex bytes, binary payloads and text. Knows nothing of
// what the words mean; control word names are capped so a huge word costs one pass and no memory.
class Tokenizer {
 public:
  static constexpr std::size_t max_word_length = 32;

  explicit Tokenizer(std::string_view input) : input_(input) {}

  Token next();
  // Reads the next token when it is the control word of the name (not \bin) with a parameter,
  // as next() would, and gives the parameter; otherwise reads nothing and gives false.
  bool take_word(std::string_view name, int& parameter);
  // Passes over up to count hex bytes (\'xx) that come next, as their tokens would go unread;
  // gives how many it passed.
  int skip_hex_bytes(int count);
  // The offset just past the last token (and the bytes skipped before it).
  std::size_t position() const { return pos_; }

 private:
  Token read_control();

  std::string_view input_;
  std::size_t pos_ = 0;
};

}  // namespace rtf
