#include "support/scripted_dialogs.h"

namespace corvane {

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
                                      const QString& filter, QString* selectedFilter) {
    if (selectedFilter)
        *selectedFilter =
            this->selectedFilter.isEmpty() ? filter.section(";;", 0, 0) : this->selectedFilter;
    return OpenFileName(parent, caption, QString(), filter);
}

}  // namespace corvane
