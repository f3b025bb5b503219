#include "viewer/dialogs.h"

#include <QFileDialog>

namespace corvane {

QString Dialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString Dialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                              QString* selectedFilter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter, selectedFilter);
}

}  // namespace corvane
