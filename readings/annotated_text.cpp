#include "readings/annotated_text.h"

std::u16string annotatedText(std::u16string_view text, const std::vector<Ruby>& rubies) {
    std::u16string out;
    std::size_t copied = 0;
    for (const Ruby& ruby : rubies) {
        out += text.substr(copied, ruby.start + ruby.length - copied);
        out += u'[' + ruby.reading + u']';
        copied = ruby.start + ruby.length;
    }
    return out + std::u16string(text.substr(copied));
}
