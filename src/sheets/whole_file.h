// A file written whole or not at all, so that a failed write never costs the
// user a file.
//
// A regular file (or a name that does not exist yet) is replaced: the new
// contents are written beside it under a temporary name and renamed over it
// only when every byte, the flush and the close succeeded. A failure leaves
// the old file exactly as it was and no temporary file behind. A device or
// pipe (and "-", standard output) is written in place, never replaced by a file.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class WholeFile {
  public:
    explicit WholeFile(std::string path);
    ~WholeFile();  // an uncommitted replacement is discarded
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    // False with Reason() saying why.
    bool Open();
    // Buffered; false once any write has failed.
    bool Write(std::string_view bytes);
    // Writes out what is buffered, closes, and puts the new file in place.
    // False with Reason() holding the system's reason for the step that failed.
    bool Commit();
    // Drops a replacement; the old file stays.
    void Discard();

    // The replacement while it is written, for a library that writes a file by
    // its name (it must write that same file, not make a new one); empty when
    // the output is written in place.
    const std::string& TemporaryPath() const { return temporary_; }
    const std::string& Reason() const { return reason_; }

  private:
    bool OpenInPlace();
    bool OpenReplacement();
    bool WriteOut();
    bool CloseDescriptor();
    bool PutInPlace();
    // Records the system's reason (errno), after the step when one is named; returns false.
    bool Fail(const std::string& step = {});

    std::string path_;
    std::string target_;     // the file a replacement is renamed to
    std::string temporary_;  // the replacement while it is written; empty in place
    std::string buffer_;
    std::string reason_;
    int descriptor_ = -1;
    bool failed_ = false;
};

}  // namespace corvane
