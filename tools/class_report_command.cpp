#include "tools/class_report_command.h"

#include "classroom/class_report.h"
#include "classroom/report_output.h"
#include "tools/tool_output.h"

#include <ctime>
#include <filesystem>
#include <iostream>

const char* const kClassReportUsage =
    R"(  orvanta-lesson class-report DIR [--csv]
      Reads the progress every learner's program published into the class
      folder DIR and prints the class report: learners by lesson, days
      practised, where the class stops, slips by week and the characters
      missed most. With --csv, the table of learners and lessons only, as
      UTF-8 CSV with a byte order mark. A learner's file that cannot be read
      is named (on standard error with --csv) and left out. Exit 0; 2 when DIR
      is no folder or the arguments are wrong.
)";

namespace {

int usageError(const std::string& why) {
    std::cerr << "orvanta-lesson: " << why << "\nUsage:\n" << kClassReportUsage;
    return 2;
}

std::string localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", &local);
    return day;
}

} // namespace

int classReportCommand(const std::vector<std::string>& arguments) {
    bool csv = false;
    std::optional<std::string> folder;
    for (const std::string& argument : arguments) {
        if (argument == "--csv")
            csv = true;
        else if (!folder)
            folder = argument;
        else
            return usageError("class-report takes one folder");
    }
    if (!folder)
        return usageError("class-report needs the class folder");
    std::error_code error;
    if (!std::filesystem::is_directory(*folder, error))
        return usageError("not a folder: " + *folder);
    const ClassReport report = readClassReport(*folder, localToday());
    if (csv)
        for (const UnreadFile& file : report.unread)
            std::cerr << "orvanta-lesson: skipped " << file.file << ": " << file.reason << "\n";
    const auto failure = writeStandardOutput(csv ? reportCsv(report) : reportText(report));
    return failure ? cannotWrite("standard output", *failure) : 0;
}
