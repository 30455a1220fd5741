// "How sure...": the plus/minus of the inputs and the converter's measured velocity for the
// result on screen, driven as a commissioning engineer drives it, its figures held to what
// quillmere-calc says of the same job, and the record that keeps them.
#include "WindowFixture.h"
#include "rules/HowSure.h"
#include "rules/Rules.h"
#include "ui/JobReport.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace Quillmere;

class HowSureTest : public QObject, public WindowFixture {
    Q_OBJECT

private slots:
    void init() { CaptureMessages(); }
    void cleanup() {
        QCOMPARE(TakeMessages(), QStringList());
        Close();
    }

    // Offered only while a result stands, in the Tools menu and the context menu alike; the
    // dialog asks only for what the spacing read, and its figures are quillmere-calc's.
    void figuresAsTheCommandLineGivesThem() {
        CalculatorWindow& w = Open(1, 0); // English, metric
        QVERIFY(!w.HowSureAction->isEnabled());
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6"));
        Execute();
        QVERIFY(w.HowSureAction->isEnabled());
        QString figures;
        InDialog(w, [&](QDialog& dialog) {
            for (const char* absent : {"lining_thickness_tolerance", "lining_velocity_tolerance"}) {
                QVERIFY(dialog.findChild<QLineEdit*>(QLatin1String(absent)) == nullptr);
            }
            for (const char* read :
                 {"outer_diameter_tolerance", "wall_tolerance", "pipe_velocity_tolerance",
                  "fluid_velocity_tolerance", "measured_fluid_velocity"}) {
                auto* field = dialog.findChild<QLineEdit*>(QLatin1String(read));
                QVERIFY2(field != nullptr, read);
                QVERIFY(!field->accessibleName().isEmpty());
            }
            DialogField(dialog, "wall_tolerance")->setText(QStringLiteral("0.5"));
            DialogField(dialog, "fluid_velocity_tolerance")->setText(QStringLiteral("10"));
            DialogField(dialog, "measured_fluid_velocity")->setText(QStringLiteral("1510"));
            // Live: the figures follow what is typed, before OK.
            figures = dialog.findChild<QLabel*>(QStringLiteral("Figures"))->text();
            QVERIFY(dialog.findChild<QWidget*>(QStringLiteral("Tornado"))->height() > 40);
            PressOk(dialog);
        });
        const QStringList calc = CalcSummary(
            {"--lang", "en", "--outer-diameter", "114.3", "--wall", "6", "--tolerance", "wall=0.5",
             "--tolerance", "fluid_velocity=10", "--measured-fluid-velocity", "1510"});
        const qsizetype from = calc.indexOf(QRegularExpression(QStringLiteral("^Tolerances: .*")));
        QVERIFY(from > 0);
        const QStringList howSure = calc.mid(from);
        QCOMPARE(figures, howSure.join(QLatin1Char('\n')));
        QVERIFY(howSure.contains(
            QStringLiteral("Tolerances: WALL THICKNESS ±0.5 mm, FLUID S.V. ±10 m/s")));
        // Kept for the run: the summary carries them, the dialog opens with them.
        w.CopySummaryAction->trigger();
        QCOMPARE(QGuiApplication::clipboard()
                     ->text()
                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                     .mid(from),
                 howSure);
        InDialog(w, [&](QDialog& dialog) {
            QCOMPARE(DialogField(dialog, "wall_tolerance")->text(), QStringLiteral("0.5"));
            dialog.reject();
        });
        // A plus/minus of an input the job no longer reads is not carried.
        Choose(w.LiningMaterialList, 3); // RUBBER
        TypeInto(w.LiningThicknessEdit, QStringLiteral("2"));
        Execute();
        w.CopySummaryAction->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("Tolerances: WALL THICKNESS ±0.5 mm, FLUID S.V. ±10 m/s\n")));
    }

    // A bad plus/minus is named as the input checks name a field: live under the fields,
    // and at OK over the dialog, which stays with the field selected; nothing is kept.
    void refusedEntriesKeepNothing() {
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6"));
        Execute();
        const QString refusal =
            QStringLiteral("WALL THICKNESS: the ± must be smaller than the value itself (6)");
        InDialog(w, [&](QDialog& dialog) {
            QLineEdit* wall = DialogField(dialog, "wall_tolerance");
            wall->setText(QStringLiteral("7"));
            auto* problem = dialog.findChild<QLabel*>(QStringLiteral("Problem"));
            QCOMPARE(problem->text(), refusal);
            QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("Figures"))->text().isEmpty());
            PressOk(dialog);
            QCOMPARE(TakeMessages(), QStringList{refusal});
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.focusWidget(), wall);
            QCOMPARE(wall->selectedText(), QStringLiteral("7"));
            DialogField(dialog, "measured_fluid_velocity")->setText(QStringLiteral("abc"));
            wall->setText(QStringLiteral("0.5"));
            PressOk(dialog);
            QCOMPARE(TakeMessages().size(), 1);
            QCOMPARE(dialog.focusWidget(), DialogField(dialog, "measured_fluid_velocity"));
            dialog.reject();
        });
        w.CopySummaryAction->trigger();
        QVERIFY(!QGuiApplication::clipboard()->text().contains(QStringLiteral("±")));
    }

    // Japanese and imperial: the units the run types in, the converter's check in ft/s and °F.
    void japaneseImperial() {
        CalculatorWindow& w = Open(0, 1);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("4.5"));
        TypeInto(w.WallEdit, QStringLiteral("0.237"));
        Execute();
        QString figures;
        InDialog(w, [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("確かさ"));
            DialogField(dialog, "outer_diameter_tolerance")->setText(QStringLiteral("0.02"));
            DialogField(dialog, "measured_fluid_velocity")->setText(QStringLiteral("4950"));
            figures = dialog.findChild<QLabel*>(QStringLiteral("Figures"))->text();
            PressOk(dialog);
        });
        const QStringList calc = CalcSummary(
            {"--units", "imperial", "--outer-diameter", "4.5", "--wall", "0.237", "--tolerance",
             "outer_diameter=0.02", "--measured-fluid-velocity", "4950"});
        QVERIFY(calc.join(QLatin1Char('\n')).endsWith(figures));
        QVERIFY(figures.contains(QStringLiteral("inch")));
        QVERIFY(figures.contains(QStringLiteral("°F")));
    }

    // The temperature "Fluid at temperature..." typed decides between the two water
    // temperatures of one measured velocity: the nearer first.
    void helperTemperatureDecides() {
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6"));
        QTimer::singleShot(0, this, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            dialog->findChild<QLineEdit*>(QStringLiteral("Temperature"))
                ->setText(QStringLiteral("85"));
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        w.FluidAtTemperatureAction->trigger();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Execute();
        InDialog(w, [](QDialog& dialog) {
            DialogField(dialog, "measured_fluid_velocity")->setText(QStringLiteral("1553"));
            QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("Figures"))
                        ->text()
                        .endsWith(
                            QStringLiteral("it is water's velocity at 84.8 °C (and at 63.9 °C)")));
        });
    }

    // The report keeps the chart: a page of its own after the summary and the sketch.
    void reportCarriesTheChart() {
        Job typed;
        typed.Lang = Language::English;
        typed.Text(InputField::OuterDiameter) = "114.3";
        typed.Text(InputField::WallThickness) = "6";
        typed.Uncertain.Of(InputField::WallThickness) = "0.5";
        const JobRecord job = RecordJob(typed, 4);
        const QString summary = QStringLiteral("Sensor spacing record\nTolerances: x\n");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.pdf"));
        QVERIFY(QuillmereUi::SaveReportPdf(path, job, summary, QStringLiteral("Liberation Sans")));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path});
        QVERIFY(info.waitForFinished(20000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
        typed.Uncertain = {};
        const QString plain = dir.filePath(QStringLiteral("p.pdf"));
        QVERIFY(QuillmereUi::SaveReportPdf(plain, RecordJob(typed, 4), summary,
                                           QStringLiteral("Liberation Sans")));
        info.start(QStringLiteral("pdfinfo"), {plain});
        QVERIFY(info.waitForFinished(20000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    }

private:
    // Runs `work` in the dialog "How sure..." opens.
    void InDialog(CalculatorWindow& w, const std::function<void(QDialog&)>& work) {
        QVERIFY(
            WindowFixture::InDialog(this, w.HowSureAction, QStringLiteral("HowSureDialog"), work));
    }
};

QTEST_MAIN(HowSureTest)
#include "ui_how_sure_test.moc"
