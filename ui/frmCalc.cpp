#include "ui/frmCalc.h"

#include "catalogue/Catalogue.h"
#include "engine/Engine.h"
#include "rules/Rules.h"
#include "shell/ModCommonProc.h"
#include "ui/FluidAtTemperatureDialog.h"
#include "ui/MessageBox.h"
#include "ui/StandardPipeDialog.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <memory>

using namespace Quillmere;
using QuillmereUi::FromUtf8;

// The icons live in the ui library; a static library needs its resources pulled in by name.
static void LoadUiResources() {
    Q_INIT_RESOURCE(resources);
}

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
    CreateMenuBar();
}

frmCalc::~frmCalc() {
    qApp->removeEventFilter(this);
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

void frmCalc::AssignWorkingFont(QWidget* control) {
    control->setFont(*workingFont_);
}

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
    palette.setColor(QPalette::Base,
                     locked ? app.color(QPalette::Button) : app.color(QPalette::Base));
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
    MountMethodNames = source(std::span(MountMethods).first(WindowMountMethods))
                       << QString() << QString();
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
    for (QLineEdit* field :
         {static_cast<QLineEdit*>(TRANS_FREQUENCYText), static_cast<QLineEdit*>(LINING_S_VText),
          static_cast<QLineEdit*>(LINING_THICKNESSText), static_cast<QLineEdit*>(FLUID_S_VText)}) {
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
        {PIPE_MATERIALCombo, PIPE_MATERIAL}, {SENSOR_MOUNTCombo, SENSOR_MOUNT},
        {SENSOR_TYPECombo, SENSOR_TYPE},     {LINING_MATERIALCombo, LINING_MATERIAL},
        {KIND_OF_FLUIDCombo, KIND_OF_FLUID}, {txtResult1Text, MOUNT_SIZE1},
        {txtResult2Text, MOUNT_SIZE2},       {txtCircumferentialText, CIRCUMFERENTIAL},
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

void frmCalc::PIPE_MATERIALCombo_Click() {
    UpdateOpenRows();
}

// No lining needs neither velocity nor thickness; a named lining needs its thickness.
void frmCalc::LINING_MATERIALCombo_Click() {
    UpdateOpenRows();
}

void frmCalc::KIND_OF_FLUIDCombo_Click() {
    UpdateOpenRows();
}

void frmCalc::UpdateOpenRows() {
    for (const InputRow& row : InputRows) {
        SetRowOpen(row, RowOpen(row.Field, PIPE_MATERIALCombo->currentIndex(),
                                LINING_MATERIALCombo->currentIndex(),
                                KIND_OF_FLUIDCombo->currentIndex()));
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
        QuillmereUi::ShowMessage(this,
                                 FromUtf8(ErrorDescription(error, ModCommonProc::StringBase)));
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
    AddHelperNotes(job, helperNotes_);
    job.Identity = identity_;
    KeepJob(job);
}

const frmCalc::InputRow& frmCalc::RowOf(InputField field) {
    return *std::find_if(InputRows.begin(), InputRows.end(),
                         [field](const InputRow& row) { return row.Field == field; });
}

void frmCalc::OUTER_DIAMETERText_LostFocus() {
    CheckLeavingField(RowOf(InputField::OuterDiameter));
}
void frmCalc::TRANS_FREQUENCYText_LostFocus() {
    CheckLeavingField(RowOf(InputField::PipeVelocity));
}
void frmCalc::WALL_THICKNESSText_LostFocus() {
    CheckLeavingField(RowOf(InputField::WallThickness));
}
void frmCalc::LINING_S_VText_LostFocus() {
    CheckLeavingField(RowOf(InputField::LiningVelocity));
}
void frmCalc::LINING_THICKNESSText_LostFocus() {
    CheckLeavingField(RowOf(InputField::LiningThickness));
}
void frmCalc::FLUID_S_VText_LostFocus() {
    CheckLeavingField(RowOf(InputField::FluidVelocity));
}

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

void frmCalc::ChooseFluidAtTemperature() {
    QuillmereUi::FluidAtTemperatureDialog dialog(this, *KIND_OF_FLUIDCombo, ModCommonProc::UnitFlag,
                                                 ModCommonProc::StringBase);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const FluidAtTemperature& water = dialog.Result();
    KIND_OF_FLUIDCombo->setCurrentIndex(FluidUserEntry);
    FLUID_S_VText->setText(FromUtf8(water.VelocityText));
    helperNotes_.FluidTemperature = water.Note;
    helperNotes_.FluidVelocity = water.VelocityText;
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
    if (choice.Lining != nullptr) {
        LINING_MATERIALCombo->setCurrentIndex(MortarEntry);
        LINING_THICKNESSText->setText(FromUtf8(choice.LiningText));
        helperNotes_.LiningStandard = LiningStandardName(choice);
        helperNotes_.Lining = choice.LiningText;
    }
    lastFocusOutReason_ = Qt::OtherFocusReason;
    if (CheckLeavingField(RowOf(InputField::OuterDiameter))) {
        CheckLeavingField(RowOf(InputField::WallThickness));
    }
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
    if (swallowNextPress_ && (event->type() == QEvent::MouseButtonPress ||
                              event->type() == QEvent::MouseButtonDblClick)) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            swallowNextPress_ = false;
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
