#include "input/reader_messages.h"

namespace corvane {

std::string LineRejectionText(std::string_view path, int64_t line_number, std::string_view what) {
    std::string text = "Line " + std::to_string(line_number) + " of ";
    text.append(path).append(": ").append(what).append(". The file has not been read.");
    return text;
}

std::string SomethingWrongText(std::string_view station) {
    std::string text = " There is something wrong at Sta. ";
    text.append(station);
    return text;
}

std::string WrongSideMarkerText(Side side, std::string_view station, int point_index) {
    std::string text = "Error at ";
    text.append(side == Side::Left ? "LeftSide" : "RightSide").append(" Station: ").append(station);
    text.append("(LineNumber: ").append(std::to_string(point_index)).append(") Program Exiting");
    return text;
}

}  // namespace corvane
