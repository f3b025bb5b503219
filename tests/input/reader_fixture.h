// Shared set-up of the reader tests: files written into a private temporary
// folder, a state with full-size tables, and short ways to build rows.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "input/cross_section_tables.h"
#include "input/messages.h"
#include "input/paving_grades_reader.h"

namespace corvane::test {

inline const std::string kUndividedHeader =
    " PAVING GRADES REPORT,,,,,,,,,,,\n"
    "Job 1 Test,Chain A,,,,,,,,,,\n"
    "UNDIVIDED,,,,,,,,,,,\n";

inline const std::string kDividedHeader =
    " PAVING GRADES REPORT,,,,,,,,,,,\n"
    "Job 2 Test,Chain B,,,,,,,,,,\n"
    "DIVIDED,,,,,,,,,,,\n"
    "Chain,Station,,Kind,Text,XS Station,North,East,Side,Code,Offset,Elev\n";

inline const std::string kSeparatorRow = ",,,,,,,,,,,\n";
inline const std::string kTerminatorRow = ",,,,,,,,,,,,,,,\n";

// An undivided point row: station in column 1, code, offset, elevation in 9..11.
inline std::string UndividedPoint(const std::string& station, const std::string& code,
                                  const std::string& offset, const std::string& elevation) {
    return "MAIN," + station + ",PT,,PGL," + station + ",1.0,2.0,," + code + "," + offset + "," +
           elevation + "\n";
}

// A divided point row of one side ("LEFT" or "RIGHT" in column 8).
inline std::string DividedPoint(const std::string& station, const std::string& side,
                                const std::string& code, const std::string& offset,
                                const std::string& elevation) {
    return "I9," + station + ",,PT,PGL," + station + ",1.0,2.0," + side + "," + code + "," +
           offset + "," + elevation + "\n";
}

class ReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("corvane-input-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        ClearTables(state_tables);
        state_tables.StationCount = 0;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Writes `content` byte for byte and returns the path.
    std::string WriteFile(const std::string& content, const std::string& name = "file.csv") {
        const std::filesystem::path path = folder_ / name;
        std::ofstream out(path, std::ios::binary);
        out << content;
        return path.string();
    }

    // Writes the file and runs the header check and reader on it.
    ReadOutcome Read(const std::string& content) {
        settings.InputFile = WriteFile(content);
        return GpkBlueTops(state_tables, settings, messages);
    }

    ReadOutcome ReadFile(const std::string& path) {
        settings.InputFile = path;
        return GpkBlueTops(state_tables, settings, messages);
    }

    const CrossSection& Undivided(int station) const { return state_tables.Sections.at(station); }
    const CrossSection& Left(int station) const { return state_tables.SectionsLeft.at(station); }
    const CrossSection& Right(int station) const { return state_tables.SectionsRight.at(station); }

    // True when no record of any table holds anything a reader writes.
    bool TablesAreEmpty() const {
        for (const SectionTable* table :
             {&state_tables.Sections, &state_tables.SectionsLeft, &state_tables.SectionsRight}) {
            for (const CrossSection& record : *table) {
                if (record.LastPoint != 0 || !record.Station.empty() ||
                    !record.Column0Text.empty() || !record.MessageKind.empty() ||
                    !record.PointCode[0].empty() || !record.PointOffset[0].empty()) {
                    return false;
                }
            }
        }
        return true;
    }

    // Allocating the full-size tables is the slowest step of a test, so all
    // tests share one set, emptied before each test.
    static CrossSectionTables& SharedTables() {
        static CrossSectionTables tables = [] {
            CrossSectionTables fresh;
            ResetTables(fresh);
            return fresh;
        }();
        return tables;
    }

    CrossSectionTables& state_tables = SharedTables();
    Settings settings;
    RecordingMessages messages;
    std::filesystem::path folder_;
};

}  // namespace corvane::test
