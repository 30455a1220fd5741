// Start-up with the platform's services: the single-instance lock and the program folder.
#include "shell/RunSettings.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <array>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RunSettings {
namespace {

// The running program's own path, as the bytes the file system holds: a folder name that
// is not UTF-8 must not be lost in a text conversion.
std::string ProgramPath() {
    std::array<char, PATH_MAX + 1> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length > 0 && static_cast<std::size_t>(length) < buffer.size() - 1) {
        return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

// A folder only this user writes in: the runtime folder, else the user's cache; the shared
// temporary folder only when there is neither.
QByteArray LockFolder() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty() && QDir(runtime).exists()) {
            return QFile::encodeName(runtime);
        }
    }
    if (!qEnvironmentVariableIsEmpty("HOME") && QDir(qEnvironmentVariable("HOME")).exists()) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        if (!cache.isEmpty() && QDir().mkpath(cache)) {
            return QFile::encodeName(cache);
        }
    }
    return QFile::encodeName(QDir::tempPath());
}

// One lock per user and program path.
QByteArray LockFilePath(const std::string& program) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(program), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return LockFolder() + "/quillmere-" + QByteArray::number(::getuid()) + "-" + digest + ".lock";
}

QByteArray heldPath;
int heldFd = -1;

enum class Lock { Taken, HeldByAnotherCopy, Unavailable };

// An advisory lock the kernel drops when its holder ends in any way, so a killed copy never
// leaves a lock behind. The file must be this user's own regular file: one that another
// user made (in a shared folder) or a link is not trusted, and the program then runs
// without the single-instance rule rather than not at all.
Lock TakeLock(const QByteArray& path) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            return Lock::Unavailable;
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_uid != ::geteuid() ||
            opened.st_nlink != 1) {
            ::close(fd);
            return Lock::Unavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return held ? Lock::HeldByAnotherCopy : Lock::Unavailable;
        }
        // A copy that ended just now may have removed the file after we opened it: the lock
        // counts only on the file that is still there.
        struct stat named {};
        if (::stat(path.constData(), &named) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino) {
            heldPath = path;
            heldFd = fd; // stays open, and the lock held, until the program ends
            return Lock::Taken;
        }
        ::close(fd);
    }
    return Lock::Unavailable;
}

} // namespace

bool Main(const std::function<void()>& showWindow, const RunOverrides& overrides) {
    const std::string program = ProgramPath();
    if (TakeLock(LockFilePath(program)) == Lock::HeldByAnotherCopy) {
        return false; // end silently, nothing read
    }
    const std::size_t slash = program.rfind('/');
    if (slash == std::string::npos) {
        FixSettingsWithoutFile(); // the folder is unknown: read no stranger's file
    } else {
        FixSettings(program.substr(0, slash));
    }
    ApplyOverrides(overrides);
    showWindow();
    return true;
}

void EndInstance() {
    if (heldFd >= 0) {
        // Removed while still locked, so that no other copy can be holding it.
        ::unlink(heldPath.constData());
        ::close(heldFd);
        heldFd = -1;
    }
}

} // namespace RunSettings
