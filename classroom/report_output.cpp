#include "classroom/report_output.h"

#include <cstdio>

namespace {

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

// Quoted when it holds a separator, a quote or a line break. A text a
// spreadsheet would take for a formula gets a leading apostrophe.
std::string csvText(const std::string& text) {
    std::string safe = text;
    if (!safe.empty() && std::string_view("=+-@").find(safe.front()) != std::string_view::npos)
        safe.insert(0, "'");
    if (safe.find_first_of(",\"\r\n") == std::string::npos)
        return safe;
    std::string quoted = "\"";
    for (char c : safe)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string minutes(std::int64_t seconds) {
    return std::to_string(seconds / 60) + " 分钟";
}

} // namespace

std::string reportCsv(const ClassReport& report) {
    std::string csv = "\xEF\xBB\xBF" + std::string(kReportCsvHeader) + "\r\n";
    for (const ReportRow& r : report.rows)
        csv += csvText(r.learner) + "," + csvText(r.lesson) + "," + std::to_string(r.attempts) +
               "," + (r.bestSpeed ? number(*r.bestSpeed) : "") + "," + number(r.lastSpeed) + "," +
               number(r.firstTryAccuracy) + "," + r.lastPractised + "," +
               std::to_string(r.dueReviews) + "\r\n";
    return csv;
}

std::string reportText(const ClassReport& report) {
    std::string text = "学习者\t课文\t次数\t最快速度\t最近速度\t一次打对率\t最近练习\t待复习\n";
    for (const ReportRow& r : report.rows)
        text += r.learner + "\t" + r.lesson + "\t" + std::to_string(r.attempts) + "\t" +
                (r.bestSpeed ? number(*r.bestSpeed) : "-") + "\t" + number(r.lastSpeed) + "\t" +
                number(r.firstTryAccuracy) + "%\t" + r.lastPractised + "\t" +
                std::to_string(r.dueReviews) + "\n";
    text += "\n学习者\t近7天练习天数\t近30天练习天数\t连续天数\t总用时\t最近发布\n";
    for (const LearnerSummary& l : report.learners)
        text += l.learner + "\t" + std::to_string(l.daysInLast7) + "\t" +
                std::to_string(l.daysInLast30) + "\t" + std::to_string(l.streak) + "\t" +
                minutes(l.seconds) + "\t" + l.publishedAt + "\n";
    text += "\n课文\t完成人数\t练习人数\n";
    for (const LessonReach& r : report.reach)
        text += r.lesson + (r.title.empty() ? "" : " " + r.title) + "\t" +
                std::to_string(r.completedBy) + "\t" + std::to_string(r.practisedBy) + "\n";
    text += "\n周\t错误类型\t次数\n";
    for (const WeekSlips& s : report.slips)
        text += s.week + "\t" + (s.kind.empty() ? "未分类" : s.kind) + "\t" +
                std::to_string(s.count) + "\n";
    text += "\n最常打错\t次数\t常打成\t人数\n";
    for (const ClassMissed& m : report.missed)
        text += m.expected + "\t" + std::to_string(m.count) + "\t" + m.typedMostOften + "\t" +
                std::to_string(m.learners) + "\n";
    if (!report.unread.empty()) {
        text += "\n未能读取的文件\t原因\n";
        for (const UnreadFile& u : report.unread)
            text += u.file + "\t" + u.reason + "\n";
    }
    return text;
}
