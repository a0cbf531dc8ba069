#include "core/code_page.h"

#include <stdexcept>

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

} // namespace

CodePage::CodePage()
    : m_toUtf16(iconv_open("UTF-16LE", "GBK")), m_toGbk(iconv_open("GBK", "UTF-16LE")) {
    if (m_toUtf16 == reinterpret_cast<iconv_t>(-1) || m_toGbk == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv has no GBK converter");
}

CodePage::~CodePage() {
    iconv_close(m_toUtf16);
    iconv_close(m_toGbk);
}

char16_t CodePage::bestFit(char16_t ch) {
    switch (ch) {
    case u'\u301C':
        return u'\uFF5E';
    case u'\u30FB':
        return u'\u00B7';
    default:
        return ch;
    }
}

char16_t CodePage::decodeCode(std::uint16_t code) {
    if (code < 0x80)
        return static_cast<char16_t>(code);
    char16_t& slot = m_decoded[code];
    if (slot == 0)
        slot = convertCode(code);
    return slot;
}

char16_t CodePage::convertCode(std::uint16_t code) {
    char in[2];
    size_t inLeft = 0;
    if (code < 256) {
        in[0] = static_cast<char>(code);
        inLeft = 1;
    } else {
        in[0] = static_cast<char>(code >> 8);
        in[1] = static_cast<char>(code & 0xFF);
        inLeft = 2;
    }
    unsigned char out[4];
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    iconv(m_toUtf16, nullptr, nullptr, nullptr, nullptr);
    const size_t rc = iconv(m_toUtf16, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc == static_cast<size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 2)
        return kReplacement;
    return static_cast<char16_t>(out[0] | (out[1] << 8));
}

std::optional<std::uint16_t> CodePage::encodeChar(char16_t ch) {
    ch = bestFit(ch);
    if (ch < 0x80)
        return ch;
    unsigned char in[2] = {static_cast<unsigned char>(ch & 0xFF),
                           static_cast<unsigned char>(ch >> 8)};
    unsigned char out[4];
    char* inPtr = reinterpret_cast<char*>(in);
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 2;
    size_t outLeft = sizeof out;
    iconv(m_toGbk, nullptr, nullptr, nullptr, nullptr);
    const size_t rc = iconv(m_toGbk, &inPtr, &inLeft, &outPtr, &outLeft);
    const size_t written = sizeof out - outLeft;
    if (rc == static_cast<size_t>(-1) || inLeft != 0 || written == 0 || written > 2)
        return std::nullopt;
    return written == 1 ? out[0] : static_cast<std::uint16_t>((out[0] << 8) | out[1]);
}

char16_t CodePage::canonical(char16_t ch) {
    char16_t& slot = m_canonical[ch];
    if (slot == 0) {
        const auto code = encodeChar(ch);
        slot = code ? decodeCode(*code) : ch;
    }
    return slot;
}

std::string CodePage::encodeText(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t ch : text) {
        const auto code = encodeChar(ch);
        if (!code)
            bytes += '?';
        else if (*code < 256)
            bytes += static_cast<char>(*code);
        else {
            bytes += static_cast<char>(*code >> 8);
            bytes += static_cast<char>(*code & 0xFF);
        }
    }
    return bytes;
}

size_t CodePage::decodeTextPart(std::string_view bytes, std::u16string& text) {
    text.reserve(text.size() + bytes.size());
    size_t i = 0;
    for (; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text += static_cast<char16_t>(lead);
        } else if (!isLeadByte(lead)) {
            text += kReplacement;
        } else if (i + 1 == bytes.size()) {
            break; // its trail byte may follow in the next part
        } else {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t ch = decodeCode(static_cast<std::uint16_t>((lead << 8) | trail));
            text += ch;
            if (ch != kReplacement)
                ++i;
        }
    }
    return i;
}

std::u16string CodePage::decodeText(std::string_view bytes) {
    std::u16string text;
    if (decodeTextPart(bytes, text) < bytes.size())
        text += kReplacement; // a lead byte without its trail byte
    return text;
}
