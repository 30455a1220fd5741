#include "ui/CalculatorWindow.h"

#include "catalogue/Catalogue.h"
#include "engine/Engine.h"
#include "rules/HowSure.h"
#include "rules/Rules.h"
#include "shell/RunSettings.h"
#include "ui/FluidAtTemperatureDialog.h"
#include "ui/MessageBox.h"
#include "ui/OwnTextsFont.h"
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
    const bool wanted = RunSettings::Lang == Language::Japanese;
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

CalculatorWindow::CalculatorWindow(QWidget* parent)
    : QWidget(parent), PrintModuleFolder(QCoreApplication::applicationDirPath()) {
    LoadUiResources();
    UseQtTextsOfRunLanguage();
    setObjectName(QStringLiteral("frmCalc"));
    CreateControls();
    ConnectHandlers();
    LoadTextsAndLists();
    CreateJobActions();
    CreateMenuBar();
}

CalculatorWindow::~CalculatorWindow() {
    qApp->removeEventFilter(this);
}

void CalculatorWindow::ConnectHandlers() {
    connect(PipeMaterialList, &QComboBox::currentIndexChanged, this,
            &CalculatorWindow::PipeMaterialChosen);
    connect(LiningMaterialList, &QComboBox::currentIndexChanged, this,
            &CalculatorWindow::LiningMaterialChosen);
    connect(FluidList, &QComboBox::currentIndexChanged, this, &CalculatorWindow::FluidChosen);
    connect(ExecuteButton, &QPushButton::clicked, this, &CalculatorWindow::ExecuteJob);

    for (const InputRow& row : InputRows) {
        connect(this->*row.Text, &FieldEdit::FocusLeft, this, [this, &row](Qt::FocusReason reason) {
            lastFocusOutReason_ = reason;
            CheckLeavingField(row);
        });
    }
    // A result belongs to the inputs on screen: any change of them empties it, so that a
    // failed press can never leave an earlier spacing beside new inputs.
    for (const InputRow& row : InputRows) {
        connect(this->*row.Text, &QLineEdit::textChanged, this, &CalculatorWindow::ClearResults);
        connect(this->*row.Text, &QLineEdit::returnPressed, this,
                [this, &row] { ExecuteFromField(row); });
    }
    for (QComboBox* list :
         {PipeMaterialList, MountMethodList, SensorTypeList, LiningMaterialList, FluidList}) {
        connect(list, &QComboBox::currentIndexChanged, this, &CalculatorWindow::ClearResults);
    }
    connect(MountMethodList, &QComboBox::currentIndexChanged, this, [this](int index) {
        CircumferentialCaption->setEnabled(index == static_cast<int>(MountMethod::Z));
    });
    qApp->installEventFilter(this);
}

void CalculatorWindow::ClearResults() {
    Result1Edit->clear();
    Result2Edit->clear();
    CircumferentialEdit->clear();
    Result1Edit->setToolTip(QString());
}

QString CalculatorWindow::text(std::int16_t id) const {
    return FromUtf8(Catalogue::Text(id, RunSettings::Lang));
}

void CalculatorWindow::BuildWorkingFont(int pointSize, bool bold) {
    QFont font(QString::fromStdString(RunSettings::UiFontName));
    font.setPointSize(pointSize);
    font.setBold(bold);
    workingFont_ = font;
}

void CalculatorWindow::AssignWorkingFont(QWidget* control, Shows shows) {
    // What the user typed may need other faces, and so may whatever inherits the font (the
    // window's own reaches its dialogs and messages): said outright, so that a parent's font
    // drawn without them does not carry over.
    QFont font = *workingFont_;
    font.setStyleStrategy(QFont::PreferDefault);
    control->setFont(shows == Shows::OwnTexts ? QuillmereUi::OwnTextsFont(font, *control) : font);
}

void CalculatorWindow::FillList(QComboBox* list, const QStringList& source) {
    const QSignalBlocker quiet(list); // a list has no selection until the defaults are set
    list->clear();
    const int count = source.value(0).toInt();
    for (int i = 1; i <= count; ++i) {
        list->addItem(source.value(i));
    }
    AssignWorkingFont(list);
    list->setCurrentIndex(-1);
}

