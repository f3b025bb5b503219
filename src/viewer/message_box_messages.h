// Shows each message in a message box with an OK button and the program's title.
#pragma once

#include <QPointer>
#include <QWidget>

#include "common/messages.h"

namespace corvane {

inline constexpr const char* kProgramTitle = "Corvane";

class MessageBoxMessages : public Messages {
  public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void Show(const std::string& text) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace corvane
