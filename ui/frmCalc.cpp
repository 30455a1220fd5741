#include "frmCalc.h"

#include "Catalogue.h"
#include "Engine.h"
#include "FieldMessages.h"
#include "MessageBox.h"
#include "ModCommonProc.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

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

QFont SystemFont() { return DesignFont("System", 13.5); }
QFont TerminalFont() { return DesignFont("Terminal", 9.75); }

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

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

// The icons live in the ui library; a static library needs its resources pulled in by name.
static void LoadUiResources() { Q_INIT_RESOURCE(resources); }

frmCalc::frmCalc(QWidget* parent) : QWidget(parent) {
    LoadUiResources();
    setObjectName(QStringLiteral("frmCalc"));
    CreateControls();
    ConnectHandlers();
    Form_Load();
}

frmCalc::~frmCalc() { qApp->removeEventFilter(this); }

// The design state: geometry, containment, design captions and fonts, focus order.
void frmCalc::CreateControls() {
    setWindowTitle(QString::fromUtf8("超音波流量計 - 取付け寸法計算ツール "));
    setFixedSize(ToPixels({0, 0, 13890, 7065}).size());
    QIcon icon;
    for (const QString& file : {QStringLiteral(":/icons/quillmere-16.png"),
                                QStringLiteral(":/icons/quillmere-32.png")}) {
        // Naming the format and forbidding detection keeps Qt from loading every image
        // plugin, about 3 ms of the start-up.
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    setWindowIcon(icon);

    const QFont sys = SystemFont();
    const QFont term = TerminalFont();

    OUTER_DIAMETER = MakeLabel(this, "OUTER_DIAMETER", {240, 600, 2415, 255}, "外形寸法", sys);
    OUTER_DIAMETERText = MakeField(this, "OUTER_DIAMETERText", {3240, 480, 2412, 405});
    Label8[0] = MakeLabel(this, "Label8_0", {5760, 600, 735, 255}, "[mm]", term);
    OUTER_DIAMETER_RANGE = MakeLabel(this, "OUTER_DIAMETER_RANGE", {3240, 900, 2415, 255},
                                     "6.00～6200.00mm", term);
    PIPE_MATERIAL = MakeLabel(this, "PIPE_MATERIAL", {240, 1320, 2415, 255}, "配管材質", sys);
    PIPE_MATERIALCombo = MakeList(this, "PIPE_MATERIALCombo", {3240, 1200, 3255, 390});
    TRANS_FREQUENCY = MakeLabel(this, "TRANS_FREQUENCY", {240, 2040, 2415, 255}, "配管音速", sys);
    TRANS_FREQUENCYText = MakeField(this, "TRANS_FREQUENCYText", {3240, 1920, 2412, 405});
    Label12[0] = MakeLabel(this, "Label12_0", {5760, 2040, 735, 255}, "[m/s]", term);
    TRANS_FREQUENCY_RANGE = MakeLabel(this, "TRANS_FREQUENCY_RANGE", {3240, 2340, 2415, 255},
                                      "1000～3700m/s", term);
    WALL_THICKNESS = MakeLabel(this, "WALL_THICKNESS", {240, 2760, 2415, 255}, "配管厚さ", sys);
    WALL_THICKNESSText = MakeField(this, "WALL_THICKNESSText", {3240, 2640, 2412, 405});
    Label8[1] = MakeLabel(this, "Label8_1", {5760, 2760, 735, 255}, "[mm]", term);
    WALL_THICKNESS_RANGE = MakeLabel(this, "WALL_THICKNESS_RANGE", {3240, 3060, 2415, 255},
                                     "0.10～100.00mm", term);
    SENSOR_MOUNT = MakeLabel(this, "SENSOR_MOUNT", {240, 3480, 2415, 255}, "ｾﾝｻ取付け法", sys);
    SENSOR_MOUNTCombo = MakeList(this, "SENSOR_MOUNTCombo", {3240, 3360, 2415, 390});
    SENSOR_TYPE = MakeLabel(this, "SENSOR_TYPE", {240, 4200, 2415, 255}, "ｾﾝｻ種類", sys);
    SENSOR_TYPECombo = MakeList(this, "SENSOR_TYPECombo", {3240, 4080, 4215, 390});

    LINING_MATERIAL =
        MakeLabel(this, "LINING_MATERIAL", {6720, 600, 3015, 255}, "ライニング材質", sys);
    LINING_MATERIALCombo = MakeList(this, "LINING_MATERIALCombo", {10320, 480, 3255, 390});
    LINING_S_V = MakeLabel(this, "LINING_S_V", {6720, 1320, 3015, 255}, "ライニング音速", sys);
    LINING_S_VText = MakeField(this, "LINING_S_VText", {10320, 1200, 2415, 405});
    Label1[0] = MakeLabel(this, "Label1_0", {12840, 1320, 735, 255}, "[m/s]", term);
    LINING_S_V_RANGE = MakeLabel(this, "LINING_S_V_RANGE", {10320, 1620, 2415, 255},
                                 "1000～3700m/s", term);
    LINING_THICKNESS =
        MakeLabel(this, "LINING_THICKNESS", {6720, 2040, 3015, 255}, "ライニング厚さ", sys);
    LINING_THICKNESSText = MakeField(this, "LINING_THICKNESSText", {10320, 1920, 2415, 405});
    Label2[0] = MakeLabel(this, "Label2_0", {12840, 2040, 735, 255}, "[mm]", term);
    LINING_THICKNESS_RANGE = MakeLabel(this, "LINING_THICKNESS_RANGE", {10320, 2340, 2415, 255},
                                       "0.10～100.00mm", term);
    KIND_OF_FLUID = MakeLabel(this, "KIND_OF_FLUID", {6720, 2760, 3015, 255}, "流体種類", sys);
    KIND_OF_FLUIDCombo = MakeList(this, "KIND_OF_FLUIDCombo", {10320, 2640, 3255, 390});
    FLUID_S_V = MakeLabel(this, "FLUID_S_V", {6720, 3480, 3015, 255}, "流体音速", sys);
    FLUID_S_VText = MakeField(this, "FLUID_S_VText", {10320, 3360, 2415, 405});
    Label1[1] = MakeLabel(this, "Label1_1", {12840, 3480, 735, 255}, "[m/s]", term);
    FLUID_S_V_RANGE =
        MakeLabel(this, "FLUID_S_V_RANGE", {10320, 3780, 2415, 255}, "300～2500m/s", term);

    constexpr int markTops[11] = {600, 1320, 2040, 2760, 3480, 4200, 600, 1320, 2040, 2760, 3480};
    for (int i = 0; i < 11; ++i) {
        const int left = i < 6 ? 2880 : 9960;
        const QByteArray name = "lblRequired_" + QByteArray::number(i);
        lblRequired[i] = MakeLabel(this, name.constData(), {left, markTops[i], 255, 255}, "*", sys);
    }
    lblInputRequired = MakeLabel(this, "lblInputRequired", {9000, 4080, 1215, 375}, "* 入力", sys);

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

    QWidget* const focusOrder[] = {
        OUTER_DIAMETERText, PIPE_MATERIALCombo,   TRANS_FREQUENCYText, WALL_THICKNESSText,
        SENSOR_MOUNTCombo,  SENSOR_TYPECombo,     LINING_MATERIALCombo, LINING_S_VText,
        LINING_THICKNESSText, KIND_OF_FLUIDCombo, FLUID_S_VText,       ExecuteCalc,
        txtResult1Text,     txtResult2Text};
    for (std::size_t i = 0; i + 1 < std::size(focusOrder); ++i) {
        QWidget::setTabOrder(focusOrder[i], focusOrder[i + 1]);
    }
    for (QWidget* control : focusOrder) {
        control->setFocusPolicy(Qt::StrongFocus);
    }
}

void frmCalc::ConnectHandlers() {
    connect(PIPE_MATERIALCombo, &QComboBox::currentIndexChanged, this,
            &frmCalc::PIPE_MATERIALCombo_Click);
    connect(LINING_MATERIALCombo, &QComboBox::currentIndexChanged, this,
            &frmCalc::LINING_MATERIALCombo_Click);
    connect(KIND_OF_FLUIDCombo, &QComboBox::currentIndexChanged, this,
            &frmCalc::KIND_OF_FLUIDCombo_Click);
    connect(ExecuteCalc, &QPushButton::clicked, this, &frmCalc::ExecuteCalc_Click);

    const std::pair<FieldEdit*, void (frmCalc::*)()> fields[] = {
        {OUTER_DIAMETERText, &frmCalc::OUTER_DIAMETERText_LostFocus},
        {TRANS_FREQUENCYText, &frmCalc::TRANS_FREQUENCYText_LostFocus},
        {WALL_THICKNESSText, &frmCalc::WALL_THICKNESSText_LostFocus},
        {LINING_S_VText, &frmCalc::LINING_S_VText_LostFocus},
        {LINING_THICKNESSText, &frmCalc::LINING_THICKNESSText_LostFocus},
        {FLUID_S_VText, &frmCalc::FLUID_S_VText_LostFocus},
    };
    for (const auto& [field, handler] : fields) {
        connect(field, &FieldEdit::LostFocus, this, [this, handler](Qt::FocusReason reason) {
            lastFocusOutReason_ = reason;
            (this->*handler)();
        });
    }
    qApp->installEventFilter(this);
}

QString frmCalc::text(std::int16_t id) const {
    return FromUtf8(Catalogue::Text(id, ModCommonProc::StringBase));
}

void frmCalc::BuildWorkingFont(int pointSize, bool bold) {
    QFont font(QString::fromStdString(ModCommonProc::UiFontName));
    font.setPointSize(pointSize);
    font.setBold(bold);
    workingFont_ = font;
}

void frmCalc::AssignWorkingFont(QWidget* control) { control->setFont(*workingFont_); }

void frmCalc::FillList(QComboBox* list, const QStringList& source) {
    const QSignalBlocker quiet(list); // a list has no selection until the defaults are set
    list->clear();
    const int count = source.value(0).toInt();
    for (int i = 1; i <= count; ++i) {
        list->addItem(source.value(i));
    }
    AssignWorkingFont(list);
    list->setCurrentIndex(-1);
}

void frmCalc::SetLocked(QLineEdit* field, bool locked) {
    field->setReadOnly(locked);
    QPalette palette = field->palette();
    const QPalette app = QApplication::palette();
    palette.setColor(QPalette::Base, locked ? app.color(QPalette::Button) : app.color(QPalette::Base));
    field->setPalette(palette);
}

void frmCalc::Form_Load() {
    const std::int16_t unitFlag = ModCommonProc::UnitFlag;

    // 1. Fixed size (no resizing) is set with the geometry.
    // 2. Captions in the run's language, bold 12 pt.
    BuildWorkingFont(12, true);
    const std::pair<QWidget*, QString> captions[] = {
        {OUTER_DIAMETER, text(1240)},   {PIPE_MATERIAL, text(2060)},
        {WALL_THICKNESS, text(2880)},   {TRANS_FREQUENCY, text(2050)},
        {LINING_MATERIAL, text(1120)},  {LINING_THICKNESS, text(1110)},
        {LINING_S_V, text(1100)},       {KIND_OF_FLUID, text(2210)},
        {FLUID_S_V, text(2200)},        {SENSOR_MOUNT, text(790)},
        {SENSOR_TYPE, text(800)},       {MOUNT_SIZE1, text(1380) + QLatin1Char('1')},
        {MOUNT_SIZE2, text(1380) + QLatin1Char('2')}, {ExecuteCalc, text(3922)},
        {fraResult, text(3926)},
    };
    for (const auto& [control, caption] : captions) {
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(caption);
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            button->setText(caption);
        } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            frame->setTitle(caption);
        }
        AssignWorkingFont(control);
    }

    // 3. Title and the window's own font.
    BuildWorkingFont(8, false);
    setWindowTitle(text(4401) + QStringLiteral(" - ") + text(4402));
    AssignWorkingFont(this);

    // 4. Unit labels.
    UnitNames = SubGetUnitForm1(unitFlag);
    const std::pair<QLabel*, int> unitLabels[] = {{Label8[0], 0}, {Label8[1], 0}, {Label2[0], 0},
                                                  {Label1[0], 1}, {Label1[1], 1}, {Label12[0], 1},
                                                  {Label4, 0}};
    for (const auto& [label, unit] : unitLabels) {
        label->setText(FromUtf8(UnitLabelText(UnitNames[static_cast<std::size_t>(unit)])));
        AssignWorkingFont(label);
    }

    // 5. Range labels; they keep their design font.
    RangeLimits = SubGetUnitRange(unitFlag);
    const std::pair<QLabel*, InputField> rangeLabels[] = {
        {OUTER_DIAMETER_RANGE, InputField::OuterDiameter},
        {TRANS_FREQUENCY_RANGE, InputField::PipeVelocity},
        {WALL_THICKNESS_RANGE, InputField::WallThickness},
        {LINING_S_V_RANGE, InputField::LiningVelocity},
        {LINING_THICKNESS_RANGE, InputField::LiningThickness},
        {FLUID_S_V_RANGE, InputField::FluidVelocity},
    };
    for (const auto& [label, field] : rangeLabels) {
        label->setText(FromUtf8(RangeLabelText(field, unitFlag)));
    }

    // 6. 7. The list sources, looked up once.
    workingFont_.reset();
    auto fromIds = [this](const auto& ids) {
        QStringList names{QString::number(ids[0])};
        for (std::size_t i = 1; i < ids.size(); ++i) {
            names << text(ids[i]);
        }
        return names;
    };
    PipeMaterialNames = fromIds(PipeMaterialIds);
    FluidKindNames = fromIds(FluidKindIds);
    LiningMaterialNames = fromIds(LiningMaterialIds);
    MountMethodNames = fromIds(MountMethodIds) << QString() << QString();
    SensorTypeNames.clear();
    for (std::string_view name : Quillmere::SensorTypeNames) {
        SensorTypeNames << FromUtf8(name);
    }

    // 8. 9. Lists and input fields, 12 pt.
    BuildWorkingFont(12, false);
    FillList(PIPE_MATERIALCombo, PipeMaterialNames);
    FillList(KIND_OF_FLUIDCombo, FluidKindNames);
    FillList(LINING_MATERIALCombo, LiningMaterialNames);
    FillList(SENSOR_MOUNTCombo, MountMethodNames);
    FillList(SENSOR_TYPECombo, SensorTypeNames);
    for (QWidget* field : {static_cast<QWidget*>(OUTER_DIAMETERText),
                           static_cast<QWidget*>(TRANS_FREQUENCYText),
                           static_cast<QWidget*>(WALL_THICKNESSText),
                           static_cast<QWidget*>(FLUID_S_VText),
                           static_cast<QWidget*>(LINING_S_VText),
                           static_cast<QWidget*>(LINING_THICKNESSText)}) {
        AssignWorkingFont(field);
    }

    // 10. Results in bold red.
    BuildWorkingFont(12, true);
    for (QLineEdit* result : {txtResult1Text, txtResult2Text}) {
        AssignWorkingFont(result);
        QPalette palette = result->palette();
        palette.setColor(QPalette::Text, QColor(255, 0, 0));
        result->setPalette(palette);
    }

    // 11. Required-input marks; larger in English.
    BuildWorkingFont(ModCommonProc::LangFlag != 0 ? 14 : 12, true);
    for (QLabel* mark : lblRequired) {
        mark->setText(QStringLiteral("*"));
        AssignWorkingFont(mark);
    }
    lblInputRequired->setText(QStringLiteral("* ") + text(1967));
    AssignWorkingFont(lblInputRequired);

    // 12. The label naming the stepped sensor types.
    BuildWorkingFont(10, false);
    lblMount2Sensor->setText(FromUtf8(SteppedSensorTypesText));
    AssignWorkingFont(lblMount2Sensor);
    workingFont_.reset();

    // 13. The velocity tables and sensor records are the engine's constants.
    // 14. Default selections; each runs its list's handler.
    for (QComboBox* list : {PIPE_MATERIALCombo, SENSOR_MOUNTCombo, SENSOR_TYPECombo,
                            LINING_MATERIALCombo, KIND_OF_FLUIDCombo}) {
        list->setCurrentIndex(0);
    }

    // 15. The velocity-related fields start in the table state.
    for (QLineEdit* field : {static_cast<QLineEdit*>(TRANS_FREQUENCYText),
                             static_cast<QLineEdit*>(LINING_S_VText),
                             static_cast<QLineEdit*>(LINING_THICKNESSText),
                             static_cast<QLineEdit*>(FLUID_S_VText)}) {
        SetLocked(field, true);
    }

    // 16. Typing limits: the length of each field's longest limit text.
    const std::pair<QLineEdit*, InputField> limits[] = {
        {OUTER_DIAMETERText, InputField::OuterDiameter},
        {TRANS_FREQUENCYText, InputField::PipeVelocity},
        {WALL_THICKNESSText, InputField::WallThickness},
        {LINING_S_VText, InputField::LiningVelocity},
        {LINING_THICKNESSText, InputField::LiningThickness},
        {FLUID_S_VText, InputField::FluidVelocity},
    };
    for (const auto& [field, which] : limits) {
        field->setMaxLength(MaxInputLength(which, unitFlag));
    }

    // Screen readers announce the caption, not the object name.
    const std::pair<QWidget*, QLabel*> accessible[] = {
        {OUTER_DIAMETERText, OUTER_DIAMETER},   {PIPE_MATERIALCombo, PIPE_MATERIAL},
        {TRANS_FREQUENCYText, TRANS_FREQUENCY}, {WALL_THICKNESSText, WALL_THICKNESS},
        {SENSOR_MOUNTCombo, SENSOR_MOUNT},      {SENSOR_TYPECombo, SENSOR_TYPE},
        {LINING_MATERIALCombo, LINING_MATERIAL}, {LINING_S_VText, LINING_S_V},
        {LINING_THICKNESSText, LINING_THICKNESS}, {KIND_OF_FLUIDCombo, KIND_OF_FLUID},
        {FLUID_S_VText, FLUID_S_V},             {txtResult1Text, MOUNT_SIZE1},
        {txtResult2Text, MOUNT_SIZE2},
    };
    for (const auto& [control, caption] : accessible) {
        control->setAccessibleName(caption->text());
    }
}

