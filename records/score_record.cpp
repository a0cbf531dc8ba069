#include "records/score_record.h"

#include "core/clock_text.h"
#include "core/number_text.h"

std::u16string rateText(std::int64_t part, std::int64_t total) {
    if (total == 0)
        return u"0";
    const std::string digits =
        fifteenDigits(static_cast<double>(part) / static_cast<double>(total) * 100.0).substr(0, 5);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string layoutScoreRecord(const ScoreRecord& r) {
    const std::int64_t total = leadingNumber(r.totalCount);
    const std::u16string accuracy = rateText(leadingNumber(r.correctCount), total);
    const std::u16string errorRate = rateText(leadingNumber(r.wrongCount), total);
    return u"\n---**************---\n学习者:" + r.learnerName + u"\n开始时刻:" + r.startTime +
           u"//完成时刻:" + r.finishTime + u"//练习用时:" + r.timeUsed + u"\n打字速度:" + r.speed +
           u"字每分钟\n正确率:" + accuracy + u"%//错误率:" + errorRate + u"%\n练习字数:" +
           r.totalCount + u"\r\n";
}
