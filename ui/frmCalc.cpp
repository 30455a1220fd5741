#include "frmCalc.h"

#include "Catalogue.h"
#include "Engine.h"
#include "MessageBox.h"
#include "ModCommonProc.h"
#include "Rules.h"
#include "StandardPipeDialog.h"
#include "UiText.h"

#include "JobReport.h"
#include "JobSummary.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <memory>

using namespace Quillmere;
using QuillmereUi::FromUtf8;

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

// Qt's own texts (a field's edit menu, Cancel, the file and print dialogs) follow the
// window's language, not the system's. Without Debian's Qt translations they stay English.
static void UseQtTextsOfRunLanguage() {
    static QTranslator* japanese = nullptr;
    const bool wanted = ModCommonProc::LangFlag == 0;
    if (wanted && japanese == nullptr) {
        auto translator = std::make_unique<QTranslator>(qApp);
        if (translator->load(QStringLiteral("qtbase_ja"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
            QCoreApplication::installTranslator(translator.get())) {
            japanese = translator.release();
        }
    } else if (!wanted && japanese != nullptr) {
        QCoreApplication::removeTranslator(japanese);
        delete japanese;
        japanese = nullptr;
    }
}

frmCalc::frmCalc(QWidget* parent) : QWidget(parent) {
    LoadUiResources();
    UseQtTextsOfRunLanguage();
    setObjectName(QStringLiteral("frmCalc"));
    CreateControls();
    ConnectHandlers();
    Form_Load();
    CreateJobActions();
}

frmCalc::~frmCalc() { qApp->removeEventFilter(this); }

const std::array<frmCalc::InputRow, 6> frmCalc::InputRows{{
    {InputField::OuterDiameter, &frmCalc::OUTER_DIAMETER,
     &frmCalc::OUTER_DIAMETERText, &frmCalc::OUTER_DIAMETER_RANGE, "Label8_0",
     [](frmCalc& w) -> QLabel*& { return w.Label8[0]; }, 0, &frmCalc::OUTER_DIAMETERText_LostFocus,
     false, 0, "外形寸法", "6.00～6200.00mm", "[mm]"},
    {InputField::PipeVelocity, &frmCalc::TRANS_FREQUENCY,
     &frmCalc::TRANS_FREQUENCYText, &frmCalc::TRANS_FREQUENCY_RANGE, "Label12_0",
     [](frmCalc& w) -> QLabel*& { return w.Label12[0]; }, 2,
     &frmCalc::TRANS_FREQUENCYText_LostFocus, false, 2, "配管音速", "1000～3700m/s", "[m/s]"},
    {InputField::WallThickness, &frmCalc::WALL_THICKNESS,
     &frmCalc::WALL_THICKNESSText, &frmCalc::WALL_THICKNESS_RANGE, "Label8_1",
     [](frmCalc& w) -> QLabel*& { return w.Label8[1]; }, 3, &frmCalc::WALL_THICKNESSText_LostFocus,
     false, 3, "配管厚さ", "0.10～100.00mm", "[mm]"},
    {InputField::LiningVelocity, &frmCalc::LINING_S_V, &frmCalc::LINING_S_VText,
     &frmCalc::LINING_S_V_RANGE, "Label1_0", [](frmCalc& w) -> QLabel*& { return w.Label1[0]; },
     7, &frmCalc::LINING_S_VText_LostFocus, true, 1, "ライニング音速", "1000～3700m/s", "[m/s]"},
    {InputField::LiningThickness, &frmCalc::LINING_THICKNESS,
     &frmCalc::LINING_THICKNESSText, &frmCalc::LINING_THICKNESS_RANGE, "Label2_0",
     [](frmCalc& w) -> QLabel*& { return w.Label2[0]; }, 8,
     &frmCalc::LINING_THICKNESSText_LostFocus, true, 2, "ライニング厚さ", "0.10～100.00mm", "[mm]"},
    {InputField::FluidVelocity, &frmCalc::FLUID_S_V, &frmCalc::FLUID_S_VText,
     &frmCalc::FLUID_S_V_RANGE, "Label1_1", [](frmCalc& w) -> QLabel*& { return w.Label1[1]; },
     10, &frmCalc::FLUID_S_VText_LostFocus, true, 4, "流体音速", "300～2500m/s", "[m/s]"},
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
        const QByteArray name(FieldOf(row.Field).Name.data(), static_cast<qsizetype>(FieldOf(row.Field).Name.size()));
        this->*row.Caption = MakeLabel(this, name.constData(), {captionLeft, top + 120, captionWidth, 255},
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

    CreateInputRows();
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
    CIRCUMFERENTIAL_UNIT = MakeLabel(this, "CIRCUMFERENTIAL_UNIT", {12690, 6660, 735, 255}, "[mm]", term);

    QWidget* const focusOrder[] = {
        OUTER_DIAMETERText, PIPE_MATERIALCombo,   TRANS_FREQUENCYText, WALL_THICKNESSText,
        SENSOR_MOUNTCombo,  SENSOR_TYPECombo,     LINING_MATERIALCombo, LINING_S_VText,
        LINING_THICKNESSText, KIND_OF_FLUIDCombo, FLUID_S_VText,       ExecuteCalc,
        txtResult1Text,     txtResult2Text,       txtCircumferentialText};
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

    for (const InputRow& row : InputRows) {
        connect(this->*row.Text, &FieldEdit::LostFocus, this,
                [this, handler = row.LostFocus](Qt::FocusReason reason) {
                    lastFocusOutReason_ = reason;
                    (this->*handler)();
                });
    }
    // A result belongs to the inputs on screen: any change of them empties it, so that a
    // failed press can never leave an earlier spacing beside new inputs.
    for (const InputRow& row : InputRows) {
        connect(this->*row.Text, &QLineEdit::textChanged, this, &frmCalc::ClearResults);
        connect(this->*row.Text, &QLineEdit::returnPressed, this,
                [this, &row] { ExecuteFromField(row); });
    }
    for (QComboBox* list : {PIPE_MATERIALCombo, SENSOR_MOUNTCombo, SENSOR_TYPECombo,
                            LINING_MATERIALCombo, KIND_OF_FLUIDCombo}) {
        connect(list, &QComboBox::currentIndexChanged, this, &frmCalc::ClearResults);
    }
    connect(SENSOR_MOUNTCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        CIRCUMFERENTIAL->setEnabled(index == static_cast<int>(MountMethod::Z));
    });
    qApp->installEventFilter(this);
}

void frmCalc::ClearResults() {
    txtResult1Text->clear();
    txtResult2Text->clear();
    txtCircumferentialText->clear();
    txtResult1Text->setToolTip(QString());
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

// The steps run in this order: each sets the working font its controls take.
void frmCalc::Form_Load() {
    // 1. Fixed size (no resizing) is set with the geometry.
    LoadCaptions();
    LoadUnitLabels();
    LoadLists();
    LoadMarks();
    LoadDefaults();
    LoadLimitsAndNames();
}

// 2. Captions in the run's language, bold 12 pt; 3. the title and the window's own font.
void frmCalc::LoadCaptions() {
    namespace Id = Catalogue::Id;
    BuildWorkingFont(12, true);
    for (const InputRow& row : InputRows) {
        (this->*row.Caption)->setText(text(FieldOf(row.Field).CaptionId));
        AssignWorkingFont(this->*row.Caption);
    }
    const std::pair<QLabel*, QString> captions[] = {
        {PIPE_MATERIAL, text(Id::PipeMaterial)},
        {LINING_MATERIAL, text(Id::LiningMaterial)},
        {KIND_OF_FLUID, text(Id::KindOfFluid)},
        {SENSOR_MOUNT, text(Id::SensorMount)},
        {SENSOR_TYPE, text(Id::SensorType)},
        {MOUNT_SIZE1, text(Id::SensorSpacing) + QLatin1Char('1')},
        {MOUNT_SIZE2, text(Id::SensorSpacing) + QLatin1Char('2')},
        {CIRCUMFERENTIAL, text(Catalogue::CalcText::Circumferential)},
    };
    for (const auto& [label, caption] : captions) {
        label->setText(caption);
        AssignWorkingFont(label);
    }
    ExecuteCalc->setText(text(Id::Execute));
    AssignWorkingFont(ExecuteCalc);
    fraResult->setTitle(text(Id::CalculationResult));
    AssignWorkingFont(fraResult);

    BuildWorkingFont(8, false);
    setWindowTitle(text(Id::TitleFirst) + QStringLiteral(" - ") + text(Id::TitleSecond));
    AssignWorkingFont(this);
}

// 4. Unit labels of the rows and of the spacing; 5. range labels, in their design font.
void frmCalc::LoadUnitLabels() {
    const std::int16_t unitFlag = ModCommonProc::UnitFlag;
    UnitNames = SubGetUnitForm1(unitFlag);
    for (const InputRow& row : InputRows) {
        row.Unit(*this)->setText(FromUtf8(UnitLabelText(UnitOf(row.Field, unitFlag))));
        AssignWorkingFont(row.Unit(*this));
    }
    Label4->setText(FromUtf8(UnitLabelText(UnitNames[0])));
    AssignWorkingFont(Label4);
    CIRCUMFERENTIAL_UNIT->setText(Label4->text());
    AssignWorkingFont(CIRCUMFERENTIAL_UNIT);
    workingFont_.reset();

    RangeLimits = SubGetUnitRange(unitFlag);
    for (const InputRow& row : InputRows) {
        (this->*row.Range)->setText(FromUtf8(RangeLabelText(row.Field, unitFlag)));
    }
}

// 6. 7. The list sources, looked up once; 8. 9. lists and input fields, 12 pt.
void frmCalc::LoadLists() {
    // A list source holds its count in element 0, its entries' texts after it.
    const auto source = [this](const auto& entries) {
        QStringList names{QString::number(entries.size())};
        for (const auto& entry : entries) {
            names << text(entry.NameId);
        }
        return names;
    };
    PipeMaterialNames = source(PipeMaterials);
    FluidKindNames = source(FluidKinds);
    LiningMaterialNames = source(LiningMaterials);
    MountMethodNames = source(std::span(MountMethods).first(WindowMountMethods)) << QString()
                                                                                  << QString();
    SensorTypeNames = QStringList{QString::number(SensorTypes.size())};
    for (const SensorTypeEntry& type : SensorTypes) {
        SensorTypeNames << FromUtf8(type.Name);
    }

    BuildWorkingFont(12, false);
    FillList(PIPE_MATERIALCombo, PipeMaterialNames);
    FillList(KIND_OF_FLUIDCombo, FluidKindNames);
    FillList(LINING_MATERIALCombo, LiningMaterialNames);
    FillList(SENSOR_MOUNTCombo, MountMethodNames);
    FillList(SENSOR_TYPECombo, SensorTypeNames);
    for (const InputRow& row : InputRows) {
        AssignWorkingFont(this->*row.Text);
    }
}

// 10. Results in bold red; 11. required-input marks, larger in English; 12. the label
// naming the stepped sensor types.
void frmCalc::LoadMarks() {
    BuildWorkingFont(12, true);
    for (QLineEdit* result : {txtResult1Text, txtResult2Text, txtCircumferentialText}) {
        AssignWorkingFont(result);
        QPalette palette = result->palette();
        palette.setColor(QPalette::Text, QColor(255, 0, 0));
        result->setPalette(palette);
    }

    BuildWorkingFont(ModCommonProc::LangFlag != 0 ? 14 : 12, true);
    for (QLabel* mark : lblRequired) {
        mark->setText(QStringLiteral("*"));
        AssignWorkingFont(mark);
    }
    lblInputRequired->setText(QStringLiteral("* ") + text(Catalogue::Id::Input));
    AssignWorkingFont(lblInputRequired);

    BuildWorkingFont(10, false);
    lblMount2Sensor->setText(FromUtf8(SteppedSensorTypesText));
    AssignWorkingFont(lblMount2Sensor);
    workingFont_.reset();
}

// 13. The velocity tables and sensor records are the engine's constants.
// 14. Default selections, each running its list's handler; 15. the velocity-related
// fields start in the table state.
void frmCalc::LoadDefaults() {
    for (QComboBox* list : {PIPE_MATERIALCombo, SENSOR_MOUNTCombo, SENSOR_TYPECombo,
                            LINING_MATERIALCombo, KIND_OF_FLUIDCombo}) {
        list->setCurrentIndex(0);
    }
    for (QLineEdit* field : {static_cast<QLineEdit*>(TRANS_FREQUENCYText),
                             static_cast<QLineEdit*>(LINING_S_VText),
                             static_cast<QLineEdit*>(LINING_THICKNESSText),
                             static_cast<QLineEdit*>(FLUID_S_VText)}) {
        SetLocked(field, true);
    }
}

// 16. Typing limits: the length of each field's longest limit text. Screen readers
// announce the caption, not the object name, and the range a sighted user reads below.
void frmCalc::LoadLimitsAndNames() {
    const std::int16_t unitFlag = ModCommonProc::UnitFlag;
    for (const InputRow& row : InputRows) {
        (this->*row.Text)->setMaxLength(MaxInputLength(row.Field, unitFlag));
        (this->*row.Text)->setAccessibleName((this->*row.Caption)->text());
        (this->*row.Text)->setAccessibleDescription((this->*row.Range)->text());
    }
    const std::pair<QWidget*, QLabel*> accessible[] = {
        {PIPE_MATERIALCombo, PIPE_MATERIAL},     {SENSOR_MOUNTCombo, SENSOR_MOUNT},
        {SENSOR_TYPECombo, SENSOR_TYPE},         {LINING_MATERIALCombo, LINING_MATERIAL},
        {KIND_OF_FLUIDCombo, KIND_OF_FLUID},     {txtResult1Text, MOUNT_SIZE1},
        {txtResult2Text, MOUNT_SIZE2},           {txtCircumferentialText, CIRCUMFERENTIAL},
    };
    for (const auto& [control, caption] : accessible) {
        control->setAccessibleName(caption->text());
    }
}

// Open: the typed value counts and the row's mark is on; closed: locked, greyed, mark off.
void frmCalc::SetRowOpen(const InputRow& row, bool open) {
    SetLocked(this->*row.Text, !open);
    lblRequired[static_cast<std::size_t>(row.Mark)]->setEnabled(open);
}

void frmCalc::PIPE_MATERIALCombo_Click() { UpdateOpenRows(); }

// No lining needs neither velocity nor thickness; a named lining needs its thickness.
void frmCalc::LINING_MATERIALCombo_Click() { UpdateOpenRows(); }

void frmCalc::KIND_OF_FLUIDCombo_Click() { UpdateOpenRows(); }

void frmCalc::UpdateOpenRows() {
    for (const InputRow& row : InputRows) {
        SetRowOpen(row, RowOpen(row.Field, PIPE_MATERIALCombo->currentIndex(),
                                LINING_MATERIALCombo->currentIndex(), KIND_OF_FLUIDCombo->currentIndex()));
    }
}

// The entries as the controls hold them; `texts` keeps the field texts alive.
CalcEntries frmCalc::ReadEntries(std::array<std::string, 6>& texts) const {
    CalcEntries entries;
    entries.UnitFlag = ModCommonProc::UnitFlag;
    entries.SensorTypeIndex = SENSOR_TYPECombo->currentIndex();
    entries.PipeMaterialIndex = PIPE_MATERIALCombo->currentIndex();
    entries.LiningMaterialIndex = LINING_MATERIALCombo->currentIndex();
    entries.FluidIndex = KIND_OF_FLUIDCombo->currentIndex();
    entries.MountMethodIndex = SENSOR_MOUNTCombo->currentIndex();
    entries.MountMethodsOffered = SENSOR_MOUNTCombo->count();
    for (std::size_t i = 0; i < InputRows.size(); ++i) {
        texts[i] = (this->*InputRows[i].Text)->text().toStdString();
        entries.TextOf(InputRows[i].Field) = texts[i];
    }
    entries.PipeVelocityLocked = TRANS_FREQUENCYText->isReadOnly();
    entries.LiningVelocityLocked = LINING_S_VText->isReadOnly();
    entries.FluidVelocityLocked = FLUID_S_VText->isReadOnly();
    return entries;
}

void frmCalc::ExecuteCalc_Click() {
    std::array<std::string, InputRows.size()> texts;
    const CalcEntries entries = ReadEntries(texts);
    JobRecord job;
    try {
        job = RecordJob(entries, ModCommonProc::StringBase);
    } catch (const EngineError& error) {
        QuillmereUi::ShowMessage(this, FromUtf8(ErrorDescription(error, ModCommonProc::StringBase)));
        if (error.field()) {
            // A refused entry: the user goes straight to the field to correct.
            QLineEdit* field = this->*RowOf(*error.field()).Text;
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
        }
        return;
    } catch (const std::exception&) {
        QuillmereUi::ShowMessage(this, text(Catalogue::ErrorText::Unexpected));
        return;
    }
    txtResult1Text->setText(FromUtf8(job.Outcome.Display.Result1));
    txtResult2Text->setText(FromUtf8(job.Outcome.Display.Result2));
    txtCircumferentialText->setText(FromUtf8(job.Outcome.Display.Circumferential));
    // A spacing the clamp raised to 0 is no place to mount the sensors: the press says so
    // in a box over the result, and the field keeps the note on hover (rich text, so that
    // the tip wraps) for as long as the result stands.
    const QString note = FromUtf8(BelowZeroNote(job));
    txtResult1Text->setToolTip(
        note.isEmpty() ? note : QStringLiteral("<p>%1</p>").arg(note.toHtmlEscaped()));
    if (!note.isEmpty()) {
        QuillmereUi::ShowMessage(this, note);
    }
}

const frmCalc::InputRow& frmCalc::RowOf(InputField field) {
    return *std::find_if(InputRows.begin(), InputRows.end(),
                         [field](const InputRow& row) { return row.Field == field; });
}

void frmCalc::OUTER_DIAMETERText_LostFocus() { CheckLeavingField(RowOf(InputField::OuterDiameter)); }
void frmCalc::TRANS_FREQUENCYText_LostFocus() { CheckLeavingField(RowOf(InputField::PipeVelocity)); }
void frmCalc::WALL_THICKNESSText_LostFocus() { CheckLeavingField(RowOf(InputField::WallThickness)); }
void frmCalc::LINING_S_VText_LostFocus() { CheckLeavingField(RowOf(InputField::LiningVelocity)); }
void frmCalc::LINING_THICKNESSText_LostFocus() {
    CheckLeavingField(RowOf(InputField::LiningThickness));
}
void frmCalc::FLUID_S_VText_LostFocus() { CheckLeavingField(RowOf(InputField::FluidVelocity)); }

bool frmCalc::CheckLeavingField(const InputRow& row) {
    if (refusing_) {
        return false; // the focus is on its way back to a refused field
    }
    QLineEdit* field = this->*row.Text;
    const std::int16_t message =
        LeaveFieldMessageId(field->text().toStdU16String(), row.Field, ModCommonProc::UnitFlag);
    if (message != 0) {
        Refuse(field, message);
        return false;
    }
    return true;
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

// Enter in a field presses EXECUTE, after the field's own check, as a click would.
void frmCalc::ExecuteFromField(const InputRow& row) {
    lastFocusOutReason_ = Qt::OtherFocusReason;
    if (CheckLeavingField(row)) {
        ExecuteCalc_Click();
    }
}

void frmCalc::CreateJobActions() {
    namespace R = Catalogue::ReportText;
    const auto action = [this](std::int16_t id, const QKeySequence& keys, void (frmCalc::*slot)()) {
        auto* a = new QAction(text(id), this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        addAction(a); // the shortcut works wherever the focus is in the window
        return a;
    };
    CopySummaryAction = action(R::CopySummary, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                               &frmCalc::CopyJobSummary);
    SaveReportAction = action(R::SaveReport, QKeySequence(Qt::CTRL | Qt::Key_S), &frmCalc::SaveReport);
    PrintAction = action(R::Print, QKeySequence(Qt::CTRL | Qt::Key_P), &frmCalc::PrintReport);
    HelpAction = action(R::Help, QKeySequence(Qt::Key_F1), &frmCalc::ShowHelp);
    AboutAction = action(R::About, QKeySequence(), &frmCalc::ShowAbout);
    FluidAtTemperatureAction = action(R::FluidAtTemperature, QKeySequence(), &frmCalc::ChooseFluidAtTemperature);
    StandardPipeAction = action(Catalogue::PipeText::StandardPipe, QKeySequence(), &frmCalc::ChooseStandardPipe);
    connect(txtResult1Text, &QLineEdit::textChanged, this, &frmCalc::UpdateJobActions);
    UpdateJobActions();
}

void frmCalc::UpdateJobActions() {
    const bool shown = !txtResult1Text->text().isEmpty();
    for (QAction* a : {CopySummaryAction, SaveReportAction, PrintAction}) {
        a->setEnabled(shown);
    }
}

std::optional<JobRecord> frmCalc::CurrentJob() const {
    if (txtResult1Text->text().isEmpty()) {
        return std::nullopt;
    }
    // A shown result belongs to the inputs on screen, so computing them again gives it.
    std::array<std::string, InputRows.size()> texts;
    try {
        JobRecord job = RecordJob(ReadEntries(texts), ModCommonProc::StringBase);
        AddHelperNotes(job, helperNotes_);
        return job;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QString frmCalc::JobSummaryText() const {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return QString();
    }
    const std::string when =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    return FromUtf8(JobSummary(*job, when, QUILLMERE_VERSION));
}

void frmCalc::CopyJobSummary() {
    const QString summary = JobSummaryText();
    if (!summary.isEmpty()) {
        QGuiApplication::clipboard()->setText(summary);
    }
}

void frmCalc::SaveReport() {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return;
    }
    // Without a documents folder the dialog would open wherever the program was started.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    const QString proposed =
        folder + QStringLiteral("/quillmere-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")) +
        QStringLiteral(".pdf");
    QFileDialog dialog(this, QuillmereUi::DialogTitle(text(Catalogue::ReportText::SaveReport)),
                       proposed, text(Catalogue::ReportText::PdfFiles));
    dialog.setObjectName(QStringLiteral("SaveReportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the same dialog on every desktop
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (!QuillmereUi::SaveReportPdf(path, *job, JobSummaryText(), ReportFont())) {
        QuillmereUi::ShowMessage(this, FromUtf8(Catalogue::Fill(
            Catalogue::Text(Catalogue::ReportText::SaveFailed, ModCommonProc::StringBase),
            {path.toStdString()})));
    }
}

void frmCalc::PrintReport() {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted &&
        !QuillmereUi::PaintReport(printer, *job, JobSummaryText(), ReportFont())) {
        QuillmereUi::ShowMessage(this, text(Catalogue::ReportText::PrintFailed));
    }
}

void frmCalc::ChooseFluidAtTemperature() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("FluidAtTemperatureDialog"));
    dialog.setWindowTitle(
        QuillmereUi::DialogTitle(text(Catalogue::ReportText::FluidAtTemperature)));
    auto* fluid = new QComboBox(&dialog);
    fluid->setObjectName(QStringLiteral("Fluid"));
    for (const int index : TemperatureFluids()) {
        fluid->addItem(KIND_OF_FLUIDCombo->itemText(index), index);
    }
    // The water chosen in the window, if it is one the equations know.
    fluid->setCurrentIndex(std::max(0, fluid->findData(KIND_OF_FLUIDCombo->currentIndex())));
    auto* temperature = new FieldEdit(&dialog);
    temperature->setObjectName(QStringLiteral("Temperature"));
    temperature->setMaxLength(6);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* form = new QFormLayout(&dialog);
    form->addRow(text(Catalogue::Id::KindOfFluid), fluid);
    form->addRow(FromUtf8(TemperatureCaption(ModCommonProc::UnitFlag, ModCommonProc::StringBase)),
                 temperature);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const FluidAtTemperature water =
            VelocityFromTemperature(fluid->currentData().toInt(), temperature->text().toStdString(),
                                    ModCommonProc::UnitFlag, ModCommonProc::StringBase);
        if (!water.Error.empty()) {
            QuillmereUi::ShowMessage(&dialog, FromUtf8(water.Error)); // the dialog stays open
            temperature->setFocus(Qt::OtherFocusReason);
            temperature->selectAll();
            return;
        }
        KIND_OF_FLUIDCombo->setCurrentIndex(FluidUserEntry);
        FLUID_S_VText->setText(FromUtf8(water.VelocityText));
        helperNotes_.FluidTemperature = water.Note;
        helperNotes_.FluidVelocity = water.VelocityText;
        dialog.accept();
    });
    dialog.exec();
}

void frmCalc::ChooseStandardPipe() {
    QuillmereUi::StandardPipeDialog dialog(this, *PIPE_MATERIALCombo, pipeSelection_,
                                           ModCommonProc::StringBase);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    pipeSelection_ = dialog.Chosen();
    const PipeChoice choice = dialog.Texts(ModCommonProc::UnitFlag);
    PIPE_MATERIALCombo->setCurrentIndex(
        PipeMaterialWith(dialog.Table(), PIPE_MATERIALCombo->currentIndex()));
    helperNotes_.PipeSize = PipeSizeNote(choice);
    helperNotes_.Outer = choice.OuterText;
    helperNotes_.Wall = choice.WallText;
    OUTER_DIAMETERText->setText(FromUtf8(choice.OuterText));
    WALL_THICKNESSText->setText(FromUtf8(choice.WallText));
    lastFocusOutReason_ = Qt::OtherFocusReason;
    if (CheckLeavingField(RowOf(InputField::OuterDiameter))) {
        CheckLeavingField(RowOf(InputField::WallThickness));
    }
}

void frmCalc::ShowHelp() { QuillmereUi::ShowMessage(this, text(Catalogue::ReportText::HelpText)); }

void frmCalc::ShowAbout() {
    // The file read last; the default name's doubled separator names the same file.
    std::string config = ModCommonProc::ConfigPath;
    for (std::size_t doubled; (doubled = config.find("//")) != std::string::npos;) {
        config.erase(doubled, 1);
    }
    config = QFile::decodeName(QByteArray::fromStdString(config)).toHtmlEscaped().toStdString();
    QuillmereUi::ShowMessage(
        this, FromUtf8(Catalogue::Fill(Catalogue::Text(Catalogue::ReportText::AboutText,
                                                       ModCommonProc::StringBase),
                                       {QUILLMERE_VERSION, config})));
}

QString frmCalc::ReportFont() const {
    // The faces the window's fonts stand for here; Japanese needs one that covers it.
    return ModCommonProc::LangFlag == 0 ? QStringLiteral("IPAGothic") : QStringLiteral("Liberation Sans");
}

void frmCalc::AddJobEntries(QMenu& menu) const {
    menu.addActions({CopySummaryAction, SaveReportAction, PrintAction});
    menu.addSeparator();
    menu.addActions({StandardPipeAction, FluidAtTemperatureAction});
    menu.addSeparator();
    menu.addActions({HelpAction, AboutAction});
}

void frmCalc::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    AddJobEntries(menu);
    menu.exec(event->globalPos());
}

bool frmCalc::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        // A text field keeps its own edit menu; the job's entries follow below it.
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field != nullptr && field->window() == this) {
            std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
            menu->addSeparator();
            AddJobEntries(*menu);
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        // A list takes the event and shows nothing: the window's menu stands in.
        auto* list = qobject_cast<QComboBox*>(watched);
        if (list != nullptr && list->window() == this) {
            contextMenuEvent(static_cast<QContextMenuEvent*>(event));
            return true;
        }
    }
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
