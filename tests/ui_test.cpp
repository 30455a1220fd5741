// The calculator window driven as a user drives it: keys, Tab, clicks, list choices and the
// EXECUTE button, reading what the controls show and which messages appear.
#include "WindowFixture.h"
#include "engine/Engine.h"
#include "report/CsvStream.h"
#include "report/JobSummary.h"
#include "rules/Rules.h"
#include "ui/JobReport.h"
#include "ui/OwnTextsFont.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
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
#include <map>
#include <memory>
#include <tuple>

using namespace Quillmere;

class WindowTest : public QObject, public WindowFixture {
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

    void startUp_data() {
        QTest::addColumn<int>("lang");
        QTest::addColumn<int>("unit");
        QTest::newRow("Japanese, metric") << 0 << 0;
        QTest::newRow("English, metric") << 1 << 0;
        QTest::newRow("Japanese, imperial") << 0 << 1;
        QTest::newRow("English, imperial") << -1 << 7;
    }
    void startUp() {
        QFETCH(int, lang);
        QFETCH(int, unit);
        CalculatorWindow& w = Open(lang, unit);
        const bool en = lang != 0;
        const bool imp = unit != 0;

        QCOMPARE(w.windowTitle(),
                 en ? QStringLiteral("Ultrasonic Flowmeter - Sensor Spacing Calculation Tool")
                    : QStringLiteral("超音波流量計 - 取付け寸法計算ツール"));
        QCOMPARE(w.OuterDiameterCaption->text(),
                 en ? QStringLiteral("OUTER DIAMETER") : QStringLiteral("外径寸法"));
        QCOMPARE(w.Spacing2Caption->text(),
                 en ? QStringLiteral("SENSOR SPACING2") : QStringLiteral("取付け寸法2"));
        QCOMPARE(w.LiningMaterialCaption->text(),
                 en ? QStringLiteral("LINING MATERIAL") : QStringLiteral("ﾗｲﾆﾝｸﾞ材質"));
        QCOMPARE(w.ResultFrame->title(),
                 en ? QStringLiteral("Calculation Result") : QStringLiteral("計算結果"));
        QCOMPARE(w.RequiredNote->text(), en ? QStringLiteral("* INPUT") : QStringLiteral("* 入力"));
        QCOMPARE(w.SteppedTypesNote->text(), QStringLiteral("(VT-A1/VT-A2,VT-B1/VT-B2)"));

        QCOMPARE(w.PipeMaterialList->count(), 13);
        QCOMPARE(w.LiningMaterialList->count(), 8);
        QCOMPARE(w.FluidList->count(), 18);
        QCOMPARE(w.MountMethodList->count(), 2);
        QCOMPARE(w.SensorTypeList->count(), 12);
        QCOMPARE(w.PipeMaterialList->currentText(),
                 en ? QStringLiteral("CARBON STEEL") : QStringLiteral("炭素鋼"));
        QCOMPARE(w.LiningMaterialList->currentText(),
                 en ? QStringLiteral("NO LINING") : QStringLiteral("ﾗｲﾆﾝｸﾞ無し"));
        QCOMPARE(w.FluidList->currentText(), en ? QStringLiteral("WATER") : QStringLiteral("水"));
        QCOMPARE(w.MountMethodList->currentText(),
                 en ? QStringLiteral("V METHOD") : QStringLiteral("V法"));
        QCOMPARE(w.SensorTypeList->currentText(), QStringLiteral("RESERVE"));
        QCOMPARE(w.PipeMaterialList->itemText(12), w.PipeVelocityCaption->text());
        QCOMPARE(w.LiningMaterialList->itemText(7), w.LiningVelocityCaption->text());
        QCOMPARE(w.FluidList->itemText(17), w.FluidVelocityCaption->text());
        QCOMPARE(w.FluidList->itemText(16),
                 en ? QStringLiteral("REFRIGERANT R410") : QStringLiteral("冷媒 R410"));
        QCOMPARE(w.SensorTypeList->itemText(11), QStringLiteral("VT-K1/VT-K2/VT-K3"));

        for (QLineEdit* f : {static_cast<QLineEdit*>(w.PipeVelocityEdit),
                             static_cast<QLineEdit*>(w.LiningVelocityEdit),
                             static_cast<QLineEdit*>(w.LiningThicknessEdit),
                             static_cast<QLineEdit*>(w.FluidVelocityEdit)}) {
            QVERIFY2(InTableState(f), qPrintable(f->objectName()));
            QVERIFY(f->text().isEmpty());
        }
        QVERIFY(InInputState(w.OuterDiameterEdit));
        QVERIFY(InInputState(w.WallEdit));
        for (int i = 0; i < 11; ++i) {
            const bool off = i == 2 || i == 7 || i == 8 || i == 10;
            QCOMPARE(w.RequiredMarks[i]->isEnabled(), !off);
            QCOMPARE(w.RequiredMarks[i]->font().pointSize(), en ? 14 : 12);
            QVERIFY(w.RequiredMarks[i]->font().bold());
        }
        QCOMPARE(w.RequiredNote->font().pointSize(), en ? 14 : 12);
        QCOMPARE(w.OuterDiameterCaption->font().pointSize(), 12);
        QVERIFY(w.OuterDiameterCaption->font().bold());
        QCOMPARE(w.OuterDiameterCaption->font().family(),
                 en ? QStringLiteral("Arial") : QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(w.OuterDiameterUnit->font().pointSize(), 8);
        QCOMPARE(w.SteppedTypesNote->font().pointSize(), 10);
        QCOMPARE(w.OuterDiameterRange->font().family(), QStringLiteral("Terminal"));
        QVERIFY(w.Result1Edit->font().bold());
        QCOMPARE(w.Result1Edit->palette().color(QPalette::Text), QColor(255, 0, 0));
        QVERIFY(w.Result1Edit->isReadOnly() && w.Result2Edit->isReadOnly());

        const int lengths[] = {7, imp ? 5 : 4, 6, imp ? 5 : 4, 6, 4};
        const QLineEdit* fields[] = {
            w.OuterDiameterEdit,  w.PipeVelocityEdit,    w.WallEdit,
            w.LiningVelocityEdit, w.LiningThicknessEdit, w.FluidVelocityEdit};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(fields[i]->maxLength(), lengths[i]);
        }
        const QString mm = imp ? QStringLiteral("[inch]") : QStringLiteral("[mm]");
        const QString ms = imp ? QStringLiteral("[ft/s]") : QStringLiteral("[m/s]");
        for (QLabel* l : {w.OuterDiameterUnit, w.WallUnit, w.LiningThicknessUnit, w.SpacingUnit}) {
            QCOMPARE(l->text(), mm);
        }
        for (QLabel* l : {w.LiningVelocityUnit, w.FluidVelocityUnit, w.PipeVelocityUnit}) {
            QCOMPARE(l->text(), ms);
        }
        QCOMPARE(w.OuterDiameterRange->text(),
                 imp ? QStringLiteral("0.2362-244.100inch") : QStringLiteral("6.00-6200.00mm"));
        QCOMPARE(w.LiningThicknessRange->text(),
                 imp ? QStringLiteral("0.0003-3.9380inch") : QStringLiteral("0.01-100.00mm"));
        QCOMPARE(w.FluidVelocityRange->text(),
                 imp ? QStringLiteral("984-8203ft/s") : QStringLiteral("300-2500m/s"));
        QCOMPARE(w.LiningVelocityRange->text(), w.PipeVelocityRange->text());
        QCOMPARE(w.OuterDiameterEdit->accessibleName(), w.OuterDiameterCaption->text());
        QCOMPARE(w.FluidVelocityEdit->accessibleDescription(), w.FluidVelocityRange->text());
        QCOMPARE(w.FluidList->accessibleName(), w.FluidCaption->text());
    }

