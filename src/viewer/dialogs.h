// The dialog seam: every modal dialog and file chooser is reached through a
// Dialogs object, so tests can answer them in advance without blocking.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>

namespace corvane {

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows the dialog modally and returns its result.
    virtual int Exec(QDialog& dialog) { return dialog.exec(); }
    // Opens in the folder given, or where the platform chooses when it is empty.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter);
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter);
};

// Answers dialogs from queues filled by a test. A dialog with no answer queued
// is rejected; a file chooser with no name queued is cancelled (empty name).
class ScriptedDialogs : public Dialogs {
  public:
    using Answer = std::function<int(QDialog&)>;
    void setNextAnswer(Answer answer) { answers_.push_back(std::move(answer)); }
    void setNextFileName(const QString& name) { fileNames_.push_back(name); }

    int Exec(QDialog& dialog) override;
    QString OpenFileName(QWidget*, const QString&, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget*, const QString&, const QString& filter) override;

    // What the last file chooser offered, for tests to check.
    QString lastFilter;
    QString lastFolder;
    int execCount = 0;

  private:
    std::deque<Answer> answers_;
    std::deque<QString> fileNames_;
};

}  // namespace corvane
