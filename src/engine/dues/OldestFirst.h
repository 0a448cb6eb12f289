#pragma once
// Money received or paid, applied to what is due oldest first: each item, in its order, takes
// what is left, up to its own amount. What is left after the last item is not applied.
#include "data/Dialect.h"
#include "data/Money.h"

#include <algorithm>
#include <vector>

namespace tarvic {

inline std::vector<Money> applyOldestFirst(const std::vector<Money>& amounts, Money paid) {
    std::vector<Money> applied;
    applied.reserve(amounts.size());
    Money left = std::max(paid, Money());
    for (const Money& a : amounts) {
        const Money take = std::clamp(left, Money(), std::max(a, Money()));
        applied.push_back(take);
        left -= take;
    }
    return applied;
}

}  // namespace tarvic
