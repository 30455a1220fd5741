// The window's design: its controls, their places in twips, design captions and fonts, and
// the focus order, as the window has always been laid out.
#include "ui/frmCalc.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

using namespace Quillmere;

namespace {

// Design positions are in twips; 15 twips make one logical pixel.
struct Twips {
    int left, top, width, height;
};

QRect ToPixels(Twips t) {
    auto px = [](int twips) { return qRound(twips / 15.0); };
    return {px(t.left), px(t.top), px(t.width), px(t.height)};
}

QFont DesignFont(const char* face, qreal points) {
    QFont font(QString::fromLatin1(face));
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

QFont SystemFont() {
    return DesignFont("System", 13.5);
}
QFont TerminalFont() {
    return DesignFont("Terminal", 9.75);
}

template <typename W> W* Place(W* widget, const char* name, Twips geometry, const QFont& font) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(ToPixels(geometry));
    widget->setFont(font);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, Twips geometry, const char* caption,
                  const QFont& font) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    return Place(label, name, geometry, font);
}

FieldEdit* MakeField(QWidget* parent, const char* name, Twips geometry) {
    return Place(new FieldEdit(parent), name, geometry, SystemFont());
}

QComboBox* MakeList(QWidget* parent, const char* name, Twips geometry) {
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    return Place(list, name, geometry, SystemFont());
}

} // namespace

void InstallFontSubstitutes() {
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Terminal"), {QStringLiteral("DejaVu Sans Mono"),
                                                            QStringLiteral("Liberation Mono")});
    QFont::insertSubstitution(QStringLiteral("System"), QApplication::font().family());
}

const std::array<frmCalc::InputRow, 6> frmCalc::InputRows{{
    {InputField::OuterDiameter, &frmCalc::OUTER_DIAMETER, &frmCalc::OUTER_DIAMETERText,
     &frmCalc::OUTER_DIAMETER_RANGE, "Label8_0", [](frmCalc& w) -> QLabel*& { return w.Label8[0]; },
     0, &frmCalc::OUTER_DIAMETERText_LostFocus, false, 0, "外形寸法", "6.00～6200.00mm", "[mm]"},
    {InputField::PipeVelocity, &frmCalc::TRANS_FREQUENCY, &frmCalc::TRANS_FREQUENCYText,
     &frmCalc::TRANS_FREQUENCY_RANGE, "Label12_0",
     [](frmCalc& w) -> QLabel*& { return w.Label12[0]; }, 2,
     &frmCalc::TRANS_FREQUENCYText_LostFocus, false, 2, "配管音速", "1000～3700m/s", "[m/s]"},
    {InputField::WallThickness, &frmCalc::WALL_THICKNESS, &frmCalc::WALL_THICKNESSText,
     &frmCalc::WALL_THICKNESS_RANGE, "Label8_1", [](frmCalc& w) -> QLabel*& { return w.Label8[1]; },
     3, &frmCalc::WALL_THICKNESSText_LostFocus, false, 3, "配管厚さ", "0.10～100.00mm", "[mm]"},
    {InputField::LiningVelocity, &frmCalc::LINING_S_V, &frmCalc::LINING_S_VText,
     &frmCalc::LINING_S_V_RANGE, "Label1_0", [](frmCalc& w) -> QLabel*& { return w.Label1[0]; }, 7,
     &frmCalc::LINING_S_VText_LostFocus, true, 1, "ライニング音速", "1000～3700m/s", "[m/s]"},
    {InputField::LiningThickness, &frmCalc::LINING_THICKNESS, &frmCalc::LINING_THICKNESSText,
     &frmCalc::LINING_THICKNESS_RANGE, "Label2_0",
     [](frmCalc& w) -> QLabel*& { return w.Label2[0]; }, 8,
     &frmCalc::LINING_THICKNESSText_LostFocus, true, 2, "ライニング厚さ", "0.10～100.00mm", "[mm]"},
    {InputField::FluidVelocity, &frmCalc::FLUID_S_V, &frmCalc::FLUID_S_VText,
     &frmCalc::FLUID_S_V_RANGE, "Label1_1", [](frmCalc& w) -> QLabel*& { return w.Label1[1]; }, 10,
     &frmCalc::FLUID_S_VText_LostFocus, true, 4, "流体音速", "300～2500m/s", "[m/s]"},
}};

