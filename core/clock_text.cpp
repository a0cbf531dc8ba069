#include "core/clock_text.h"

#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kNeverZero = 0.00000001;
constexpr size_t kSpeedCharacters = 6;
constexpr int kSignificantDigits = 15;

constexpr std::array<std::int64_t, kSignificantDigits + 1> kPowersOfTen = [] {
    std::array<std::int64_t, kSignificantDigits + 1> powers{};
    std::int64_t power = 1;
    for (std::int64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

std::u16string ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// A finite, non-zero magnitude rounded to 15 significant digits:
// magnitude ≈ digits × 10^(exponent − 14), with digits in [10^14, 10^15).
struct SignificantDigits {
    std::int64_t digits;
    int exponent;
};

SignificantDigits fifteenSignificant(double magnitude) {
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.14e", magnitude);
    std::int64_t digits = scientific[0] - '0';
    for (int i = 2; i < kSignificantDigits + 1; ++i)
        digits = digits * 10 + (scientific[i] - '0');
    return {digits, std::atoi(scientific + kSignificantDigits + 2)};
}

} // namespace

TimeOfDay localTimeOfDay(WallTime moment) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(moment));
    std::tm local{};
    localtime_r(&seconds, &local);
    return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec};
}

std::u16string timeOfDayText(TimeOfDay time) {
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", time.hour, time.minute, time.second);
    return ascii(text);
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
    const auto [significant, exponent] = fifteenSignificant(std::fabs(value));
    std::string digits = std::to_string(significant);
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

double charactersPerMinute(std::int64_t total, double elapsed) {
    return static_cast<double>(total) / (elapsed / 60.0);
}

std::u16string speedText(double perMinute) {
    return ascii(fifteenDigits(perMinute).substr(0, kSpeedCharacters));
}

// Six characters hold the first six digits of a speed of six or more whole
// digits (the magnitude is lost, as on the read-out), five significant digits
// and the point from 1 to 99999, and "0." with four decimals below 1.
double shownSpeed(double perMinute) {
    if (perMinute <= 0 || !std::isfinite(perMinute))
        return 0;
    const auto [digits, exponent] = fifteenSignificant(perMinute);
    if (exponent >= 5)
        return static_cast<double>(digits / kPowersOfTen[9]);
    const int cut = 10 - std::min(exponent, 0);
    if (cut >= kSignificantDigits)
        return 0;
    const auto kept = static_cast<double>(digits / kPowersOfTen[static_cast<size_t>(cut)]);
    return kept / static_cast<double>(kPowersOfTen[static_cast<size_t>(4 - std::max(exponent, 0))]);
}
