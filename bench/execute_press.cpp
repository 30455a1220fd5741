// The press of EXECUTE to the result painted, per press: the time on the clock, which
// includes waiting for the display server, and the program's own processor time.
// Runs the real window on the display in DISPLAY, or offscreen.
// usage: execute_press [PRESSES]
#include "shell/RunSettings.h"
#include "ui/CalculatorWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double ThreadCpuMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    QTemporaryDir programDir; // no Quillmere.ini: the defaults, metric and Japanese
    // Each press appends to the jobs file, here a scratch one.
    qputenv("XDG_DATA_HOME", QFile::encodeName(programDir.path()));
    RunSettings::FixSettings(programDir.path().toStdString());
    CalculatorWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fputs("the window was not shown\n", stderr);
        return 1;
    }
    window.WallEdit->setText(QStringLiteral("6.0"));

    std::vector<double> wall;
    std::vector<double> own;
    wall.reserve(static_cast<std::size_t>(presses));
    own.reserve(static_cast<std::size_t>(presses));
    QElapsedTimer timer;
    for (int i = 0; i < presses; ++i) {
        // A new diameter each time, so every press writes and paints a new result.
        window.OuterDiameterEdit->setText(QString::number(100 + i % 500));
        QApplication::processEvents();
        const double cpuBefore = ThreadCpuMicroseconds();
        timer.start();
        window.ExecuteButton->click();
        window.Result1Edit->repaint();
        window.Result2Edit->repaint();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
        own.push_back(ThreadCpuMicroseconds() - cpuBefore);
    }
    if (window.Result1Edit->text().isEmpty()) {
        std::fputs("EXECUTE gave no result\n", stderr);
        return 1;
    }
    auto report = [presses](const char* what, std::vector<double>& us) {
        std::sort(us.begin(), us.end());
        auto at = [&](double share) { return us[static_cast<std::size_t>(share * (presses - 1))]; };
        std::printf("%s, %d presses: median %.0f us, 99th percentile %.0f us, slowest %.0f us\n",
                    what, presses, at(0.5), at(0.99), at(1.0));
    };
    report("EXECUTE to results painted, clock time", wall);
    report("EXECUTE to results painted, own processor time", own);
    return 0;
}
