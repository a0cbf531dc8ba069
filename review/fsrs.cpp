#include "review/fsrs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<double, 21> w = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                      0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                      1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kRetention = 0.9;
constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500;

// Half-way values go up, as in JavaScript's Math.round.
double roundHalfUp(double x) {
    const double down = std::floor(x);
    return x - down >= 0.5 ? down + 1 : down;
}

double round8(double x) {
    return roundHalfUp(x * 1e8) / 1e8;
}

double grade(Rating rating) {
    return static_cast<double>(rating);
}

const double kDecay = -w[20];
const double kFactor = round8(std::exp(std::log(0.9) / kDecay) - 1);
const double kIntervalModifier = round8((std::pow(kRetention, 1 / kDecay) - 1) / kFactor);

double retrievability(double elapsedDays, double stability) {
    return round8(std::pow(1 + kFactor * elapsedDays / stability, kDecay));
}

double initialDifficulty(Rating rating) {
    return round8(w[4] - std::exp((grade(rating) - 1) * w[5]) + 1);
}

double nextDifficulty(double d, Rating rating) {
    const double delta = -w[6] * (grade(rating) - 3);
    const double damped = d + round8(delta * (10 - d) / 9);
    const double reverted = round8(w[7] * initialDifficulty(Rating::Easy) + (1 - w[7]) * damped);
    return std::clamp(reverted, 1.0, 10.0);
}

double recallStability(double d, double s, double r, Rating rating) {
    const double hardPenalty = rating == Rating::Hard ? w[15] : 1;
    const double easyBonus = rating == Rating::Easy ? w[16] : 1;
    const double growth = std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) *
                          (std::exp((1 - r) * w[10]) - 1) * hardPenalty * easyBonus;
    return round8(std::clamp(s * (1 + growth), kMinStability, kMaxStability));
}

double forgetStability(double d, double s, double r) {
    const double after =
        w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) * std::exp((1 - r) * w[14]);
    const double forgot = round8(std::clamp(after, kMinStability, kMaxStability));
    return std::min(std::max(round8(s), kMinStability), forgot);
}

struct Memory {
    double stability;
    double difficulty;
};

Memory nextMemory(const Schedule& card, Rating rating, double elapsedDays) {
    if (card.reviews == 0)
        return {std::max(w[static_cast<size_t>(rating) - 1], 0.1),
                std::clamp(initialDifficulty(rating), 1.0, 10.0)};
    const double r = retrievability(elapsedDays, card.stability);
    const double s = rating == Rating::Again
                         ? forgetStability(card.difficulty, card.stability, r)
                         : recallStability(card.difficulty, card.stability, r, rating);
    return {s, nextDifficulty(card.difficulty, rating)};
}

int interval(double stability) {
    return static_cast<int>(
        std::min(std::max(1.0, roundHalfUp(stability * kIntervalModifier)), double(kMaxInterval)));
}

// The four ratings' intervals keep their order, each at least a day longer
// than the one below it.
int orderedInterval(const Schedule& card, Rating rating, double elapsedDays) {
    std::array<int, 4> days{};
    for (Rating r : {Rating::Again, Rating::Hard, Rating::Good, Rating::Easy})
        days[static_cast<size_t>(r) - 1] = interval(nextMemory(card, r, elapsedDays).stability);
    days[0] = std::min(days[0], days[1]);
    for (size_t i = 1; i < days.size(); ++i)
        days[i] = std::max(days[i], days[i - 1] + 1);
    return days[static_cast<size_t>(rating) - 1];
}

} // namespace

Schedule review(const Schedule& card, Rating rating, Day day) {
    day = card.reviews == 0 ? day : std::max(day, card.lastReview);
    const double elapsed = card.reviews == 0 ? 0.0 : double(day - card.lastReview);
    const Memory memory = nextMemory(card, rating, elapsed);
    Schedule next = card;
    next.stability = memory.stability;
    next.difficulty = memory.difficulty;
    next.lastReview = day;
    next.due = day + orderedInterval(card, rating, elapsed);
    next.lapses += card.reviews > 0 && rating == Rating::Again ? 1 : 0;
    next.reviews += 1;
    return next;
}
