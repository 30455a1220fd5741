// The window's record of a job, driven as a user drives it: the summary on the clipboard,
// the PDF report and the printout, the menu that offers them, and the two helpers that type
// a standard pipe's dimensions and water's velocity at its temperature.
#include "WindowFixture.h"
#include "engine/Engine.h"
#include "report/JobSummary.h"
#include "rules/Rules.h"
#include "ui/JobReport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

#include <clocale>
#include <csignal>
#include <fstream>
#include <functional>
#include <memory>
#include <tuple>

using namespace Quillmere;

class RecordTest : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void init() {
        CaptureMessages();
        ResetMostOpen();
    }
    void cleanup() {
        // A message the test did not expect fails it instead of going unnoticed.
        QCOMPARE(TakeMessages(), QStringList());
        QVERIFY(MostOpenAtOnce() <= 1);
        Close();
    }

    // The job as the installer keeps it: the summary on the clipboard in the window's
    // language, every input with its unit and the table velocities that counted.
    void jobSummaryOnTheClipboard_data() {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("English")
            << 1
            << QStringList{QStringLiteral("Sensor spacing record\n"),
                           QStringLiteral("\nVersion: Quillmere 1.0.0\n"),
                           QStringLiteral("\nOUTER DIAMETER: 60.5 mm\n"),
                           QStringLiteral("\nPIPE MATERIAL: STAINLESS STEEL\n"),
                           QStringLiteral("\nPIPE S.V.: 3141 m/s (table value)\n"),
                           QStringLiteral("\nWALL THICKNESS: 3.9 mm\n"),
                           QStringLiteral("\nLINING MATERIAL: RUBBER\n"),
                           QStringLiteral("\nLINING S.V.: 1510 m/s (table value)\n"),
                           QStringLiteral("\nLINING THICKNESS: 1.5 mm\n"),
                           QStringLiteral("\nKIND OF FLUID: FLUID S.V.\n"),
                           QStringLiteral("\nFLUID S.V.: 1480 m/s\n"),
                           QStringLiteral("\nSENSOR MOUNT: Z METHOD\n"),
                           QStringLiteral("\nSENSOR TYPE: VT-A1/VT-A2\n"),
                           QStringLiteral("\nSENSOR SPACING1: 33 mm\n"),
                           QStringLiteral("\nSENSOR SPACING2: 11 (3 mm steps)\n"),
                           QStringLiteral("\n33.79 mm computed, mounted at 11 steps = 33 mm\n"),
                           QStringLiteral("\nCircumferential distance: 95.03 mm\n")};
        QTest::newRow("Japanese") << 0
                                  << QStringList{
                                         QStringLiteral("センサ取付け寸法の記録\n"),
                                         QStringLiteral("\n外径寸法: 60.5 mm\n"),
                                         QStringLiteral("\n配管材質: ｽﾃﾝﾚｽ\n"),
                                         QStringLiteral("\n配管音速: 3141 m/s (表の値)\n"),
                                         QStringLiteral("\nﾗｲﾆﾝｸﾞ材質: ｺﾞﾑ\n"),
                                         QStringLiteral("\n流体音速: 1480 m/s\n"),
                                         QStringLiteral("\nｾﾝｻ取付け法: Z法\n"),
                                         QStringLiteral("\n取付け寸法1: 33 mm\n"),
                                         QStringLiteral("\n取付け寸法2: 11 (3 mm ステップ)\n")};
    }
    void jobSummaryOnTheClipboard() {
        QFETCH(int, lang);
        QFETCH(QStringList, expected);
        CalculatorWindow& w = Open(lang, 0);
        QVERIFY(!w.CopySummaryAction->isEnabled());
        TypeInto(w.OuterDiameterEdit, QStringLiteral("60.5"));
        Choose(w.PipeMaterialList, 1);
        TypeInto(w.WallEdit, QStringLiteral("3.9"));
        Choose(w.MountMethodList, 1);
        Choose(w.SensorTypeList, 2);
        Choose(w.LiningMaterialList, 3);
        TypeInto(w.LiningThicknessEdit, QStringLiteral("1.5"));
        Choose(w.FluidList, 17);
        TypeInto(w.FluidVelocityEdit, QStringLiteral("1480"));
        Execute();
        QVERIFY(w.CopySummaryAction->isEnabled());
        QApplication::clipboard()->clear();
        QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString copied = QApplication::clipboard()->text();
        for (const QString& part : expected) {
            QVERIFY2(copied.contains(part),
                     qPrintable(part + QStringLiteral(" not in:\n") + copied));
        }
        QVERIFY(QRegularExpression(QStringLiteral(": \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d\\n"))
                    .match(copied)
                    .hasMatch());
        QVERIFY(copied.startsWith(expected.first()));
    }

    // Copy, save and print are there only while a result is shown: a record can never carry
    // a spacing that does not belong to the inputs.
    void recordsOnlyWithAResult() {
        CalculatorWindow& w = Open(1, 0);
        const auto enabled = [&w] {
            return w.CopySummaryAction->isEnabled() + w.SaveReportAction->isEnabled() +
                   w.PrintAction->isEnabled();
        };
        QCOMPARE(enabled(), 0);
        QVERIFY(w.HelpAction->isEnabled() && w.AboutAction->isEnabled());
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Execute();
        QCOMPARE(enabled(), 3);
        TypeInto(w.WallEdit, QStringLiteral("8.0"));
        QCOMPARE(enabled(), 0);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
        QCOMPARE(w.JobSummaryText(), QString());
    }

    // A right click, or the menu key, anywhere in the window opens the job's menu: the lists
    // and the button too, not only the bare background; a text field adds it below its own
    // edit menu.
    void contextMenuAnywhere() {
        CalculatorWindow& w = Open(1, 0);
        const QStringList job{QStringLiteral("Copy job summary"),
                              QStringLiteral("Save report..."),
                              QStringLiteral("Print..."),
                              QString(),
                              QStringLiteral("Standard pipe..."),
                              QStringLiteral("Fluid at temperature..."),
                              QStringLiteral("Job details..."),
                              QStringLiteral("How sure..."),
                              QStringLiteral("Measuring point..."),
                              QString(),
                              QStringLiteral("Help"),
                              QStringLiteral("About Quillmere")};
        const auto menuOn = [this](QWidget* widget, QContextMenuEvent::Reason reason) {
            QStringList entries;
            QTimer::singleShot(0, this, [&entries] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (menu != nullptr) {
                    for (const QAction* action : menu->actions()) {
                        entries << action->text()
                                       .remove(QLatin1Char('&'))
                                       .section(QLatin1Char('\t'), 0, 0);
                    }
                    menu->close();
                }
            });
            const QPoint at = widget->rect().center();
            QContextMenuEvent event(reason, at, widget->mapToGlobal(at));
            QApplication::sendEvent(widget, &event);
            QApplication::processEvents();
            return entries;
        };
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 &w, w.PipeMaterialList, w.SensorTypeList, w.FluidList, w.ExecuteButton,
                 w.OuterDiameterCaption, w.ResultFrame}) {
            QVERIFY2(menuOn(widget, QContextMenuEvent::Mouse) == job,
                     qPrintable(widget->objectName()));
            QVERIFY2(menuOn(widget, QContextMenuEvent::Keyboard) == job,
                     qPrintable(widget->objectName()));
        }
        for (QLineEdit* field : std::initializer_list<QLineEdit*>{w.WallEdit, w.Result1Edit}) {
            const QStringList entries = menuOn(field, QContextMenuEvent::Mouse);
            QVERIFY2(entries.size() > job.size() + 1, qPrintable(entries.join(QLatin1Char('|'))));
            QCOMPARE(entries.mid(entries.size() - job.size()), job);
            QCOMPARE(entries[entries.size() - job.size() - 1], QString()); // the separator
        }
    }

    // Ctrl+S, through the file dialog, to a one-page PDF whose text holds the inputs, the
    // result and the sketch's scale.
    void reportSavedAsPdf() {
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Choose(w.SensorTypeList, 4);
        Choose(w.LiningMaterialList, 3);
        TypeInto(w.LiningThicknessEdit, QStringLiteral("3"));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("63.11"));

        QTemporaryDir scratch;
        const QString target = scratch.filePath(QStringLiteral("report.pdf"));
        const QString proposed =
            SaveReportAs(w, target, [&] { QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier); });
        QVERIFY(QRegularExpression(QStringLiteral("/quillmere-\\d{8}-\\d{6}\\.pdf$"))
                    .match(proposed)
                    .hasMatch());
        QVERIFY(QFile::exists(target));
        if (qEnvironmentVariableIsSet("QUILLMERE_KEEP_REPORT")) {
            QFile::copy(target, qEnvironmentVariable("QUILLMERE_KEEP_REPORT"));
        }

        const QString pdf = PdfText(target, {QStringLiteral("-layout")});
        for (const char* part :
             {"Sensor spacing record", "OUTER DIAMETER: 114.3 mm", "WALL THICKNESS: 6.0 mm",
              "LINING MATERIAL: RUBBER", "LINING THICKNESS: 3 mm", "SENSOR TYPE: VT-C1",
              "SENSOR SPACING1: 63.11 mm", "Scale 1:"}) {
            QVERIFY2(pdf.contains(QString::fromUtf8(part)),
                     qPrintable(QString::fromUtf8(part) + QStringLiteral(" not in:\n") + pdf));
        }
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {target});
        QVERIFY(info.waitForFinished(20000));
        const QString facts = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(facts.contains(QRegularExpression(QStringLiteral("Pages: +1\\n"))),
                 qPrintable(facts));
        QVERIFY2(facts.contains(QStringLiteral("(A4)")), qPrintable(facts));
    }

    // Without a documents folder the report is proposed in the home folder, not wherever the
    // program happened to be started.
    void reportProposedAtHomeWithoutDocumentsFolder() {
        CalculatorWindow& w = OpenWithResult(1);
        QTemporaryDir home;
        const QByteArray savedHome = qgetenv("HOME");
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("none"))));
        const QString target = home.filePath(QStringLiteral("report.pdf"));
        const QString proposed = SaveReportAs(w, target);
        qputenv("HOME", savedHome);
        savedConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME")
                             : qputenv("XDG_CONFIG_HOME", savedConfig);
        QCOMPARE(QFileInfo(proposed).absolutePath(), home.path());
        QVERIFY(QFile::exists(target));
    }

    // Job details..., kept for the run: they head the summary and the PDF as typed, and the
    // proposed file name carries the tag (made safe) and the time to the second.
    void jobDetailsHeadTheRecord() {
        CalculatorWindow& w = OpenWithResult(0);
        QCOMPARE(w.JobDetailsAction->text(), QStringLiteral("ジョブ情報(&J)..."));
        QVERIFY(w.JobDetailsAction->isEnabled());
        const auto fill = [this, &w](const QStringList& texts, const QString& expectRefusal) {
            QTimer::singleShot(0, this, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog != nullptr);
                QCOMPARE(dialog->objectName(), QStringLiteral("JobDetailsDialog"));
                const char* names[] = {"Site", "Tag", "Installer", "Note"};
                for (int i = 0; i < 4; ++i) {
                    auto* field = dialog->findChild<QLineEdit*>(QString::fromLatin1(names[i]));
                    QVERIFY(field != nullptr);
                    QVERIFY(!field->accessibleName().isEmpty());
                    field->setText(texts[i]);
                }
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                if (!expectRefusal.isEmpty()) { // shown over the dialog, which stays
                    QCOMPARE(TakeMessages(), QStringList{expectRefusal});
                    for (int i = 0; i < 4; ++i) { // nothing typed or pasted is cut
                        QCOMPARE(
                            dialog->findChild<QLineEdit*>(QString::fromLatin1(names[i]))->text(),
                            texts[i]);
                    }
                    static_cast<QDialog*>(dialog)->reject();
                }
            });
            w.JobDetailsAction->trigger();
        };
        // Counted in characters: 60 of 𠮷 (two UTF-16 units each) are an installer's 60.
        const QString sixty = QString(QStringLiteral("𠮷")).repeated(60);
        fill({QStringLiteral("x"), QStringLiteral("y"), sixty, QStringLiteral("n")}, {});
        QVERIFY(w.JobSummaryText().contains(QStringLiteral("施工者: ") + sixty + '\n'));
        fill({QStringLiteral("北浄水場"), QStringLiteral("FT-101 / 2"), QStringLiteral("山田"),
              QStringLiteral("  曲がりの後 5D  ")},
             {});
        // A tab, a direction override, a note too long: refused with the text left whole,
        // and what was kept stays.
        fill(
            {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"), QStringLiteral("a\tb")},
            Text(Catalogue::JobText::ControlCharacter)
                .replace("%1", Text(Catalogue::JobText::Note)));
        fill(
            {QStringLiteral("x"), QStringLiteral("FT\u202E1"), QStringLiteral("z"), {}},
            Text(Catalogue::JobText::FormatCharacter).replace("%1", Text(Catalogue::JobText::Tag)));
        fill({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"), QString(400, 'n')},
             Text(Catalogue::JobText::TooLong)
                 .replace("%1", Text(Catalogue::JobText::Note))
                 .replace("%2", QStringLiteral("300")));
        const QString summary = w.JobSummaryText();
        QVERIFY2(summary.startsWith(QStringLiteral("センサ取付け寸法の記録\n現場: 北浄水場\n"
                                                   "測定点 (タグ): FT-101 / 2\n施工者: 山田\n"
                                                   "備考: 曲がりの後 5D\n")),
                 qPrintable(summary));

        QTemporaryDir scratch;
        const QString target = scratch.filePath(QStringLiteral("job.pdf"));
        const QString proposed = SaveReportAs(w, target);
        QVERIFY2(QRegularExpression(QStringLiteral("/quillmere-FT-101-2-\\d{8}-\\d{6}\\.pdf$"))
                     .match(proposed)
                     .hasMatch(),
                 qPrintable(proposed));
        const QString pdf = PdfText(target);
        QVERIFY2(pdf.contains(QStringLiteral("北浄水場")), qPrintable(pdf));
        QVERIFY2(pdf.contains(QStringLiteral("曲がりの後 5D")), qPrintable(pdf));

        // Kept while the inputs change, as the run's own.
        Choose(w.SensorTypeList, 4);
        Execute();
        QVERIFY(w.JobSummaryText().contains(QStringLiteral("現場: 北浄水場")));
    }

    // The longest summary there is (every optional line, a clamped spacing's note) wraps
    // within the page and leaves the sketch and its footer below it, in both languages.
    void longReportStaysOnThePage_data() {
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("identity");
        QTest::newRow("en") << 5000 << false;
        QTest::newRow("ja") << 0 << false;
        QTest::newRow("en, job details") << 5000 << true;
        QTest::newRow("ja, job details") << 0 << true;
    }
    void longReportStaysOnThePage() {
        QFETCH(int, base);
        QFETCH(bool, identity);
        Job e;
        e.SensorTypeIndex = 4; // VT-C1 on a small pipe: clamped to 0
        e.MountMethodIndex = 1;
        e.Text(InputField::OuterDiameter) = "20";
        e.Text(InputField::WallThickness) = "1";
        e.PipeMaterialIndex = PipeUserEntry;
        e.Text(InputField::PipeVelocity) = "3200";
        e.LiningMaterialIndex = LiningUserEntry;
        e.Text(InputField::LiningVelocity) = "2300";
        e.Text(InputField::LiningThickness) = "0.5";
        e.FluidIndex = FluidUserEntry;
        e.Text(InputField::FluidVelocity) = "1551";
        LockVelocitiesByLists(e);
        e.Lang = base == 0 ? Language::Japanese : Language::English;
        JobRecord job = RecordJob(e, 2);
        QCOMPARE(job.Outcome.Display.Circumferential, std::string("31.41"));
        AddHelperNotes(job,
                       {"STPG 100A Sch40, JIS G 3454:2017", "20", "1", "WATER 60 °C, Marczak 1997",
                        "1551", "", "", FluidSource{60.0, {}, &Marczak1997}});
        // Every identity line at its longest, words wider than the page among them: a note of
        // 300 characters wraps over lines.
        if (identity) {
            job.Identity[IdentityItem::Site] = std::string(100, 'S');
            job.Identity[IdentityItem::Tag] = std::string(40, 'T');
            job.Identity[IdentityItem::Installer] = std::string(60, 'I');
            for (int i = 0; i < 60; ++i) {
                job.Identity[IdentityItem::Note] += base == 0 ? "配管の曲" : "word ";
            }
        }
        const QString summary =
            QString::fromStdString(JobSummary(job, "2026-12-07 10:00", "1.0.0"));
        QVERIFY2(summary.count(QLatin1Char('\n')) == (identity ? 23 : 19), qPrintable(summary));
        QVERIFY(!BelowZeroNote(job).empty());

        QTemporaryDir scratch;
        const QString target = scratch.filePath(QStringLiteral("long.pdf"));
        QVERIFY(QuillmereUi::SaveReportPdf(target, job, summary, QStringLiteral("IPAGothic")));
        if (qEnvironmentVariableIsSet("QUILLMERE_KEEP_REPORT")) {
            QFile::copy(target,
                        qEnvironmentVariable("QUILLMERE_KEEP_REPORT") + QString::number(base));
        }
        const QString boxes = PdfText(target, {QStringLiteral("-bbox")});
        // Word boxes in points: every word within the margins, the last summary word (the
        // note's) above the sketch's footer with room for the sketch between them.
        const QRegularExpression word(
            QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                           "yMax=\"([0-9.]+)\">([^<]*)</word>"));
        constexpr double mm = 72 / 25.4;
        double noteBottom = 0;
        double footerTop = 0;
        int words = 0;
        for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
            const auto m = it.next();
            QVERIFY2(m.captured(1).toDouble() >= 14 * mm && m.captured(3).toDouble() <= 196 * mm,
                     qPrintable(m.captured(5)));
            QVERIFY2(m.captured(4).toDouble() <= 282 * mm, qPrintable(m.captured(5)));
            const QString w = m.captured(5);
            if (w.contains(QStringLiteral("method.")) ||
                w.contains(QStringLiteral("変えてください"))) {
                noteBottom = m.captured(4).toDouble();
            }
            if ((w == QStringLiteral("Scale") || w == QStringLiteral("尺度")) && footerTop == 0) {
                footerTop = m.captured(2).toDouble();
            }
        }
        QVERIFY2(words > 40 && noteBottom > 0 && footerTop > 0, qPrintable(boxes));
        QVERIFY2(footerTop - noteBottom > (identity ? 80 : 100) * mm,
                 qPrintable(QStringLiteral("%1 %2").arg(noteBottom).arg(footerTop)));
    }

    void japaneseReportEmbedsItsFont() {
        CalculatorWindow& w = OpenWithResult(0);
        QTemporaryDir scratch;
        const QString target = scratch.filePath(QStringLiteral("報告.pdf"));
        SaveReportAs(w, target);
        if (qEnvironmentVariableIsSet("QUILLMERE_KEEP_REPORT")) {
            QFile::copy(target,
                        qEnvironmentVariable("QUILLMERE_KEEP_REPORT") + QStringLiteral(".ja.pdf"));
        }
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {target});
        QVERIFY(fonts.waitForFinished(20000));
        const QString list = QString::fromUtf8(fonts.readAllStandardOutput());
        QVERIFY2(list.contains(QStringLiteral("IPAGothic")), qPrintable(list));
        QVERIFY(PdfText(target).contains(QStringLiteral("外径寸法: 114.3 mm")));
    }

    // A disk that fills up while the report is written (here a file size limit) is a failure
    // the installer is told of, and the report saved there before stays whole.
    void fullDiskIsReportedAndKeepsTheEarlierReport() {
        CalculatorWindow& w = OpenWithResult(1);
        QTemporaryDir scratch;
        const QString target = scratch.filePath(QStringLiteral("report.pdf"));
        auto content = [&] {
            QFile file(target);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        SaveReportAs(w, target);
        const QByteArray earlier = content();
        QVERIFY(earlier.startsWith("%PDF") && earlier.size() > 8192);
        QVERIFY(TakeMessages().isEmpty());

        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        SaveReportAs(w, target);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(TakeMessages(),
                 QStringList{QStringLiteral("The report could not be saved: ") + target});
        QVERIFY(content() == earlier);
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("report.pdf")});
    }

    // Print... through the platform's dialog, to a file: the same page as the saved report;
    // a printer that cannot take the page is a failure the installer is told of.
    void printedThroughThePrintDialog() {
        CalculatorWindow& w = OpenWithResult(1);
        const QString spacing = w.Result1Edit->text();
        QTemporaryDir scratch;
        QVERIFY(QDir(scratch.path()).mkdir(QStringLiteral("out")));
        const QString target = scratch.filePath(QStringLiteral("out/printed.pdf"));
        auto print = [&](bool folderGoesAway) {
            QTimer::singleShot(0, this, [&, folderGoesAway] {
                auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog != nullptr);
                auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
                QVERIFY(printers && file);
                printers->setCurrentIndex(printers->count() - 1); // Print to File (PDF)
                file->setText(target);
                if (folderGoesAway) { // after the dialog's own check of the file
                    connect(dialog, qOverload<QPrinter*>(&QPrintDialog::accepted), this, [&] {
                        QDir(scratch.filePath(QStringLiteral("out"))).removeRecursively();
                    });
                }
                dialog->accept();
            });
            w.PrintAction->trigger();
        };
        print(false);
        QVERIFY(TakeMessages().isEmpty());
        const QString page = PdfText(target, {QStringLiteral("-layout")});
        QVERIFY2(
            page.contains(QStringLiteral("SENSOR SPACING1: ") + spacing + QStringLiteral(" mm")),
            qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("Scale 1:")));

        print(true);
        QCOMPARE(TakeMessages(), QStringList{QStringLiteral("The report could not be printed.")});

        // Without its module beside the program, Print says so rather than do nothing.
        w.PrintModuleFolder = scratch.path();
        QTimer::singleShot(0, this, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                dialog->close();
                QFAIL("a dialog opened without the print module");
            }
        });
        w.PrintAction->trigger();
        QCOMPARE(TakeMessages(), QStringList{QStringLiteral("The report could not be printed.")});
    }

    // "Fluid at temperature...": water at 60 degC chooses FLUID S.V. with 1551 m/s, and the
    // press gives what quillmere-calc --fluid-temperature 60 gives (73.35); a temperature
    // outside the equation's range is refused and the dialog stays.
    void fluidAtTemperatureDialog() {
        CalculatorWindow& w = Open(1, 0);
        Choose(w.SensorTypeList, 4);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6"));
        int rounds = 0;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("FluidAtTemperatureDialog"));
            auto* fluid = dialog->findChild<QComboBox*>(QStringLiteral("Fluid"));
            auto* temperature = dialog->findChild<QLineEdit*>(QStringLiteral("Temperature"));
            QCOMPARE(fluid->count(), 3); // WATER, SEAWATER, DIST. WATER
            QCOMPARE(fluid->currentText(), QStringLiteral("WATER"));
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::keyClicks(temperature, QStringLiteral("96"));
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(
                TakeMessages(),
                QStringList{QStringLiteral(
                    "The Marczak 1997 equation holds for 0 - 95 °C only. With the line's "
                    "pressure, the IAPWS-IF97 equation gives water's velocity up to 350 °C.")});
            // A salinity is sea water's: the field is off for water.
            QVERIFY(!dialog->findChild<QLineEdit*>(QStringLiteral("Salinity"))->isEnabled());
            QVERIFY(dialog->isVisible());
            temperature->clear();
            QTest::keyClicks(temperature, QStringLiteral("60"));
            QTest::mouseClick(ok, Qt::LeftButton);
            ++rounds;
        });
        w.FluidAtTemperatureAction->trigger();
        QCOMPARE(rounds, 1);
        QCOMPARE(w.FluidList->currentIndex(), FluidUserEntry);
        QCOMPARE(w.FluidVelocityEdit->text(), QStringLiteral("1551"));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("73.35"));
        w.CopySummaryAction->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("FLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)\n")));
        // Hot water at the line's pressure: a pressure it would boil at is refused with the
        // pressure field selected; at 1.6 MPa IF97 gives it.
        QTimer::singleShot(0, this, [&] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            auto* temperature = dialog->findChild<QLineEdit*>(QStringLiteral("Temperature"));
            auto* pressure = dialog->findChild<QLineEdit*>(QStringLiteral("Pressure"));
            QVERIFY(!pressure->accessibleName().isEmpty());
            temperature->setText(QStringLiteral("120"));
            pressure->setText(QStringLiteral("0.05"));
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(TakeMessages(),
                     QStringList{QStringLiteral(
                         "At 120 °C water boils at 0.09734 MPa gauge (0.198665 MPa absolute) and "
                         "below: give the line's pressure; below it, it is steam")});
            QCOMPARE(dialog->focusWidget(), pressure);
            pressure->setText(QStringLiteral("1.6"));
            QTest::mouseClick(ok, Qt::LeftButton);
            ++rounds;
        });
        w.FluidAtTemperatureAction->trigger();
        QCOMPARE(rounds, 2);
        QCOMPARE(w.FluidVelocityEdit->text(), QStringLiteral("1524"));
        Execute();
        w.CopySummaryAction->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral(
            "FLUID S.V.: 1524 m/s (WATER 120 °C, 1.6 MPa gauge (1.701325 MPa absolute), "
            "IAPWS-IF97)\n")));
    }

    // "Standard pipe...": STPG 100A Sch40 types 114.3 and 6, and the press gives what
    // quillmere-calc --pipe-size "STPG 100A Sch40" gives (65.47); a change of standard keeps
    // the size and schedule; imperial types ASME's own inches.
    void standardPipeDialog() {
        CalculatorWindow& w = Open(1, 0);
        Choose(w.SensorTypeList, 4);
        int rounds = 0;
        int listed = 0;
        bool firstTicked = false;
        const auto pick = [&](const QString& standard, const QString& size, const QString& schedule,
                              bool mortar = false) {
            QTimer::singleShot(0, this, [&, standard, size, schedule, mortar] {
                auto* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog && dialog->objectName() == QStringLiteral("StandardPipeDialog"));
                auto* standards = dialog->findChild<QComboBox*>(QStringLiteral("Standard"));
                auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("Size"));
                auto* schedules = dialog->findChild<QComboBox*>(QStringLiteral("Schedule"));
                // Compared once the dialog is closed: a failure here would leave it open.
                listed = standards->count();
                standards->setCurrentIndex(standards->findText(standard, Qt::MatchStartsWith));
                if (!size.isEmpty()) {
                    sizes->setCurrentIndex(sizes->findText(size));
                }
                if (!schedule.isEmpty()) {
                    schedules->setCurrentIndex(schedules->findText(schedule));
                }
                auto* lining = dialog->findChild<QCheckBox*>(QStringLiteral("Mortar"));
                // Water-works ductile pipe is supplied cement-lined: offered ticked at first.
                firstTicked = rounds > 0 ? firstTicked : lining->isChecked();
                lining->setChecked(mortar);
                ++rounds;
                QTest::mouseClick(
                    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                    Qt::LeftButton);
            });
            w.StandardPipeAction->trigger();
            QCOMPARE(listed, static_cast<int>(PipeTables().size()));
        };
        pick(QStringLiteral("STPG"), QStringLiteral("100A (4B)"), QStringLiteral("Sch40"));
        QCOMPARE(w.OuterDiameterEdit->text(), QStringLiteral("114.3"));
        QCOMPARE(w.WallEdit->text(), QStringLiteral("6"));
        QVERIFY(TakeMessages().isEmpty());
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("65.47"));
        QCOMPARE(w.PipeMaterialList->currentText(), QStringLiteral("CARBON STEEL"));
        w.CopySummaryAction->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("\nStandard pipe: STPG 100A Sch40, JIS G 3454:2017\n")));
        // The same size and schedule in the stainless standard: the same figures, but a
        // stainless pipe, and the result goes; SGP brings carbon steel back.
        pick(QStringLiteral("SUS"), QString(), QString());
        QCOMPARE(w.WallEdit->text(), QStringLiteral("6"));
        QCOMPARE(w.PipeMaterialList->currentText(), QStringLiteral("STAINLESS STEEL"));
        QCOMPARE(w.Result1Edit->text(), QString());
        pick(QStringLiteral("SGP"), QString(), QString());
        QCOMPARE(w.WallEdit->text(), QStringLiteral("4.5"));
        QCOMPARE(w.PipeMaterialList->currentText(), QStringLiteral("CARBON STEEL"));
        QCOMPARE(rounds, 3);
        QVERIFY(firstTicked);

        // A water main: ISO ductile iron with its mortar lining fills every pipe input, as
        // quillmere-calc --pipe-size "DN 100 K9 mortar" does, and the record says whence.
        pick(QStringLiteral("DN"), QStringLiteral("100"), QStringLiteral("K9"), true);
        QCOMPARE(w.OuterDiameterEdit->text(), QStringLiteral("118"));
        QCOMPARE(w.WallEdit->text(), QStringLiteral("6"));
        QCOMPARE(w.PipeMaterialList->currentText(), QStringLiteral("DUCTILE IRON"));
        QCOMPARE(w.LiningMaterialList->currentIndex(), MortarEntry);
        QCOMPARE(w.LiningThicknessEdit->text(), QStringLiteral("3"));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("71.59"));
        w.CopySummaryAction->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("\nLINING THICKNESS: 3 mm (ISO 4179:2005)\n")));
        Choose(w.LiningMaterialList, NoLiningEntry);

        // PVC: the dialog says what OK will choose, and the result is quillmere-calc's for
        // --pipe-size "VP 100"; a typed PIPE S.V. is the user's measurement and stays.
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            auto* standards = dialog->findChild<QComboBox*>(QStringLiteral("Standard"));
            standards->setCurrentIndex(
                standards->findText(QStringLiteral("VP"), Qt::MatchStartsWith));
            auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("Size"));
            sizes->setCurrentIndex(sizes->findText(QStringLiteral("100")));
            shown = dialog->findChild<QLabel*>(QStringLiteral("Material"))->text();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        w.StandardPipeAction->trigger();
        QCOMPARE(shown, QStringLiteral("PVC"));
        QCOMPARE(w.PipeMaterialList->currentIndex(), PipeEntryOf(PipeMaterialKey::Pvc));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("58.47"));
        w.activateWindow(); // back from the dialog
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Choose(w.PipeMaterialList, PipeUserEntry);
        TypeInto(w.PipeVelocityEdit, QStringLiteral("2400"));
        pick(QStringLiteral("SGP"), QString(), QString());
        QCOMPARE(w.PipeMaterialList->currentIndex(), PipeUserEntry);
        QCOMPARE(w.PipeVelocityEdit->text(), QStringLiteral("2400"));

        // ASME B36.10M's sizes are also PVC Sch 40/80 pipe: the material chosen stays.
        CalculatorWindow& imperial = Open(1, 1);
        Choose(imperial.PipeMaterialList, PipeEntryOf(PipeMaterialKey::Pvc));
        rounds = 0;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            auto* standards = dialog->findChild<QComboBox*>(QStringLiteral("Standard"));
            standards->setCurrentIndex(
                standards->findText(QStringLiteral("NPS  (ASME B36.10M-2018)")));
            auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("Size"));
            sizes->setCurrentIndex(sizes->findText(QStringLiteral("4")));
            QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("Schedule"))->currentText(),
                     QStringLiteral("Sch40"));
            ++rounds;
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        imperial.StandardPipeAction->trigger();
        QCOMPARE(rounds, 1);
        QCOMPARE(imperial.OuterDiameterEdit->text(), QStringLiteral("4.5"));
        QCOMPARE(imperial.WallEdit->text(), QStringLiteral("0.237"));
        QCOMPARE(imperial.PipeMaterialList->currentIndex(), PipeEntryOf(PipeMaterialKey::Pvc));
        QCOMPARE(Open(0, 0).StandardPipeAction->text(), QStringLiteral("規格の配管(&T)..."));
    }

    void helpAndAboutInTheWindowsLanguage() {
        CalculatorWindow& w = Open(1, 0);
        QTest::keyClick(&w, Qt::Key_F1);
        const QStringList help = TakeMessages();
        QCOMPARE(help.size(), 1);
        QVERIFY(help.first().contains(QStringLiteral("Required")));
        QVERIFY(help.first().contains(QStringLiteral("3 mm steps")));
        QVERIFY(help.first().contains(QStringLiteral("--lang en --units imperial")));
        w.AboutAction->trigger();
        const QStringList about = TakeMessages();
        QCOMPARE(about.size(), 1);
        QVERIFY(about.first().contains(QStringLiteral("Quillmere 1.0.0")));
        QVERIFY(about.first().contains(QStringLiteral("/Quillmere.ini</tt>")));
        QVERIFY(!about.first().contains(QStringLiteral("//Quillmere.ini")));
        Open(0, 0);
        QTest::keyClick(&Window(), Qt::Key_F1);
        QVERIFY(TakeMessages().value(0).contains(QStringLiteral("必ず入力する値")));
    }

