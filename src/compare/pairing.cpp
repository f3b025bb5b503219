#include "compare/pairing.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "compare/decimal_text.h"

namespace corvane {

namespace {

Pairing Unpaired(std::size_t oldCount, std::size_t newCount) {
    return {std::vector<int>(oldCount, -1), std::vector<int>(newCount, -1)};
}

void Pair(Pairing& pairing, int oldIndex, int newIndex) {
    pairing.NewOfOld[static_cast<std::size_t>(oldIndex)] = newIndex;
    pairing.OldOfNew[static_cast<std::size_t>(newIndex)] = oldIndex;
}

// A possible pair of one key's cells, ordered as the pairing takes them. The
// sort compares far more often than there are candidates, so a distance is
// held in a form that compares without building a number: as an integer at
// the decimals of the whole group when every offset of the group fits 17
// digits (nearly always), else as the digits of its magnitude at those
// decimals without leading zeros, which compare by length, then digit by digit.
struct Candidate {
    bool hasDistance = false;
    std::uint64_t near = 0;
    const std::string* magnitude = nullptr;  // kept by the pairing of the group; none when exact
    int oldIndex = 0;
    int newIndex = 0;

    bool operator<(const Candidate& other) const {
        if (hasDistance != other.hasDistance) {
            return hasDistance;
        }
        if (near != other.near) {
            return near < other.near;
        }
        if (magnitude && other.magnitude) {
            if (magnitude->size() != other.magnitude->size()) {
                return magnitude->size() < other.magnitude->size();
            }
            if (const int order = magnitude->compare(*other.magnitude); order != 0) {
                return order < 0;
            }
        }
        return std::pair(oldIndex, newIndex) < std::pair(other.oldIndex, other.newIndex);
    }
};

// An offset of a group, read once: as written, and scaled to the group's decimals.
struct GroupOffset {
    std::optional<DecimalNumber> number;
    std::optional<std::int64_t> scaled;  // none when not a number or wider than 17 digits
};

constexpr std::size_t kExactDigits = 17;  // the difference of two such stays within 64 bits

std::optional<std::int64_t> ScaledTo(const DecimalNumber& number, int decimals) {
    const std::size_t zeros = static_cast<std::size_t>(decimals - number.Decimals);
    if (number.Digits.size() + zeros > kExactDigits) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char digit : number.Digits) {
        value = value * 10 + (digit - '0');
    }
    for (std::size_t zero = 0; zero < zeros; ++zero) {
        value *= 10;
    }
    return number.Negative ? -value : value;
}

std::vector<GroupOffset> Offsets(const std::vector<int>& indexes,
                                 const std::vector<const ReportCell*>& cells) {
    std::vector<GroupOffset> offsets;
    offsets.reserve(indexes.size());
    for (const int index : indexes) {
        offsets.push_back({ParseDecimal(cells[static_cast<std::size_t>(index)]->Offset), {}});
    }
    return offsets;
}

// The decimals every distance of a group is held at, and whether all fit 64 bits.
struct GroupScale {
    int decimals = 0;
    bool exact = true;
};

// Scales every offset of the group to its most decimals.
GroupScale ScaleGroup(std::vector<GroupOffset>& olds, std::vector<GroupOffset>& news) {
    int decimals = 0;
    for (const auto* group : {&olds, &news}) {
        for (const GroupOffset& offset : *group) {
            decimals = std::max(decimals, offset.number ? offset.number->Decimals : 0);
        }
    }
    bool exact = true;
    for (auto* group : {&olds, &news}) {
        for (GroupOffset& offset : *group) {
            if (offset.number) {
                offset.scaled = ScaledTo(*offset.number, decimals);
                exact = exact && offset.scaled.has_value();
            }
        }
    }
    return {decimals, exact};
}

// The magnitude of an inexact distance goes to `magnitudes`, which must not grow beyond what it
// reserved.
Candidate CandidateOf(const GroupOffset& from, const GroupOffset& to, GroupScale scale,
                      int oldIndex, int newIndex, std::vector<std::string>& magnitudes) {
    Candidate candidate{from.number && to.number, 0, nullptr, oldIndex, newIndex};
    if (!candidate.hasDistance) {
        return candidate;
    }
    if (scale.exact) {
        const std::int64_t difference = *to.scaled - *from.scaled;
        candidate.near = static_cast<std::uint64_t>(difference < 0 ? -difference : difference);
        return candidate;
    }
    const DecimalNumber distance = Difference(*from.number, *to.number);
    std::string& magnitude = magnitudes.emplace_back(distance.Digits);
    if (!distance.IsZero()) {
        magnitude.append(static_cast<std::size_t>(scale.decimals - distance.Decimals), '0');
    }
    candidate.magnitude = &magnitude;
    return candidate;
}

// Nearest first among the cells of one key; a key held once on each side
// (nearly every key) pairs without a look at the offsets.
void PairNearest(Pairing& pairing, const std::vector<int>& olds, const std::vector<int>& news,
                 const std::vector<const ReportCell*>& oldCells,
                 const std::vector<const ReportCell*>& newCells) {
    if (olds.size() == 1 && news.size() == 1) {
        Pair(pairing, olds.front(), news.front());
        return;
    }
    std::vector<GroupOffset> oldOffsets = Offsets(olds, oldCells);
    std::vector<GroupOffset> newOffsets = Offsets(news, newCells);
    const GroupScale scale = ScaleGroup(oldOffsets, newOffsets);
    std::vector<Candidate> candidates;
    candidates.reserve(olds.size() * news.size());
    std::vector<std::string> magnitudes;
    magnitudes.reserve(scale.exact ? 0 : candidates.capacity());
    for (std::size_t i = 0; i < olds.size(); ++i) {
        for (std::size_t j = 0; j < news.size(); ++j) {
            candidates.push_back(
                CandidateOf(oldOffsets[i], newOffsets[j], scale, olds[i], news[j], magnitudes));
        }
    }
    std::sort(candidates.begin(), candidates.end());
    for (const Candidate& candidate : candidates) {
        if (pairing.NewOfOld[static_cast<std::size_t>(candidate.oldIndex)] < 0 &&
            pairing.OldOfNew[static_cast<std::size_t>(candidate.newIndex)] < 0) {
            Pair(pairing, candidate.oldIndex, candidate.newIndex);
        }
    }
}

}  // namespace

