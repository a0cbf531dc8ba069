#include "core/text_import.h"

#include "core/utf8.h"

#include <optional>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char16_t kReplacement = u'\uFFFD';

bool isUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// The first byte that makes this no text file whatever its encoding.
std::optional<RefusedText> binaryByte(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0)
            return RefusedText{NotText::NulByte, i};
        if (isStrayControl(byte))
            return RefusedText{NotText::ControlCharacter, i};
    }
    return std::nullopt;
}

// GBK holds no U+FFFD, so one in the decoded text marks bytes that are no GBK.
std::optional<std::u16string> strictGbk(std::string_view bytes, CodePage& codePage) {
    std::u16string text = codePage.decodeText(bytes);
    if (text.find(kReplacement) != std::u16string::npos)
        return std::nullopt;
    return text;
}

} // namespace

bool isStrayControl(unsigned char byte) {
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F;
}

std::variant<ImportedText, RefusedText> importText(std::string_view bytes, CodePage& codePage) {
    if (isUtf16Mark(bytes))
        return RefusedText{NotText::Utf16, 0};
    if (const auto refused = binaryByte(bytes))
        return *refused;
    const bool marked = bytes.starts_with(kUtf8Mark);
    const std::string_view body = marked ? bytes.substr(kUtf8Mark.size()) : bytes;
    Utf8Error utf8Error{};
    if (auto text = fromUtf8(body, &utf8Error))
        return ImportedText{std::move(*text),
                            marked ? TextEncoding::Utf8WithByteOrderMark : TextEncoding::Utf8};
    if (marked)
        return RefusedText{NotText::UnknownEncoding, kUtf8Mark.size() + utf8Error.byteOffset};
    if (auto text = strictGbk(bytes, codePage))
        return ImportedText{std::move(*text), TextEncoding::Gbk};
    return RefusedText{NotText::UnknownEncoding, utf8Error.byteOffset};
}