void CalculatorWindow::SetLocked(QLineEdit* field, bool locked) {
    field->setReadOnly(locked);
    QPalette palette = field->palette();
    const QPalette app = QApplication::palette();
    palette.setColor(QPalette::Base,
                     locked ? app.color(QPalette::Button) : app.color(QPalette::Base));
    field->setPalette(palette);
}

// The steps run in this order: each sets the working font its controls take.
void CalculatorWindow::LoadTextsAndLists() {
    // 1. Fixed size (no resizing) is set with the geometry.
    LoadCaptions();
    LoadUnitLabels();
    LoadLists();
    LoadMarks();
    LoadDefaults();
    LoadLimitsAndNames();
}

// 2. Captions in the run's language, bold 12 pt; 3. the title and the window's own font.
void CalculatorWindow::LoadCaptions() {
    namespace Id = Catalogue::Id;
    BuildWorkingFont(12, true);
    for (const InputRow& row : InputRows) {
        (this->*row.Caption)->setText(text(FieldOf(row.Field).CaptionId));
        AssignWorkingFont(this->*row.Caption);
    }
    const std::pair<QLabel*, QString> captions[] = {
        {PipeMaterialCaption, text(Id::PipeMaterial)},
        {LiningMaterialCaption, text(Id::LiningMaterial)},
        {FluidCaption, text(Id::KindOfFluid)},
        {MountMethodCaption, text(Id::SensorMount)},
        {SensorTypeCaption, text(Id::SensorType)},
        {Spacing1Caption, text(Id::SensorSpacing) + QLatin1Char('1')},
        {Spacing2Caption, text(Id::SensorSpacing) + QLatin1Char('2')},
        {CircumferentialCaption, text(Catalogue::CalcText::Circumferential)},
    };
    for (const auto& [label, caption] : captions) {
        label->setText(caption);
        AssignWorkingFont(label);
    }
    ExecuteButton->setText(text(Id::Execute));
    AssignWorkingFont(ExecuteButton);
    ResultFrame->setTitle(text(Id::CalculationResult));
    AssignWorkingFont(ResultFrame);

    BuildWorkingFont(8, false);
    setWindowTitle(text(Id::TitleFirst) + QStringLiteral(" - ") + text(Id::TitleSecond));
    AssignWorkingFont(this, Shows::AnyText);
}

// 4. Unit labels of the rows and of the spacing; 5. range labels, in their design font.
void CalculatorWindow::LoadUnitLabels() {
    const UnitSystem units = RunSettings::Units;
    UnitNames = UnitNamesOf(units);
    for (const InputRow& row : InputRows) {
        (this->*row.Unit)->setText(FromUtf8(UnitLabelText(UnitOf(row.Field, units))));
        AssignWorkingFont(this->*row.Unit);
    }
    SpacingUnit->setText(FromUtf8(UnitLabelText(UnitNames[0])));
    AssignWorkingFont(SpacingUnit);
    CircumferentialUnit->setText(SpacingUnit->text());
    AssignWorkingFont(CircumferentialUnit);
    workingFont_.reset();

    RangeLimits = RangeLimitsOf(units);
    for (const InputRow& row : InputRows) {
        (this->*row.Range)->setText(FromUtf8(RangeLabelText(row.Field, units)));
    }
}

// 6. 7. The list sources, looked up once; 8. 9. lists and input fields, 12 pt.
void CalculatorWindow::LoadLists() {
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
    FillList(PipeMaterialList, PipeMaterialNames);
    FillList(FluidList, FluidKindNames);
    FillList(LiningMaterialList, LiningMaterialNames);
    FillList(MountMethodList, MountMethodNames);
    FillList(SensorTypeList, SensorTypeNames);
    for (const InputRow& row : InputRows) {
        AssignWorkingFont(this->*row.Text, Shows::AnyText);
    }
}

// 10. Results in bold red; 11. required-input marks, larger in English; 12. the label
// naming the stepped sensor types.
void CalculatorWindow::LoadMarks() {
    BuildWorkingFont(12, true);
    for (QLineEdit* result : {Result1Edit, Result2Edit, CircumferentialEdit}) {
        AssignWorkingFont(result);
        QPalette palette = result->palette();
        palette.setColor(QPalette::Text, QColor(255, 0, 0));
        result->setPalette(palette);
    }

    BuildWorkingFont(RunSettings::Lang == Language::English ? 14 : 12, true);
    for (QLabel* mark : RequiredMarks) {
        mark->setText(QStringLiteral("*"));
        AssignWorkingFont(mark);
    }
    RequiredNote->setText(QStringLiteral("* ") + text(Catalogue::Id::Input));
    AssignWorkingFont(RequiredNote);

    BuildWorkingFont(10, false);
    SteppedTypesNote->setText(FromUtf8(SteppedSensorTypesText));
    AssignWorkingFont(SteppedTypesNote);
    workingFont_.reset();
}

