// The book file on Windows: a file is replaced whole through QSaveFile (a new
// file beside the old one, put in its place on commit), a device or pipe and
// standard output are written in place. The same file under another name is
// recognised by its volume and file index.
#include "viewer/book_file.h"

#ifdef Q_OS_WIN

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

namespace corvane {

namespace {

// A file as the system knows it, whatever name it is reached by.
struct FileIdentity {
    DWORD Volume = 0;
    DWORD IndexHigh = 0;
    DWORD IndexLow = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr ||
        !GetFileInformationByHandle(handle, &information)) {
        return std::nullopt;
    }
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                        information.nFileIndexLow};
}

// Opens the path only to ask about it (no read or write access), following a
// symbolic link; folders open too.
HANDLE OpenToInspect(const QString& path) {
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    return CreateFileW(native.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::optional<FileIdentity> IdentityOf(const QString& path) {
    const HANDLE handle = OpenToInspect(path);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::optional<FileIdentity> identity = IdentityOf(handle);
    CloseHandle(handle);
    return identity;
}

// Whether the path names an existing device or pipe ("NUL", "\\.\pipe\name")
// rather than a file on a disk.
bool IsDeviceOrPipe(const QString& path) {
    const HANDLE handle = OpenToInspect(path);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool device = GetFileType(handle) != FILE_TYPE_DISK;
    CloseHandle(handle);
    return device;
}

}  // namespace

bool BookFile::open(OpenMode mode) {
    if (mode != WriteOnly) {
        setErrorString(QStringLiteral("a book file is only written"));
        return false;
    }
    failed_ = false;
    if (path_ == QStringLiteral("-")) {
        // The book's bytes as they are: no line ends translated.
        _setmode(_fileno(stdout), _O_BINARY);
        auto output = std::make_unique<QFile>();
        if (!output->open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
            return Fail(*output);
        }
        file_ = std::move(output);
    } else if (IsDeviceOrPipe(path_)) {
        auto device = std::make_unique<QFile>(path_);
        if (!device->open(QIODevice::WriteOnly)) {
            return Fail(*device);
        }
        file_ = std::move(device);
    } else {
        // Through a symbolic link, the file the link points to is replaced.
        const QFileInfo link(path_);
        const QString canonical = link.canonicalFilePath();
        auto replacement =
            std::make_unique<QSaveFile>(canonical.isEmpty() ? link.absoluteFilePath() : canonical);
        if (!replacement->open(QIODevice::WriteOnly)) {
            return Fail(*replacement,
                        QStringLiteral("no new file can be made in %1").arg(link.absolutePath()));
        }
        file_ = std::move(replacement);
    }
    return QIODevice::open(mode);
}

qint64 BookFile::writeData(const char* data, qint64 size) {
    if (failed_ || !file_) {
        return -1;
    }
    if (file_->write(data, size) != size) {
        Fail(*file_);
        return -1;
    }
    return size;
}

bool BookFile::Commit() {
    if (!isOpen() || failed_ || !file_) {
        Discard();
        return false;
    }
    bool written = false;
    if (auto* replacement = qobject_cast<QSaveFile*>(file_.get())) {
        written = replacement->commit() ||
                  Fail(*replacement, QStringLiteral("the new file could not take the place of %1")
                                         .arg(replacement->fileName()));
    } else {
        written = file_->flush() || Fail(*file_);
        file_->close();
    }
    if (!written) {
        Discard();
        return false;
    }
    file_.reset();
    QIODevice::close();
    return true;
}

void BookFile::Discard() {
    if (auto* replacement = qobject_cast<QSaveFile*>(file_.get())) {
        replacement->cancelWriting();  // the old file stays; the new one is removed
    }
    file_.reset();
    if (isOpen()) {
        QIODevice::close();
    }
}

// Keeps the first failure's reason: a later step only fails because of it.
bool BookFile::Fail(const QFileDevice& file, const QString& step) {
    if (!failed_) {
        const QString reason = file.errorString();
        setErrorString(step.isEmpty() ? reason : step + QStringLiteral(": ") + reason);
    }
    failed_ = true;
    return false;
}

bool OutputIsInput(const QString& output, const QString& input) {
    const std::optional<FileIdentity> in = IdentityOf(input);
    if (!in) {
        return false;
    }
    const std::optional<FileIdentity> out = output == QStringLiteral("-")
                                                ? IdentityOf(GetStdHandle(STD_OUTPUT_HANDLE))
                                                : IdentityOf(output);
    return out && *out == *in;
}

}  // namespace corvane

#endif  // Q_OS_WIN
