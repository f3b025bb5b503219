#include "viewer/dialogs.h"

#include <QFileDialog>

namespace corvane {

QString Dialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString Dialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

int ScriptedDialogs::Exec(QDialog& dialog) {
    ++execCount;
    if (answers_.empty()) {
        return QDialog::Rejected;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer(dialog);
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString&, const QString& folder,
                                      const QString& filter) {
    lastFilter = filter;
    lastFolder = folder;
    if (fileNames_.empty()) {
        return {};
    }
    QString name = fileNames_.front();
    fileNames_.pop_front();
    return name;
}

QString ScriptedDialogs::SaveFileName(QWidget* parent, const QString& caption,
                                      const QString& filter) {
    return OpenFileName(parent, caption, QString(), filter);
}

}  // namespace corvane
