// Quillmere: the start-up settles the run's settings and shows the window; the event loop
// runs until the window is closed.
#include "rules/RunNames.h"
#include "rules/Words.h"
#include "shell/RunSettings.h"
#include "ui/CalculatorWindow.h"
#include "ui/QuickStartStyle.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

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

constexpr const char* Usage =
    "Usage: quillmere [--lang ja|en] [--units metric|imperial]\n"
    "Opens the sensor spacing calculator. --lang and --units choose the language and the\n"
    "unit system for this run, over Quillmere.ini beside the program (never written).\n";

// The help or the version on standard output; a write that fails (a full disk) is an error.
int Print(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "quillmere: cannot write the output: %s\n", std::strerror(errno));
        return 2;
    }
    return 0;
}

// --lang and --units, for one run. Before Qt has taken its own arguments (-platform ...)
// the others are let pass; afterwards (`onlyOurs`) any left is a mistake, such as --unit,
// that would otherwise open a window in units the user did not ask for. Returns the exit
// status when the program is to end at once (help, version or a bad argument).
std::optional<int> ReadArguments(int argc, char* argv[], RunSettings::RunOverrides& overrides,
                                 bool onlyOurs) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return Print(Usage);
        }
        if (arg == "--version") {
            return Print(std::string("quillmere ") + QUILLMERE_VERSION + "\n");
        }
        std::string value;
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
        } else if ((arg == "--lang" || arg == "--units") && i + 1 < argc) {
            value = argv[++i];
        }
        if (arg == "--lang" && Quillmere::LanguageNamed(value)) {
            overrides.Lang = Quillmere::LanguageNamed(value);
        } else if (arg == "--units" && Quillmere::UnitSystemNamed(value)) {
            overrides.Units = Quillmere::UnitSystemNamed(value);
        } else if (arg == "--lang" || arg == "--units") {
            std::fprintf(stderr, "quillmere: %s takes %s\n%s", arg.c_str(),
                         arg == "--lang" ? "ja or en" : "metric or imperial", Usage);
            return 2;
        } else if (onlyOurs) {
            std::fprintf(stderr, "quillmere: unknown argument %s\n%s",
                         Quillmere::Printable(argv[i]).c_str(), Usage);
            return 2;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    RunSettings::RunOverrides overrides;
    if (const std::optional<int> status = ReadArguments(argc, argv, overrides, false)) {
        return *status;
    }
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
    if (const std::optional<int> status = ReadArguments(argc, argv, overrides, true)) {
        return *status;
    }
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QuillmereUi::UseQuickStartStyle();
    InstallFontSubstitutes();

    std::unique_ptr<CalculatorWindow> window;
    if (!RunSettings::Main(
            [&window] {
                window = std::make_unique<CalculatorWindow>();
                window->show();
            },
            overrides)) {
        return 0;
    }
    QuitOnSignals(app);
    const int status = QApplication::exec();
    window.reset();
    RunSettings::EndInstance();
    return status;
}
