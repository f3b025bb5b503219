// Where a book is written, so that a failed write never costs the user a file.
//
// A regular file (or a name that does not exist yet) is replaced whole: the
// book is written beside it under a temporary name and renamed over it only
// when every byte, the flush and the close succeeded. A failure leaves the old
// file exactly as it was and no temporary file behind. A device or pipe (and
// "-", standard output) is written in place, never replaced by a file.
#pragma once

#include <QIODevice>
#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QFileDevice;

namespace corvane {

class BookFile : public QIODevice {
  public:
    explicit BookFile(QString path);
    ~BookFile() override;  // an uncommitted replacement is discarded

    // Only QIODevice::WriteOnly; false with errorString() saying why.
    bool open(OpenMode mode) override;
    bool isSequential() const override { return true; }

    // Writes out what is buffered, closes, and puts the new file in place.
    // False with errorString() holding the system's reason for the step that failed.
    bool Commit();
    // Drops what was written to a replacement; the old file stays.
    void Discard();
    // A write has failed; later writes are refused and Commit() fails.
    bool Failed() const { return failed_; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    QString path_;
    bool failed_ = false;
#ifdef Q_OS_WIN
    // Records the reason the file gives, after the step when one is named; returns false.
    bool Fail(const QFileDevice& file, const QString& step = QString());

    // A QSaveFile for a file replaced whole; a QFile for a device or standard output.
    std::unique_ptr<QFileDevice> file_;
#else
    bool OpenInPlace(const QByteArray& path);
    bool OpenReplacement(const QString& target);
    bool WriteOut();
    bool WriteAll(std::string_view bytes);
    bool CloseDescriptor();
    bool PutInPlace();
    // Records the system's reason (errno), after the step when one is named; returns false.
    bool Fail(const QString& step = QString());

    QByteArray target_;     // the file a replacement is renamed to
    QByteArray temporary_;  // the replacement while it is written; empty in place
    int descriptor_ = -1;
    std::string buffer_;
#endif
};

// True when writing to output would write into the existing file input: both
// name the same file of the same device, however spelled ("./name", a symbolic
// link and a hard link all match). An output of "-" is standard output.
bool OutputIsInput(const QString& output, const QString& input);

// The message for a book that would be written over the file it is read from.
std::string OverwritesInputMessage(const QString& output);

}  // namespace corvane