    // The window's own texts are drawn in the run's face alone, without the search for faces
    // to fall back on, where that face has every character of them: with the program's font
    // substitutions (the design's faces for those of this system) and without them, when the
    // face named for Japanese is not found, in every language and unit system, a Z result
    // shown. What the user types, and what inherits the window's font, may fall back.
    void ownTextsAreInTheRunsFace_data() {
        QTest::addColumn<int>("lang");
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("substitutes");
        for (const bool substitutes : {true, false}) {
            for (const auto& [name, lang, unit] :
                 {std::tuple{"Japanese, metric", 0, 0}, std::tuple{"English, metric", 1, 0},
                  std::tuple{"Japanese, imperial", 0, 1}, std::tuple{"English, imperial", 1, 1}}) {
                QTest::newRow(qPrintable(QString::fromLatin1(name) +
                                         (substitutes ? QString() : QStringLiteral(", no faces"))))
                    << lang << unit << substitutes;
            }
        }
    }
    void ownTextsAreInTheRunsFace() {
        QFETCH(int, lang);
        QFETCH(int, unit);
        QFETCH(bool, substitutes);
        const QStringList designFaces{QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("Arial"),
                                      QStringLiteral("Terminal"), QStringLiteral("System")};
        const auto noSubstitutes = [&] {
            for (const QString& face : designFaces) {
                QFont::removeSubstitutions(face);
            }
        };
        if (substitutes) {
            InstallFontSubstitutes();
        }
        CalculatorWindow& w = Open(lang, unit);
        TypeInto(w.OuterDiameterEdit, unit == 0 ? QStringLiteral("114.3") : QStringLiteral("4.5"));
        TypeInto(w.WallEdit, unit == 0 ? QStringLiteral("6") : QStringLiteral("0.237"));
        Choose(w.SensorTypeList, 4);
        Choose(w.MountMethodList, 1);
        Execute();
        QVERIFY(!w.CircumferentialEdit->text().isEmpty());

        int alone = 0;
        QList<QWidget*> controls = w.findChildren<QWidget*>();
        controls << &w;
        for (QWidget* c : controls) {
            if (!(c->font().styleStrategy() & QFont::NoFontMerging)) {
                continue;
            }
            ++alone;
            const QFontMetrics metrics(c->font());
            for (const QString& t : QuillmereUi::ShownTexts(*c)) {
                for (const char32_t ch : t.toUcs4()) {
                    QVERIFY2(metrics.inFontUcs4(ch),
                             qPrintable(c->objectName() + QStringLiteral(": ") + t));
                }
            }
        }
        noSubstitutes();
        // With the substitutions, every caption, list, mark and result is drawn alone; without,
        // what the face found lacks falls back (the loop above).
        QVERIFY(!substitutes || alone > 40);
        QVERIFY(!(w.OuterDiameterEdit->font().styleStrategy() & QFont::NoFontMerging));
        QVERIFY(!(w.font().styleStrategy() & QFont::NoFontMerging));
        QVERIFY(!(w.RecentJobsMenu->font().styleStrategy() & QFont::NoFontMerging));
    }

