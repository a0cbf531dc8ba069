#include "review/rating.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 4> kNames = {"again", "hard", "good", "easy"};

} // namespace

std::string_view ratingName(Rating rating) {
    return kNames[static_cast<size_t>(rating) - 1];
}

std::optional<Rating> ratingNamed(std::string_view name) {
    for (size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name)
            return static_cast<Rating>(i + 1);
    return std::nullopt;
}