// 13. The velocity tables and sensor records are the engine's constants.
// 14. Default selections, each running its list's handler; 15. the velocity-related
// fields start in the table state.
void CalculatorWindow::LoadDefaults() {
    for (QComboBox* list :
         {PipeMaterialList, MountMethodList, SensorTypeList, LiningMaterialList, FluidList}) {
        list->setCurrentIndex(0);
    }
    for (QLineEdit* field :
         {static_cast<QLineEdit*>(PipeVelocityEdit), static_cast<QLineEdit*>(LiningVelocityEdit),
          static_cast<QLineEdit*>(LiningThicknessEdit),
          static_cast<QLineEdit*>(FluidVelocityEdit)}) {
        SetLocked(field, true);
    }
}

// 16. Typing limits: the length of each field's longest limit text. Screen readers
// announce the caption, not the object name, and the range a sighted user reads below.
void CalculatorWindow::LoadLimitsAndNames() {
    const UnitSystem units = RunSettings::Units;
    for (const InputRow& row : InputRows) {
        (this->*row.Text)->setMaxLength(MaxInputLength(row.Field, units));
        (this->*row.Text)->setAccessibleName((this->*row.Caption)->text());
        (this->*row.Text)->setAccessibleDescription((this->*row.Range)->text());
    }
    const std::pair<QWidget*, QLabel*> accessible[] = {
        {PipeMaterialList, PipeMaterialCaption},
        {MountMethodList, MountMethodCaption},
        {SensorTypeList, SensorTypeCaption},
        {LiningMaterialList, LiningMaterialCaption},
        {FluidList, FluidCaption},
        {Result1Edit, Spacing1Caption},
        {Result2Edit, Spacing2Caption},
        {CircumferentialEdit, CircumferentialCaption},
    };
    for (const auto& [control, caption] : accessible) {
        control->setAccessibleName(caption->text());
    }
}

// Open: the typed value counts and the row's mark is on; closed: locked, greyed, mark off.
void CalculatorWindow::SetRowOpen(const InputRow& row, bool open) {
    SetLocked(this->*row.Text, !open);
    RequiredMarks[static_cast<std::size_t>(row.Mark)]->setEnabled(open);
}

void CalculatorWindow::PipeMaterialChosen() {
    UpdateOpenRows();
}

// No lining needs neither velocity nor thickness; a named lining needs its thickness.
void CalculatorWindow::LiningMaterialChosen() {
    UpdateOpenRows();
}

void CalculatorWindow::FluidChosen() {
    UpdateOpenRows();
}

void CalculatorWindow::UpdateOpenRows() {
    for (const InputRow& row : InputRows) {
        SetRowOpen(row, RowOpen(row.Field, PipeMaterialList->currentIndex(),
                                LiningMaterialList->currentIndex(), FluidList->currentIndex()));
    }
}

// The entries as the controls hold them; `texts` keeps the field texts alive.
// The job the controls hold, with the job details kept for the run.
Job CalculatorWindow::JobOnScreen() const {
    Job job;
    job.Units = RunSettings::Units;
    job.Lang = RunSettings::Lang;
    job.SensorTypeIndex = SensorTypeList->currentIndex();
    job.PipeMaterialIndex = PipeMaterialList->currentIndex();
    job.LiningMaterialIndex = LiningMaterialList->currentIndex();
    job.FluidIndex = FluidList->currentIndex();
    job.MountMethodIndex = MountMethodList->currentIndex();
    for (const InputRow& row : InputRows) {
        job.Text(row.Field) = (this->*row.Text)->text().toStdString();
    }
    job.PipeVelocityLocked = PipeVelocityEdit->isReadOnly();
    job.LiningVelocityLocked = LiningVelocityEdit->isReadOnly();
    job.FluidVelocityLocked = FluidVelocityEdit->isReadOnly();
    job.Identity = identity_;
    // A plus/minus given for an input the inputs now on screen do not read is not this job's.
    job.Uncertain.MeasuredFluidVelocity = uncertainty_.MeasuredFluidVelocity;
    for (const InputField field : InputsRead(job)) {
        job.Uncertain.Of(field) = uncertainty_.Of(field);
    }
    job.Point = site_;
    return job;
}

