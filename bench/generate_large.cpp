// Writes the largest paving-grades files the program accepts: 2001 stations of
// 31 points, as an undivided roadway or as a divided one (31 points a side).
// The rows look like the design package's own output (chain, station, point
// codes, coordinates, three-decimal elevations) so that every stage of the
// book does the work a real file asks of it.
//
//   generate_large undivided PATH
//   generate_large divided PATH
//
// The output is the same on every run and every machine: no clock, no random device.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kStations = 2001;
constexpr int kPointsPerSide = 31;
constexpr double kStationSpacingFeet = 25;
// Files from the design package come with Windows line ends.
constexpr std::string_view kLineEnd = "\r\n";

// One point of a half-section, listed from the centre line (or median) outward:
// its code, its distance from the previous point and the cross slope towards it.
struct HalfSectionPoint {
    const char* code;  // "%s" stands for the side prefix "Lt" / "Rt"
    double width;
    double slopePercent;
};

// An urban undivided section: three lanes, curb and gutter, sidewalk,
// shoulder and a ditch. Fifteen points a side plus the centre line make 31.
const std::vector<HalfSectionPoint> kUndividedHalf = {
    {"JL", 12, -2.0},       {"JL", 12, -2.0}, {"JL", 12, -2.0}, {"FOC", 12, -2.5},
    {"BOC", 0.5, 100},      {"BR", 6, 2.0},   {"BR", 4, 2.0},   {"%sSgEOP", 1.5, -2.0},
    {"%sSgShldr", 8, -6.0}, {"BR", 4, -25.0}, {"BR", 8, -25.0}, {"BR", 8, 25.0},
    {"BR", 8, 16.67},       {"BR", 8, 4.0},   {"BR", 8, 2.0},
};

// A divided half: from the median's curb outward, 31 points.
const std::vector<HalfSectionPoint> kDividedHalf = {
    {"FOC", 15.5, -1.5}, {"BOC", 0.5, -2.0}, {"JL", 12, -2.0},      {"JL", 12, -2.0},
    {"JL", 12, -2.0},    {"JL", 12, -2.0},   {"%sSgEOP", 12, -2.0}, {"%sSgShldr", 10, -6.0},
    {"BR", 4, -16.67},   {"BR", 4, -25.0},   {"BR", 4, -25.0},      {"BR", 4, -25.0},
    {"BR", 4, -10.0},    {"BR", 4, 0.0},     {"BR", 4, 10.0},       {"BR", 4, 25.0},
    {"BR", 4, 25.0},     {"BR", 4, 25.0},    {"BR", 4, 16.67},      {"BR", 4, 8.0},
    {"BR", 4, 4.0},      {"BR", 4, 2.0},     {"BR", 4, 2.0},        {"BR", 4, 1.0},
    {"BR", 4, 1.0},      {"BR", 4, 0.5},     {"BR", 4, 0.5},        {"BR", 4, 0.5},
    {"BR", 4, 0.5},      {"BR", 4, 0.5},     {"BR", 4, 0.5},
};

struct Point {
    std::string code;
    double offset;
    double elevation;
};

// A small deterministic generator for the surveyed wobble of elevations.
class Wobble {
  public:
    // Millimetre-sized noise in feet, -0.003 .. +0.003.
    double Next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        const auto step = static_cast<int>((state_ >> 33) % 7);
        return (step - 3) / 1000.0;
    }

  private:
    uint64_t state_ = 20011031;
};

std::string Format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string Code(const char* pattern, std::string_view sidePrefix) {
    std::string code = pattern;
    if (const auto at = code.find("%s"); at != std::string::npos)
        code.replace(at, 2, sidePrefix);
    return code;
}

// The points of one half-section, outward from startOffset at startElevation;
// direction -1 walks left (negative offsets), +1 right.
std::vector<Point> HalfSection(const std::vector<HalfSectionPoint>& half, double startElevation,
                               int direction, Wobble& wobble) {
    const char* prefix = direction < 0 ? "Lt" : "Rt";
    std::vector<Point> points;
    double offset = 0;
    double elevation = startElevation;
    for (const HalfSectionPoint& step : half) {
        offset += step.width;
        elevation += step.width * step.slopePercent / 100 + wobble.Next();
        points.push_back({Code(step.code, prefix), direction * offset, elevation});
    }
    return points;
}

