// Random use of the window: thousands of user actions drawn from a seeded generator, with
// the invariants that must hold after every one of them. Reproduce a failure with
//   QUILLMERE_RANDOM_SEED=<seed> QUILLMERE_RANDOM_ACTIONS=<n> build/tests/ui_random_tests
#include "WindowFixture.h"
#include "rules/Fields.h"
#include "rules/Lists.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>
#include <random>

using namespace Quillmere;

class RandomUseTest : public QObject, public WindowFixture {
    Q_OBJECT

private:
    std::mt19937 rng_;
    CalculatorWindow* w_ = nullptr;
    int unit_ = 0;
    UnitSystem Units() const { return unit_ == 0 ? UnitSystem::Metric : UnitSystem::Imperial; }
    bool executed_ = false;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QString RandomText(int maxLength) {
        static const QString pool = QStringLiteral("0123456789012345678901234567890123456789"
                                                   "....,,,,----++++  aZe\t０１５");
        QString text;
        const int length = Pick(maxLength + 1);
        for (int i = 0; i < length; ++i) {
            text += pool[Pick(static_cast<int>(pool.size()))];
        }
        return text;
    }

    std::array<QLineEdit*, 6> Fields() const {
        return {w_->OuterDiameterEdit,  w_->PipeVelocityEdit,    w_->WallEdit,
                w_->LiningVelocityEdit, w_->LiningThicknessEdit, w_->FluidVelocityEdit};
    }
    std::array<QComboBox*, 5> Lists() const {
        return {w_->PipeMaterialList, w_->MountMethodList, w_->SensorTypeList,
                w_->LiningMaterialList, w_->FluidList};
    }

    void OpenAndWatch(int lang, int unit) {
        unit_ = unit;
        w_ = &Open(lang, unit);
        connect(w_->ExecuteButton, &QPushButton::clicked, this, [this] { executed_ = true; });
    }

    // One action of kind `choice` (0-9); returns its name for the failure report.
    QString Act(int choice) {
        QWidget* focus = QApplication::focusWidget();
        switch (choice) {
        case 0:
        case 1:
            Type(RandomText(8));
            return QStringLiteral("type");
        case 2: {
            QApplication::clipboard()->setText(RandomText(60));
            if (focus) {
                QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
            }
            return QStringLiteral("paste");
        }
        case 3:
            if (focus) {
                QTest::keyClick(focus, Pick(2) ? Qt::Key_Tab : Qt::Key_Backtab,
                                Pick(2) ? Qt::NoModifier : Qt::ShiftModifier);
            }
            return QStringLiteral("tab");
        case 4:
        case 5: {
            QLineEdit* field = Fields()[static_cast<std::size_t>(Pick(6))];
            QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(5 + Pick(100), 10));
            return QStringLiteral("click ") + field->objectName();
        }
        case 6: {
            QComboBox* list = Lists()[static_cast<std::size_t>(Pick(5))];
            list->setFocus(Qt::MouseFocusReason);
            QCoreApplication::processEvents();
            if (QApplication::focusWidget() == list) {
                QTest::keyClick(list, Qt::Key_Home);
                for (int i = Pick(list->count()); i > 0; --i) {
                    QTest::keyClick(list, Qt::Key_Down);
                }
            }
            return QStringLiteral("choose ") + list->objectName();
        }
        case 7:
            if (focus) {
                QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(focus, Qt::Key_Backspace);
            }
            return QStringLiteral("clear");
        default:
            QTest::mouseClick(w_->ExecuteButton, Qt::LeftButton);
            return QStringLiteral("execute");
        }
    }

    // Everything a result depends on: the six texts and the five selections.
    QStringList Inputs() const {
        QStringList inputs;
        for (QLineEdit* f : Fields()) {
            inputs << f->text();
        }
        for (QComboBox* l : Lists()) {
            inputs << QString::number(l->currentIndex());
        }
        return inputs;
    }

    void CheckInvariants(const QString& action, const QString& before1, const QString& before2,
                         const QStringList& inputsBefore, int messagesBefore) {
        const QString where = QStringLiteral(" after ") + action;
        for (QLineEdit* f : Fields()) {
            QVERIFY2(f->text().size() <= f->maxLength(), qPrintable(f->objectName() + where));
        }
        QCOMPARE(Fields()[0]->maxLength(), MaxInputLength(InputField::OuterDiameter, Units()));
        QCOMPARE(Fields()[1]->maxLength(), MaxInputLength(InputField::PipeVelocity, Units()));

        const QColor face = QApplication::palette().color(QPalette::Button);
        auto state = [&](QLineEdit* f, bool locked) {
            QVERIFY2(f->isReadOnly() == locked, qPrintable(f->objectName() + where));
            QVERIFY2((f->palette().color(QPalette::Base) == face) == locked,
                     qPrintable(f->objectName() + where));
        };
        const int pipe = w_->PipeMaterialList->currentIndex();
        const int lining = w_->LiningMaterialList->currentIndex();
        const int fluid = w_->FluidList->currentIndex();
        state(w_->PipeVelocityEdit, pipe != PipeUserEntry);
        state(w_->LiningVelocityEdit, lining != LiningUserEntry);
        state(w_->LiningThicknessEdit, lining == NoLiningEntry);
        state(w_->FluidVelocityEdit, fluid != FluidUserEntry);
        QCOMPARE(w_->RequiredMarks[2]->isEnabled(), pipe == PipeUserEntry);
        QCOMPARE(w_->RequiredMarks[7]->isEnabled(), lining == LiningUserEntry);
        QCOMPARE(w_->RequiredMarks[8]->isEnabled(), lining != NoLiningEntry);
        QCOMPARE(w_->RequiredMarks[10]->isEnabled(), fluid == FluidUserEntry);

        const QString r1 = w_->Result1Edit->text();
        const QString r2 = w_->Result2Edit->text();
        // Only a press of EXECUTE (a click, or Space while it has the focus) writes results;
        // any change of an input empties them.
        if (!executed_) {
            if (Inputs() != inputsBefore) {
                QVERIFY2(r1.isEmpty() && r2.isEmpty(),
                         qPrintable(QStringLiteral("stale result") + where));
            } else { // a list passed through other entries on its way back empties them too
                QVERIFY2((r1 == before1 && r2 == before2) || (r1.isEmpty() && r2.isEmpty()),
                         qPrintable(QStringLiteral("results changed") + where));
            }
        }
        static const QRegularExpression plainMetric(
            QStringLiteral("^\\d{1,3}(,\\d{3})*\\.\\d{2}$"));
        static const QRegularExpression plainImperial(
            QStringLiteral("^\\d{1,3}(,\\d{3})*\\.\\d{3}$"));
        static const QRegularExpression steppedMetric(QStringLiteral("^\\d+$"));
        static const QRegularExpression steppedImperial(QStringLiteral("^\\d+(\\.\\d{1,3})?$"));
        const bool plain = (unit_ == 0 ? plainMetric : plainImperial).match(r1).hasMatch();
        const bool stepped = (unit_ == 0 ? steppedMetric : steppedImperial).match(r1).hasMatch();
        // A step count goes with a stepped spacing; the plain display leaves result 2 empty.
        QVERIFY2(r1.isEmpty() || (r2.isEmpty() ? plain : stepped),
                 qPrintable(r1 + "|" + r2 + where));
        QVERIFY2(r2.isEmpty() || steppedMetric.match(r2).hasMatch(), qPrintable(r2 + where));

        QVERIFY2(MostOpenAtOnce() <= 1, qPrintable(QStringLiteral("two message boxes") + where));
        const bool newMessage = MessageCount() > messagesBefore;
        // A press that showed no message wrote its result.
        if (executed_ && !newMessage) {
            QVERIFY2(!r1.isEmpty(), qPrintable(QStringLiteral("EXECUTE wrote no result") + where));
        }
        const bool refused = newMessage && (Messages().back() == Text(Catalogue::Id::NotANumber) ||
                                            Messages().back() == Text(Catalogue::Id::OutOfRange));
        if (refused && action != QStringLiteral("type") && action != QStringLiteral("paste")) {
            auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY2(field != nullptr,
                     qPrintable(QStringLiteral("refused field lost the focus") + where));
            QVERIFY2(field->selectedText() == field->text(),
                     qPrintable(QStringLiteral("refused text not selected") + where));
        }
    }

