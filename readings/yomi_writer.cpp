#include "readings/yomi_writer.h"

#include "core/utf8.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string correctionLine(const Correction& correction) {
    return toUtf8(correction.word) + "\t" + toUtf8(correction.reading) + "\n";
}

} // namespace

std::string withCorrection(std::string_view yomiBytes, const Correction& correction) {
    // A byte order mark stays, so that the lines read back are the lines kept.
    std::string out;
    if (yomiBytes.starts_with(kByteOrderMark)) {
        yomiBytes.remove_prefix(kByteOrderMark.size());
        out = kByteOrderMark;
    }
    const std::string wordPrefix = toUtf8(correction.word) + "\t";
    bool written = correction.reading.empty();
    while (!yomiBytes.empty()) {
        const auto end = yomiBytes.find('\n');
        std::string_view line = yomiBytes.substr(0, end);
        yomiBytes.remove_prefix(end == std::string_view::npos ? yomiBytes.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!line.starts_with(wordPrefix)) {
            out.append(line).append("\n");
        } else if (!written) {
            out += correctionLine(correction);
            written = true;
        }
    }
    if (!written)
        out += correctionLine(correction);
    return out;
}
