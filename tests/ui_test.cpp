// The calculator window driven as a user drives it: keys, Tab, clicks, list choices and the
// EXECUTE button, reading what the controls show and which messages appear.
#include "Engine.h"
#include "JobReport.h"
#include "JobSummary.h"
#include "Rules.h"
#include "WindowFixture.h"

#include <QApplication>
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
        frmCalc& w = Open(lang, unit);
        const bool en = lang != 0;
        const bool imp = unit != 0;

        QCOMPARE(w.windowTitle(), en ? QStringLiteral("Ultrasonic Flowmeter - Sensor Spacing Calculation Tool")
                                     : QStringLiteral("超音波流量計 - 取付け寸法計算ツール"));
        QCOMPARE(w.OUTER_DIAMETER->text(), en ? QStringLiteral("OUTER DIAMETER") : QStringLiteral("外径寸法"));
        QCOMPARE(w.MOUNT_SIZE2->text(), en ? QStringLiteral("SENSOR SPACING2") : QStringLiteral("取付け寸法2"));
        QCOMPARE(w.LINING_MATERIAL->text(), en ? QStringLiteral("LINING MATERIAL") : QStringLiteral("ﾗｲﾆﾝｸﾞ材質"));
        QCOMPARE(w.fraResult->title(), en ? QStringLiteral("Calculation Result") : QStringLiteral("計算結果"));
        QCOMPARE(w.lblInputRequired->text(), en ? QStringLiteral("* INPUT") : QStringLiteral("* 入力"));
        QCOMPARE(w.lblMount2Sensor->text(), QStringLiteral("(VT-A1/VT-A2,VT-B1/VT-B2)"));

        QCOMPARE(w.PIPE_MATERIALCombo->count(), 13);
        QCOMPARE(w.LINING_MATERIALCombo->count(), 8);
        QCOMPARE(w.KIND_OF_FLUIDCombo->count(), 18);
        QCOMPARE(w.SENSOR_MOUNTCombo->count(), 2);
        QCOMPARE(w.SENSOR_TYPECombo->count(), 12);
        QCOMPARE(w.PIPE_MATERIALCombo->currentText(), en ? QStringLiteral("CARBON STEEL") : QStringLiteral("炭素鋼"));
        QCOMPARE(w.LINING_MATERIALCombo->currentText(), en ? QStringLiteral("NO LINING") : QStringLiteral("ﾗｲﾆﾝｸﾞ無し"));
        QCOMPARE(w.KIND_OF_FLUIDCombo->currentText(), en ? QStringLiteral("WATER") : QStringLiteral("水"));
        QCOMPARE(w.SENSOR_MOUNTCombo->currentText(), en ? QStringLiteral("V METHOD") : QStringLiteral("V法"));
        QCOMPARE(w.SENSOR_TYPECombo->currentText(), QStringLiteral("RESERVE"));
        QCOMPARE(w.PIPE_MATERIALCombo->itemText(12), w.TRANS_FREQUENCY->text());
        QCOMPARE(w.LINING_MATERIALCombo->itemText(7), w.LINING_S_V->text());
        QCOMPARE(w.KIND_OF_FLUIDCombo->itemText(17), w.FLUID_S_V->text());
        QCOMPARE(w.KIND_OF_FLUIDCombo->itemText(16), en ? QStringLiteral("REFRIGERANT R410") : QStringLiteral("冷媒 R410"));
        QCOMPARE(w.SENSOR_TYPECombo->itemText(11), QStringLiteral("VT-K1/VT-K2/VT-K3"));

        for (QLineEdit* f : {static_cast<QLineEdit*>(w.TRANS_FREQUENCYText),
                             static_cast<QLineEdit*>(w.LINING_S_VText),
                             static_cast<QLineEdit*>(w.LINING_THICKNESSText),
                             static_cast<QLineEdit*>(w.FLUID_S_VText)}) {
            QVERIFY2(InTableState(f), qPrintable(f->objectName()));
            QVERIFY(f->text().isEmpty());
        }
        QVERIFY(InInputState(w.OUTER_DIAMETERText));
        QVERIFY(InInputState(w.WALL_THICKNESSText));
        for (int i = 0; i < 11; ++i) {
            const bool off = i == 2 || i == 7 || i == 8 || i == 10;
            QCOMPARE(w.lblRequired[i]->isEnabled(), !off);
            QCOMPARE(w.lblRequired[i]->font().pointSize(), en ? 14 : 12);
            QVERIFY(w.lblRequired[i]->font().bold());
        }
        QCOMPARE(w.lblInputRequired->font().pointSize(), en ? 14 : 12);
        QCOMPARE(w.OUTER_DIAMETER->font().pointSize(), 12);
        QVERIFY(w.OUTER_DIAMETER->font().bold());
        QCOMPARE(w.OUTER_DIAMETER->font().family(), en ? QStringLiteral("Arial") : QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(w.Label8[0]->font().pointSize(), 8);
        QCOMPARE(w.lblMount2Sensor->font().pointSize(), 10);
        QCOMPARE(w.OUTER_DIAMETER_RANGE->font().family(), QStringLiteral("Terminal"));
        QVERIFY(w.txtResult1Text->font().bold());
        QCOMPARE(w.txtResult1Text->palette().color(QPalette::Text), QColor(255, 0, 0));
        QVERIFY(w.txtResult1Text->isReadOnly() && w.txtResult2Text->isReadOnly());

        const int lengths[] = {7, imp ? 5 : 4, 6, imp ? 5 : 4, 6, 4};
        const QLineEdit* fields[] = {w.OUTER_DIAMETERText, w.TRANS_FREQUENCYText, w.WALL_THICKNESSText,
                                     w.LINING_S_VText, w.LINING_THICKNESSText, w.FLUID_S_VText};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(fields[i]->maxLength(), lengths[i]);
        }
        const QString mm = imp ? QStringLiteral("[inch]") : QStringLiteral("[mm]");
        const QString ms = imp ? QStringLiteral("[ft/s]") : QStringLiteral("[m/s]");
        for (QLabel* l : {w.Label8[0], w.Label8[1], w.Label2[0], w.Label4}) {
            QCOMPARE(l->text(), mm);
        }
        for (QLabel* l : {w.Label1[0], w.Label1[1], w.Label12[0]}) {
            QCOMPARE(l->text(), ms);
        }
        QCOMPARE(w.OUTER_DIAMETER_RANGE->text(), imp ? QStringLiteral("0.2362-244.100inch") : QStringLiteral("6.00-6200.00mm"));
        QCOMPARE(w.LINING_THICKNESS_RANGE->text(), imp ? QStringLiteral("0.0003-3.9380inch") : QStringLiteral("0.01-100.00mm"));
        QCOMPARE(w.FLUID_S_V_RANGE->text(), imp ? QStringLiteral("984-8203ft/s") : QStringLiteral("300-2500m/s"));
        QCOMPARE(w.LINING_S_V_RANGE->text(), w.TRANS_FREQUENCY_RANGE->text());
        QCOMPARE(w.OUTER_DIAMETERText->accessibleName(), w.OUTER_DIAMETER->text());
        QCOMPARE(w.FLUID_S_VText->accessibleDescription(), w.FLUID_S_V_RANGE->text());
        QCOMPARE(w.KIND_OF_FLUIDCombo->accessibleName(), w.KIND_OF_FLUID->text());
    }

    void layoutAndFocusOrder() {
        frmCalc& w = Open(1, 0);
        QCOMPARE(w.size(), QSize(926, 471));
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
        QCOMPARE(w.lblRequired[2]->y(), w.TRANS_FREQUENCY->y());
        QCOMPARE(w.lblRequired[8]->y(), w.LINING_THICKNESS->y());
        QCOMPARE(w.findChildren<QLineEdit*>(QStringLiteral("OUTER_DIAMETERText")).size(), 1);

        // The results belong to the window, lie over the frame and are drawn above it.
        QCOMPARE(w.txtResult1Text->parentWidget(), static_cast<QWidget*>(&w));
        QCOMPARE(w.MOUNT_SIZE1->parentWidget(), static_cast<QWidget*>(w.fraResult));
        QVERIFY(w.fraResult->geometry().contains(w.txtResult1Text->geometry()));
        QVERIFY(w.fraResult->geometry().contains(w.txtResult2Text->geometry()));
        const QObjectList order = w.children();
        QVERIFY(order.indexOf(w.txtResult2Text) > order.indexOf(w.fraResult));
        QCOMPARE(w.childAt(w.txtResult1Text->geometry().center()), w.txtResult1Text);

        QWidget* const expected[] = {
            w.OUTER_DIAMETERText, w.PIPE_MATERIALCombo, w.TRANS_FREQUENCYText, w.WALL_THICKNESSText,
            w.SENSOR_MOUNTCombo, w.SENSOR_TYPECombo, w.LINING_MATERIALCombo, w.LINING_S_VText,
            w.LINING_THICKNESSText, w.KIND_OF_FLUIDCombo, w.FLUID_S_VText, w.ExecuteCalc,
            w.txtResult1Text, w.txtResult2Text, w.txtCircumferentialText};
        w.OUTER_DIAMETERText->setFocus(Qt::OtherFocusReason);
        for (QWidget* control : expected) {
            QCOMPARE(QApplication::focusWidget(), control);
            Tab();
        }
        QCOMPARE(QApplication::focusWidget(), w.OUTER_DIAMETERText);
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    // Digits go past the input method in every numeric field, also in one a list has just
    // unlocked: a Japanese input method left on would type full-width digits, refused.
    void numericFieldsBypassTheInputMethod() {
        frmCalc& w = Open(0, 0);
        Choose(w.PIPE_MATERIALCombo, 12); // PIPE S.V.: unlocks its field
        Choose(w.LINING_MATERIALCombo, 7);
        Choose(w.KIND_OF_FLUIDCombo, 17);
        for (QLineEdit* field : {static_cast<QLineEdit*>(w.OUTER_DIAMETERText),
                                 static_cast<QLineEdit*>(w.TRANS_FREQUENCYText),
                                 static_cast<QLineEdit*>(w.WALL_THICKNESSText),
                                 static_cast<QLineEdit*>(w.LINING_S_VText),
                                 static_cast<QLineEdit*>(w.LINING_THICKNESSText),
                                 static_cast<QLineEdit*>(w.FLUID_S_VText)}) {
            QVERIFY2(InInputState(field), qPrintable(field->objectName()));
            field->setFocus(Qt::MouseFocusReason);
            QInputMethodQueryEvent query(Qt::ImEnabled);
            QApplication::sendEvent(field, &query);
            QVERIFY2(!query.value(Qt::ImEnabled).toBool(), qPrintable(field->objectName()));
        }
    }

    void selectionStates() {
        frmCalc& w = Open(1, 0);
        Choose(w.LINING_MATERIALCombo, 3); // RUBBER: thickness only
        QVERIFY(InTableState(w.LINING_S_VText));
        QVERIFY(InInputState(w.LINING_THICKNESSText));
        QVERIFY(!w.lblRequired[7]->isEnabled());
        QVERIFY(w.lblRequired[8]->isEnabled());
        Choose(w.LINING_MATERIALCombo, 7); // LINING S.V.: both open
        QVERIFY(InInputState(w.LINING_S_VText));
        QVERIFY(InInputState(w.LINING_THICKNESSText));
        QVERIFY(w.lblRequired[7]->isEnabled() && w.lblRequired[8]->isEnabled());
        TypeInto(w.LINING_S_VText, QStringLiteral("2000"));
        Choose(w.LINING_MATERIALCombo, 0); // NO LINING: both closed, text kept
        QVERIFY(InTableState(w.LINING_S_VText));
        QVERIFY(InTableState(w.LINING_THICKNESSText));
        QVERIFY(!w.lblRequired[7]->isEnabled() && !w.lblRequired[8]->isEnabled());
        QCOMPARE(w.LINING_S_VText->text(), QStringLiteral("2000"));

        Choose(w.KIND_OF_FLUIDCombo, 17);
        QVERIFY(InInputState(w.FLUID_S_VText));
        QVERIFY(w.lblRequired[10]->isEnabled());
        Choose(w.KIND_OF_FLUIDCombo, 0);

        // A typed pipe velocity stays visible but locked; the table's 3000 counts.
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6.0"));
        Choose(w.SENSOR_TYPECombo, 4);
        Choose(w.PIPE_MATERIALCombo, 12);
        QVERIFY(InInputState(w.TRANS_FREQUENCYText));
        QVERIFY(w.lblRequired[2]->isEnabled());
        TypeInto(w.TRANS_FREQUENCYText, QStringLiteral("3200"));
        Choose(w.PIPE_MATERIALCombo, 0);
        QVERIFY(InTableState(w.TRANS_FREQUENCYText));
        QCOMPARE(w.TRANS_FREQUENCYText->text(), QStringLiteral("3200"));
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("65.47"));
        Choose(w.PIPE_MATERIALCombo, 12); // the typed 3200 counts again
        Execute();
        QVERIFY(w.txtResult1Text->text() != QStringLiteral("65.47"));

        // Typing into a locked field changes nothing.
        Choose(w.PIPE_MATERIALCombo, 0);
        w.TRANS_FREQUENCYText->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(w.TRANS_FREQUENCYText, QStringLiteral("9"));
        QCOMPARE(w.TRANS_FREQUENCYText->text(), QStringLiteral("3200"));
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
        QTest::newRow("VT-C1 V") << 0 << 4 << 0 << "114.3" << "6.0" << "65.47" << "";
        QTest::newRow("VT-C1 Z") << 0 << 4 << 1 << "114.3" << "6.0" << "22.84" << "";
        QTest::newRow("VT-A1 Z inch") << 1 << 2 << 1 << "4.5" << "0.237" << "2.244" << "19";
        QTest::newRow("VT-A1 steps") << 0 << 2 << 0 << "60.5" << "3.9" << "51" << "17";
        QTest::newRow("VT-B1 steps") << 0 << 3 << 0 << "60.5" << "3.9" << "51" << "17";
        QTest::newRow("RESERVE plain") << 0 << 1 << 0 << "60.5" << "3.9" << "53.45" << "";
        QTest::newRow("VT-C1 V inch") << 1 << 4 << 0 << "4.5" << "0.2362" << "2.577" << "";
        QTest::newRow("VT-A1 steps inch") << 1 << 2 << 0 << "2.3819" << "0.1535" << "2.007" << "17";
        QTest::newRow("cut to 0 mm") << 0 << 4 << 0 << "10" << "4.9" << "0.00" << "";
        QTest::newRow("cut to 0 inch") << 1 << 4 << 0 << "0.5" << "0.2" << "0.000" << "";
        QTest::newRow("grouped thousands") << 0 << 7 << 0 << "6,200" << "10" << "5,177.33" << "";
    }
    void results() {
        QFETCH(int, unit);
        QFETCH(int, type);
        QFETCH(int, mount);
        QFETCH(QString, od);
        QFETCH(QString, wall);
        QFETCH(QString, result1);
        QFETCH(QString, result2);
        frmCalc& w = Open(0, unit);
        TypeInto(w.OUTER_DIAMETERText, od);
        TypeInto(w.WALL_THICKNESSText, wall);
        Choose(w.SENSOR_TYPECombo, type);
        Choose(w.SENSOR_MOUNTCombo, mount);
        Execute();
        QCOMPARE(w.txtResult1Text->text(), result1);
        QCOMPARE(w.txtResult2Text->text(), result2);
        QVERIFY(!w.ExecuteCalc->isDown());
        // The Z method shows how far round the pipe the second sensor goes: half the outer
        // circumference, in the result's format; the V method has no way round to tell.
        const QString around = mount == 0 ? QString() : unit == 0 ? QStringLiteral("179.54") : QStringLiteral("7.068");
        QCOMPARE(w.txtCircumferentialText->text(), around);
        QCOMPARE(w.CIRCUMFERENTIAL->isEnabled(), mount == 1);
        QVERIFY(w.txtCircumferentialText->isReadOnly());
        QCOMPARE(w.txtCircumferentialText->accessibleName(), w.CIRCUMFERENTIAL->text());
        if (mount == 1) {
            QVERIFY(w.JobSummaryText().contains(w.CIRCUMFERENTIAL->text() + QStringLiteral(": ") + around));
            TypeInto(w.WALL_THICKNESSText, wall + QLatin1Char('1'));
            QCOMPARE(w.txtCircumferentialText->text(), QString()); // a change empties it too
        }
        // A spacing cut to 0 comes with its note; any other with no message.
        QCOMPARE(TakeMessages().size(),
                 QString(QTest::currentDataTag()).startsWith("cut to 0") ? 1 : 0);
    }

    // A result belongs to the inputs on screen: every kind of change empties both fields,
    // and nothing is computed until the next press.
    void resultsBelongToTheInputsOnScreen() {
        frmCalc& w = Open(1, 0);
        const std::function<void()> changes[] = {
            [&] { TypeInto(w.WALL_THICKNESSText, QStringLiteral("4.0")); },
            [&] { // one more key at the end of a field
                QTest::mouseClick(w.WALL_THICKNESSText, Qt::LeftButton);
                QTest::keyClick(w.WALL_THICKNESSText, Qt::Key_End);
                Type(QStringLiteral("5"));
            },
            [&] { Choose(w.SENSOR_TYPECombo, 3); },
            [&] { Choose(w.SENSOR_MOUNTCombo, 1); },
            [&] { Choose(w.PIPE_MATERIALCombo, 1); },
            [&] { Choose(w.KIND_OF_FLUIDCombo, 1); },
            [&] { Choose(w.LINING_MATERIALCombo, 3); },
            [&] { TypeInto(w.LINING_THICKNESSText, QStringLiteral("1")); },
            [&] { TypeInto(w.OUTER_DIAMETERText, QStringLiteral("60.5")); },
        };
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("60.5"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("3.9"));
        Choose(w.SENSOR_TYPECombo, 2);
        int step = 0;
        for (const auto& change : changes) {
            if (step == 7) {
                TypeInto(w.LINING_THICKNESSText, QStringLiteral("2")); // the lining needs it
            }
            Execute();
            QVERIFY2(!w.txtResult1Text->text().isEmpty(), qPrintable(QString::number(step)));
            change();
            QVERIFY2(w.txtResult1Text->text().isEmpty(), qPrintable(QString::number(step)));
            QVERIFY2(w.txtResult2Text->text().isEmpty(), qPrintable(QString::number(step)));
            ++step;
        }
        // Choosing the entry already chosen changes nothing, and keeps the result.
        Execute();
        const QString shown = w.txtResult1Text->text();
        w.SENSOR_MOUNTCombo->setCurrentIndex(1);
        QCOMPARE(w.txtResult1Text->text(), shown);

        // A filled lining thickness is ignored while NO LINING is selected.
        Choose(w.LINING_MATERIALCombo, 0);
        Execute();
        const QString unlined = w.txtResult1Text->text();
        Choose(w.LINING_MATERIALCombo, 3);
        TypeInto(w.LINING_THICKNESSText, QStringLiteral("10"));
        Choose(w.LINING_MATERIALCombo, 0);
        Execute();
        QCOMPARE(w.txtResult1Text->text(), unlined);
    }

    // A spacing the clamp raised to 0 shows 0.00 as ever; a message box, the field's tip and
    // the copied summary say what was computed, and the tip and summary go with the result.
    void spacingClampedToZeroIsNoted() {
        frmCalc& w = Open(1, 0);
        Choose(w.SENSOR_TYPECombo, 4);
        Choose(w.SENSOR_MOUNTCombo, 1);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("20"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("1"));
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("0.00"));
        const QStringList shown = TakeMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(
            shown.front().startsWith(QStringLiteral("Note: the computed spacing is -25.67 mm")),
            qPrintable(shown.front()));
        QVERIFY2(w.txtResult1Text->toolTip().contains(
                     QStringLiteral("the computed spacing is -25.67 mm, below 0")),
                 qPrintable(w.txtResult1Text->toolTip()));
        QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("\nNote: the computed spacing is -25.67 mm")));
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        QCOMPARE(w.txtResult1Text->toolTip(), QString());
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("13.61"));
        QCOMPARE(w.txtResult1Text->toolTip(), QString());
    }

    // A failed press leaves no spacing beside the inputs that failed.
    void failedPressLeavesNoResult() {
        frmCalc& w = Open(1, 0);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6.0"));
        Choose(w.SENSOR_TYPECombo, 2);
        Execute();
        QVERIFY(!w.txtResult1Text->text().isEmpty() && !w.txtResult2Text->text().isEmpty());
        // The leave-field checks keep such values out; a text they never saw still must not
        // reach a result.
        Choose(w.PIPE_MATERIALCombo, 12);
        w.TRANS_FREQUENCYText->setText(QStringLiteral("3800"));
        Execute();
        QCOMPARE(TakeMessages(), QStringList{Text(Catalogue::ErrorText::WallRefraction)});
        QCOMPARE(w.txtResult1Text->text(), QString());
        QCOMPARE(w.txtResult2Text->text(), QString());
        w.TRANS_FREQUENCYText->setText(QStringLiteral("1-2"));
        Execute();
        QCOMPARE(TakeMessages(), QStringList{Text(Catalogue::ErrorText::TypeMismatch)});
        QCOMPARE(w.txtResult1Text->text(), QString());
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
        QTest::newRow("wall empty") << 1 << 0 << "114.3" << "" << "" << "WALL THICKNESS: enter a value."
                                    << "WALL_THICKNESSText";
        QTest::newRow("all empty, wall first") << 0 << 0 << "" << "" << "" << "配管厚さを入力してください。"
                                               << "WALL_THICKNESSText";
        QTest::newRow("lining thickness empty") << 1 << 3 << "" << "6" << ""
                                                << "LINING THICKNESS: enter a value."
                                                << "LINING_THICKNESSText";
        QTest::newRow("outer diameter empty") << 1 << 3 << "" << "6" << "2"
                                              << "OUTER DIAMETER: enter a value." << "OUTER_DIAMETERText";
        QTest::newRow("lining velocity empty") << 1 << 7 << "100" << "6" << "2"
                                               << "LINING S.V.: enter a value." << "LINING_S_VText";
        QTest::newRow("no bore") << 1 << 0 << "114.3" << "60" << ""
                                 << "The wall and lining leave no room for the fluid: check the "
                                    "outer diameter and the thicknesses."
                                 << "OUTER_DIAMETERText";
        QTest::newRow("no bore with lining") << 1 << 3 << "20" << "6" << "4"
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
        frmCalc& w = Open(lang, 0);
        Choose(w.LINING_MATERIALCombo, lining);
        TypeInto(w.OUTER_DIAMETERText, od);
        TypeInto(w.WALL_THICKNESSText, wall);
        TypeInto(w.LINING_THICKNESSText, liningThickness);
        Execute();
        QCOMPARE(TakeMessages(), QStringList{message});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(w.txtResult1Text->text(), QString());
    }

    void leaveFieldChecks_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("message"); // 0: accepted
        auto row = [](const char* name, int unit, const char* field, const QString& typed, int message) {
            QTest::newRow(name) << unit << QString::fromLatin1(field) << typed << message;
        };
        row("empty", 0, "OUTER_DIAMETERText", "", 0);
        row("lower bound", 0, "OUTER_DIAMETERText", "6", 0);
        row("upper bound", 0, "OUTER_DIAMETERText", "6200", 0);
        row("below", 0, "OUTER_DIAMETERText", "5.99", 3921);
        row("above", 0, "OUTER_DIAMETERText", "6200.01", 3921);
        row("letter", 0, "OUTER_DIAMETERText", "12a", 3920);
        row("leading blank", 0, "OUTER_DIAMETERText", " 100", 3920);
        row("full-width digits", 0, "OUTER_DIAMETERText", QStringLiteral("１００"), 3920);
        row("lone minus", 0, "WALL_THICKNESSText", "-", 3920);
        row("lone point", 0, "WALL_THICKNESSText", ".", 3920);
        row("lone comma", 0, "WALL_THICKNESSText", ",", 3920);
        row("negative", 0, "WALL_THICKNESSText", "-5", 3921);
        row("lone plus", 0, "OUTER_DIAMETERText", "+", 3920);
        row("inner minus", 0, "OUTER_DIAMETERText", "1-2", 3920);
        row("two points", 0, "OUTER_DIAMETERText", "1..5", 3920);
        row("two minus", 0, "OUTER_DIAMETERText", "--5", 3920);
        row("pipe velocity low", 0, "TRANS_FREQUENCYText", "1000", 0);
        row("pipe velocity high", 0, "TRANS_FREQUENCYText", "3700", 0);
        row("pipe velocity 999", 0, "TRANS_FREQUENCYText", "999", 3921);
        row("pipe velocity 3701", 0, "TRANS_FREQUENCYText", "3701", 3921);
        row("lining velocity 1000", 0, "LINING_S_VText", "1000", 0);
        row("lining velocity 3700", 0, "LINING_S_VText", "3700", 0);
        row("lining velocity 999", 0, "LINING_S_VText", "999", 3921);
        row("lining velocity 3701", 0, "LINING_S_VText", "3701", 3921);
        row("lining thickness 0.01", 0, "LINING_THICKNESSText", "0.01", 0);
        row("lining thickness 0.009", 0, "LINING_THICKNESSText", "0.009", 3921);
        row("inch fluid 984", 1, "FLUID_S_VText", "984", 0);
        row("inch fluid 8203", 1, "FLUID_S_VText", "8203", 0);
        row("inch fluid 983", 1, "FLUID_S_VText", "983", 3921);
        row("inch wall 0.0039", 1, "WALL_THICKNESSText", "0.0039", 0);
        row("inch wall 0.0038", 1, "WALL_THICKNESSText", "0.0038", 3921);
        row("inch lining 0.0003", 1, "LINING_THICKNESSText", "0.0003", 0);
        row("inch lining 0.0002", 1, "LINING_THICKNESSText", "0.0002", 3921);
        row("inch grouped velocity", 1, "TRANS_FREQUENCYText", "3,280", 0);
        row("decimal comma", 0, "OUTER_DIAMETERText", "114,3", 4939);
        row("decimal comma in inches", 1, "WALL_THICKNESSText", "0,25", 4939);
        row("inch outer diameter 0.2362", 1, "OUTER_DIAMETERText", "0.2362", 0);
    }
    void leaveFieldChecks() {
        QFETCH(int, unit);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, message);
        for (int lang : {0, 1}) {
            frmCalc& w = Open(lang, unit);
            Choose(w.PIPE_MATERIALCombo, 12);
            Choose(w.LINING_MATERIALCombo, 7);
            Choose(w.KIND_OF_FLUIDCombo, 17);
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
        frmCalc& w = Open(0, 0);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("1"));
        Tab();
        QCOMPARE(TakeMessages(), QStringList{QStringLiteral("入力値が範囲外です")});
        Open(1, 0);
        TypeInto(Window().OUTER_DIAMETERText, QStringLiteral("x"));
        Tab();
        QCOMPARE(TakeMessages(), QStringList{QStringLiteral("Any data other than a number is not allowed")});
    }

    void executeAfterRefusalShowsOnlyTheCheck() {
        frmCalc& w = Open(1, 0);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6.0"));
        Choose(w.SENSOR_TYPECombo, 4);
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("65.47"));

        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("12a"));
        Execute();
        QCOMPARE(TakeMessages(), QStringList{Text(3920)});
        QCOMPARE(w.txtResult1Text->text(), QString());
        QVERIFY(!w.ExecuteCalc->isDown());
        QCOMPARE(QApplication::focusWidget(), w.OUTER_DIAMETERText);

        // The next press after correcting the field computes again.
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        Choose(w.SENSOR_MOUNTCombo, 1);
        Execute();
        QCOMPARE(TakeMessages(), QStringList());
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("22.84"));
    }

    // The job as the installer keeps it: the summary on the clipboard in the window's
    // language, every input with its unit and the table velocities that counted.
    void jobSummaryOnTheClipboard_data() {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("English") << 1
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
                                  << QStringList{QStringLiteral("センサ取付け寸法の記録\n"),
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
        frmCalc& w = Open(lang, 0);
        QVERIFY(!w.CopySummaryAction->isEnabled());
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("60.5"));
        Choose(w.PIPE_MATERIALCombo, 1);
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("3.9"));
        Choose(w.SENSOR_MOUNTCombo, 1);
        Choose(w.SENSOR_TYPECombo, 2);
        Choose(w.LINING_MATERIALCombo, 3);
        TypeInto(w.LINING_THICKNESSText, QStringLiteral("1.5"));
        Choose(w.KIND_OF_FLUIDCombo, 17);
        TypeInto(w.FLUID_S_VText, QStringLiteral("1480"));
        Execute();
        QVERIFY(w.CopySummaryAction->isEnabled());
        QApplication::clipboard()->clear();
        QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString copied = QApplication::clipboard()->text();
        for (const QString& part : expected) {
            QVERIFY2(copied.contains(part), qPrintable(part + QStringLiteral(" not in:\n") + copied));
        }
        QVERIFY(QRegularExpression(QStringLiteral(": \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d\\n")).match(copied).hasMatch());
        QVERIFY(copied.startsWith(expected.first()));
    }

    // Copy, save and print are there only while a result is shown: a record can never carry
    // a spacing that does not belong to the inputs.
    void recordsOnlyWithAResult() {
        frmCalc& w = Open(1, 0);
        const auto enabled = [&w] {
            return w.CopySummaryAction->isEnabled() + w.SaveReportAction->isEnabled() +
                   w.PrintAction->isEnabled();
        };
        QCOMPARE(enabled(), 0);
        QVERIFY(w.HelpAction->isEnabled() && w.AboutAction->isEnabled());
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6.0"));
        Execute();
        QCOMPARE(enabled(), 3);
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("8.0"));
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
        frmCalc& w = Open(1, 0);
        const QStringList job{QStringLiteral("Copy job summary"),
                              QStringLiteral("Save report..."),
                              QStringLiteral("Print..."),
                              QString(),
                              QStringLiteral("Standard pipe..."),
                              QStringLiteral("Fluid at temperature..."),
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
                 &w, w.PIPE_MATERIALCombo, w.SENSOR_TYPECombo, w.KIND_OF_FLUIDCombo, w.ExecuteCalc,
                 w.OUTER_DIAMETER, w.fraResult}) {
            QVERIFY2(menuOn(widget, QContextMenuEvent::Mouse) == job,
                     qPrintable(widget->objectName()));
            QVERIFY2(menuOn(widget, QContextMenuEvent::Keyboard) == job,
                     qPrintable(widget->objectName()));
        }
        for (QLineEdit* field :
             std::initializer_list<QLineEdit*>{w.WALL_THICKNESSText, w.txtResult1Text}) {
            const QStringList entries = menuOn(field, QContextMenuEvent::Mouse);
            QVERIFY2(entries.size() > job.size() + 1, qPrintable(entries.join(QLatin1Char('|'))));
            QCOMPARE(entries.mid(entries.size() - job.size()), job);
            QCOMPARE(entries[entries.size() - job.size() - 1], QString()); // the separator
        }
    }

    // Qt's own texts follow the window's language, not the system's: a Japanese window has
    // no English "Undo" or "Cancel", and an English window after it none of the Japanese.
    void qtOwnTextsInTheWindowLanguage() {
        for (const auto& [lang, undo, cancel] :
             {std::tuple{0, QStringLiteral("元に戻す"), QStringLiteral("キャンセル")},
              std::tuple{1, QStringLiteral("Undo"), QStringLiteral("Cancel")}}) {
            frmCalc& w = Open(lang, 0);
            const std::unique_ptr<QMenu> edit(w.WALL_THICKNESSText->createStandardContextMenu());
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
        frmCalc& w = Open(1, 0);
        Choose(w.SENSOR_TYPECombo, 4);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6.0"));
        QTest::keyClick(w.WALL_THICKNESSText, Qt::Key_Return);
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("65.47"));
        QCOMPARE(QApplication::focusWidget(), w.WALL_THICKNESSText);
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("8.0"));
        QTest::keyClick(w.WALL_THICKNESSText, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("67.49"));
        // A refused field: its message, no result, the focus stays to correct it.
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("12a"));
        QTest::keyClick(w.OUTER_DIAMETERText, Qt::Key_Return);
        QCOMPARE(TakeMessages(), QStringList{Text(Catalogue::Id::NotANumber)});
        QCOMPARE(w.txtResult1Text->text(), QString());
        QCOMPARE(QApplication::focusWidget(), w.OUTER_DIAMETERText);
        QCOMPARE(w.OUTER_DIAMETERText->selectedText(), QStringLiteral("12a"));
        // An empty required field is refused at the press, as with a click.
        TypeInto(w.OUTER_DIAMETERText, QString());
        QTest::keyClick(w.OUTER_DIAMETERText, Qt::Key_Return);
        QCOMPARE(TakeMessages(), QStringList{QStringLiteral("OUTER DIAMETER: enter a value.")});
    }

    // Ctrl+S, through the file dialog, to a one-page PDF whose text holds the inputs, the
    // result and the sketch's scale.
    void reportSavedAsPdf() {
        frmCalc& w = Open(1, 0);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6.0"));
        Choose(w.SENSOR_TYPECombo, 4);
        Choose(w.LINING_MATERIALCombo, 3);
        TypeInto(w.LINING_THICKNESSText, QStringLiteral("3"));
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("63.11"));

        QTemporaryDir scratch;
        const QString target = scratch.filePath(QStringLiteral("report.pdf"));
        const QString proposed =
            SaveReportAs(w, target, [&] { QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier); });
        QVERIFY(QRegularExpression(QStringLiteral("/quillmere-\\d{8}-\\d{4}\\.pdf$")).match(proposed).hasMatch());
        QVERIFY(QFile::exists(target));
        if (qEnvironmentVariableIsSet("QUILLMERE_KEEP_REPORT")) {
            QFile::copy(target, qEnvironmentVariable("QUILLMERE_KEEP_REPORT"));
        }

        const QString pdf = PdfText(target, {QStringLiteral("-layout")});
        for (const char* part : {"Sensor spacing record", "OUTER DIAMETER: 114.3 mm", "WALL THICKNESS: 6.0 mm",
                                 "LINING MATERIAL: RUBBER", "LINING THICKNESS: 3 mm", "SENSOR TYPE: VT-C1",
                                 "SENSOR SPACING1: 63.11 mm", "Scale 1:"}) {
            QVERIFY2(pdf.contains(QString::fromUtf8(part)), qPrintable(QString::fromUtf8(part) + QStringLiteral(" not in:\n") + pdf));
        }
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {target});
        QVERIFY(info.waitForFinished(20000));
        const QString facts = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(facts.contains(QRegularExpression(QStringLiteral("Pages: +1\\n"))), qPrintable(facts));
        QVERIFY2(facts.contains(QStringLiteral("(A4)")), qPrintable(facts));
    }

    // Without a documents folder the report is proposed in the home folder, not wherever the
    // program happened to be started.
    void reportProposedAtHomeWithoutDocumentsFolder() {
        frmCalc& w = OpenWithResult(1);
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

    // The longest summary there is (every optional line, a clamped spacing's note) wraps
    // within the page and leaves the sketch and its footer below it, in both languages.
    void longReportStaysOnThePage_data() {
        QTest::addColumn<int>("base");
        QTest::newRow("en") << 5000;
        QTest::newRow("ja") << 0;
    }
    void longReportStaysOnThePage() {
        QFETCH(int, base);
        CalcEntries e;
        e.SensorTypeIndex = 4; // VT-C1 on a small pipe: clamped to 0
        e.MountMethodIndex = 1;
        e.TextOf(InputField::OuterDiameter) = "20";
        e.TextOf(InputField::WallThickness) = "1";
        e.PipeMaterialIndex = PipeUserEntry;
        e.TextOf(InputField::PipeVelocity) = "3200";
        e.LiningMaterialIndex = LiningUserEntry;
        e.TextOf(InputField::LiningVelocity) = "2300";
        e.TextOf(InputField::LiningThickness) = "0.5";
        e.FluidIndex = FluidUserEntry;
        e.TextOf(InputField::FluidVelocity) = "1551";
        LockVelocitiesByLists(e);
        JobRecord job = RecordJob(e, static_cast<std::int16_t>(base));
        QCOMPARE(job.Outcome.Display.Circumferential, std::string("31.41"));
        AddHelperNotes(job, {"STPG 100A Sch40, JIS G 3454:2017", "20", "1",
                             "WATER 60 °C, Marczak 1997", "1551"});
        const QString summary =
            QString::fromStdString(JobSummary(job, "2026-12-07 10:00", "1.0.0"));
        QVERIFY2(summary.count(QLatin1Char('\n')) == 18, qPrintable(summary));
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
        QVERIFY2(footerTop - noteBottom > 100 * mm,
                 qPrintable(QStringLiteral("%1 %2").arg(noteBottom).arg(footerTop)));
    }

    void japaneseReportEmbedsItsFont() {
        frmCalc& w = OpenWithResult(0);
        QTemporaryDir scratch;
        const QString target = scratch.filePath(QStringLiteral("報告.pdf"));
        SaveReportAs(w, target);
        if (qEnvironmentVariableIsSet("QUILLMERE_KEEP_REPORT")) {
            QFile::copy(target, qEnvironmentVariable("QUILLMERE_KEEP_REPORT") + QStringLiteral(".ja.pdf"));
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
        frmCalc& w = OpenWithResult(1);
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
        frmCalc& w = OpenWithResult(1);
        const QString spacing = w.txtResult1Text->text();
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
    }

    // "Fluid at temperature...": water at 60 degC chooses FLUID S.V. with 1551 m/s, and the
    // press gives what quillmere-calc --fluid-temperature 60 gives (73.35); a temperature
    // outside the equation's range is refused and the dialog stays.
    void fluidAtTemperatureDialog() {
        frmCalc& w = Open(1, 0);
        Choose(w.SENSOR_TYPECombo, 4);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6"));
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
            QCOMPARE(TakeMessages(), QStringList{QStringLiteral("The Marczak 1997 equation holds for 0 - 95 °C only.")});
            QVERIFY(dialog->isVisible());
            temperature->clear();
            QTest::keyClicks(temperature, QStringLiteral("60"));
            QTest::mouseClick(ok, Qt::LeftButton);
            ++rounds;
        });
        w.FluidAtTemperatureAction->trigger();
        QCOMPARE(rounds, 1);
        QCOMPARE(w.KIND_OF_FLUIDCombo->currentIndex(), FluidUserEntry);
        QCOMPARE(w.FLUID_S_VText->text(), QStringLiteral("1551"));
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("73.35"));
        w.CopySummaryAction->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("FLUID S.V.: 1551 m/s (WATER 60 °C, Marczak 1997)\n")));
    }

    // "Standard pipe...": STPG 100A Sch40 types 114.3 and 6, and the press gives what
    // quillmere-calc --pipe-size "STPG 100A Sch40" gives (65.47); a change of standard keeps
    // the size and schedule; imperial types ASME's own inches.
    void standardPipeDialog() {
        frmCalc& w = Open(1, 0);
        Choose(w.SENSOR_TYPECombo, 4);
        int rounds = 0;
        const auto pick = [&](const QString& standard, const QString& size, const QString& schedule) {
            QTimer::singleShot(0, this, [&, standard, size, schedule] {
                auto* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog && dialog->objectName() == QStringLiteral("StandardPipeDialog"));
                auto* standards = dialog->findChild<QComboBox*>(QStringLiteral("Standard"));
                auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("Size"));
                auto* schedules = dialog->findChild<QComboBox*>(QStringLiteral("Schedule"));
                QCOMPARE(standards->count(), 7);
                standards->setCurrentIndex(standards->findText(standard, Qt::MatchStartsWith));
                if (!size.isEmpty()) {
                    sizes->setCurrentIndex(sizes->findText(size));
                }
                if (!schedule.isEmpty()) {
                    schedules->setCurrentIndex(schedules->findText(schedule));
                }
                ++rounds;
                QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                                  Qt::LeftButton);
            });
            w.StandardPipeAction->trigger();
        };
        pick(QStringLiteral("STPG"), QStringLiteral("100A (4B)"), QStringLiteral("Sch40"));
        QCOMPARE(w.OUTER_DIAMETERText->text(), QStringLiteral("114.3"));
        QCOMPARE(w.WALL_THICKNESSText->text(), QStringLiteral("6"));
        QVERIFY(TakeMessages().isEmpty());
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("65.47"));
        QCOMPARE(w.PIPE_MATERIALCombo->currentText(), QStringLiteral("CARBON STEEL"));
        w.CopySummaryAction->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("\nStandard pipe: STPG 100A Sch40, JIS G 3454:2017\n")));
        // The same size and schedule in the stainless standard: the same figures, but a
        // stainless pipe, and the result goes; SGP brings carbon steel back.
        pick(QStringLiteral("SUS"), QString(), QString());
        QCOMPARE(w.WALL_THICKNESSText->text(), QStringLiteral("6"));
        QCOMPARE(w.PIPE_MATERIALCombo->currentText(), QStringLiteral("STAINLESS STEEL"));
        QCOMPARE(w.txtResult1Text->text(), QString());
        pick(QStringLiteral("SGP"), QString(), QString());
        QCOMPARE(w.WALL_THICKNESSText->text(), QStringLiteral("4.5"));
        QCOMPARE(w.PIPE_MATERIALCombo->currentText(), QStringLiteral("CARBON STEEL"));
        QCOMPARE(rounds, 3);

        // PVC: the dialog says what OK will choose, and the result is quillmere-calc's for
        // --pipe-size "VP 100"; a typed PIPE S.V. is the user's measurement and stays.
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            auto* standards = dialog->findChild<QComboBox*>(QStringLiteral("Standard"));
            standards->setCurrentIndex(standards->findText(QStringLiteral("VP"), Qt::MatchStartsWith));
            auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("Size"));
            sizes->setCurrentIndex(sizes->findText(QStringLiteral("100")));
            shown = dialog->findChild<QLabel*>(QStringLiteral("Material"))->text();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        w.StandardPipeAction->trigger();
        QCOMPARE(shown, QStringLiteral("PVC"));
        QCOMPARE(w.PIPE_MATERIALCombo->currentIndex(), PipeEntryOf(PipeMaterialKey::Pvc));
        Execute();
        QCOMPARE(w.txtResult1Text->text(), QStringLiteral("58.47"));
        w.activateWindow(); // back from the dialog
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Choose(w.PIPE_MATERIALCombo, PipeUserEntry);
        TypeInto(w.TRANS_FREQUENCYText, QStringLiteral("2400"));
        pick(QStringLiteral("SGP"), QString(), QString());
        QCOMPARE(w.PIPE_MATERIALCombo->currentIndex(), PipeUserEntry);
        QCOMPARE(w.TRANS_FREQUENCYText->text(), QStringLiteral("2400"));

        // ASME B36.10M's sizes are also PVC Sch 40/80 pipe: the material chosen stays.
        frmCalc& imperial = Open(1, 1);
        Choose(imperial.PIPE_MATERIALCombo, PipeEntryOf(PipeMaterialKey::Pvc));
        rounds = 0;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            auto* standards = dialog->findChild<QComboBox*>(QStringLiteral("Standard"));
            standards->setCurrentIndex(standards->findText(QStringLiteral("NPS  (ASME B36.10M-2018)")));
            auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("Size"));
            sizes->setCurrentIndex(sizes->findText(QStringLiteral("4")));
            QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("Schedule"))->currentText(), QStringLiteral("Sch40"));
            ++rounds;
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        imperial.StandardPipeAction->trigger();
        QCOMPARE(rounds, 1);
        QCOMPARE(imperial.OUTER_DIAMETERText->text(), QStringLiteral("4.5"));
        QCOMPARE(imperial.WALL_THICKNESSText->text(), QStringLiteral("0.237"));
        QCOMPARE(imperial.PIPE_MATERIALCombo->currentIndex(), PipeEntryOf(PipeMaterialKey::Pvc));
        QCOMPARE(Open(0, 0).StandardPipeAction->text(), QStringLiteral("規格の配管..."));
    }

    void helpAndAboutInTheWindowsLanguage() {
        frmCalc& w = Open(1, 0);
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

    void realMessageBoxIsModalAndSingle() {
        frmCalc& w = Open(1, 0);
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
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("99999"));
        QTimer::singleShot(10, answer);
        Execute();
        QTRY_COMPARE(boxes, 1);
        QTest::qWait(50);
        QCOMPARE(boxes, 1);
        QCOMPARE(seen, (QStringList{QStringLiteral("Quillmere"), Text(3921)}));
        QTRY_COMPARE(w.focusWidget(), w.OUTER_DIAMETERText);
        QCOMPARE(w.OUTER_DIAMETERText->selectedText(), QStringLiteral("99999"));
        QCOMPARE(w.txtResult1Text->text(), QString());
        QVERIFY(!w.ExecuteCalc->isDown());
    }

    void numbersIgnoreTheSystemLocale() {
        const char* previous = std::setlocale(LC_ALL, nullptr);
        const std::string saved = previous ? previous : "C";
        std::setlocale(LC_ALL, "de_DE.UTF-8"); // may be missing; the C locale then stays
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        frmCalc& w = Open(1, 1);
        Choose(w.PIPE_MATERIALCombo, 12);
        TypeInto(w.TRANS_FREQUENCYText, QStringLiteral("3,280"));
        Tab();
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("244.1"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("0.5"));
        Choose(w.SENSOR_TYPECombo, 7);
        Execute();
        const QString shown = w.txtResult1Text->text();
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, saved.c_str());
        CalcEntries e;
        e.UnitFlag = 1;
        e.SensorTypeIndex = 7;
        e.PipeMaterialIndex = PipeUserEntry;
        e.PipeVelocityLocked = false;
        e.TextOf(InputField::PipeVelocity) = "3280";
        e.TextOf(InputField::OuterDiameter) = "244.1";
        e.TextOf(InputField::WallThickness) = "0.5";
        QCOMPARE(shown, QString::fromStdString(RunCalculation(e).Display.Result1));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d{3}$")).match(shown).hasMatch());
    }

private:
    // The window in `lang` (metric) with a result shown: 114.3 x 6.0 mm carbon steel pipe of
    // water, V method, the first sensor type.
    frmCalc& OpenWithResult(int lang) {
        frmCalc& w = Open(lang, 0);
        TypeInto(w.OUTER_DIAMETERText, QStringLiteral("114.3"));
        TypeInto(w.WALL_THICKNESSText, QStringLiteral("6.0"));
        Execute();
        return w;
    }

    // Save report..., by `press` or else the menu entry, answered in its file dialog with
    // `target` (and yes to replacing it). Returns the name the dialog proposed.
    QString SaveReportAs(frmCalc& w, const QString& target,
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

QTEST_MAIN(WindowTest)
#include "ui_test.moc"
