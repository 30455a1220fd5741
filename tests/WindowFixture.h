#pragma once

// The calculator window under test, shared by every window test: a scratch program folder
// with its own Quillmere.ini, the run's settings read from it as the program reads them,
// every message captured instead of shown, and the user's means of input: typing, Tab,
// list choices and the EXECUTE button.
#include "catalogue/Catalogue.h"
#include "shell/RunSettings.h"
#include "ui/CalculatorWindow.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

class WindowFixture {
public:
    // The jobs file of a scratch data folder: never the user's.
    WindowFixture() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir_.path()));
        CaptureMessages();
    }
    ~WindowFixture() { QuillmereUi::SetMessageHandler(nullptr); }
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    // Starts the program's settings from a real Quillmere.ini and opens the window.
    CalculatorWindow& Open(int lang, int unit) {
        window_.reset();
        RunSettings::ResetSettings();
        std::ofstream(programDir_.filePath(QStringLiteral("Quillmere.ini")).toStdString())
            << "[SYSTEM]\nUNIT_FLAG=" << unit << "\nLANG_FLAG=" << lang << "\n";
        RunSettings::FixSettings(programDir_.path().toStdString());
        window_ = std::make_unique<CalculatorWindow>();
        window_->PrintModuleFolder = QStringLiteral(QUILLMERE_PRINT_MODULE_DIR);
        window_->show();
        window_->activateWindow();
        if (!QTest::qWaitForWindowActive(window_.get())) {
            qWarning("window did not become active");
        }
        return *window_;
    }
    CalculatorWindow& Window() { return *window_; }
    void Close() { window_.reset(); }

    // Messages go to the list instead of a box (again, after a test showed a real one).
    void CaptureMessages() {
        QuillmereUi::SetMessageHandler([this](QWidget*, const QString& text) {
            mostOpenAtOnce_ = std::max(mostOpenAtOnce_, ++open_);
            messages_ << text;
            --open_; // the user closes it with OK
        });
    }
    QStringList TakeMessages() { return std::exchange(messages_, {}); }
    int MessageCount() const { return static_cast<int>(messages_.size()); }
    const QStringList& Messages() const { return messages_; }
    int MostOpenAtOnce() const { return mostOpenAtOnce_; }
    void ResetMostOpen() { mostOpenAtOnce_ = 0; }

    // A catalogue text in the run's language.
    static QString Text(std::int16_t id) {
        const std::string_view t = Catalogue::Text(id, RunSettings::Lang);
        return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    }

    // Keys into whatever has the focus; other than ASCII arrives as an input method's text.
    static void Type(const QString& text) {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            if (target == nullptr) {
                return;
            }
            if (c.unicode() < 128) {
                QTest::keyClick(target, c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            }
        }
    }
    // Clicks into the field, empties it and types the text.
    static void TypeInto(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        Type(text);
    }
    static void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // Picks a list entry with the keyboard, as a user does.
    static void Choose(QComboBox* list, int index) {
        list->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        QCOMPARE(list->currentIndex(), index);
    }
    void Execute() { QTest::mouseClick(window_->ExecuteButton, Qt::LeftButton); }

    // Runs `work` in the dialog `action` opens (named `name`), closes it if still open, and
    // gives the window the focus back; false when no such dialog opened.
    bool InDialog(QObject* context, QAction* action, const QString& name,
                  const std::function<void(QDialog&)>& work) {
        bool ran = false;
        QTimer::singleShot(0, context, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->objectName() != name) {
                return;
            }
            work(*dialog);
            ran = true;
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        action->trigger();
        window_->activateWindow(); // typing goes on in the window
        return ran && QTest::qWaitForWindowActive(window_.get());
    }
    static QLineEdit* DialogField(QDialog& dialog, const char* name) {
        return dialog.findChild<QLineEdit*>(QLatin1String(name));
    }
    static void PressOk(QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    }
#ifdef QUILLMERE_CALC
    // quillmere-calc's summary of the same job, line by line, without its time.
    static QStringList CalcSummary(std::initializer_list<const char*> options) {
        QStringList arguments{QStringLiteral("--summary")};
        for (const char* option : options) {
            arguments << QString::fromUtf8(option);
        }
        QProcess calc;
        calc.start(QStringLiteral(QUILLMERE_CALC), arguments);
        if (!calc.waitForFinished(20000)) {
            return {};
        }
        return QString::fromUtf8(calc.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
#endif

    static bool InTableState(const QLineEdit* field) {
        return field->isReadOnly() && field->palette().color(QPalette::Base) ==
                                          QApplication::palette().color(QPalette::Button);
    }
    static bool InInputState(const QLineEdit* field) {
        return !field->isReadOnly() && field->palette().color(QPalette::Base) ==
                                           QApplication::palette().color(QPalette::Base);
    }

private:
    QTemporaryDir programDir_;
    QTemporaryDir dataDir_;
    std::unique_ptr<CalculatorWindow> window_;
    QStringList messages_;
    int open_ = 0;
    int mostOpenAtOnce_ = 0;
};
