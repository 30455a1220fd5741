// Start-up with the platform's services: the single-instance lock and the program folder.
#include "ModCommonProc.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

#include <unistd.h>

namespace ModCommonProc {
namespace {

// One lock per user and program path, outside the program folder (which may be read-only).
// QLockFile takes over the lock of a copy that died without releasing it.
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

} // namespace

bool Main(const std::function<void()>& showWindow) {
    static std::unique_ptr<QLockFile> instanceLock;
    instanceLock = std::make_unique<QLockFile>(LockFilePath());
    if (!instanceLock->tryLock(0)) {
        return false; // another copy runs: end silently, nothing read
    }
    FixSettings(QCoreApplication::applicationDirPath().toStdString());
    showWindow();
    return true;
}

} // namespace ModCommonProc
