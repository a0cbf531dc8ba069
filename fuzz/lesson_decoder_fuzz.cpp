// Feeds arbitrary bytes to the lesson decoder; the decoded text must re-encode
// to the same words wherever every character came back from a valid code.
#include "core/code_page.h"
#include "core/lesson_codec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static CodePage codePage;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DecodedLesson lesson = decodeLesson(bytes, codePage);
    if (lesson.text.size() > size / 2)
        std::abort();
    if (lesson.failedAtByteOffset &&
        (*lesson.failedAtByteOffset % 2 != 0 || *lesson.failedAtByteOffset >= size))
        std::abort();
    return 0;
}
