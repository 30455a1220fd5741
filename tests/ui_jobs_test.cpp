// The window's menu bar and the day's jobs: every menu item found by its accessible name,
// every computed job appended to the jobs file as a job sheet quillmere-calc recomputes to
// the same results, and restored from File > Recent jobs after a restart.
#include "WindowFixture.h"
#include "report/JobSheet.h"
#include "rules/Lists.h"
#include "ui/QuickStartStyle.h"

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace Quillmere;

class JobsTest : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void init() {
        data_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(data_->path()));
        CaptureMessages();
    }
    void cleanup() {
        QCOMPARE(TakeMessages(), QStringList());
        Close();
    }

    // Every item of the menu bar by the name assistive tools read, in the window's
    // language, with its shortcut; what needs a result is greyed until there is one.
    void menuBarOffersEveryAction() {
        CalculatorWindow& w = Open(1, 0);
        const QStringList expected{
            "&File: Save report...|Ctrl+S, Print...|Ctrl+P, , Recent jobs|, , Quit|Ctrl+Q",
            "&Edit: Copy job summary|Ctrl+Shift+C",
            "&Tools: Standard pipe...|, Fluid at temperature...|, Job details...|, How sure...|, "
            "Measuring point...|",
            "&Help: Help|F1, About Quillmere|"};
        QCOMPARE(MenuNames(w), expected);
        for (QAction* a : {w.SaveReportAction, w.PrintAction, w.CopySummaryAction, w.HowSureAction,
                           w.MeasuringPointAction}) {
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        }
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Execute();
        for (QAction* a : {w.SaveReportAction, w.PrintAction, w.CopySummaryAction, w.HowSureAction,
                           w.MeasuringPointAction}) {
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        }
        QVERIFY(MenuNames(Open(0, 0)).value(0).startsWith(QStringLiteral("ファイル(&F): ")));
        QCOMPARE(Window().QuitAction->text(), QStringLiteral("終了(&Q)"));
    }

    // Each result is appended as a line of a job sheet, and after a restart File > Recent
    // jobs offers it, newest first; choosing one restores its inputs with the results
    // empty until EXECUTE, which gives the result recorded.
    void jobsAreKeptAndRestored() {
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Choose(w.SensorTypeList, 4);
        Choose(w.LiningMaterialList, 3);
        TypeInto(w.LiningThicknessEdit, QStringLiteral("3"));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("63.11"));
        Choose(w.MountMethodList, 1);
        Choose(w.PipeMaterialList, PipeUserEntry);
        TypeInto(w.PipeVelocityEdit, QStringLiteral("3200"));
        TypeInto(w.OuterDiameterEdit, QStringLiteral("1,234.5"));
        TypeInto(w.WallEdit, QStringLiteral("10"));
        Execute();
        const QString second = w.Result1Edit->text();
        QVERIFY(!second.isEmpty());

        const QStringList lines = JobsFile().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0] + QLatin1Char('\n'), QString::fromStdString(JobSheetHeader()));
        QVERIFY2(QRegularExpression(
                     QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,en,metric,VT-C1,"
                                    "V METHOD,114.3,6.0,CARBON STEEL,,RUBBER,3,,WATER,,,,,,"
                                    "63.11,,,,$"))
                     .match(lines[1])
                     .hasMatch(),
                 qPrintable(lines[1]));
        QVERIFY2(lines[2].contains(QStringLiteral(",Z METHOD,\"1,234.5\",10,PIPE S.V.,3200,")),
                 qPrintable(lines[2]));

        // The jobs file is a job sheet: quillmere-calc recomputes every job to its result.
        QProcess calc;
        calc.start(QStringLiteral(QUILLMERE_CALC), {QStringLiteral("--sheet"), JobsPath()});
        QVERIFY(calc.waitForFinished(20000));
        QCOMPARE(calc.exitCode(), 0);
        const QStringList out =
            QString::fromUtf8(calc.readAllStandardOutput()).split(QLatin1Char('\n'));
        // Every column of the file comes back, its notes too.
        QCOMPARE(out.value(0) + QLatin1Char('\n'), QString::fromStdString(JobSheetHeader()));
        QVERIFY2(out.value(1).endsWith(QStringLiteral(",63.11,,,,")), qPrintable(out.join('\n')));
        QVERIFY2(out.value(2).contains(QStringLiteral(",") + second + QStringLiteral(",,")),
                 qPrintable(out.join('\n')));

        CalculatorWindow& again = Open(1, 0); // a restart
        const QList<QAction*> recent = RecentJobs(again);
        QCOMPARE(recent.size(), 2);
        QVERIFY2(recent[1]->text().endsWith(QStringLiteral("114.3 x 6.0 mm   VT-C1   63.11 mm")),
                 qPrintable(recent[1]->text()));
        recent[1]->trigger();
        QCOMPARE(again.OuterDiameterEdit->text(), QStringLiteral("114.3"));
        QCOMPARE(again.WallEdit->text(), QStringLiteral("6.0"));
        QCOMPARE(again.SensorTypeList->currentIndex(), 4);
        QCOMPARE(again.MountMethodList->currentIndex(), 0);
        QCOMPARE(again.LiningMaterialList->currentIndex(), 3);
        QCOMPARE(again.LiningThicknessEdit->text(), QStringLiteral("3"));
        QCOMPARE(again.Result1Edit->text(), QString());
        Execute();
        QCOMPARE(again.Result1Edit->text(), QStringLiteral("63.11"));
        RecentJobs(again)[1]->trigger(); // now the newest but one: the Z job
        QCOMPARE(again.PipeMaterialList->currentIndex(), PipeUserEntry);
        QCOMPARE(again.PipeVelocityEdit->text(), QStringLiteral("3200"));
        QCOMPARE(again.OuterDiameterEdit->text(), QStringLiteral("1,234.5"));
        QCOMPARE(again.MountMethodList->currentIndex(), 1);
        Execute();
        QCOMPARE(again.Result1Edit->text(), second);
    }

    // The file is the user's: a line typed by hand without its end is ended, not joined;
    // what is not a job is passed over in the list; a job of other units or a method the
    // window lacks is not restored into fields that would read it wrongly; the identity
    // comes back with the job.
    void handEditedFileReadAsFarAsValid() {
        const QByteArray header = QByteArray::fromStdString(JobSheetHeader());
        const QByteArray kept =
            header + "not a job\n" +
            "2026-12-01 08:00:00,en,imperial,VT-C1,V,4.5,0.237,,,,,,,,,,,,1.234,,,,\n" +
            "2026-12-01 09:00:00,en,metric,VT-C1,W,114.3,6,,,,,,,,,,,,1,,,,\n" +
            "2026-12-02 "
            "10:00:00,ja,metric,VT-C1,V法,60.5,3.9,炭素鋼,,ﾗｲﾆﾝｸﾞ無し,,,水,,北浄水場,FT-7,"
            ",,18.51,,,,";
        WriteJobsFile(kept);
        CalculatorWindow& w = Open(1, 0);
        const QList<QAction*> recent = RecentJobs(w);
        QCOMPARE(recent.size(), 3);
        QVERIFY2(recent[0]->text().contains(QStringLiteral("FT-7")), qPrintable(recent[0]->text()));
        recent[1]->trigger();
        QCOMPARE(TakeMessages().value(0),
                 Text(Catalogue::MenuText::MethodNotHere)
                     .replace(QStringLiteral("%1"), QStringLiteral("W METHOD")));
        recent[2]->trigger();
        QVERIFY(TakeMessages().value(0).contains(QStringLiteral("inch, ft/s")));
        QCOMPARE(w.OuterDiameterEdit->text(), QString());
        recent[0]->trigger();
        QCOMPARE(w.OuterDiameterEdit->text(), QStringLiteral("60.5"));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("18.51"));
        QVERIFY2(w.JobSummaryText().contains(QStringLiteral("\nSITE: 北浄水場\nTAG: FT-7\n")),
                 qPrintable(w.JobSummaryText()));
        const QByteArray now = JobsFile().toUtf8();
        QVERIFY(now.startsWith(kept + "\n2026-") || now.startsWith(kept + "\n20"));
        QCOMPARE(now.count('\n'), kept.count('\n') + 2);
    }

    // A jobs file that cannot be written is said once, and the window goes on computing; one
    // of other columns is left exactly as it was.
    void unwritableJobsFileIsSaidOnce() {
        QFile blocker(data_->filePath(QStringLiteral("quillmere")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Execute();
        QCOMPARE(TakeMessages().size(), 1);
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("100.54"));
        TypeInto(w.WallEdit, QStringLiteral("5.0"));
        Execute();
        QCOMPARE(TakeMessages(), QStringList());
        QVERIFY(!w.Result1Edit->text().isEmpty());

        QVERIFY(blocker.remove());
        // A FIFO in the file's place: neither Recent jobs nor a press waits on it.
        QDir(data_->path()).mkpath(QStringLiteral("quillmere"));
        QVERIFY(::mkfifo(QFile::encodeName(JobsPath()).constData(), 0600) == 0);
        CalculatorWindow& fifo = Open(1, 0);
        QCOMPARE(RecentJobs(fifo).size(), 1); // "(none yet)"
        TypeInto(fifo.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(fifo.WallEdit, QStringLiteral("6.0"));
        Execute();
        QCOMPARE(fifo.Result1Edit->text(), QStringLiteral("100.54"));
        const QStringList said = TakeMessages();
        QCOMPARE(said.size(), 1);
        QVERIFY2(said[0].contains(QStringLiteral("not a regular file")), qPrintable(said[0]));
        QVERIFY(QFile::remove(JobsPath()));

        const QByteArray other = "a,b\n1,2\n";
        WriteJobsFile(other);
        CalculatorWindow& fresh = Open(1, 0);
        TypeInto(fresh.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(fresh.WallEdit, QStringLiteral("6.0"));
        Execute();
        Execute();
        QCOMPARE(TakeMessages().size(), 1);
        QCOMPARE(JobsFile().toUtf8(), other);
    }

    // The start-up style reads the menu bar's overflow icon only when drawn: a bar too
    // narrow for its menus still shows the style's own icon, at every size asked.
    void overflowIconIsDrawnWhenShown() {
        QuillmereUi::UseQuickStartStyle();
        QuillmereUi::UseQuickStartStyle(); // a second call wraps nothing twice
        auto* proxy = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(proxy != nullptr);
        QVERIFY(qobject_cast<QProxyStyle*>(proxy->baseStyle()) == nullptr);
        const QIcon own =
            proxy->baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QMenuBar bar;
        for (int i = 0; i < 12; ++i) {
            bar.addMenu(QStringLiteral("Menu %1").arg(i));
        }
        bar.setFixedWidth(120);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QToolButton* overflow = nullptr;
        for (QToolButton* button : bar.findChildren<QToolButton*>()) {
            overflow = button->isVisible() ? button : overflow;
        }
        QVERIFY(overflow != nullptr);
        QVERIFY(!overflow->icon().isNull());
        const QImage drawn = overflow->icon().pixmap(16).toImage();
        QVERIFY(!own.pixmap(16).isNull());
        QCOMPARE(drawn, own.pixmap(16).toImage());
        QCOMPARE(overflow->icon().actualSize(QSize(64, 64)), own.actualSize(QSize(64, 64)));
        QVERIFY(!overflow->grab().isNull());
    }

private:
    QString JobsPath() const { return data_->filePath(QStringLiteral("quillmere/jobs.csv")); }
    QString JobsFile() const {
        QFile file(JobsPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void WriteJobsFile(const QByteArray& bytes) const {
        QDir(data_->path()).mkpath(QStringLiteral("quillmere"));
        QFile file(JobsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // File > Recent jobs as it is about to show.
    static QList<QAction*> RecentJobs(CalculatorWindow& w) {
        emit w.RecentJobsMenu->aboutToShow();
        return w.RecentJobsMenu->actions();
    }

    // "&File: Save report...|Ctrl+S, ...": each menu's title, then each item's accessible
    // name and shortcut as the menu offers them.
    static QStringList MenuNames(CalculatorWindow& w) {
        QStringList menus;
        for (QAction* top : w.MenuBar->actions()) {
            QMenu* menu = top->menu();
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(menu);
            QStringList items;
            for (int i = 0; i < access->childCount(); ++i) {
                QAccessibleInterface* item = access->child(i);
                const QAction* action = menu->actions().value(i);
                items << (action->isSeparator()
                              ? QString()
                              : item->text(QAccessible::Name) + QLatin1Char('|') +
                                    action->shortcut().toString(QKeySequence::PortableText));
            }
            menus << top->text() + QStringLiteral(": ") + items.join(QStringLiteral(", "));
        }
        return menus;
    }

    std::unique_ptr<QTemporaryDir> data_;
};

QTEST_MAIN(JobsTest)
#include "ui_jobs_test.moc"
