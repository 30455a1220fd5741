// The real program, started as a user starts it, under an X server of its own: one copy at
// a time, a lock left by a killed copy, no display, and bad configurations that must still
// end in a window. The configuration is only ever read.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A scratch program folder with its own copy of the program.
struct ProgramFolder {
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Program() const { return Path(QStringLiteral("quillmere")); }

    ProgramFolder() {
        QFile::copy(QStringLiteral(QUILLMERE_BINARY), Program());
        QFile::setPermissions(Program(), QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
    }
    void Write(const QString& name, const QByteArray& content) const {
        QFile f(Path(name));
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    // Names, sizes and contents of everything in the folder, to prove nothing was written.
    QByteArray Fingerprint() const {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                        QDirIterator::Subdirectories);
        QStringList entries;
        while (it.hasNext()) {
            entries << it.next();
        }
        entries.sort();
        for (const QString& e : entries) {
            hash.addData(e.toUtf8());
            const QFileInfo info(e);
            if (info.isFile() && !info.isSymLink() && info.isReadable()) {
                QFile f(e);
                if (f.open(QIODevice::ReadOnly)) {
                    hash.addData(f.read(1 << 20));
                }
            }
        }
        return hash.result();
    }
};

// Top-level windows of the program on the test's X server (class "quillmere", 926 wide),
// with a title that holds `title` when one is given.
int ProgramWindows(const char* title = "") {
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    xwininfo.waitForFinished(5000);
    int count = 0;
    for (const QByteArray& line : xwininfo.readAllStandardOutput().split('\n')) {
        if (line.contains("(\"quillmere\"") && line.contains(" 926x") && line.contains(title)) {
            ++count;
        }
    }
    return count;
}

std::unique_ptr<QProcess> Start(const ProgramFolder& folder, QProcessEnvironment env) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env);
    process->setProgram(folder.Program());
    process->start();
    process->waitForStarted();
    return process;
}

QProcessEnvironment Graphical(const QTemporaryDir& runtime) {
    QProcessEnvironment env;
    for (const char* name :
         {"DISPLAY", "XAUTHORITY", "PATH", "ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        if (qEnvironmentVariableIsSet(name)) {
            env.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
        }
    }
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), runtime.path()); // its jobs file
    return env;
}