// A row of the input grid: caption, field, unit label beside it and range label below.
// Rows are 720 twips apart; labels sit 120 twips below the field's top, the range 420.
void frmCalc::CreateInputRows() {
    const QFont sys = SystemFont();
    const QFont term = TerminalFont();
    for (const InputRow& row : InputRows) {
        const int top = 480 + 720 * row.GridRow;
        const int captionLeft = row.RightColumn ? 6720 : 240;
        const int captionWidth = row.RightColumn ? 3015 : 2415;
        const int fieldLeft = row.RightColumn ? 10320 : 3240;
        const int fieldWidth = row.RightColumn ? 2415 : 2412;
        const int unitLeft = row.RightColumn ? 12840 : 5760;
        const QByteArray name(FieldOf(row.Field).Name.data(),
                              static_cast<qsizetype>(FieldOf(row.Field).Name.size()));
        this->*row.Caption =
            MakeLabel(this, name.constData(), {captionLeft, top + 120, captionWidth, 255},
                      row.DesignCaption, sys);
        this->*row.Text =
            MakeField(this, (name + "Text").constData(), {fieldLeft, top, fieldWidth, 405});
        row.Unit(*this) =
            MakeLabel(this, row.UnitName, {unitLeft, top + 120, 735, 255}, row.DesignUnit, term);
        this->*row.Range = MakeLabel(this, (name + "_RANGE").constData(),
                                     {fieldLeft, top + 420, 2415, 255}, row.DesignRange, term);
    }
}

