// What changed since an earlier revision of the report: the earlier file is
// made into books exactly as the books on show were made (the same point
// options, offset points, page, header and station range), then compared
// with them cell by cell, with no tolerance.
#pragma once

#include <optional>
#include <string>

#include "common/messages.h"
#include "viewer/viewer_state.h"

namespace corvane {

// The name a file goes by in messages and on the changes book: its name without its folder.
std::string FileNameOf(const std::string& path);

// The changes book of the earlier file against the grade books on show; none,
// after a message, when the earlier file is refused (its own message, prefixed
// by its name and ": "), when it is of the other roadway type, or when nothing
// changed ("No grade changed from OLD.csv to NEW.csv.").
std::optional<RevisionChanges> ChangesFromRevision(const ViewerState& state,
                                                   const std::string& earlierFile,
                                                   Messages& messages);

}  // namespace corvane
