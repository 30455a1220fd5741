// Quillmere: the start-up settles the run's settings and shows the window; the event loop
// runs until the window is closed.
#include "ModCommonProc.h"
#include "frmCalc.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// While QApplication connects to the display, a failure is Qt's fatal error (an abort with
// a core dump); the user gets one sentence and exit status 1 instead.
void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("Quillmere cannot open its window: the display is not reachable.\n", stderr);
        std::_Exit(1);
    }
    if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0) {
        return; // the platform plugin's own account of the same failure
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A request to end (logout, kill, Ctrl+C) closes the window as the user would, so that the
// program ends cleanly and removes its lock file. The signal handler only writes a byte.
int quitPipe[2] = {-1, -1};

void RequestQuit(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
}

void QuitOnSignals(QApplication& app) {
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QApplication::quit);
    struct sigaction action {};
    action.sa_handler = RequestQuit;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const bool hasDisplay = std::getenv("DISPLAY") != nullptr ||
                            std::getenv("WAYLAND_DISPLAY") != nullptr ||
                            std::getenv("QT_QPA_PLATFORM") != nullptr;
    if (!hasDisplay) {
        std::fputs("Quillmere needs a graphical display, and none is set (DISPLAY or "
                   "WAYLAND_DISPLAY).\n",
                   stderr);
        return 1;
    }
    qInstallMessageHandler(StartUpMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    InstallFontSubstitutes();

    std::unique_ptr<frmCalc> window;
    if (!ModCommonProc::Main([&window] {
            window = std::make_unique<frmCalc>();
            window->show();
        })) {
        return 0;
    }
    QuitOnSignals(app);
    const int status = QApplication::exec();
    window.reset();
    ModCommonProc::EndInstance();
    return status;
}
