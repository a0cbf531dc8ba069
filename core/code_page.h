#pragma once

#include <array>
#include <cstdint>
#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

// The GBK (CP936) code page through glibc iconv. Lesson files hold character
// codes of this page and the history file is written in it. The typed text goes
// through the same conversion as the lesson text before the two are compared.
class CodePage {
  public:
    CodePage();
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // The character of one lesson code: 0-255 a single byte, otherwise lead byte
    // high and trail byte low. A code that is no GBK character gives U+FFFD.
    char16_t decodeCode(std::uint16_t code);

    // The GBK code of one character after best-fit, or nothing if GBK lacks it.
    std::optional<std::uint16_t> encodeChar(char16_t ch);

    // A character as it comes back from a round trip through the code page:
    // best-fit applied; a character GBK lacks is returned unchanged. Each
    // character is converted once: the whole typed text is made canonical
    // after every key.
    char16_t canonical(char16_t ch);

    // Text to GBK bytes; a character GBK lacks becomes '?'.
    std::string encodeText(std::u16string_view text);

    // GBK bytes to text; a byte sequence that is no GBK character becomes U+FFFD.
    std::u16string decodeText(std::string_view bytes);

    // Decodes one part of longer GBK bytes, appending to `text`: as decodeText,
    // except that a lead byte at the very end is left for the next part.
    // Returns the number of bytes decoded.
    size_t decodeTextPart(std::string_view bytes, std::u16string& text);

    // Characters a Linux input method types that GBK lacks, mapped to the GBK
    // characters that look the same: 〜 to ～ and ・ to ·.
    static char16_t bestFit(char16_t ch);

  private:
    char16_t convertCode(std::uint16_t code);

    iconv_t m_toUtf16;
    iconv_t m_toGbk;
    std::array<char16_t, 65536> m_decoded{};   // 0 = not converted yet
    std::array<char16_t, 65536> m_canonical{}; // 0 = not worked out yet
};
