#include "sheets/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

namespace corvane {

namespace {

// Small writes are gathered into writes of this size.
constexpr std::size_t kWriteBytes = 64 * 1024;
// Tries at a temporary name before giving up on a folder full of them.
constexpr int kNameTries = 100;

std::string RandomSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    return std::to_string(generator() & 0xFFFFFFFFU);
}

// The file the name leads to (through symbolic links) when it exists, so that
// the replacement is made in its folder and the rename is atomic.
std::string TargetOf(const std::string& path) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(path, error);
    if (error) {
        target = std::filesystem::absolute(path, error);
    }
    return error ? path : target.string();
}

}  // namespace

WholeFile::WholeFile(std::string path) : path_(std::move(path)) {}

WholeFile::~WholeFile() {
    Discard();
}

bool WholeFile::Open() {
    failed_ = false;
    reason_.clear();
    buffer_.clear();
    bool opened = true;
    struct stat status {};
    if (path_ == "-") {
        descriptor_ = STDOUT_FILENO;
    } else if (::stat(path_.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        opened = OpenInPlace();
    } else {
        opened = OpenReplacement();
    }
    if (!opened) {
        Discard();
    }
    return opened;
}

bool WholeFile::OpenInPlace() {
    descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
    return descriptor_ >= 0 || Fail();
}

bool WholeFile::OpenReplacement() {
    target_ = TargetOf(path_);
    for (int attempt = 0; attempt < kNameTries && descriptor_ < 0; ++attempt) {
        temporary_ = target_ + '.' + RandomSuffix();
        descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        const std::string folder = std::filesystem::path(target_).parent_path().string();
        return Fail("no new file can be made in " + folder);
    }
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && ::fchmod(descriptor_, old.st_mode & 07777) != 0) {
        return Fail();
    }
    return true;
}

bool WholeFile::Write(std::string_view bytes) {
    if (failed_ || descriptor_ < 0) {
        return false;
    }
    buffer_.append(bytes);
    return buffer_.size() < kWriteBytes || WriteOut();
}

bool WholeFile::WriteOut() {
    std::string_view rest(buffer_);
    while (!rest.empty()) {
        const ssize_t written = ::write(descriptor_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return Fail();
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    buffer_.clear();
    return true;
}

bool WholeFile::Commit() {
    if (descriptor_ < 0 || failed_ || !WriteOut() || !CloseDescriptor() || !PutInPlace()) {
        if (!failed_) {
            reason_ = "the file was not open";
        }
        Discard();
        return false;
    }
    return true;
}

bool WholeFile::CloseDescriptor() {
    // Standard output stays open: it belongs to the process, not to the file.
    const int descriptor = std::exchange(descriptor_, -1);
    if (descriptor == STDOUT_FILENO) {
        return true;
    }
    // A full disk may show only here, when the system writes out what it held back.
    const bool synced = temporary_.empty() || ::fsync(descriptor) == 0 || Fail();
    return (::close(descriptor) == 0 || Fail()) && synced;
}

bool WholeFile::PutInPlace() {
    if (temporary_.empty()) {
        return true;
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        return Fail("the new file could not take the place of " + target_);
    }
    temporary_.clear();
    return true;
}

void WholeFile::Discard() {
    if (descriptor_ >= 0 && descriptor_ != STDOUT_FILENO) {
        ::close(descriptor_);
    }
    descriptor_ = -1;
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
    temporary_.clear();
    buffer_.clear();
}

// Keeps the first failure's reason: a later step only fails because of it.
bool WholeFile::Fail(const std::string& step) {
    if (!failed_) {
        const std::string reason = std::strerror(errno);
        reason_ = step.empty() ? reason : step + ": " + reason;
    }
    failed_ = true;
    return false;
}

}  // namespace corvane
