// The window's design: its controls, their places in twips, design captions and fonts, and
// the focus order, as the window has always been laid out.
#include "ui/CalculatorWindow.h"

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

// The design's "System" face (13.5 pt) and the unit labels' "Terminal" are not set: the
// start-up gives each of those controls its working font, and a line edit lays its text out
// again at every font it is given (about 3 million instructions of the start, with fallback
// lists for a face that is never drawn). The range labels keep their design font.
QFont TerminalFont() {
    return DesignFont("Terminal", 9.75);
}

template <typename W> W* Place(W* widget, const char* name, Twips geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(ToPixels(geometry));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, Twips geometry, const char* caption) {
    return Place(new QLabel(QString::fromUtf8(caption), parent), name, geometry);
}

FieldEdit* MakeField(QWidget* parent, const char* name, Twips geometry) {
    return Place(new FieldEdit(parent), name, geometry);
}

QComboBox* MakeList(QWidget* parent, const char* name, Twips geometry) {
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    return Place(list, name, geometry);
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

const std::array<CalculatorWindow::InputRow, 6> CalculatorWindow::InputRows{{
    {InputField::OuterDiameter, &CalculatorWindow::OuterDiameterCaption,
     &CalculatorWindow::OuterDiameterEdit, &CalculatorWindow::OuterDiameterRange, "Label8_0",
     &CalculatorWindow::OuterDiameterUnit, 0, false, 0, "外形寸法", "6.00～6200.00mm", "[mm]"},
    {InputField::PipeVelocity, &CalculatorWindow::PipeVelocityCaption,
     &CalculatorWindow::PipeVelocityEdit, &CalculatorWindow::PipeVelocityRange, "Label12_0",
     &CalculatorWindow::PipeVelocityUnit, 2, false, 2, "配管音速", "1000～3700m/s", "[m/s]"},
    {InputField::WallThickness, &CalculatorWindow::WallCaption, &CalculatorWindow::WallEdit,
     &CalculatorWindow::WallRange, "Label8_1", &CalculatorWindow::WallUnit, 3, false, 3, "配管厚さ",
     "0.10～100.00mm", "[mm]"},
    {InputField::LiningVelocity, &CalculatorWindow::LiningVelocityCaption,
     &CalculatorWindow::LiningVelocityEdit, &CalculatorWindow::LiningVelocityRange, "Label1_0",
     &CalculatorWindow::LiningVelocityUnit, 7, true, 1, "ライニング音速", "1000～3700m/s", "[m/s]"},
    {InputField::LiningThickness, &CalculatorWindow::LiningThicknessCaption,
     &CalculatorWindow::LiningThicknessEdit, &CalculatorWindow::LiningThicknessRange, "Label2_0",
     &CalculatorWindow::LiningThicknessUnit, 8, true, 2, "ライニング厚さ", "0.10～100.00mm",
     "[mm]"},
    {InputField::FluidVelocity, &CalculatorWindow::FluidVelocityCaption,
     &CalculatorWindow::FluidVelocityEdit, &CalculatorWindow::FluidVelocityRange, "Label1_1",
     &CalculatorWindow::FluidVelocityUnit, 10, true, 4, "流体音速", "300～2500m/s", "[m/s]"},
}};

// A row of the input grid: caption, field, unit label beside it and range label below.
// Rows are 720 twips apart; labels sit 120 twips below the field's top, the range 420.
void CalculatorWindow::CreateInputRows() {
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
        this->*row.Caption = MakeLabel(
            this, name.constData(), {captionLeft, top + 120, captionWidth, 255}, row.DesignCaption);
        this->*row.Text =
            MakeField(this, (name + "Text").constData(), {fieldLeft, top, fieldWidth, 405});
        this->*row.Unit =
            MakeLabel(this, row.UnitName, {unitLeft, top + 120, 735, 255}, row.DesignUnit);
        this->*row.Range = MakeLabel(this, (name + "_RANGE").constData(),
                                     {fieldLeft, top + 420, 2415, 255}, row.DesignRange);
        (this->*row.Range)->setFont(term);
    }
}