private:
    // The window in `lang` (metric) with a result shown: 114.3 x 6.0 mm carbon steel pipe of
    // water, V method, the first sensor type.
    CalculatorWindow& OpenWithResult(int lang) {
        CalculatorWindow& w = Open(lang, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Execute();
        return w;
    }

    // Save report..., by `press` or else the menu entry, answered in its file dialog with
    // `target` (and yes to replacing it). Returns the name the dialog proposed.
    QString SaveReportAs(CalculatorWindow& w, const QString& target,
                         const std::function<void()>& press = {}) {
        QString proposed;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            proposed = dialog->selectedFiles().value(0);
            dialog->selectFile(target);
            if (QFile::exists(target)) { // the dialog asks before it replaces a file
                QTimer::singleShot(0, this, [] {
                    auto* ask = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    QVERIFY(ask != nullptr);
                    ask->button(QMessageBox::Yes)->click();
                });
            }
            static_cast<QDialog*>(dialog)->accept(); // the Save button
        });
        if (press) {
            press();
        } else {
            w.SaveReportAction->trigger();
        }
        return proposed;
    }

    // The text pdftotext reads from a PDF, with its options (-layout, -bbox).
    static QString PdfText(const QString& path, QStringList options = {}) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), options << path << QStringLiteral("-"));
        return text.waitForFinished(20000) ? QString::fromUtf8(text.readAllStandardOutput())
                                           : QString();
    }
};

QTEST_MAIN(RecordTest)
#include "ui_record_test.moc"
