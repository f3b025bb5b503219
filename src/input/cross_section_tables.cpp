#include "input/cross_section_tables.h"

#include <algorithm>

namespace corvane {

void ResetTables(CrossSectionTables& tables) {
    for (SectionTable* table :
         {&tables.Sections, &tables.SectionsLeft, &tables.SectionsRight, &tables.SelectedSections,
          &tables.SelectedSectionsLeft, &tables.SelectedSectionsRight}) {
        table->clear();
        table->resize(kStationCapacity);  // default-constructed: every record empty
    }
    tables.StationCount = 0;
}

namespace {

void ClearText(std::string& text) {
    text.clear();
}

void ClearRecord(CrossSection& record) {
    record.LastPoint = 0;
    for (std::string* text :
         {&record.Column0Text, &record.Station, &record.Column4Text, &record.CrossSectionStation,
          &record.LeftOffsetPt.Offset, &record.LeftOffsetPt.Elevation, &record.RightOffsetPt.Offset,
          &record.RightOffsetPt.Elevation, &record.MessageText, &record.MessageKind}) {
        ClearText(*text);
    }
    for (auto* points :
         {&record.PointCode, &record.PointOffset, &record.PointElevation, &record.PointSlope}) {
        std::for_each(points->begin(), points->end(), ClearText);
    }
}

}  // namespace

void ClearTables(CrossSectionTables& tables) {
    if (tables.Sections.size() != static_cast<size_t>(kStationCapacity)) {
        ResetTables(tables);
        return;
    }
    for (SectionTable* table :
         {&tables.Sections, &tables.SectionsLeft, &tables.SectionsRight, &tables.SelectedSections,
          &tables.SelectedSectionsLeft, &tables.SelectedSectionsRight}) {
        std::for_each(table->begin(), table->end(), ClearRecord);
    }
}

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace corvane
