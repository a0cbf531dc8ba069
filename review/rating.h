#pragma once

#include <optional>
#include <string_view>

// How well a word was remembered, as the scheduler counts it.
enum class Rating { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// again, hard, good, easy.
std::string_view ratingName(Rating rating);
std::optional<Rating> ratingNamed(std::string_view name);
