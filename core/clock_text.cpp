#include "core/clock_text.h"

#include "core/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kNeverZero = 0.00000001;

std::u16string ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

int field(std::u16string_view text, size_t start, size_t length) {
    if (start >= text.size())
        return 0;
    return static_cast<int>(leadingNumber(text.substr(start, length)));
}

} // namespace

std::u16string timeOfDayText(TimeOfDay time) {
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", time.hour, time.minute, time.second);
    return ascii(text);
}

TimeOfDay timeFields(std::u16string_view text) {
    const bool shortHour = text.size() == 7;
    const size_t secondsAt = text.size() >= 2 ? text.size() - 2 : 0;
    return TimeOfDay{field(text, 0, shortHour ? 1 : 2), field(text, shortHour ? 2 : 3, 2),
                     field(text, secondsAt, 2)};
}

double elapsedSeconds(TimeOfDay start, TimeOfDay now) {
    const int hours = now.hour - start.hour;
    const int minutes = now.minute - start.minute;
    const int seconds = now.second - start.second;
    double elapsed = 3600.0 * hours + 60.0 * minutes + seconds;
    if (elapsed < 0)
        elapsed += kSecondsPerDay;
    return elapsed + kNeverZero;
}

std::u16string elapsedText(double elapsed) {
    const auto whole = static_cast<std::int64_t>(std::trunc(elapsed));
    const std::int64_t seconds = whole % 60;
    const std::int64_t minutes = ((whole - seconds) / 60) % 60;
    const std::int64_t hours = (whole / 3600) % 60;
    return numberText(hours) + u":" + numberText(minutes) + u":" + numberText(seconds);
}

std::string fifteenDigits(double value) {
    if (value == 0 || !std::isfinite(value))
        return "0";
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(value));
    std::string digits{scientific[0]};
    digits.append(scientific + 2, scientific + 16);
    const int exponent = std::atoi(scientific + 17);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string text = value < 0 ? "-" : "";
    if (exponent < 0) {
        text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= integerDigits)
            text += digits + std::string(integerDigits - digits.size(), '0');
        else
            text += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
    }
    return text;
}

std::u16string speedText(std::int64_t total, double elapsed) {
    const double perMinute = static_cast<double>(total) / (elapsed / 60.0);
    return ascii(fifteenDigits(perMinute).substr(0, 6));
}
