// A Dialogs double for tests and benchmarks: every dialog is answered from a
// queue filled in advance, so nothing waits for a person.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>

#include "viewer/dialogs.h"

namespace corvane {

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
    QString SaveFileName(QWidget*, const QString&, const QString& filter,
                         QString* selectedFilter = nullptr) override;

    // What the last file chooser offered, for tests to check.
    QString lastFilter;
    QString lastFolder;
    // The filter a file chooser for saving reports as chosen; empty: the first one.
    QString selectedFilter;
    int execCount = 0;

  private:
    std::deque<Answer> answers_;
    std::deque<QString> fileNames_;
};

}  // namespace corvane
