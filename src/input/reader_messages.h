// The texts the readers show. The fixed ones are the program's own wording,
// kept letter for letter ("occured" included).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

inline const std::string kInvalidFileType = "Invalid File Type check file format";
inline const std::string kErrorInStoreSide = "Error in StoreSide";

// "Program Error : " + description + " occured in " + routine.
std::string ProgramErrorText(std::string_view description, std::string_view routine);

// A file refused because of one line: names the file, the 1-based line number
// and what is wrong with it, so the user can find and fix the line.
std::string LineRejectionText(std::string_view path, int64_t line_number, std::string_view what);

// " There is something wrong at Sta. " + the station text of the last row read.
std::string SomethingWrongText(std::string_view station);

// The message of a point row whose side marker is not its group's side.
std::string WrongSideMarkerText(std::string_view side, std::string_view station,
                                int32_t point_index);

}  // namespace corvane