Pairing PairInOrder(const std::vector<std::string>& oldKeys,
                    const std::vector<std::string>& newKeys) {
    Pairing pairing = Unpaired(oldKeys.size(), newKeys.size());
    // The older items of each key, and how many of them are taken.
    std::unordered_map<std::string_view, std::pair<std::vector<int>, std::size_t>> waiting;
    for (std::size_t i = 0; i < oldKeys.size(); ++i) {
        waiting[oldKeys[i]].first.push_back(static_cast<int>(i));
    }
    for (std::size_t j = 0; j < newKeys.size(); ++j) {
        const auto found = waiting.find(newKeys[j]);
        if (found == waiting.end()) {
            continue;
        }
        auto& [olds, taken] = found->second;
        if (taken < olds.size()) {
            Pair(pairing, olds[taken++], static_cast<int>(j));
        }
    }
    return pairing;
}

std::string_view CellKey(const ReportCell& cell) {
    return cell.IsOffsetPoint ? cell.Name : cell.Code;
}

Pairing PairCells(const std::vector<const ReportCell*>& oldCells,
                  const std::vector<const ReportCell*>& newCells) {
    Pairing pairing = Unpaired(oldCells.size(), newCells.size());
    std::map<std::string_view, std::pair<std::vector<int>, std::vector<int>>> byKey;
    for (std::size_t i = 0; i < oldCells.size(); ++i) {
        byKey[CellKey(*oldCells[i])].first.push_back(static_cast<int>(i));
    }
    for (std::size_t j = 0; j < newCells.size(); ++j) {
        byKey[CellKey(*newCells[j])].second.push_back(static_cast<int>(j));
    }
    for (const auto& [key, cells] : byKey) {
        if (!cells.first.empty() && !cells.second.empty()) {
            PairNearest(pairing, cells.first, cells.second, oldCells, newCells);
        }
    }
    return pairing;
}

}  // namespace corvane
