// Arbitrary bytes as a cuts file, and as samples of a recording: every cut
// read is a line number and a start before its end, written and read back
// the same; sentences found lie inside the recording, in order.
#include "audio/cuts_file.h"
#include "audio/pause_finder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const Cuts cuts = parseCuts(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const LineCut& cut : cuts.entries)
        if (cut.line == 0 || !(cut.sentence.start < cut.sentence.end))
            std::abort();
    if (parseCuts(cutsText(cuts.entries)).entries.size() != cuts.entries.size())
        std::abort();
    MonoAudio audio{80, std::vector<float>(size / sizeof(float))};
    std::memcpy(audio.samples.data(), data, audio.samples.size() * sizeof(float));
    double end = 0;
    for (const Sentence& sentence : findSentences(audio, size > 0 ? data[0] % 8 : 0)) {
        if (sentence.start < end - 1e-9 || sentence.end > audio.seconds() + 1e-9)
            std::abort();
        end = sentence.end;
    }
    return 0;
}
