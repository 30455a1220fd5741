#pragma once

// The calculator window: its controls, their initialisation, the leave-field checks, the
// list-selection handlers and the execute command. Reads the shell's run-wide settings and
// the catalogue's texts; the checks, the reading of the entries and the computation are
// the rules layer's, shared with every other front end.

#include "ui/FieldEdit.h"
#include "ui/StandardPipeDialog.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

#include "report/JobSheet.h"
#include "rules/Fields.h"
#include "rules/JobRecord.h"
#include "shell/JobsFile.h"

class QAction;
class QComboBox;
class QContextMenuEvent;
class QMenu;
class QMenuBar;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalculatorWindow(QWidget* parent = nullptr);
    ~CalculatorWindow() override;

    // Left column.
    QLabel* OuterDiameterCaption;
    FieldEdit* OuterDiameterEdit;
    QLabel* OuterDiameterRange;
    QLabel* PipeMaterialCaption;
    QComboBox* PipeMaterialList;
    QLabel* PipeVelocityCaption; // the pipe sound velocity row
    FieldEdit* PipeVelocityEdit;
    QLabel* PipeVelocityRange;
    QLabel* WallCaption;
    FieldEdit* WallEdit;
    QLabel* WallRange;
    QLabel* MountMethodCaption;
    QComboBox* MountMethodList;
    QLabel* SensorTypeCaption;
    QComboBox* SensorTypeList;

    // Right column.
    QLabel* LiningMaterialCaption;
    QComboBox* LiningMaterialList;
    QLabel* LiningVelocityCaption;
    FieldEdit* LiningVelocityEdit;
    QLabel* LiningVelocityRange;
    QLabel* LiningThicknessCaption;
    FieldEdit* LiningThicknessEdit;
    QLabel* LiningThicknessRange;
    QLabel* FluidCaption;
    QComboBox* FluidList;
    QLabel* FluidVelocityCaption;
    FieldEdit* FluidVelocityEdit;
    QLabel* FluidVelocityRange;

    // Marks, unit labels and the result area.
    std::array<QLabel*, 11> RequiredMarks;
    QLabel* RequiredNote;
    // The unit labels beside the fields and the spacing: "[mm]", "[m/s]".
    QLabel* OuterDiameterUnit;
    QLabel* PipeVelocityUnit;
    QLabel* WallUnit;
    QLabel* LiningVelocityUnit;
    QLabel* LiningThicknessUnit;
    QLabel* FluidVelocityUnit;
    QLabel* SpacingUnit;
    QGroupBox* ResultFrame;
    QLabel* Spacing1Caption;
    QLabel* Spacing2Caption;
    QLineEdit* Result1Edit;
    QLineEdit* Result2Edit;
    QLabel* SteppedTypesNote;
    QPushButton* ExecuteButton;
    // Below EXECUTE: the Z method's circumferential distance, how the installer finds the
    // opposite side; its caption greyed while the V method is chosen.
    QLabel* CircumferentialCaption;
    QLineEdit* CircumferentialEdit;
    QLabel* CircumferentialUnit;

    // Event handlers.
    void LoadTextsAndLists();
    void PipeMaterialChosen();
    void LiningMaterialChosen();
    void FluidChosen();
    // Locks and opens the velocity and lining rows as the three lists' choices say.
    void UpdateOpenRows();
    void ExecuteJob();

    // The six numeric input rows, in focus order: the one table that creation, LoadTextsAndLists,
    // the leave-field checks and the handlers all work from.
    struct InputRow {
        Quillmere::InputField Field; // its record names the controls: caption, + "Text", + "_RANGE"
        QLabel* CalculatorWindow::*Caption;
        FieldEdit* CalculatorWindow::*Text;
        QLabel* CalculatorWindow::*Range;
        const char* UnitName; // the unit label's object name
        QLabel* CalculatorWindow::*Unit;
        int Mark;         // its element of RequiredMarks
        bool RightColumn; // design place: column and row of the input grid
        int GridRow;
        const char* DesignCaption; // design texts, replaced by LoadTextsAndLists
        const char* DesignRange;
        const char* DesignUnit;
    };
    static const std::array<InputRow, 6> InputRows;
    static const InputRow& RowOf(Quillmere::InputField field);

    // The record of a job, reached by the context menu and shortcuts; copy, save and
    // print only while a result is shown, so they never record a stale spacing.
    QAction* CopySummaryAction;
    QAction* SaveReportAction;
    QAction* PrintAction;
    QAction* HelpAction;
    QAction* AboutAction;
    QAction* FluidAtTemperatureAction;
    QAction* StandardPipeAction;
    QAction* JobDetailsAction;
    QAction* HowSureAction;        // only while a result is shown
    QAction* MeasuringPointAction; // likewise: the runs are in the pipe's diameters
    QAction* QuitAction;
    // The menu bar over the form, in the window's language, offering every action above.
    QMenuBar* MenuBar;
    QMenu* RecentJobsMenu; // File > Recent jobs: the last 10 jobs of the jobs file
    void CopyJobSummary();
    void SaveReport();
    void PrintReport();
    void ShowHelp();
    void ShowAbout();
    // Asks for water and its temperature; OK chooses FLUID S.V. and types the velocity.
    void ChooseFluidAtTemperature();
    // Asks for a standard, size and schedule; OK types their OUTER DIAMETER and WALL
    // THICKNESS, which then pass the fields' own checks.
    void ChooseStandardPipe();
    // Asks for the job's site, tag, installer and note, kept for the run: they head every
    // summary and report, and the tag names the report's file.
    void ChooseJobDetails();
    // The plus/minus of the inputs and the converter's measured velocity for the result on
    // screen, kept for the run: every record of a job carries what of them it read.
    void ChooseHowSure();
    // The fittings around the measuring point, the runs the site has and the pipe's run,
    // kept for the run as the plus/minus are: every record carries the runs and places.
    void ChooseMeasuringPoint();
    void CloseWindow(); // File > Quit
    // The jobs file: every result EXECUTE writes is appended to it as a line of a job sheet
    // quillmere-calc takes ($XDG_DATA_HOME/quillmere/jobs.csv).
    static QString JobsFilePath();
    // Restores a job read from the jobs file: its inputs, lists and identity, with the results
    // empty until EXECUTE; a job of other units or a method the window lacks is refused.
    void RestoreJob(const Quillmere::SheetJob& job);
    // The summary of the job on screen, as copied; empty while no result is shown.
    QString JobSummaryText() const;
    // Where Print looks for its module: beside the program.
    QString PrintModuleFolder;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void CreateInputRows();
    void CreateListsAndMarks();
    void CreateResultArea();
    void SetFocusOrder();
    void CreateJobActions();
    void CreateMenuBar();
    void KeepJob(const Quillmere::JobRecord& job);
    void FillRecentJobs();
    Quillmere::JobsFile& Jobs(); // opened at the first job or look at the recent ones
    void ReportJobsFile(const Quillmere::JobsFile::Outcome& outcome);
    void LoadCaptions();
    void LoadUnitLabels();
    void LoadLists();
    void LoadMarks();
    void LoadDefaults();
    void LoadLimitsAndNames();
    void ClearResults();
    void UpdateJobActions();
    void ExecuteFromField(const InputRow& row);
    std::optional<Quillmere::JobRecord> CurrentJob() const;
    QString ReportFont() const;
    void AddJobEntries(QMenu& menu) const;
    Quillmere::Job JobOnScreen() const;
    void ConnectHandlers();
    QString text(std::int16_t id) const;
    void BuildWorkingFont(int pointSize, bool bold);
    // Whether a control shows only the program's own texts, all of which the run's face
    // covers, or may show what the user typed or chose.
    enum class Shows { OwnTexts, AnyText };
    void AssignWorkingFont(QWidget* control, Shows shows = Shows::OwnTexts);
    void FillList(QComboBox* list, const QStringList& source);
    bool CheckLeavingField(const InputRow& row);
    void Refuse(QLineEdit* field, std::int16_t messageId);
    static void SetLocked(QLineEdit* field, bool locked);
    void SetRowOpen(const InputRow& row, bool open);

    // Filled once by LoadTextsAndLists, read-only afterwards.
    QStringList PipeMaterialNames;
    QStringList FluidKindNames;
    QStringList LiningMaterialNames;
    QStringList MountMethodNames;
    QStringList SensorTypeNames;
    Quillmere::UnitNamesSet UnitNames{};
    Quillmere::RangeLimitsSet RangeLimits{};

    std::optional<QFont> workingFont_;
    Qt::FocusReason lastFocusOutReason_ = Qt::OtherFocusReason;
    bool refusing_ = false;              // a refusal is on screen: other fields' checks wait
    bool swallowNextPress_ = false;      // the click that moved the focus met a refusal
    Quillmere::HelperNotes helperNotes_; // what the two helpers typed, for the record
    // The standard pipe dialog opens where it was left in this run.
    QuillmereUi::StandardPipeDialog::Selection pipeSelection_;
    Quillmere::JobIdentity identity_;    // the job details, until changed or the window closes
    Quillmere::Uncertainty uncertainty_; // "How sure...", as long as identity_
    Quillmere::SiteInput site_;          // "Measuring point...", as long as identity_
    std::optional<Quillmere::JobsFile> jobsFile_;
    bool jobsFileReported_ = false;               // what the jobs file cannot do is said once
    std::vector<Quillmere::SheetJob> recentJobs_; // as File > Recent jobs lists them
};

// Maps the window's font names to faces that exist here (IPAGothic, Liberation Sans, ...).
void InstallFontSubstitutes();
