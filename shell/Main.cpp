// Start-up with the platform's services: the single-instance lock and the program folder.
#include "ModCommonProc.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ModCommonProc {
namespace {

// One lock per user and program path, outside the program folder (which may be read-only).
QString LockFilePath() {
    QString folder = QDir::tempPath();
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty() && QDir(runtime).exists()) {
            folder = runtime;
        }
    }
    const QByteArray program = QCoreApplication::applicationFilePath().toUtf8();
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(program, QCryptographicHash::Sha1).toHex().left(16));
    return folder + QStringLiteral("/quillmere-%1-%2.lock").arg(::getuid()).arg(digest);
}

// An advisory lock the kernel drops when its holder ends in any way, so a killed copy never
// leaves a lock behind. Only a lock held by a running copy refuses the start; a lock that
// cannot be made at all (no writable folder) must not cost the user the window.
bool AnotherCopyRuns() {
    const QByteArray path = QFile::encodeName(LockFilePath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held;
    }
    return false; // the descriptor stays open, and the lock held, until the process ends
}

} // namespace

bool Main(const std::function<void()>& showWindow) {
    if (AnotherCopyRuns()) {
        return false; // end silently, nothing read
    }
    FixSettings(QCoreApplication::applicationDirPath().toStdString());
    showWindow();
    return true;
}

} // namespace ModCommonProc