void CalculatorWindow::ExecuteJob() {
    JobRecord job;
    try {
        job = RecordJob(JobOnScreen(), MountMethodList->count());
    } catch (const EngineError& error) {
        QuillmereUi::ShowMessage(this, FromUtf8(ErrorDescription(error, RunSettings::Lang)));
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
    Result1Edit->setText(FromUtf8(job.Outcome.Display.Result1));
    Result2Edit->setText(FromUtf8(job.Outcome.Display.Result2));
    CircumferentialEdit->setText(FromUtf8(job.Outcome.Display.Circumferential));
    // A spacing the clamp raised to 0 is no place to mount the sensors: the press says so
    // in a box over the result, and the field keeps the note on hover (rich text, so that
    // the tip wraps) for as long as the result stands.
    const QString note = FromUtf8(BelowZeroNote(job));
    Result1Edit->setToolTip(note.isEmpty() ? note
                                           : QStringLiteral("<p>%1</p>").arg(note.toHtmlEscaped()));
    if (!note.isEmpty()) {
        QuillmereUi::ShowMessage(this, note);
    }
    AddHelperNotes(job, helperNotes_);
    KeepJob(job);
}

const CalculatorWindow::InputRow& CalculatorWindow::RowOf(InputField field) {
    return *std::find_if(InputRows.begin(), InputRows.end(),
                         [field](const InputRow& row) { return row.Field == field; });
}

bool CalculatorWindow::CheckLeavingField(const InputRow& row) {
    if (refusing_) {
        return false; // the focus is on its way back to a refused field
    }
    QLineEdit* field = this->*row.Text;
    const std::int16_t message =
        LeaveFieldMessageId(field->text().toStdU16String(), row.Field, RunSettings::Units);
    if (message != 0) {
        Refuse(field, message);
        return false;
    }
    return true;
}

void CalculatorWindow::Refuse(QLineEdit* field, std::int16_t messageId) {
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
void CalculatorWindow::ExecuteFromField(const InputRow& row) {
    lastFocusOutReason_ = Qt::OtherFocusReason;
    if (CheckLeavingField(row)) {
        ExecuteJob();
    }
}

void CalculatorWindow::ChooseFluidAtTemperature() {
    QuillmereUi::FluidAtTemperatureDialog dialog(this, *FluidList, RunSettings::Units,
                                                 RunSettings::Lang);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const FluidAtTemperature& water = dialog.Result();
    FluidList->setCurrentIndex(FluidUserEntry);
    FluidVelocityEdit->setText(FromUtf8(water.VelocityText));
    helperNotes_.FluidTemperature = water.Note;
    helperNotes_.FluidVelocity = water.VelocityText;
    // The converter's check turns a measured velocity back into a temperature by it.
    helperNotes_.Fluid = FluidSource{water.Celsius, water.State, water.Equation};
}

void CalculatorWindow::ChooseStandardPipe() {
    QuillmereUi::StandardPipeDialog dialog(this, *PipeMaterialList, pipeSelection_,
                                           RunSettings::Lang);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    pipeSelection_ = dialog.Chosen();
    const PipeChoice choice = dialog.Texts(RunSettings::Units);
    PipeMaterialList->setCurrentIndex(
        PipeMaterialWith(dialog.Table(), PipeMaterialList->currentIndex()));
    helperNotes_.PipeSize = PipeSizeNote(choice);
    helperNotes_.Outer = choice.OuterText;
    helperNotes_.Wall = choice.WallText;
    OuterDiameterEdit->setText(FromUtf8(choice.OuterText));
    WallEdit->setText(FromUtf8(choice.WallText));
    if (choice.Lining != nullptr) {
        LiningMaterialList->setCurrentIndex(MortarEntry);
        LiningThicknessEdit->setText(FromUtf8(choice.LiningText));
        helperNotes_.LiningStandard = LiningStandardName(choice);
        helperNotes_.Lining = choice.LiningText;
    }
    lastFocusOutReason_ = Qt::OtherFocusReason;
    if (CheckLeavingField(RowOf(InputField::OuterDiameter))) {
        CheckLeavingField(RowOf(InputField::WallThickness));
    }
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
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