    void layoutAndFocusOrder() {
        CalculatorWindow& w = Open(1, 0);
        // The design's size, grown by the menu bar over it only.
        QCOMPARE(w.size(), QSize(926, 471 + w.MenuBar->height()));
        QCOMPARE(w.MenuBar->geometry(), QRect(0, 0, 926, w.MenuBar->height()));
        QCOMPARE(w.OuterDiameterEdit->y(), 32 + w.MenuBar->height()); // 480 twips below it
        QCOMPARE(w.minimumSize(), w.maximumSize());
        const QRect client = w.rect();
        for (QWidget* child : w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                QVERIFY2(client.contains(child->geometry()), qPrintable(child->objectName()));
            }
        }
        for (int i = 0; i < 11; ++i) {
            QCOMPARE(w.findChildren<QLabel*>(QStringLiteral("lblRequired_%1").arg(i)).size(), 1);
        }
        QCOMPARE(w.RequiredMarks[2]->y(), w.PipeVelocityCaption->y());
        QCOMPARE(w.RequiredMarks[8]->y(), w.LiningThicknessCaption->y());
        QCOMPARE(w.findChildren<QLineEdit*>(QStringLiteral("OUTER_DIAMETERText")).size(), 1);

        // The results belong to the window, lie over the frame and are drawn above it.
        QCOMPARE(w.Result1Edit->parentWidget(), static_cast<QWidget*>(&w));
        QCOMPARE(w.Spacing1Caption->parentWidget(), static_cast<QWidget*>(w.ResultFrame));
        QVERIFY(w.ResultFrame->geometry().contains(w.Result1Edit->geometry()));
        QVERIFY(w.ResultFrame->geometry().contains(w.Result2Edit->geometry()));
        const QObjectList order = w.children();
        QVERIFY(order.indexOf(w.Result2Edit) > order.indexOf(w.ResultFrame));
        QCOMPARE(w.childAt(w.Result1Edit->geometry().center()), w.Result1Edit);

        QWidget* const expected[] = {
            w.OuterDiameterEdit,   w.PipeMaterialList, w.PipeVelocityEdit,   w.WallEdit,
            w.MountMethodList,     w.SensorTypeList,   w.LiningMaterialList, w.LiningVelocityEdit,
            w.LiningThicknessEdit, w.FluidList,        w.FluidVelocityEdit,  w.ExecuteButton,
            w.Result1Edit,         w.Result2Edit,      w.CircumferentialEdit};
        w.OuterDiameterEdit->setFocus(Qt::OtherFocusReason);
        for (QWidget* control : expected) {
            QCOMPARE(QApplication::focusWidget(), control);
            Tab();
        }
        QCOMPARE(QApplication::focusWidget(), w.OuterDiameterEdit);
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    // Digits go past the input method in every numeric field, also in one a list has just
    // unlocked: a Japanese input method left on would type full-width digits, refused.
    void numericFieldsBypassTheInputMethod() {
        CalculatorWindow& w = Open(0, 0);
        Choose(w.PipeMaterialList, 12); // PIPE S.V.: unlocks its field
        Choose(w.LiningMaterialList, 7);
        Choose(w.FluidList, 17);
        for (QLineEdit* field :
             {static_cast<QLineEdit*>(w.OuterDiameterEdit),
              static_cast<QLineEdit*>(w.PipeVelocityEdit), static_cast<QLineEdit*>(w.WallEdit),
              static_cast<QLineEdit*>(w.LiningVelocityEdit),
              static_cast<QLineEdit*>(w.LiningThicknessEdit),
              static_cast<QLineEdit*>(w.FluidVelocityEdit)}) {
            QVERIFY2(InInputState(field), qPrintable(field->objectName()));
            field->setFocus(Qt::MouseFocusReason);
            QInputMethodQueryEvent query(Qt::ImEnabled);
            QApplication::sendEvent(field, &query);
            QVERIFY2(!query.value(Qt::ImEnabled).toBool(), qPrintable(field->objectName()));
        }
    }

