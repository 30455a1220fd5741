// "Measuring point...": the fittings, the site's runs and the pipe's run for the result on
// screen, driven as an installer drives it, its figures held to what quillmere-calc says of
// the same job, and the record that keeps them.
#include "WindowFixture.h"
#include "rules/Rules.h"
#include "ui/JobReport.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace Quillmere;

class MeasuringPointTest : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void init() { CaptureMessages(); }
    void cleanup() {
        QCOMPARE(TakeMessages(), QStringList());
        Close();
    }

    // Offered only while a result stands; live figures and sketch as chosen; after OK the
    // summary carries the lines quillmere-calc prints for the same job, and the dialog
    // opens with what was chosen.
    void figuresAsTheCommandLineGivesThem() {
        CalculatorWindow& w = Open(1, 0); // English, metric
        QVERIFY(!w.MeasuringPointAction->isEnabled());
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6"));
        Execute();
        QVERIFY(w.MeasuringPointAction->isEnabled());
        QString figures;
        InDialog(w, [&](QDialog& dialog) {
            for (const char* name : {"upstream", "downstream", "pipe_run"}) {
                auto* list = dialog.findChild<QComboBox*>(QLatin1String(name));
                QVERIFY2(list != nullptr && !list->accessibleName().isEmpty(), name);
            }
            for (const char* name : {"available_upstream", "available_downstream"}) {
                QVERIFY2(DialogField(dialog, name) != nullptr, name);
            }
            Pick(dialog, "upstream", "elbow");
            Pick(dialog, "downstream", "pump");
            DialogField(dialog, "available_upstream")->setText(QStringLiteral("2000"));
            Pick(dialog, "pipe_run", "up");
            figures = dialog.findChild<QLabel*>(QStringLiteral("Figures"))->text();
            QVERIFY(figures.contains(QStringLiteral("286 mm short")));
            QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("SiteSketch"))->height() > 100);
            PressOk(dialog);
        });
        const QStringList calc = CalcSummary({"--lang", "en", "--outer-diameter", "114.3", "--wall",
                                              "6", "--upstream", "elbow", "--downstream", "pump",
                                              "--available-upstream", "2000", "--pipe-run", "up"});
        const qsizetype from = calc.indexOf(QStringLiteral("Straight runs:"));
        QVERIFY(from > 0);
        QCOMPARE(figures, calc.mid(from).join(QLatin1Char('\n')));
        w.CopySummaryAction->trigger();
        const QStringList summary =
            QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(summary.mid(from), calc.mid(from));
        InDialog(w, [&](QDialog& dialog) {
            QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("downstream"))->currentData(),
                     QVariant(QStringLiteral("pump")));
            QCOMPARE(DialogField(dialog, "available_upstream")->text(), QStringLiteral("2000"));
            dialog.reject();
        });
    }

    // A fitting no three makers' figures hold, or a length that is none, is named live and at
    // OK, which keeps the dialog open on the input and keeps nothing.
    void refusedEntriesKeepNothing() {
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6"));
        Execute();
        InDialog(w, [&](QDialog& dialog) {
            Pick(dialog, "upstream", "tee");
            auto* problem = dialog.findChild<QLabel*>(QStringLiteral("Problem"));
            QVERIFY(
                problem->text().startsWith(QStringLiteral("No straight run is held for a tee")));
            PressOk(dialog);
            QCOMPARE(TakeMessages().size(), 1);
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.focusWidget(),
                     dialog.findChild<QComboBox*>(QStringLiteral("upstream")));
            Pick(dialog, "upstream", "elbow");
            QLineEdit* available = DialogField(dialog, "available_upstream");
            available->setText(QStringLiteral("2 m"));
            PressOk(dialog);
            QCOMPARE(TakeMessages().size(), 1);
            QCOMPARE(dialog.focusWidget(), available);
            dialog.reject();
        });
        w.CopySummaryAction->trigger();
        QVERIFY(!QGuiApplication::clipboard()->text().contains(QStringLiteral("Straight runs")));
    }

    // Japanese and imperial: the names, the lengths in inches.
    void japaneseImperial() {
        CalculatorWindow& w = Open(0, 1);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("4.5"));
        TypeInto(w.WallEdit, QStringLiteral("0.237"));
        Execute();
        InDialog(w, [&](QDialog& dialog) {
            Pick(dialog, "downstream", "control-valve");
            DialogField(dialog, "available_downstream")->setText(QStringLiteral("100"));
            QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Figures"))
                         ->text()
                         .section(QLatin1Char('\n'), 1, 1),
                     QStringLiteral("  下流側 20 D = 90.0 inch、現場の 100.0 inch で足ります "
                                    "(調節弁・半開の弁)"));
            PressOk(dialog);
        });
    }

    // The report keeps the sketch: a page of its own after the summary.
    void reportCarriesTheSketch() {
        Job typed;
        typed.Lang = Language::English;
        typed.Text(InputField::OuterDiameter) = "114.3";
        typed.Text(InputField::WallThickness) = "6";
        typed.Point.Upstream = "elbow";
        const JobRecord job = RecordJob(typed, 4);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.pdf"));
        QVERIFY(QuillmereUi::SaveReportPdf(path, job, QStringLiteral("Sensor spacing record\n"),
                                           QStringLiteral("Liberation Sans")));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path});
        QVERIFY(info.waitForFinished(20000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    }

private:
    // Runs `work` in the dialog "Measuring point..." opens.
    void InDialog(CalculatorWindow& w, const std::function<void(QDialog&)>& work) {
        QVERIFY(WindowFixture::InDialog(this, w.MeasuringPointAction,
                                        QStringLiteral("MeasuringPointDialog"), work));
    }
    static void Pick(QDialog& dialog, const char* list, const char* key) {
        auto* box = dialog.findChild<QComboBox*>(QLatin1String(list));
        box->setCurrentIndex(box->findData(QString::fromLatin1(key)));
    }
};

QTEST_MAIN(MeasuringPointTest)
#include "ui_site_test.moc"
