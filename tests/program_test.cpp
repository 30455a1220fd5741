// The real program, started as a user starts it: one copy at a time, a lock left by a
// killed copy, no display, and a configuration that is only ever read.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class ProgramTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir programDir_;
    QTemporaryDir runtimeDir_;

    QString Program() const { return programDir_.filePath(QStringLiteral("quillmere")); }

    std::unique_ptr<QProcess> Start(const QProcessEnvironment& env) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setProgram(Program());
        process->start();
        return process;
    }

    QProcessEnvironment Offscreen() const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        return env;
    }

    static QByteArray Digest(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
    }

private slots:
    void initTestCase() {
        QVERIFY(programDir_.isValid() && runtimeDir_.isValid());
        QVERIFY(QFile::copy(QStringLiteral(QUILLMERE_BINARY), Program()));
        QFile::setPermissions(Program(), QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
        QFile ini(programDir_.filePath(QStringLiteral("Quillmere.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SYSTEM]\nLANG_FLAG=1\n");
    }

    void withoutDisplaySaysSoAndExits() {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        auto p = Start(env);
        QVERIFY(p->waitForFinished(10000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 1);
        QVERIFY(p->readAllStandardError().contains("display"));
    }

    void oneCopyAtATimeAndStaleLocksAreTakenOver() {
        const QString ini = programDir_.filePath(QStringLiteral("Quillmere.ini"));
        const QByteArray before = Digest(ini);
        const QStringList filesBefore = QDir(programDir_.path()).entryList(QDir::Files);

        auto first = Start(Offscreen());
        QVERIFY(first->waitForStarted());
        QTest::qWait(700);
        QCOMPARE(first->state(), QProcess::Running);

        auto second = Start(Offscreen());
        QVERIFY(second->waitForFinished(10000)); // ends at once, silently
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(second->readAllStandardError(), QByteArray());
        QCOMPARE(first->state(), QProcess::Running);

        ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(5000));

        auto third = Start(Offscreen()); // the dead copy's lock does not refuse it
        QVERIFY(third->waitForStarted());
        QVERIFY(!third->waitForFinished(1500));
        QCOMPARE(third->state(), QProcess::Running);
        third->terminate();
        QVERIFY(third->waitForFinished(5000));

        QCOMPARE(Digest(ini), before); // read, never written
        QCOMPARE(QDir(programDir_.path()).entryList(QDir::Files), filesBefore);
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "program_test.moc"