// The design state: geometry, containment, design captions and fonts, focus order.
void CalculatorWindow::CreateControls() {
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

void CalculatorWindow::CreateListsAndMarks() {
    PipeMaterialCaption = MakeLabel(this, "PIPE_MATERIAL", {240, 1320, 2415, 255}, "配管材質");
    PipeMaterialList = MakeList(this, "PIPE_MATERIALCombo", {3240, 1200, 3255, 390});
    MountMethodCaption = MakeLabel(this, "SENSOR_MOUNT", {240, 3480, 2415, 255}, "ｾﾝｻ取付け法");
    MountMethodList = MakeList(this, "SENSOR_MOUNTCombo", {3240, 3360, 2415, 390});
    SensorTypeCaption = MakeLabel(this, "SENSOR_TYPE", {240, 4200, 2415, 255}, "ｾﾝｻ種類");
    SensorTypeList = MakeList(this, "SENSOR_TYPECombo", {3240, 4080, 4215, 390});
    LiningMaterialCaption =
        MakeLabel(this, "LINING_MATERIAL", {6720, 600, 3015, 255}, "ライニング材質");
    LiningMaterialList = MakeList(this, "LINING_MATERIALCombo", {10320, 480, 3255, 390});
    FluidCaption = MakeLabel(this, "KIND_OF_FLUID", {6720, 2760, 3015, 255}, "流体種類");
    FluidList = MakeList(this, "KIND_OF_FLUIDCombo", {10320, 2640, 3255, 390});

    constexpr int markTops[11] = {600, 1320, 2040, 2760, 3480, 4200, 600, 1320, 2040, 2760, 3480};
    for (int i = 0; i < 11; ++i) {
        const int left = i < 6 ? 2880 : 9960;
        const QByteArray name = "lblRequired_" + QByteArray::number(i);
        RequiredMarks[i] = MakeLabel(this, name.constData(), {left, markTops[i], 255, 255}, "*");
    }
    RequiredNote = MakeLabel(this, "lblInputRequired", {9000, 4080, 1215, 375}, "* 入力");
}

// The result frame, EXECUTE, and below it the circumferential distance.
void CalculatorWindow::CreateResultArea() {
    ResultFrame = Place(new QGroupBox(QString::fromUtf8("計算結果"), this), "fraResult",
                        {240, 4800, 9375, 1815});
    Spacing1Caption = MakeLabel(ResultFrame, "MOUNT_SIZE1", {240, 480, 2655, 255}, "取付け寸法１");
    SpacingUnit = MakeLabel(ResultFrame, "Label4", {6480, 600, 735, 255}, "[mm]");
    Spacing2Caption = MakeLabel(ResultFrame, "MOUNT_SIZE2", {240, 1200, 2655, 255}, "取付け寸法２");
    SteppedTypesNote =
        MakeLabel(ResultFrame, "lblMount2Sensor", {6480, 1320, 2775, 375}, "(VT-B1,VT-B2)");

    // The results belong to the window and lie over the frame, created after it so they
    // are drawn on top.
    Result1Edit = Place(new QLineEdit(this), "txtResult1Text", {3360, 5280, 3255, 405});
    Result2Edit = Place(new QLineEdit(this), "txtResult2Text", {3360, 6000, 3255, 375});
    for (QLineEdit* result : {Result1Edit, Result2Edit}) {
        SetLocked(result, true);
        result->raise();
    }
    ExecuteButton = Place(new QPushButton(QString::fromUtf8("実行"), this), "ExecuteCalc",
                          {9840, 5040, 3615, 1215});
    ExecuteButton->setAutoDefault(false);
    CircumferentialCaption =
        MakeLabel(this, "CIRCUMFERENTIAL", {9840, 6315, 3615, 255}, "周方向距離");
    CircumferentialEdit =
        Place(new QLineEdit(this), "txtCircumferentialText", {9840, 6600, 2760, 375});
    SetLocked(CircumferentialEdit, true);
    CircumferentialUnit = MakeLabel(this, "CIRCUMFERENTIAL_UNIT", {12690, 6660, 735, 255}, "[mm]");
}

void CalculatorWindow::SetFocusOrder() {
    QWidget* const focusOrder[] = {OuterDiameterEdit,  PipeMaterialList,   PipeVelocityEdit,
                                   WallEdit,           MountMethodList,    SensorTypeList,
                                   LiningMaterialList, LiningVelocityEdit, LiningThicknessEdit,
                                   FluidList,          FluidVelocityEdit,  ExecuteButton,
                                   Result1Edit,        Result2Edit,        CircumferentialEdit};
    for (std::size_t i = 0; i + 1 < std::size(focusOrder); ++i) {
        QWidget::setTabOrder(focusOrder[i], focusOrder[i + 1]);
    }
    for (QWidget* control : focusOrder) {
        control->setFocusPolicy(Qt::StrongFocus);
    }
}
