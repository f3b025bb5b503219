#include "viewer/book_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <utility>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#endif

namespace corvane {

BookFile::BookFile(QString path) : path_(std::move(path)) {}

BookFile::~BookFile() {
    Discard();
}

std::string OverwritesInputMessage(const QString& output) {
    const QString where =
        output == QStringLiteral("-") ? QStringLiteral("standard output") : output;
    return QStringLiteral(
               "The book cannot be written to %1: it is the paving grades report the book is "
               "read from.")
        .arg(where)
        .toStdString();
}

// On Windows the book file is written with Qt's own files (book_file_windows.cpp).
#ifndef Q_OS_WIN

namespace {

// Pages are gathered into writes of this size: a PDF arrives in small pieces.
constexpr std::size_t kWriteBytes = 64 * 1024;
// Tries at a temporary name before giving up on a folder full of them.
constexpr int kNameTries = 100;

bool StatusOf(const QString& path, struct stat& status) {
    return ::stat(QFile::encodeName(path).constData(), &status) == 0;
}

bool OutputStatus(const QString& output, struct stat& status) {
    if (output == QStringLiteral("-"))
        return ::fstat(STDOUT_FILENO, &status) == 0;
    return StatusOf(output, status);
}

}  // namespace

bool BookFile::open(OpenMode mode) {
    if (mode != WriteOnly) {
        setErrorString(QStringLiteral("a book file is only written"));
        return false;
    }
    failed_ = false;
    buffer_.clear();
    bool opened = true;
    struct stat status {};
    if (path_ == QStringLiteral("-"))
        descriptor_ = STDOUT_FILENO;
    else if (StatusOf(path_, status) && !S_ISREG(status.st_mode))
        opened = OpenInPlace(QFile::encodeName(path_));
    else
        opened = OpenReplacement(path_);
    if (!opened) {
        Discard();
        return false;
    }
    return QIODevice::open(mode);
}

bool BookFile::OpenInPlace(const QByteArray& path) {
    descriptor_ = ::open(path.constData(), O_WRONLY | O_CLOEXEC);
    return descriptor_ >= 0 || Fail();
}

// The replacement is made in the folder of the file it replaces (through a
// symbolic link, of the file the link points to), so that the rename is atomic.
bool BookFile::OpenReplacement(const QString& path) {
    const QFileInfo link(path);
    const QString canonical = link.canonicalFilePath();
    const QFileInfo target(canonical.isEmpty() ? link.absoluteFilePath() : canonical);
    target_ = QFile::encodeName(target.filePath());
    for (int attempt = 0; attempt < kNameTries && descriptor_ < 0; ++attempt) {
        temporary_ = target_ + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        descriptor_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST)
            break;
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        return Fail(QStringLiteral("no new file can be made in %1").arg(target.absolutePath()));
    }
    // The new book keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(target_.constData(), &old) == 0 && ::fchmod(descriptor_, old.st_mode & 07777) != 0)
        return Fail();
    return true;
}

qint64 BookFile::writeData(const char* data, qint64 size) {
    if (failed_ || descriptor_ < 0)
        return -1;
    const std::string_view text(data, static_cast<std::size_t>(size));
    // A piece as large as a write goes out as it is, without a copy.
    if (buffer_.empty() && text.size() >= kWriteBytes)
        return WriteAll(text) ? size : -1;
    buffer_.append(text);
    if (buffer_.size() >= kWriteBytes && !WriteOut())
        return -1;
    return size;
}

bool BookFile::WriteOut() {
    if (!WriteAll(buffer_))
        return false;
    buffer_.clear();
    return true;
}

bool BookFile::WriteAll(std::string_view rest) {
    while (!rest.empty()) {
        const ssize_t written = ::write(descriptor_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return Fail();
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool BookFile::Commit() {
    if (!isOpen() || failed_ || !WriteOut() || !CloseDescriptor() || !PutInPlace()) {
        Discard();
        return false;
    }
    QIODevice::close();
    return true;
}

bool BookFile::CloseDescriptor() {
    // Standard output stays open: it belongs to the process, not to the book.
    const int descriptor = std::exchange(descriptor_, -1);
    if (descriptor == STDOUT_FILENO)
        return true;
    // A full disk may show only here, when the system writes out what it held back.
    const bool synced = temporary_.isEmpty() || ::fsync(descriptor) == 0 || Fail();
    return (::close(descriptor) == 0 || Fail()) && synced;
}

bool BookFile::PutInPlace() {
    if (temporary_.isEmpty())
        return true;
    if (::rename(temporary_.constData(), target_.constData()) != 0)
        return Fail(QStringLiteral("the new file could not take the place of %1")
                        .arg(QFile::decodeName(target_)));
    temporary_.clear();
    return true;
}

void BookFile::Discard() {
    if (descriptor_ >= 0 && descriptor_ != STDOUT_FILENO)
        ::close(descriptor_);
    descriptor_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_.clear();
    buffer_.clear();
    if (isOpen())
        QIODevice::close();
}

// Keeps the first failure's reason: a later step only fails because of it.
bool BookFile::Fail(const QString& step) {
    if (!failed_) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        setErrorString(step.isEmpty() ? reason : step + QStringLiteral(": ") + reason);
    }
    failed_ = true;
    return false;
}

bool OutputIsInput(const QString& output, const QString& input) {
    struct stat out {};
    struct stat in {};
    return OutputStatus(output, out) && StatusOf(input, in) && out.st_dev == in.st_dev &&
           out.st_ino == in.st_ino;
}

#endif  // Q_OS_WIN

}  // namespace corvane