void Stop(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir runtime_;

private slots:
    void initTestCase() {
        QVERIFY(runtime_.isValid());
        if (!qEnvironmentVariableIsSet("DISPLAY")) {
            QSKIP("needs an X server (the test command runs this under xvfb-run)");
        }
    }

    void withoutDisplaySaysSoAndExits() {
        ProgramFolder folder;
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        auto p = Start(folder, env);
        QVERIFY(p->waitForFinished(10000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 1);
        QVERIFY(p->readAllStandardError().contains("display"));

        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4711")); // nobody listens there
        auto unreachable = Start(folder, env);
        QVERIFY(unreachable->waitForFinished(10000));
        QCOMPARE(unreachable->exitStatus(), QProcess::NormalExit); // no abort, no core dump
        QCOMPARE(unreachable->exitCode(), 1);
        QCOMPARE(unreachable->readAllStandardError(),
                 QByteArray("Quillmere cannot open its window: the display is not reachable.\n"));
    }

    void badConfigurationsStillOpenTheWindow_data() {
        QTest::addColumn<QString>("setup");
        QTest::newRow("no Quillmere.ini") << "none";
        QTest::newRow("unreadable Quillmere.ini") << "unreadable";
        QTest::newRow("Quillmere.ini is a folder") << "folder";
        QTest::newRow("INI_FILENAME names a FIFO") << "fifo";
        QTest::newRow("INI_FILENAME names /dev/zero") << "zero";
        QTest::newRow("INI_FILENAME names a missing file") << "missing";
        QTest::newRow("INI_FILENAME of 300 bytes") << "long";
        QTest::newRow("read-only program folder") << "readonly";
    }
    void badConfigurationsStillOpenTheWindow() {
        QFETCH(QString, setup);
        ProgramFolder folder;
        const QByteArray head = "[SYSTEM]\nLANG_FLAG=1\nINI_FILENAME=";
        if (setup == QLatin1String("unreadable")) {
            folder.Write(QStringLiteral("Quillmere.ini"), "[SYSTEM]\nLANG_FLAG=1\n");
            QFile::setPermissions(folder.Path(QStringLiteral("Quillmere.ini")),
                                  QFileDevice::Permissions());
        } else if (setup == QLatin1String("folder")) {
            QDir(folder.dir.path()).mkdir(QStringLiteral("Quillmere.ini"));
        } else if (setup == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(qPrintable(folder.Path(QStringLiteral("pipe.ini"))), 0600), 0);
            folder.Write(QStringLiteral("Quillmere.ini"), head + "pipe.ini\n");
        } else if (setup == QLatin1String("zero")) {
            folder.Write(QStringLiteral("Quillmere.ini"),
                         head + QByteArray("../").repeated(30) + "dev/zero\n");
        } else if (setup == QLatin1String("missing")) {
            folder.Write(QStringLiteral("Quillmere.ini"), head + "missing.ini\n");
        } else if (setup == QLatin1String("long")) {
            folder.Write(QStringLiteral("Quillmere.ini"), head + QByteArray(300, 'x') + "\n");
        } else if (setup == QLatin1String("readonly")) {
            folder.Write(QStringLiteral("Quillmere.ini"), "[SYSTEM]\nLANG_FLAG=1\n");
            QFile::setPermissions(folder.dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        }
        const QByteArray before = folder.Fingerprint();

        auto p = Start(folder, Graphical(runtime_));
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows(), 1, 20000);
        QCOMPARE(p->state(), QProcess::Running);
        Stop(*p);
        QCOMPARE(ProgramWindows(), 0);
        QCOMPARE(folder.Fingerprint(), before);
        QFile::setPermissions(folder.dir.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void oneCopyAtATimeAndStaleLocksAreTakenOver() {
        ProgramFolder folder;
        folder.Write(QStringLiteral("Quillmere.ini"), "[SYSTEM]\nLANG_FLAG=1\n");
        const QByteArray before = folder.Fingerprint();

        auto first = Start(folder, Graphical(runtime_));
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows(), 1, 20000);
        auto second = Start(folder, Graphical(runtime_));
        QVERIFY(second->waitForFinished(20000)); // ends at once, silently
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(second->readAllStandardError(), QByteArray());
        QCOMPARE(ProgramWindows(), 1);

        ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(5000));
        QTRY_COMPARE(ProgramWindows(), 0);

        auto third = Start(folder, Graphical(runtime_)); // the dead copy's lock is taken over
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows(), 1, 20000);
        Stop(*third);
        QCOMPARE(folder.Fingerprint(), before);
    }

    void noPlaceForTheLockStillGivesTheWindow() {
        ProgramFolder folder;
        QProcessEnvironment env = Graphical(runtime_);
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        // A temporary folder that is a file: no lock can be made there, not even by root.
        folder.Write(QStringLiteral("not-a-folder"), "");
        env.insert(QStringLiteral("TMPDIR"), folder.dir.filePath(QStringLiteral("not-a-folder")));
        auto p = Start(folder, env);
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows(), 1, 20000);
        QCOMPARE(p->state(), QProcess::Running);
        Stop(*p);
    }

    // The program folder is taken as the bytes the file system holds: a name that is not
    // UTF-8 ("caf\xe9") once made the program read /Quillmere.ini instead of its own file.
    void folderNameThatIsNotUtf8() {
        QTemporaryDir parent;
        const std::string folder = parent.path().toStdString() + "/caf\xe9";
        QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
        std::filesystem::copy_file(QUILLMERE_BINARY, folder + "/quillmere");
        std::ofstream(folder + "/Quillmere.ini") << "[SYSTEM]\nLANG_FLAG=1\n";
        // Started through a link in a folder of a plain name; the program still finds its
        // real folder.
        QVERIFY(QDir(parent.path()).mkdir(QStringLiteral("bin")));
        const QString link = parent.filePath(QStringLiteral("bin/quillmere"));
        QCOMPARE(::symlink((folder + "/quillmere").c_str(), QFile::encodeName(link).constData()),
                 0);
        QProcess p;
        p.setProcessEnvironment(Graphical(runtime_));
        p.start(link, {});
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows("Ultrasonic Flowmeter"), 1, 20000);
        Stop(p);
        std::filesystem::remove_all(folder);
    }

    // Without a runtime folder the lock sits in a shared folder; a file of its name that
    // another user made (and holds) must not keep the window from opening.
    void foreignLockFileIsNotTrusted() {
        ProgramFolder folder;
        QTemporaryDir shared;
        QProcessEnvironment env = Graphical(runtime_);
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("TMPDIR"), shared.path()); // no HOME: no cache folder either
        const QByteArray program =
            QFile::encodeName(QFileInfo(folder.Program()).canonicalFilePath());
        const QString name =
            QStringLiteral("quillmere-%1-%2.lock")
                .arg(::getuid())
                .arg(QString::fromLatin1(
                    QCryptographicHash::hash(program, QCryptographicHash::Sha1).toHex().left(16)));
        const QByteArray lock = QFile::encodeName(shared.filePath(name));
        const int fd = ::open(lock.constData(), O_RDWR | O_CREAT, 0666);
        QVERIFY(fd >= 0);
        QCOMPARE(::fchown(fd, 65534, 65534), 0); // nobody's
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        auto p = Start(folder, env);
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows(), 1, 20000);
        Stop(*p);
        ::close(fd);
    }

    // Ending as asked (the window closed, or a polite signal) removes the lock file, so
    // none pile up; the kernel's lock, not the file, tells whether a copy runs.
    void cleanEndRemovesTheLockFile() {
        ProgramFolder folder;
        QTemporaryDir runtime;
        QProcessEnvironment env = Graphical(runtime);
        auto p = Start(folder, env);
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows(), 1, 20000);
        QCOMPARE(QDir(runtime.path()).entryList({QStringLiteral("quillmere-*.lock")}).size(), 1);
        p->terminate();
        QVERIFY(p->waitForFinished(10000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
        QCOMPARE(QDir(runtime.path()).entryList({QStringLiteral("quillmere-*.lock")}),
                 QStringList());
    }

    // --lang wins over the file for one run, and the file is left as it was.
    void languageChosenOnTheCommandLine() {
        ProgramFolder folder;
        folder.Write(QStringLiteral("Quillmere.ini"), "[SYSTEM]\nLANG_FLAG=0\n");
        const QByteArray before = folder.Fingerprint();
        QProcess p;
        p.setProcessEnvironment(Graphical(runtime_));
        p.start(folder.Program(), {QStringLiteral("--lang"), QStringLiteral("en"),
                                   QStringLiteral("--units=imperial")});
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows("Ultrasonic Flowmeter"), 1, 20000);
        Stop(p);
        QCOMPARE(folder.Fingerprint(), before);
        QProcess bad;
        bad.start(folder.Program(), {QStringLiteral("--units"), QStringLiteral("furlongs")});
        QVERIFY(bad.waitForFinished(10000));
        QCOMPARE(bad.exitCode(), 2);
        QVERIFY(bad.readAllStandardError().contains("--units takes metric or imperial"));
        // A misspelt option must not open a window in units nobody asked for; Qt's own
        // options still reach Qt.
        QProcess typo;
        typo.setProcessEnvironment(Graphical(runtime_));
        typo.start(folder.Program(), {QStringLiteral("-style"), QStringLiteral("fusion"),
                                      QStringLiteral("--unit"), QStringLiteral("imperial")});
        QVERIFY(typo.waitForFinished(10000));
        QCOMPARE(typo.exitCode(), 2);
        QVERIFY(typo.readAllStandardError().contains("quillmere: unknown argument --unit\n"));
        for (const QString& option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
            QProcess full; // a full disk is no success
            full.setStandardOutputFile(QStringLiteral("/dev/full"));
            full.start(folder.Program(), {option});
            QVERIFY(full.waitForFinished(10000));
            QCOMPARE(full.exitCode(), 2);
            QCOMPARE(full.readAllStandardError(),
                     QByteArray("quillmere: cannot write the output: No space left on device\n"));
        }
    }

    void twoStartsAtOnceGiveOneWindow() {
        ProgramFolder folder;
        auto a = Start(folder, Graphical(runtime_));
        auto b = Start(folder, Graphical(runtime_));
        QTRY_COMPARE_WITH_TIMEOUT(ProgramWindows(), 1, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(
            a->state() == QProcess::NotRunning || b->state() == QProcess::NotRunning, 20000);
        QCOMPARE(ProgramWindows(), 1); // the copy that ended showed none on its way out
        QProcess& ended = a->state() == QProcess::NotRunning ? *a : *b;
        QCOMPARE(ended.exitCode(), 0);
        Stop(*a);
        Stop(*b);
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "program_test.moc"
