// Quillmere: the start-up settles the run's settings, then the window runs the event loop.
#include "ModCommonProc.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (!ModCommonProc::Main([] {})) {
        return 0;
    }
    return 0;
}