private slots:
    void randomUse() {
        const unsigned seed = qEnvironmentVariableIsSet("QUILLMERE_RANDOM_SEED")
                                  ? qEnvironmentVariable("QUILLMERE_RANDOM_SEED").toUInt()
                                  : 20261207u;
        const int actions = qEnvironmentVariableIsSet("QUILLMERE_RANDOM_ACTIONS")
                                ? qEnvironmentVariableIntValue("QUILLMERE_RANDOM_ACTIONS")
                                : 20000;
        rng_.seed(seed);
        qInfo("seed %u, %d actions", seed, actions);

        const int configs[][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
        int done = 0;
        int changedResults = 0;
        for (const auto& config : configs) {
            int computed = 0; // presses that wrote a spacing: without any, nothing was tested
            OpenAndWatch(config[0], config[1]);
            w_->OuterDiameterEdit->setFocus(Qt::OtherFocusReason);
            for (int i = 0; i < actions / 4; ++i, ++done) {
                const int choice = Pick(10);
                if (choice >= 8) {
                    // Blank results before a press, so that one writing nothing shows.
                    w_->Result1Edit->clear();
                    w_->Result2Edit->clear();
                }
                const QString before1 = w_->Result1Edit->text();
                const QString before2 = w_->Result2Edit->text();
                const QStringList inputsBefore = Inputs();
                const int messagesBefore = MessageCount();
                executed_ = false;
                const QString action = Act(choice);
                QCoreApplication::processEvents();
                CheckInvariants(action.section(QLatin1Char(' '), 0, 0), before1, before2,
                                inputsBefore, messagesBefore);
                if (w_->Result1Edit->text() != before1 || w_->Result2Edit->text() != before2) {
                    ++changedResults;
                }
                computed += executed_ && !w_->Result1Edit->text().isEmpty() ? 1 : 0;
                if (QTest::currentTestFailed()) {
                    qWarning("failed at action %d (%s), seed %u", done, qPrintable(action), seed);
                    return;
                }
            }
            QVERIFY2(computed > 0, qPrintable(QStringLiteral("no press computed a spacing in "
                                                             "language %1, units %2, seed %3")
                                                  .arg(config[0])
                                                  .arg(config[1])
                                                  .arg(seed)));
        }
        qInfo("%d actions, %d messages, %d new results, all invariants held", done, MessageCount(),
              changedResults);
    }
};

QTEST_MAIN(RandomUseTest)
#include "ui_random_test.moc"