    void selectionStates() {
        CalculatorWindow& w = Open(1, 0);
        Choose(w.LiningMaterialList, 3); // RUBBER: thickness only
        QVERIFY(InTableState(w.LiningVelocityEdit));
        QVERIFY(InInputState(w.LiningThicknessEdit));
        QVERIFY(!w.RequiredMarks[7]->isEnabled());
        QVERIFY(w.RequiredMarks[8]->isEnabled());
        Choose(w.LiningMaterialList, 7); // LINING S.V.: both open
        QVERIFY(InInputState(w.LiningVelocityEdit));
        QVERIFY(InInputState(w.LiningThicknessEdit));
        QVERIFY(w.RequiredMarks[7]->isEnabled() && w.RequiredMarks[8]->isEnabled());
        TypeInto(w.LiningVelocityEdit, QStringLiteral("2000"));
        Choose(w.LiningMaterialList, 0); // NO LINING: both closed, text kept
        QVERIFY(InTableState(w.LiningVelocityEdit));
        QVERIFY(InTableState(w.LiningThicknessEdit));
        QVERIFY(!w.RequiredMarks[7]->isEnabled() && !w.RequiredMarks[8]->isEnabled());
        QCOMPARE(w.LiningVelocityEdit->text(), QStringLiteral("2000"));

        Choose(w.FluidList, 17);
        QVERIFY(InInputState(w.FluidVelocityEdit));
        QVERIFY(w.RequiredMarks[10]->isEnabled());
        Choose(w.FluidList, 0);

        // A typed pipe velocity stays visible but locked; the table's 3000 counts.
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Choose(w.SensorTypeList, 4);
        Choose(w.PipeMaterialList, 12);
        QVERIFY(InInputState(w.PipeVelocityEdit));
        QVERIFY(w.RequiredMarks[2]->isEnabled());
        TypeInto(w.PipeVelocityEdit, QStringLiteral("3200"));
        Choose(w.PipeMaterialList, 0);
        QVERIFY(InTableState(w.PipeVelocityEdit));
        QCOMPARE(w.PipeVelocityEdit->text(), QStringLiteral("3200"));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("65.47"));
        Choose(w.PipeMaterialList, 12); // the typed 3200 counts again
        Execute();
        QVERIFY(w.Result1Edit->text() != QStringLiteral("65.47"));