// Station text such as "1040+25.00 EB".
std::string StationText(double feet, std::string_view suffix) {
    const auto hundreds = static_cast<long>(feet / 100);
    char text[64];
    std::snprintf(text, sizeof text, "%ld+%05.2f %.*s", hundreds, feet - hundreds * 100.0,
                  static_cast<int>(suffix.size()), suffix.data());
    return text;
}

// The profile grade at a station: a long rolling vertical alignment.
double ProfileElevation(int station) {
    return 95.0 + 6.0 * std::sin(station / 180.0) + 0.002 * station;
}

void WriteUndivided(std::ostream& out) {
    out << " PAVING GRADES REPORT,,,,,,,,,,," << kLineEnd
        << "Job 0417 SR 60 Widening (largest legal file),Chain MAIN,,,,,,,,,," << kLineEnd
        << "UNDIVIDED,,,,,,,,,,," << kLineEnd;
    Wobble wobble;
    for (int station = 0; station < kStations; ++station) {
        const double feet = 238900 + station * kStationSpacingFeet;
        const std::string stationText = StationText(feet, "R1");
        const double centre = ProfileElevation(station);
        std::vector<Point> left = HalfSection(kUndividedHalf, centre, -1, wobble);
        const std::vector<Point> right = HalfSection(kUndividedHalf, centre, +1, wobble);

        std::vector<Point> section(left.rbegin(), left.rend());
        section.push_back({"CL", 0, centre});
        section.insert(section.end(), right.begin(), right.end());

        const std::string north = Format("%.2f", 512300.25 + station * 0.5);
        for (const Point& point : section) {
            out << "MAIN," << stationText << ",PT,,PGL-MAIN," << stationText << ',' << north << ','
                << Format("%.2f", 1604400.50 + point.offset) << ",," << point.code << ','
                << Format("%.3f", point.offset) << ',' << Format("%.3f", point.elevation)
                << kLineEnd;
        }
        // The last station ends with the file: a separator after it would open
        // a 2002nd station, which no file may have.
        if (station + 1 < kStations)
            out << ",,,,,,,,,,," << kLineEnd;
    }
}

void WriteDividedGroup(std::ostream& out, const std::string& stationText, double north,
                       const std::vector<Point>& points, std::string_view side) {
    for (const Point& point : points) {
        out << "I4," << stationText << ",,PT,PGL-EB," << stationText << ',' << Format("%.2f", north)
            << ',' << Format("%.2f", 1533200.40 + point.offset) << ',' << side << ',' << point.code
            << ',' << Format("%.2f", point.offset) << ',' << Format("%.3f", point.elevation)
            << kLineEnd;
    }
    out << ",,,,,,,,,,,,,,," << kLineEnd;
}

void WriteDivided(std::ostream& out) {
    out << " PAVING GRADES REPORT,,,,,,,,,,," << kLineEnd
        << "Job 0512 I-4 Ultimate (largest legal file),Chain EB/WB,,,,,,,,,," << kLineEnd
        << "DIVIDED,,,,,,,,,,," << kLineEnd
        << "Chain,Station,,Kind,Text,XS Station,North,East,Side,Code,Offset,Elev" << kLineEnd;
    Wobble wobble;
    for (int station = 0; station < kStations; ++station) {
        const double feet = 104000 + station * kStationSpacingFeet;
        const std::string stationText = StationText(feet, "EB");
        const double centre = ProfileElevation(station);
        const std::vector<Point> left = HalfSection(kDividedHalf, centre, -1, wobble);
        const std::vector<Point> right = HalfSection(kDividedHalf, centre, +1, wobble);
        const double north = 622100.10 + station * 1.0;
        // The left group runs from the outer edge in, the right group from the median out.
        WriteDividedGroup(out, stationText, north, {left.rbegin(), left.rend()}, "LEFT");
        // The file's last line is the last right group's terminator, so no
        // record beyond the 2001st is opened.
        WriteDividedGroup(out, stationText, north, right, "RIGHT");
    }
}

}  // namespace

int main(int argc, char** argv) {
    static_assert(kPointsPerSide == 31);
    if (argc != 3 ||
        (std::string_view(argv[1]) != "undivided" && std::string_view(argv[1]) != "divided")) {
        std::cerr << "usage: generate_large undivided|divided PATH\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    if (!out) {
        std::cerr << "cannot write " << argv[2] << '\n';
        return 1;
    }
    if (std::string_view(argv[1]) == "undivided")
        WriteUndivided(out);
    else
        WriteDivided(out);
    out.close();
    if (!out) {
        std::cerr << "cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
