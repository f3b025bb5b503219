#include "fuzz_checks.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "common/text.h"
#include "input/reader_messages.h"

namespace corvane::fuzz {

void CheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "fuzz check failed: %s at %s:%d\n", condition, file, line);
    std::abort();
}

bool IsPlainNumberText(std::string_view text) {
    if (text.empty()) {
        return true;
    }
    if (text.front() == '-') {
        text.remove_prefix(1);
    }
    const bool hasDigit = std::any_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
    const bool onlyDigitsAndPoint = std::all_of(text.begin(), text.end(), [](char c) {
        return c == '.' || std::isdigit(static_cast<unsigned char>(c));
    });
    return hasDigit && onlyDigitsAndPoint && std::count(text.begin(), text.end(), '.') <= 1;
}

namespace {

bool SameStation(const Station& a, const Station& b) {
    const auto points = [](const Station& s) {
        std::vector<std::string> texts;
        for (const Point& p : s.Points) {
            texts.insert(texts.end(),
                         {p.Code.str(), p.Offset.str(), p.Elevation.str(), p.Slope.str()});
        }
        return texts;
    };
    return std::tie(a.ChainName, a.StationText, a.CrossSectionStation, a.LeftOffsetPt.Offset,
                    a.LeftOffsetPt.Elevation, a.RightOffsetPt.Offset, a.RightOffsetPt.Elevation,
                    a.MessageText, a.MessageKind) ==
               std::tie(b.ChainName, b.StationText, b.CrossSectionStation, b.LeftOffsetPt.Offset,
                        b.LeftOffsetPt.Elevation, b.RightOffsetPt.Offset, b.RightOffsetPt.Elevation,
                        b.MessageText, b.MessageKind) &&
           points(a) == points(b);
}

void CheckStation(const Station& station, RoadwayType type) {
    FUZZ_CHECK(station.Points.size() <= static_cast<size_t>(kMaxPoints));
    const std::string kind = ToUpper(station.MessageKind);
    FUZZ_CHECK(kind.empty() || kind == "ERROR" || kind == "MESSAGE");
    if (!kind.empty()) {
        // A message station shows one entry (undivided) or two (divided).
        FUZZ_CHECK(station.Points.size() == (type == RoadwayType::Divided ? 2u : 1u));
    }
    for (const std::string* text :
         {&station.ChainName, &station.StationText, &station.CrossSectionStation,
          &station.MessageText, &station.MessageKind}) {
        FUZZ_CHECK(IsValidUtf8(*text));
    }
    for (const Point& point : station.Points) {
        FUZZ_CHECK(IsValidUtf8(point.Code) && IsValidUtf8(point.Offset) &&
                   IsValidUtf8(point.Elevation));
        FUZZ_CHECK(point.Slope.empty());
    }
    FUZZ_CHECK(station.LeftOffsetPt.Offset.empty() && station.LeftOffsetPt.Elevation.empty());
    FUZZ_CHECK(station.RightOffsetPt.Offset.empty() && station.RightOffsetPt.Elevation.empty());
}

}  // namespace

bool SameRoadway(const Roadway& a, const Roadway& b) {
    const auto same = [](const std::vector<Station>& x, const std::vector<Station>& y) {
        return std::equal(x.begin(), x.end(), y.begin(), y.end(), SameStation);
    };
    return a.Type == b.Type && same(a.Left, b.Left) && same(a.Right, b.Right);
}

void CheckRead(const ReadResult& read, const std::vector<std::string>& shown) {
    const auto goesOn =
        static_cast<size_t>(std::count(shown.begin(), shown.end(), kDividedRowTooShort));
    if (read.Outcome != ReadOutcome::Read) {
        FUZZ_CHECK(!shown.empty() && shown.back() != kDividedRowTooShort);
        FUZZ_CHECK(goesOn == shown.size() - 1);
        return;
    }
    FUZZ_CHECK(goesOn == shown.size());
    const Roadway& roadway = read.Roadway;
    FUZZ_CHECK(!roadway.Left.empty() && roadway.Left.size() <= static_cast<size_t>(kMaxStations));
    if (roadway.Type == RoadwayType::Undivided) {
        FUZZ_CHECK(roadway.Right.empty() && shown.empty());
    } else {
        FUZZ_CHECK(roadway.Right.size() == roadway.Left.size());
    }
    for (const Side side : roadway.Sides()) {
        for (const Station& station : roadway.StationsOf(side)) {
            CheckStation(station, roadway.Type);
        }
    }
}

}  // namespace corvane::fuzz