        // Typing into a locked field changes nothing.
        Choose(w.PipeMaterialList, 0);
        w.PipeVelocityEdit->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(w.PipeVelocityEdit, QStringLiteral("9"));
        QCOMPARE(w.PipeVelocityEdit->text(), QStringLiteral("3200"));
        Tab(); // its check still runs, and passes
    }

    void results_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("mount");
        QTest::addColumn<QString>("od");
        QTest::addColumn<QString>("wall");
        QTest::addColumn<QString>("result1");
        QTest::addColumn<QString>("result2");
        QTest::newRow("VT-C1 V") << 0 << 4 << 0 << "114.3"
                                 << "6.0"
                                 << "65.47"
                                 << "";
        QTest::newRow("VT-C1 Z") << 0 << 4 << 1 << "114.3"
                                 << "6.0"
                                 << "22.84"
                                 << "";
        QTest::newRow("VT-A1 Z inch") << 1 << 2 << 1 << "4.5"
                                      << "0.237"
                                      << "2.244"
                                      << "19";
        QTest::newRow("VT-A1 steps") << 0 << 2 << 0 << "60.5"
                                     << "3.9"
                                     << "51"
                                     << "17";
        QTest::newRow("VT-B1 steps") << 0 << 3 << 0 << "60.5"
                                     << "3.9"
                                     << "51"
                                     << "17";
        QTest::newRow("RESERVE plain") << 0 << 1 << 0 << "60.5"
                                       << "3.9"
                                       << "53.45"
                                       << "";
        QTest::newRow("VT-C1 V inch") << 1 << 4 << 0 << "4.5"
                                      << "0.2362"
                                      << "2.577"
                                      << "";
        QTest::newRow("VT-A1 steps inch") << 1 << 2 << 0 << "2.3819"
                                          << "0.1535"
                                          << "2.007"
                                          << "17";
        QTest::newRow("cut to 0 mm") << 0 << 4 << 0 << "10"
                                     << "4.9"
                                     << "0.00"
                                     << "";
        QTest::newRow("cut to 0 inch") << 1 << 4 << 0 << "0.5"
                                       << "0.2"
                                       << "0.000"
                                       << "";
        QTest::newRow("grouped thousands") << 0 << 7 << 0 << "6,200"
                                           << "10"
                                           << "5,177.33"
                                           << "";
    }
    void results() {
        QFETCH(int, unit);
        QFETCH(int, type);
        QFETCH(int, mount);
        QFETCH(QString, od);
        QFETCH(QString, wall);
        QFETCH(QString, result1);
        QFETCH(QString, result2);
        CalculatorWindow& w = Open(0, unit);
        TypeInto(w.OuterDiameterEdit, od);
        TypeInto(w.WallEdit, wall);
        Choose(w.SensorTypeList, type);
        Choose(w.MountMethodList, mount);
        Execute();
        QCOMPARE(w.Result1Edit->text(), result1);
        QCOMPARE(w.Result2Edit->text(), result2);
        QVERIFY(!w.ExecuteButton->isDown());
        // The Z method shows how far round the pipe the second sensor goes: half the outer
        // circumference, in the result's format; the V method has no way round to tell.
        const QString around = mount == 0  ? QString()
                               : unit == 0 ? QStringLiteral("179.54")
                                           : QStringLiteral("7.068");
        QCOMPARE(w.CircumferentialEdit->text(), around);
        QCOMPARE(w.CircumferentialCaption->isEnabled(), mount == 1);
        QVERIFY(w.CircumferentialEdit->isReadOnly());
        QCOMPARE(w.CircumferentialEdit->accessibleName(), w.CircumferentialCaption->text());
        if (mount == 1) {
            QVERIFY(w.JobSummaryText().contains(w.CircumferentialCaption->text() +
                                                QStringLiteral(": ") + around));
            TypeInto(w.WallEdit, wall + QLatin1Char('1'));
            QCOMPARE(w.CircumferentialEdit->text(), QString()); // a change empties it too
        }
        // A spacing cut to 0 comes with its note; any other with no message.
        QCOMPARE(TakeMessages().size(),
                 QString(QTest::currentDataTag()).startsWith("cut to 0") ? 1 : 0);
    }

    // A result belongs to the inputs on screen: every kind of change empties both fields,
    // and nothing is computed until the next press.
    void resultsBelongToTheInputsOnScreen() {
        CalculatorWindow& w = Open(1, 0);
        const std::function<void()> changes[] = {
            [&] { TypeInto(w.WallEdit, QStringLiteral("4.0")); },
            [&] { // one more key at the end of a field
                QTest::mouseClick(w.WallEdit, Qt::LeftButton);
                QTest::keyClick(w.WallEdit, Qt::Key_End);
                Type(QStringLiteral("5"));
            },
            [&] { Choose(w.SensorTypeList, 3); },
            [&] { Choose(w.MountMethodList, 1); },
            [&] { Choose(w.PipeMaterialList, 1); },
            [&] { Choose(w.FluidList, 1); },
            [&] { Choose(w.LiningMaterialList, 3); },
            [&] { TypeInto(w.LiningThicknessEdit, QStringLiteral("1")); },
            [&] { TypeInto(w.OuterDiameterEdit, QStringLiteral("60.5")); },
        };
        TypeInto(w.OuterDiameterEdit, QStringLiteral("60.5"));
        TypeInto(w.WallEdit, QStringLiteral("3.9"));
        Choose(w.SensorTypeList, 2);
        int step = 0;
        for (const auto& change : changes) {
            if (step == 7) {
                TypeInto(w.LiningThicknessEdit, QStringLiteral("2")); // the lining needs it
            }
            Execute();
            QVERIFY2(!w.Result1Edit->text().isEmpty(), qPrintable(QString::number(step)));
            change();
            QVERIFY2(w.Result1Edit->text().isEmpty(), qPrintable(QString::number(step)));
            QVERIFY2(w.Result2Edit->text().isEmpty(), qPrintable(QString::number(step)));
            ++step;
        }
        // Choosing the entry already chosen changes nothing, and keeps the result.
        Execute();
        const QString shown = w.Result1Edit->text();
        w.MountMethodList->setCurrentIndex(1);
        QCOMPARE(w.Result1Edit->text(), shown);

        // A filled lining thickness is ignored while NO LINING is selected.
        Choose(w.LiningMaterialList, 0);
        Execute();
        const QString unlined = w.Result1Edit->text();
        Choose(w.LiningMaterialList, 3);
        TypeInto(w.LiningThicknessEdit, QStringLiteral("10"));
        Choose(w.LiningMaterialList, 0);
        Execute();
        QCOMPARE(w.Result1Edit->text(), unlined);
    }

    // A spacing the clamp raised to 0 shows 0.00 as ever; a message box, the field's tip and
    // the copied summary say what was computed, and the tip and summary go with the result.
    void spacingClampedToZeroIsNoted() {
        CalculatorWindow& w = Open(1, 0);
        Choose(w.SensorTypeList, 4);
        Choose(w.MountMethodList, 1);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("20"));
        TypeInto(w.WallEdit, QStringLiteral("1"));
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("0.00"));
        const QStringList shown = TakeMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(
            shown.front().startsWith(QStringLiteral("Note: the computed spacing is -25.67 mm")),
            qPrintable(shown.front()));
        QVERIFY2(w.Result1Edit->toolTip().contains(
                     QStringLiteral("the computed spacing is -25.67 mm, below 0")),
                 qPrintable(w.Result1Edit->toolTip()));
        QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("\nNote: the computed spacing is -25.67 mm")));
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        QCOMPARE(w.Result1Edit->toolTip(), QString());
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("13.61"));
        QCOMPARE(w.Result1Edit->toolTip(), QString());
    }

    // A failed press leaves no spacing beside the inputs that failed.
    void failedPressLeavesNoResult() {
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Choose(w.SensorTypeList, 2);
        Execute();
        QVERIFY(!w.Result1Edit->text().isEmpty() && !w.Result2Edit->text().isEmpty());
        // The leave-field checks keep such values out; a text they never saw still must not
        // reach a result.
        Choose(w.PipeMaterialList, 12);
        w.PipeVelocityEdit->setText(QStringLiteral("3800"));
        Execute();
        QCOMPARE(TakeMessages(), QStringList{Text(Catalogue::ErrorText::WallRefraction)});
        QCOMPARE(w.Result1Edit->text(), QString());
        QCOMPARE(w.Result2Edit->text(), QString());
        w.PipeVelocityEdit->setText(QStringLiteral("1-2"));
        Execute();
        QCOMPARE(TakeMessages(), QStringList{Text(Catalogue::ErrorText::TypeMismatch)});
        QCOMPARE(w.Result1Edit->text(), QString());
    }

    // An empty required field and a pipe without bore are refused at EXECUTE; the box
    // names the field, and once it is closed the focus is in that field.
    void refusalsTakeTheFocusToTheField_data() {
        QTest::addColumn<int>("lang");
        QTest::addColumn<int>("lining"); // list index
        QTest::addColumn<QString>("od");
        QTest::addColumn<QString>("wall");
        QTest::addColumn<QString>("liningThickness");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("wall empty") << 1 << 0 << "114.3"
                                    << ""
                                    << ""
                                    << "WALL THICKNESS: enter a value."
                                    << "WALL_THICKNESSText";
        QTest::newRow("all empty, wall first") << 0 << 0 << ""
                                               << ""
                                               << ""
                                               << "配管厚さを入力してください。"
                                               << "WALL_THICKNESSText";
        QTest::newRow("lining thickness empty") << 1 << 3 << ""
                                                << "6"
                                                << ""
                                                << "LINING THICKNESS: enter a value."
                                                << "LINING_THICKNESSText";
        QTest::newRow("outer diameter empty") << 1 << 3 << ""
                                              << "6"
                                              << "2"
                                              << "OUTER DIAMETER: enter a value."
                                              << "OUTER_DIAMETERText";
        QTest::newRow("lining velocity empty") << 1 << 7 << "100"
                                               << "6"
                                               << "2"
                                               << "LINING S.V.: enter a value."
                                               << "LINING_S_VText";
        QTest::newRow("no bore") << 1 << 0 << "114.3"
                                 << "60"
                                 << ""
                                 << "The wall and lining leave no room for the fluid: check the "
                                    "outer diameter and the thicknesses."
                                 << "OUTER_DIAMETERText";
        QTest::newRow("no bore with lining") << 1 << 3 << "20"
                                             << "6"
                                             << "4"
                                             << "The wall and lining leave no room for the fluid: "
                                                "check the outer diameter and the thicknesses."
                                             << "OUTER_DIAMETERText";
    }
    void refusalsTakeTheFocusToTheField() {
        QFETCH(int, lang);
        QFETCH(int, lining);
        QFETCH(QString, od);
        QFETCH(QString, wall);
        QFETCH(QString, liningThickness);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        CalculatorWindow& w = Open(lang, 0);
        Choose(w.LiningMaterialList, lining);
        TypeInto(w.OuterDiameterEdit, od);
        TypeInto(w.WallEdit, wall);
        TypeInto(w.LiningThicknessEdit, liningThickness);
        Execute();
        QCOMPARE(TakeMessages(), QStringList{message});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(w.Result1Edit->text(), QString());
    }

    // The leave-field check's cases, a row each in tests/leave_field_cases.csv: the field by
    // its sheet column, the text typed and how it is refused (empty: taken).
    void leaveFieldChecks_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message"); // 0: accepted
        const std::map<std::string, int> refusals{
            {"", 0},
            {"not a number", Catalogue::Id::NotANumber},
            {"out of range", Catalogue::Id::OutOfRange},
            {"decimal comma", Catalogue::ErrorText::MisplacedComma}};
        std::FILE* file = std::fopen(QUILLMERE_TESTS "/leave_field_cases.csv", "rb");
        QVERIFY(file != nullptr);
        CsvReader reader(file);
        std::vector<std::string> row;
        QVERIFY(reader.Next(row)); // the header
        while (reader.Next(row)) {
            QCOMPARE(row.size(), std::size_t{5});
            const auto field =
                std::find_if(Fields.begin(), Fields.end(),
                             [&](const FieldRecord& f) { return f.Column == row[2]; });
            QVERIFY2(field != Fields.end() && refusals.count(row[4]) == 1, row[0].c_str());
            QTest::newRow(row[0].c_str()) << (row[1] == "imperial" ? 1 : 0)
                                          << QString::fromUtf8(std::string(field->Name) + "Text")
                                          << QString::fromStdString(row[3]) << refusals.at(row[4]);
        }
        std::fclose(file);
    }
    void leaveFieldChecks() {
        QFETCH(int, unit);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, message);
        for (int lang : {0, 1}) {
            CalculatorWindow& w = Open(lang, unit);
            Choose(w.PipeMaterialList, 12);
            Choose(w.LiningMaterialList, 7);
            Choose(w.FluidList, 17);
            auto* edit = w.findChild<QLineEdit*>(field);
            QVERIFY(edit);
            TypeInto(edit, typed);
            QCOMPARE(edit->text(), typed);
            Tab();
            if (message == 0) {
                QCOMPARE(TakeMessages(), QStringList());
                QVERIFY(QApplication::focusWidget() != edit);
                continue;
            }
            QCOMPARE(TakeMessages(), QStringList{Text(static_cast<std::int16_t>(message))});
            QCOMPARE(QApplication::focusWidget(), edit);
            QCOMPARE(edit->text(), typed);
            QCOMPARE(edit->selectedText(), typed);
        }
    }

    void messagesInBothLanguages() {
        CalculatorWindow& w = Open(0, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("1"));
        Tab();
        QCOMPARE(TakeMessages(), QStringList{QStringLiteral("入力値が範囲外です")});
        Open(1, 0);
        TypeInto(Window().OuterDiameterEdit, QStringLiteral("x"));
        Tab();
        QCOMPARE(TakeMessages(),
                 QStringList{QStringLiteral("Any data other than a number is not allowed")});
    }

    void executeAfterRefusalShowsOnlyTheCheck() {
        CalculatorWindow& w = Open(1, 0);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        Choose(w.SensorTypeList, 4);
        Execute();
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("65.47"));

        TypeInto(w.OuterDiameterEdit, QStringLiteral("12a"));
        Execute();
        QCOMPARE(TakeMessages(), QStringList{Text(3920)});
        QCOMPARE(w.Result1Edit->text(), QString());
        QVERIFY(!w.ExecuteButton->isDown());
        QCOMPARE(QApplication::focusWidget(), w.OuterDiameterEdit);

        // The next press after correcting the field computes again.
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        Choose(w.MountMethodList, 1);
        Execute();
        QCOMPARE(TakeMessages(), QStringList());
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("22.84"));
    }

    // Qt's own texts follow the window's language, not the system's: a Japanese window has
    // no English "Undo" or "Cancel", and an English window after it none of the Japanese.
    void qtOwnTextsInTheWindowLanguage() {
        for (const auto& [lang, undo, cancel] :
             {std::tuple{0, QStringLiteral("元に戻す"), QStringLiteral("キャンセル")},
              std::tuple{1, QStringLiteral("Undo"), QStringLiteral("Cancel")}}) {
            CalculatorWindow& w = Open(lang, 0);
            const std::unique_ptr<QMenu> edit(w.WallEdit->createStandardContextMenu());
            QVERIFY2(edit->actions().first()->text().remove(QLatin1Char('&')).startsWith(undo),
                     qPrintable(edit->actions().first()->text()));
            QString shown;
            QTimer::singleShot(0, this, [&shown] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog != nullptr);
                shown = dialog->findChild<QDialogButtonBox*>()
                            ->button(QDialogButtonBox::Cancel)
                            ->text();
                dialog->close();
            });
            w.StandardPipeAction->trigger();
            QCOMPARE(shown, cancel);
        }
    }

    // Enter in a field is a press of EXECUTE, its own check first, exactly like a click.
    void enterPressesExecute() {
        CalculatorWindow& w = Open(1, 0);
        Choose(w.SensorTypeList, 4);
        TypeInto(w.OuterDiameterEdit, QStringLiteral("114.3"));
        TypeInto(w.WallEdit, QStringLiteral("6.0"));
        QTest::keyClick(w.WallEdit, Qt::Key_Return);
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("65.47"));
        QCOMPARE(QApplication::focusWidget(), w.WallEdit);
        TypeInto(w.WallEdit, QStringLiteral("8.0"));
        QTest::keyClick(w.WallEdit, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w.Result1Edit->text(), QStringLiteral("67.49"));
        // A refused field: its message, no result, the focus stays to correct it.
        TypeInto(w.OuterDiameterEdit, QStringLiteral("12a"));
        QTest::keyClick(w.OuterDiameterEdit, Qt::Key_Return);
        QCOMPARE(TakeMessages(), QStringList{Text(Catalogue::Id::NotANumber)});
        QCOMPARE(w.Result1Edit->text(), QString());
        QCOMPARE(QApplication::focusWidget(), w.OuterDiameterEdit);
        QCOMPARE(w.OuterDiameterEdit->selectedText(), QStringLiteral("12a"));
        // An empty required field is refused at the press, as with a click.
        TypeInto(w.OuterDiameterEdit, QString());
        QTest::keyClick(w.OuterDiameterEdit, Qt::Key_Return);
        QCOMPARE(TakeMessages(), QStringList{QStringLiteral("OUTER DIAMETER: enter a value.")});
    }

    void realMessageBoxIsModalAndSingle() {
        CalculatorWindow& w = Open(1, 0);
        QuillmereUi::SetMessageHandler(nullptr); // the real box, answered by a timer
        QStringList seen;
        int boxes = 0;
        std::function<void()> answer = [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                seen << box->windowTitle() << box->text();
                QCOMPARE(box->icon(), QMessageBox::NoIcon);
                QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
                box->button(QMessageBox::Ok)->click();
            } else {
                QTimer::singleShot(10, answer);
            }
        };
        TypeInto(w.OuterDiameterEdit, QStringLiteral("99999"));
        QTimer::singleShot(10, answer);
        Execute();
        QTRY_COMPARE(boxes, 1);
        QTest::qWait(50);
        QCOMPARE(boxes, 1);
        QCOMPARE(seen, (QStringList{QStringLiteral("Quillmere"), Text(3921)}));
        QTRY_COMPARE(w.focusWidget(), w.OuterDiameterEdit);
        QCOMPARE(w.OuterDiameterEdit->selectedText(), QStringLiteral("99999"));
        QCOMPARE(w.Result1Edit->text(), QString());
        QVERIFY(!w.ExecuteButton->isDown());
    }

    void numbersIgnoreTheSystemLocale() {
        const char* previous = std::setlocale(LC_ALL, nullptr);
        const std::string saved = previous ? previous : "C";
        std::setlocale(LC_ALL, "de_DE.UTF-8"); // may be missing; the C locale then stays
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        CalculatorWindow& w = Open(1, 1);
        Choose(w.PipeMaterialList, 12);
        TypeInto(w.PipeVelocityEdit, QStringLiteral("3,280"));
        Tab();
        TypeInto(w.OuterDiameterEdit, QStringLiteral("244.1"));
        TypeInto(w.WallEdit, QStringLiteral("0.5"));
        Choose(w.SensorTypeList, 7);
        Execute();
        const QString shown = w.Result1Edit->text();
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, saved.c_str());
        Job e;
        e.Units = UnitSystem::Imperial;
        e.SensorTypeIndex = 7;
        e.PipeMaterialIndex = PipeUserEntry;
        e.PipeVelocityLocked = false;
        e.Text(InputField::PipeVelocity) = "3280";
        e.Text(InputField::OuterDiameter) = "244.1";
        e.Text(InputField::WallThickness) = "0.5";
        QCOMPARE(shown, QString::fromStdString(RunCalculation(e, 2).Display.Result1));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d{3}$")).match(shown).hasMatch());
    }
};

QTEST_MAIN(WindowTest)
#include "ui_test.moc"
