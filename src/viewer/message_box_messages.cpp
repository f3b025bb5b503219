#include "viewer/message_box_messages.h"

#include <QMessageBox>

namespace corvane {

void MessageBoxMessages::Show(const std::string& text) {
    QMessageBox::information(parent_, QString::fromLatin1(kProgramTitle),
                             QString::fromStdString(text), QMessageBox::Ok);
}

}  // namespace corvane