void frmCalc::PIPE_MATERIALCombo_Click() {
    const bool user = PIPE_MATERIALCombo->currentIndex() == PipeUserEntry;
    SetLocked(TRANS_FREQUENCYText, !user);
    lblRequired[2]->setEnabled(user);
}

void frmCalc::LINING_MATERIALCombo_Click() {
    const int index = LINING_MATERIALCombo->currentIndex();
    if (index == NoLiningEntry) {
        SetLocked(LINING_S_VText, true);
        SetLocked(LINING_THICKNESSText, true);
        lblRequired[7]->setEnabled(false);
        lblRequired[8]->setEnabled(false);
    } else if (index == LiningUserEntry) {
        SetLocked(LINING_S_VText, false);
        SetLocked(LINING_THICKNESSText, false);
        lblRequired[7]->setEnabled(true);
        lblRequired[8]->setEnabled(true);
    } else {
        SetLocked(LINING_S_VText, true);
        SetLocked(LINING_THICKNESSText, false);
        lblRequired[7]->setEnabled(false);
        lblRequired[8]->setEnabled(true);
    }
}

void frmCalc::KIND_OF_FLUIDCombo_Click() {
    const bool user = KIND_OF_FLUIDCombo->currentIndex() == FluidUserEntry;
    SetLocked(FLUID_S_VText, !user);
    lblRequired[10]->setEnabled(user);
}

