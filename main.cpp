// Quillmere: the start-up settles the run's settings and shows the window; the event loop
// runs until the window is closed.
#include "ModCommonProc.h"
#include "frmCalc.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

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
    QApplication app(argc, argv);
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
