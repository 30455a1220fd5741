// Quillmere: the start-up settles the run's settings and shows the window; the event loop
// runs until the window is closed.
#include "ModCommonProc.h"
#include "frmCalc.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

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
    return QApplication::exec();
}
