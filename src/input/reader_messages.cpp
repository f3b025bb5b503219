#include "input/reader_messages.h"

namespace corvane {

std::string LineRejectionText(std::string_view path, int64_t lineNumber, std::string_view what) {
    std::string text = "Line " + std::to_string(lineNumber) + " of ";
    text.append(path).append(": ").append(what).append(". The file has not been read.");
    return text;
}

std::string SomethingWrongText(std::string_view station) {
    std::string text = " There is something wrong at Sta. ";
    text.append(station);
    return text;
}

std::string WrongSideMarkerText(Side side, std::string_view station, int pointIndex) {
    std::string text = "Error at ";
    text.append(side == Side::Left ? "LeftSide" : "RightSide").append(" Station: ").append(station);
    text.append("(LineNumber: ").append(std::to_string(pointIndex)).append(") Program Exiting");
    return text;
}

}  // namespace corvane
