#pragma once

#include <cstdint>
#include <string>

// The eight texts of one saved attempt, as the save dialog shows them.
struct ScoreRecord {
    std::u16string learnerName;
    std::u16string startTime;
    std::u16string finishTime;
    std::u16string timeUsed;
    std::u16string speed;
    std::u16string correctCount;
    std::u16string wrongCount;
    std::u16string totalCount;
};

// The record as it stands in the history file: an empty first line, six lines
// separated by LF, the last ended by CR LF.
std::u16string layoutScoreRecord(const ScoreRecord& record);

// part / total * 100 with 15 significant digits, cut to 5 characters.
// Without a total (0) the rate is "0".
std::u16string rateText(std::int64_t part, std::int64_t total);
