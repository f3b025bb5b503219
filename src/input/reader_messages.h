// The texts the readers show. The fixed ones are the program's own wording,
// kept letter for letter ("occured" included).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/roadway.h"

namespace corvane {

inline const std::string kInvalidFileType = "Invalid File Type check file format";
// A divided row that ends before a column it needs; reading goes on.
inline const std::string kDividedRowTooShort = "Error in StoreSide";

// The prefix of a reader's fault (see ProgramErrorText).
inline constexpr std::string_view kReaderErrorPrefix = "Program Error : ";

// A file refused because of one line: names the file, the 1-based line number
// and what is wrong with it, so the user can find and fix the line.
std::string LineRejectionText(std::string_view path, int64_t lineNumber, std::string_view what);

// " There is something wrong at Sta. " + the station text of the last row read.
std::string SomethingWrongText(std::string_view station);

// The message of a divided point row whose side marker is not its group's
// side: names the side ("LeftSide" or "RightSide"), the station and the row's
// point index.
std::string WrongSideMarkerText(Side side, std::string_view station, int pointIndex);

}  // namespace corvane
