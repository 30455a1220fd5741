// The floor for start-up: a bare Qt Widgets window of Quillmere's size with about fifty
// plain children and no work of its own.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(926, 471);
    for (int i = 0; i < 44; ++i) {
        auto* label = new QLabel(QStringLiteral("Label %1").arg(i), &window);
        label->setGeometry(16 + (i % 4) * 220, 16 + (i / 4) * 24, 200, 20);
    }
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(16, 300, 160, 27);
    auto* combo = new QComboBox(&window);
    for (int i = 0; i < 18; ++i) {
        combo->addItem(QStringLiteral("Entry %1").arg(i));
    }
    combo->setGeometry(200, 300, 217, 26);
    auto* frame = new QGroupBox(QStringLiteral("Frame"), &window);
    frame->setGeometry(16, 340, 600, 120);
    auto* button = new QPushButton(QStringLiteral("Button"), &window);
    button->setGeometry(656, 336, 241, 81);
    window.show();
    return QApplication::exec();
}
