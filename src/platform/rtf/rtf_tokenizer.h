#pragma once

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

// The value of a hexadecimal digit, -1 for any other byte.
int hex_value(char c);
// The digits by value, as our RTF writes bytes in hex.
inline constexpr char hex_digits[] = "0123456789abcdef";

// Splits RTF into braces, control words, hex bytes, binary payloads and text. Knows nothing of
// what the words mean; control word names are capped so a huge word costs one pass and no memory.
class Tokenizer {
 public:
  static constexpr std::size_t max_word_length = 32;

  explicit Tokenizer(std::string_view input) : input_(input) {}

  Token next();
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
