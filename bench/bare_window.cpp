// The floor for start-up: a bare Qt Widgets window of Quillmere's size with about fifty
// plain children and no work of its own. Built a second time as bare_window_japanese, whose
// children show Japanese in IPAGothic at the form's sizes: the floor with the design's face,
// so that what is left over it is the form's own building.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>

namespace {

#ifdef BARE_WINDOW_JAPANESE
constexpr bool Japanese = true;
#else
constexpr bool Japanese = false;
#endif

QString Text(const char* latin, const char* japanese, int i = -1) {
    const QString text = QString::fromUtf8(Japanese ? japanese : latin);
    return i < 0 ? text : text + QLatin1Char(' ') + QString::number(i);
}

QFont Face(int points, bool bold = false) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(Text("Bare window", "超音波流量計"));
    window.setFixedSize(926, 471);
    if (Japanese) {
        window.setFont(Face(8));
    }
    // The form's captions, bold 12 pt, and its smaller labels at 10 pt.
    constexpr std::array<const char*, 11> captions{
        "外形寸法", "配管音速",    "配管厚さ", "ライニング音速", "ライニング厚さ", "流体音速",
        "配管材質", "ｾﾝｻ取付け法", "ｾﾝｻ種類",  "流体種類",       "ライニング材質"};
    for (int i = 0; i < 44; ++i) {
        auto* label = new QLabel(
            Text("Label", captions[static_cast<std::size_t>(i % 11)], Japanese ? -1 : i), &window);
        if (Japanese) {
            label->setFont(i < 22 ? Face(12, true) : Face(10));
        }
        label->setGeometry(16 + (i % 4) * 220, 16 + (i / 4) * 24, 200, 20);
    }
    auto* edit = new QLineEdit(&window);
    if (Japanese) {
        edit->setFont(Face(12));
    }
    edit->setGeometry(16, 300, 160, 27);
    auto* combo = new QComboBox(&window);
    for (int i = 0; i < 18; ++i) {
        combo->addItem(Text("Entry", "炭素鋼", i));
    }
    if (Japanese) {
        combo->setFont(Face(12));
    }
    combo->setGeometry(200, 300, 217, 26);
    auto* frame = new QGroupBox(Text("Frame", "計算結果"), &window);
    if (Japanese) {
        frame->setFont(Face(12, true));
    }
    frame->setGeometry(16, 340, 600, 120);
    auto* button = new QPushButton(Text("Button", "実行"), &window);
    if (Japanese) {
        button->setFont(Face(12, true));
    }
    button->setGeometry(656, 336, 241, 81);
    window.show();
    return QApplication::exec();
}
