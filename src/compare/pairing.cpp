#include "compare/pairing.h"

#include <algorithm>
#include <map>
#include <optional>
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

// A possible pair of one key's cells, ordered as the pairing takes them.
struct Candidate {
    std::optional<DecimalNumber> distance;
    int oldIndex = 0;
    int newIndex = 0;

    bool operator<(const Candidate& other) const {
        if (distance.has_value() != other.distance.has_value()) {
            return distance.has_value();
        }
        if (distance) {
            const int order = CompareMagnitudes(*distance, *other.distance);
            if (order != 0) {
                return order < 0;
            }
        }
        return std::pair(oldIndex, newIndex) < std::pair(other.oldIndex, other.newIndex);
    }
};

std::vector<std::optional<DecimalNumber>> Offsets(const std::vector<int>& indexes,
                                                  const std::vector<const ReportCell*>& cells) {
    std::vector<std::optional<DecimalNumber>> offsets;
    offsets.reserve(indexes.size());
    for (const int index : indexes) {
        offsets.push_back(ParseDecimal(cells[static_cast<std::size_t>(index)]->Offset));
    }
    return offsets;
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
    const auto oldOffsets = Offsets(olds, oldCells);
    const auto newOffsets = Offsets(news, newCells);
    std::vector<Candidate> candidates;
    candidates.reserve(olds.size() * news.size());
    for (std::size_t i = 0; i < olds.size(); ++i) {
        for (std::size_t j = 0; j < news.size(); ++j) {
            const auto& from = oldOffsets[i];
            const auto& to = newOffsets[j];
            candidates.push_back({from && to ? std::optional(Difference(*from, *to)) : std::nullopt,
                                  olds[i], news[j]});
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

const std::string& CellKey(const ReportCell& cell) {
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
