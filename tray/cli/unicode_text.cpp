#include "tray/cli/unicode_text.h"

#include <cstdint>

namespace holvara::cli {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& text, char32_t code) {
  const auto put = [&text](std::uint32_t byte) { text += static_cast<char>(byte); };
  if (code < 0x80) {
    put(code);
  } else if (code < 0x800) {
    put(0xC0 | code >> 6);
    put(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    put(0xE0 | code >> 12);
    put(0x80 | (code >> 6 & 0x3F));
    put(0x80 | (code & 0x3F));
  } else {
    put(0xF0 | code >> 18);
    put(0x80 | (code >> 12 & 0x3F));
    put(0x80 | (code >> 6 & 0x3F));
    put(0x80 | (code & 0x3F));
  }
}

void AppendUtf16(std::u16string& text, char32_t code) {
  if (code < 0x10000) {
    text += static_cast<char16_t>(code);
  } else {
    text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
    text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  }
}

// The code point of the well-formed sequence at the start of utf8 and its length, or none (0).
std::size_t DecodeUtf8(std::string_view utf8, char32_t& code) {
  const auto byte = [&utf8](std::size_t at) { return static_cast<std::uint8_t>(utf8[at]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (utf8.size() < length) return 0;
  for (std::size_t at = 1; at < length; ++at) {
    if ((byte(at) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(at) & 0x3F);
  }
  if (code < least || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) return 0;
  return length;
}

}  // namespace

std::string Utf8(std::u16string_view text) {
  std::string utf8;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t code = text[at];
    if (IsHighSurrogate(code) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++at] - 0xDC00);
    } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
      code = kReplacement;
    }
    AppendUtf8(utf8, code);
  }
  return utf8;
}

std::u16string Utf16(std::string_view utf8) {
  std::u16string text;
  while (!utf8.empty()) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(utf8, code);
    AppendUtf16(text, length ? code : kReplacement);
    utf8.remove_prefix(length ? length : 1);
  }
  return text;
}

}  // namespace holvara::cli
