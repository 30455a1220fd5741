// The window's menu bar, and the day's jobs: every computed job appended to the jobs file,
// the last ones offered again under File > Recent jobs.
#include "ui/CalculatorWindow.h"

#include "catalogue/Catalogue.h"
#include "rules/Lists.h"
#include "rules/Words.h"
#include "shell/RunSettings.h"
#include "ui/MessageBox.h"
#include "ui/OwnTextsFont.h"
#include "ui/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>

using namespace Quillmere;
using QuillmereUi::FromUtf8;

namespace {

// Jobs shown under File > Recent jobs.
constexpr std::size_t RecentJobCount = 10;
// A jobs file larger than this is read from its end only: its last jobs are the ones shown.
constexpr std::size_t RecentJobsReadLimit = 4 * 1024 * 1024;

QString Escaped(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&")); // not an access key
}

} // namespace

void CalculatorWindow::CloseWindow() {
    close();
}

void CalculatorWindow::CreateMenuBar() {
    namespace M = Catalogue::MenuText;
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    MenuBar->setNativeMenuBar(false); // over the form, on every desktop
    // The run language's face, as the form's: the desktop's default would follow the locale.
    QFont font(QString::fromStdString(RunSettings::UiFontName));
    font.setPointSize(10);
    font.setStyleStrategy(QFont::PreferDefault); // the menus' own, not the bar's below
    MenuBar->setFont(font);
    const auto menu = [this, &font](std::int16_t id, const char* name) {
        QMenu* m = MenuBar->addMenu(text(id));
        m->setObjectName(QString::fromLatin1(name));
        m->setFont(font);
        return m;
    };
    QMenu* file = menu(M::File, "FileMenu");
    file->addActions({SaveReportAction, PrintAction});
    file->addSeparator();
    RecentJobsMenu =
        file->addMenu(QuillmereUi::WithAccessKey(text(M::RecentJobs), QLatin1Char('R')));
    RecentJobsMenu->setObjectName(QStringLiteral("RecentJobsMenu"));
    RecentJobsMenu->setFont(font);
    connect(RecentJobsMenu, &QMenu::aboutToShow, this, &CalculatorWindow::FillRecentJobs);
    file->addSeparator();
    file->addAction(QuitAction);
    menu(M::Edit, "EditMenu")->addAction(CopySummaryAction);
    menu(M::Tools, "ToolsMenu")
        ->addActions({StandardPipeAction, FluidAtTemperatureAction, JobDetailsAction, HowSureAction,
                      MeasuringPointAction});
    menu(M::HelpMenu, "HelpMenu")->addActions({HelpAction, AboutAction});
    // The titles are the program's own, as the form's captions; the menus keep the font that
    // falls back, for they may list what the user typed (File > Recent jobs).
    MenuBar->setFont(QuillmereUi::OwnTextsFont(font, *MenuBar));

    // The form keeps its design places below the bar: the window grows by the bar's height.
    const int bar = MenuBar->sizeHint().height();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child != MenuBar && !child->isWindow()) {
            child->move(child->x(), child->y() + bar);
        }
    }
    setFixedSize(width(), height() + bar);
    MenuBar->setGeometry(0, 0, width(), bar);
}

QString CalculatorWindow::JobsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quillmere/jobs.csv");
}

// What the jobs file could not do, said once a run: the window goes on computing.
void CalculatorWindow::ReportJobsFile(const JobsFile::Outcome& outcome) {
    if (outcome.Ok() || jobsFileReported_) {
        return;
    }
    jobsFileReported_ = true;
    namespace M = Catalogue::MenuText;
    const Language lang = RunSettings::Lang;
    const std::string file = QDir::toNativeSeparators(JobsFilePath()).toStdString();
    std::int16_t id = M::JobsNotKept;
    switch (outcome.What) {
    case JobsFile::Problem::NotRegularFile:
        id = M::NotRegularFile;
        break;
    case JobsFile::Problem::OtherColumns:
        id = M::OtherColumns;
        break;
    case JobsFile::Problem::UnfinishedRow:
        id = M::UnfinishedRow;
        break;
    default:
        break;
    }
    QuillmereUi::ShowMessage(
        this, FromUtf8(Catalogue::Fill(Catalogue::Text(id, lang),
                                       {file, FileProblemWords(outcome.Error, lang)})));
}

