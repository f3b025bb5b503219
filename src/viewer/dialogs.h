// The dialog seam: every modal dialog and file chooser is reached through a
// Dialogs object, so tests can answer them in advance without blocking
// (ScriptedDialogs, in the tests' support library).
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

namespace corvane {

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows the dialog modally and returns its result.
    virtual int Exec(QDialog& dialog) { return dialog.exec(); }
    // Opens in the folder given, or where the platform chooses when it is empty.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter);
    // The filter the person chose goes to selectedFilter when one is given.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 QString* selectedFilter = nullptr);
};

}  // namespace corvane
