#pragma once

#include <string>
#include <vector>

// `orvanta-lesson sentences RECORDING [LESSON]`: the sentences of a lesson's
// recording, found by its pauses, one per lesson line when LESSON is given.
int sentencesCommand(const std::vector<std::string>& arguments);

extern const char* const kSentencesUsage;