JobsFile& CalculatorWindow::Jobs() {
    if (!jobsFile_) {
        jobsFile_.emplace(JobsFilePath().toStdString());
    }
    return *jobsFile_;
}

// Appends the job as one whole line; the file is the user's, so nothing in it is rewritten.
void CalculatorWindow::KeepJob(const JobRecord& job) {
    const std::string time =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    ReportJobsFile(Jobs().Append(JobSheetHeader(), JobSheetLine(job, time)));
}

void CalculatorWindow::FillRecentJobs() {
    RecentJobsMenu->clear();
    recentJobs_.clear();
    JobsFile::Outcome outcome;
    if (const auto bytes = Jobs().ReadLast(RecentJobsReadLimit, outcome)) {
        std::vector<SheetJob> jobs = ReadJobSheet(*bytes);
        const std::size_t first = jobs.size() > RecentJobCount ? jobs.size() - RecentJobCount : 0;
        recentJobs_.assign(
            std::make_move_iterator(jobs.rbegin()),
            std::make_move_iterator(jobs.rend() - static_cast<std::ptrdiff_t>(first)));
    }
    ReportJobsFile(outcome);
    if (recentJobs_.empty()) {
        RecentJobsMenu->addAction(text(Catalogue::MenuText::NoRecentJobs))->setEnabled(false);
        return;
    }
    for (std::size_t i = 0; i < recentJobs_.size(); ++i) {
        const SheetJob& job = recentJobs_[i];
        const std::string& tag = job.Identity[IdentityItem::Tag];
        const std::string& named = tag.empty() ? job.Identity[IdentityItem::Site] : tag;
        const std::string length(UnitNamesOf(job.Units)[0]);
        const std::string pipe =
            job.Texts[static_cast<std::size_t>(InputField::OuterDiameter)] + " x " +
            job.Texts[static_cast<std::size_t>(InputField::WallThickness)] + " " + length;
        QStringList parts{FromUtf8(job.Time.substr(0, 16))};
        if (!named.empty()) {
            parts << FromUtf8(named);
        }
        parts << FromUtf8(pipe) << FromUtf8(SensorTypeName(job.SensorTypeIndex))
              << FromUtf8(job.Result1 + " " + length);
        QAction* entry = RecentJobsMenu->addAction(Escaped(parts.join(QStringLiteral("   "))));
        connect(entry, &QAction::triggered, this, [this, i] { RestoreJob(recentJobs_.at(i)); });
    }
}

void CalculatorWindow::RestoreJob(const SheetJob& job) {
    namespace M = Catalogue::MenuText;
    const auto words = [](UnitSystem units) {
        const auto names = UnitNamesOf(units);
        return std::string(names[0]) + ", " + std::string(names[1]);
    };
    if (job.Units != RunSettings::Units) {
        QuillmereUi::ShowMessage(
            this, FromUtf8(Catalogue::Fill(Catalogue::Text(M::OtherUnits, RunSettings::Lang),
                                           {words(job.Units), words(RunSettings::Units)})));
        return;
    }
    if (job.MountMethodIndex >= MountMethodList->count()) {
        QuillmereUi::ShowMessage(
            this, FromUtf8(Catalogue::Fill(
                      Catalogue::Text(M::MethodNotHere, RunSettings::Lang),
                      {Catalogue::Text(
                          MountMethods[static_cast<std::size_t>(job.MountMethodIndex)].NameId,
                          RunSettings::Lang)})));
        return;
    }
    SensorTypeList->setCurrentIndex(job.SensorTypeIndex);
    MountMethodList->setCurrentIndex(job.MountMethodIndex);
    PipeMaterialList->setCurrentIndex(job.PipeMaterialIndex);
    LiningMaterialList->setCurrentIndex(job.LiningMaterialIndex);
    FluidList->setCurrentIndex(job.FluidIndex);
    for (const InputRow& row : InputRows) {
        (this->*row.Text)->setText(FromUtf8(job.Texts[static_cast<std::size_t>(row.Field)]));
    }
    // What the helpers typed then is not known to be on the fields now.
    helperNotes_ = {};
    identity_ = job.Identity;
    site_ = job.Point; // its own measuring point, not the one of the job before
    ClearResults();
}
