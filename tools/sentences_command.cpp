#include "tools/sentences_command.h"

#include "audio/cuts_file.h"
#include "audio/lesson_sentences.h"
#include "audio/pause_finder.h"
#include "audio/recording_decoder.h"
#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "tools/tool_output.h"

#include <iostream>

const char* const kSentencesUsage = R"(  orvanta-lesson sentences RECORDING [LESSON]
      Finds the sentences of RECORDING (any format GStreamer plays: wma, mp3,
      ogg, wav) by the pauses between them. With LESSON, one sentence per
      line of the lesson that holds text, cut at the longest pauses, printed
      as LINE<TAB>START<TAB>END; without it every sentence found, as
      START<TAB>END (seconds, two decimals). Exit 0; 2 if RECORDING or LESSON
      cannot be read or RECORDING cannot be decoded; 1 if the recording holds
      fewer sentences than the lesson has lines (what was found is printed).
)";

namespace {

// Decoded at a rate that keeps speech apart from silence, and little more.
constexpr int kAnalysisRate = 8000;

int usageError() {
    std::cerr << "Usage:\n" << kSentencesUsage;
    return 2;
}

int print(const std::string& text) {
    const auto error = writeStandardOutput(text);
    return error ? cannotWrite("standard output", *error) : 0;
}

int forLesson(const MonoAudio& audio, const std::string& lessonPath) {
    const auto read = readRegularFile(lessonPath, kLessonFileLimit);
    if (const auto* problem = std::get_if<FileProblem>(&read))
        return cannotRead(lessonPath, *problem);
    CodePage codePage;
    const auto lines = spokenLines(decodeLesson(std::get<std::string>(read), codePage).text);
    const auto cuts = cutsForLines(findSentences(audio, lines.size()), lines);
    if (const int status = print(cutsText(cuts)))
        return status;
    if (cuts.size() < lines.size()) {
        std::cerr << "orvanta-lesson: the recording holds " << cuts.size()
                  << " sentences, the lesson " << lines.size() << " lines\n";
        return 1;
    }
    return 0;
}

} // namespace

int sentencesCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2)
        return usageError();
    const std::string& recordingPath = arguments[0];
    const auto bytes = readRecording(recordingPath);
    if (const auto* problem = std::get_if<FileProblem>(&bytes))
        return cannotRead(recordingPath, *problem);
    const auto decoded =
        decodeRecording(std::get<std::shared_ptr<const std::string>>(bytes), kAnalysisRate);
    if (const auto* why = std::get_if<std::string>(&decoded)) {
        std::cerr << "orvanta-lesson: cannot decode " << recordingPath << ": " << *why << "\n";
        return 2;
    }
    const MonoAudio& audio = std::get<MonoAudio>(decoded);
    if (arguments.size() == 2)
        return forLesson(audio, arguments[1]);
    return print(sentencesText(findSentences(audio)));
}
