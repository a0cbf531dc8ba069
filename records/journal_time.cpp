#include "records/journal_time.h"

namespace {

std::string formatLocal(std::time_t time, const char* format) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[64];
    const size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

} // namespace

std::string isoLocalTime(WallTime moment) {
    const std::time_t time =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(moment));
    const std::string offset = formatLocal(time, "%z"); // +0800
    return formatLocal(time, "%Y-%m-%dT%H:%M:%S") + offset.substr(0, 3) + ":" + offset.substr(3);
}

std::string compactLocalTime(std::time_t time) {
    return formatLocal(time, "%Y%m%d-%H%M%S");
}