void frmCalc::ExecuteCalc_Click() {
    CalcEntries entries;
    entries.UnitFlag = ModCommonProc::UnitFlag;
    entries.SensorTypeIndex = SENSOR_TYPECombo->currentIndex();
    entries.PipeMaterialIndex = PIPE_MATERIALCombo->currentIndex();
    entries.LiningMaterialIndex = LINING_MATERIALCombo->currentIndex();
    entries.FluidIndex = KIND_OF_FLUIDCombo->currentIndex();
    entries.MountMethodIndex = SENSOR_MOUNTCombo->currentIndex();
    const std::string wall = WALL_THICKNESSText->text().toStdString();
    const std::string liningThickness = LINING_THICKNESSText->text().toStdString();
    const std::string outerDiameter = OUTER_DIAMETERText->text().toStdString();
    const std::string pipeVelocity = TRANS_FREQUENCYText->text().toStdString();
    const std::string liningVelocity = LINING_S_VText->text().toStdString();
    const std::string fluidVelocity = FLUID_S_VText->text().toStdString();
    entries.WallThicknessText = wall;
    entries.LiningThicknessText = liningThickness;
    entries.OuterDiameterText = outerDiameter;
    entries.PipeVelocityText = pipeVelocity;
    entries.LiningVelocityText = liningVelocity;
    entries.FluidVelocityText = fluidVelocity;
    entries.PipeVelocityLocked = TRANS_FREQUENCYText->isReadOnly();
    entries.LiningVelocityLocked = LINING_S_VText->isReadOnly();
    entries.FluidVelocityLocked = FLUID_S_VText->isReadOnly();

    DisplayTexts shown;
    try {
        shown = RunCalculation(entries).Display;
    } catch (const EngineError& error) {
        QuillmereUi::ShowMessage(this, text(QuillmereUi::ErrorMessageId(error)));
        return;
    } catch (const std::exception&) {
        QuillmereUi::ShowMessage(this, text(Catalogue::ErrorText::Unexpected));
        return;
    }
    txtResult1Text->setText(FromUtf8(shown.Result1));
    txtResult2Text->setText(FromUtf8(shown.Result2));
}