// The design state: geometry, containment, design captions and fonts, focus order.
void frmCalc::CreateControls() {
    setWindowTitle(QString::fromUtf8("超音波流量計 - 取付け寸法計算ツール "));
    setFixedSize(ToPixels({0, 0, 13890, 7065}).size());
    QIcon icon;
    for (const QString& file :
         {QStringLiteral(":/icons/quillmere-16.png"), QStringLiteral(":/icons/quillmere-32.png")}) {
        // Naming the format and forbidding detection keeps Qt from loading every image
        // plugin, about 3 ms of the start-up.
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    setWindowIcon(icon);
    CreateInputRows();
    CreateListsAndMarks();
    CreateResultArea();
    SetFocusOrder();
}

void frmCalc::CreateListsAndMarks() {
    const QFont sys = SystemFont();
    PIPE_MATERIAL = MakeLabel(this, "PIPE_MATERIAL", {240, 1320, 2415, 255}, "配管材質", sys);
    PIPE_MATERIALCombo = MakeList(this, "PIPE_MATERIALCombo", {3240, 1200, 3255, 390});
    SENSOR_MOUNT = MakeLabel(this, "SENSOR_MOUNT", {240, 3480, 2415, 255}, "ｾﾝｻ取付け法", sys);
    SENSOR_MOUNTCombo = MakeList(this, "SENSOR_MOUNTCombo", {3240, 3360, 2415, 390});
    SENSOR_TYPE = MakeLabel(this, "SENSOR_TYPE", {240, 4200, 2415, 255}, "ｾﾝｻ種類", sys);
    SENSOR_TYPECombo = MakeList(this, "SENSOR_TYPECombo", {3240, 4080, 4215, 390});
    LINING_MATERIAL =
        MakeLabel(this, "LINING_MATERIAL", {6720, 600, 3015, 255}, "ライニング材質", sys);
    LINING_MATERIALCombo = MakeList(this, "LINING_MATERIALCombo", {10320, 480, 3255, 390});
    KIND_OF_FLUID = MakeLabel(this, "KIND_OF_FLUID", {6720, 2760, 3015, 255}, "流体種類", sys);
    KIND_OF_FLUIDCombo = MakeList(this, "KIND_OF_FLUIDCombo", {10320, 2640, 3255, 390});

    constexpr int markTops[11] = {600, 1320, 2040, 2760, 3480, 4200, 600, 1320, 2040, 2760, 3480};
    for (int i = 0; i < 11; ++i) {
        const int left = i < 6 ? 2880 : 9960;
        const QByteArray name = "lblRequired_" + QByteArray::number(i);
        lblRequired[i] = MakeLabel(this, name.constData(), {left, markTops[i], 255, 255}, "*", sys);
    }
    lblInputRequired = MakeLabel(this, "lblInputRequired", {9000, 4080, 1215, 375}, "* 入力", sys);
}

// The result frame, EXECUTE, and below it the circumferential distance.
void frmCalc::CreateResultArea() {
    const QFont sys = SystemFont();
    const QFont term = TerminalFont();
    fraResult = Place(new QGroupBox(QString::fromUtf8("計算結果"), this), "fraResult",
                      {240, 4800, 9375, 1815}, sys);
    MOUNT_SIZE1 = MakeLabel(fraResult, "MOUNT_SIZE1", {240, 480, 2655, 255}, "取付け寸法１", sys);
    Label4 = MakeLabel(fraResult, "Label4", {6480, 600, 735, 255}, "[mm]", term);
    MOUNT_SIZE2 = MakeLabel(fraResult, "MOUNT_SIZE2", {240, 1200, 2655, 255}, "取付け寸法２", sys);
    lblMount2Sensor =
        MakeLabel(fraResult, "lblMount2Sensor", {6480, 1320, 2775, 375}, "(VT-B1,VT-B2)", sys);

    // The results belong to the window and lie over the frame, created after it so they
    // are drawn on top.
    txtResult1Text = Place(new QLineEdit(this), "txtResult1Text", {3360, 5280, 3255, 405}, sys);
    txtResult2Text = Place(new QLineEdit(this), "txtResult2Text", {3360, 6000, 3255, 375}, sys);
    for (QLineEdit* result : {txtResult1Text, txtResult2Text}) {
        SetLocked(result, true);
        result->raise();
    }
    ExecuteCalc = Place(new QPushButton(QString::fromUtf8("実行"), this), "ExecuteCalc",
                        {9840, 5040, 3615, 1215}, sys);
    ExecuteCalc->setAutoDefault(false);
    CIRCUMFERENTIAL =
        MakeLabel(this, "CIRCUMFERENTIAL", {9840, 6315, 3615, 255}, "周方向距離", sys);
    txtCircumferentialText =
        Place(new QLineEdit(this), "txtCircumferentialText", {9840, 6600, 2760, 375}, sys);
    SetLocked(txtCircumferentialText, true);
    CIRCUMFERENTIAL_UNIT =
        MakeLabel(this, "CIRCUMFERENTIAL_UNIT", {12690, 6660, 735, 255}, "[mm]", term);
}

void frmCalc::SetFocusOrder() {
    QWidget* const focusOrder[] = {
        OUTER_DIAMETERText,   PIPE_MATERIALCombo, TRANS_FREQUENCYText,   WALL_THICKNESSText,
        SENSOR_MOUNTCombo,    SENSOR_TYPECombo,   LINING_MATERIALCombo,  LINING_S_VText,
        LINING_THICKNESSText, KIND_OF_FLUIDCombo, FLUID_S_VText,         ExecuteCalc,
        txtResult1Text,       txtResult2Text,     txtCircumferentialText};
    for (std::size_t i = 0; i + 1 < std::size(focusOrder); ++i) {
        QWidget::setTabOrder(focusOrder[i], focusOrder[i + 1]);
    }
    for (QWidget* control : focusOrder) {
        control->setFocusPolicy(Qt::StrongFocus);
    }
}
