// The message seam: every message the program shows goes through one Messages
// object. The window shows a message box, the command line writes standard
// error, and tests record.
#pragma once

#include <string>
#include <vector>

namespace corvane {

class Messages {
  public:
    virtual ~Messages() = default;
    virtual void Show(const std::string& text) = 0;
};

// Keeps every message in order; used by tests and by callers that decide later.
class RecordingMessages : public Messages {
  public:
    void Show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

}  // namespace corvane