void frmCalc::OUTER_DIAMETERText_LostFocus() {
    CheckLeavingField(OUTER_DIAMETERText, InputField::OuterDiameter);
}
void frmCalc::TRANS_FREQUENCYText_LostFocus() {
    CheckLeavingField(TRANS_FREQUENCYText, InputField::PipeVelocity);
}
void frmCalc::WALL_THICKNESSText_LostFocus() {
    CheckLeavingField(WALL_THICKNESSText, InputField::WallThickness);
}
void frmCalc::LINING_S_VText_LostFocus() {
    CheckLeavingField(LINING_S_VText, InputField::LiningVelocity);
}
void frmCalc::LINING_THICKNESSText_LostFocus() {
    CheckLeavingField(LINING_THICKNESSText, InputField::LiningThickness);
}
void frmCalc::FLUID_S_VText_LostFocus() {
    CheckLeavingField(FLUID_S_VText, InputField::FluidVelocity);
}

void frmCalc::CheckLeavingField(QLineEdit* field, InputField which) {
    if (refusing_) {
        return; // the focus is on its way back to a refused field
    }
    const std::int16_t message =
        QuillmereUi::LeaveFieldMessageId(field->text().toStdU16String(), which, ModCommonProc::UnitFlag);
    if (message != 0) {
        Refuse(field, message);
    }
}

void frmCalc::Refuse(QLineEdit* field, std::int16_t messageId) {
    refusing_ = true;
    field->setSelection(0, static_cast<int>(field->text().size()));
    QuillmereUi::ShowMessage(this, text(messageId));
    field->setFocus(Qt::OtherFocusReason);
    field->setSelection(0, static_cast<int>(field->text().size()));
    refusing_ = false;
    if (lastFocusOutReason_ == Qt::MouseFocusReason) {
        // The press that moved the focus is still on its way to the control it hit (the
        // button, a list); it must not act once the refusal has been answered.
        swallowNextPress_ = true;
        QTimer::singleShot(0, this, [this] { swallowNextPress_ = false; });
    }
}

bool frmCalc::eventFilter(QObject* watched, QEvent* event) {
    if (swallowNextPress_ &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            swallowNextPress_ = false;
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
