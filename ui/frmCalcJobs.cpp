// The window's menu bar, and the day's jobs: every computed job appended to the jobs file,
// the last ones offered again under File > Recent jobs.
#include "frmCalc.h"

#include "Catalogue.h"
#include "Lists.h"
#include "MessageBox.h"
#include "ModCommonProc.h"
#include "UiText.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
constexpr qint64 RecentJobsReadLimit = 4 * 1024 * 1024;

QString Escaped(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&")); // not an access key
}

} // namespace

void frmCalc::CloseWindow() {
    close();
}

void frmCalc::CreateMenuBar() {
    namespace M = Catalogue::MenuText;
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    MenuBar->setNativeMenuBar(false); // over the form, on every desktop
    // The run language's face, as the form's: the desktop's default would follow the locale.
    QFont font(QString::fromStdString(ModCommonProc::UiFontName));
    font.setPointSize(10);
    MenuBar->setFont(font);
    const auto menu = [this](std::int16_t id, const char* name) {
        QMenu* m = MenuBar->addMenu(text(id));
        m->setObjectName(QString::fromLatin1(name));
        m->setFont(MenuBar->font());
        return m;
    };
    QMenu* file = menu(M::File, "FileMenu");
    file->addActions({SaveReportAction, PrintAction});
    file->addSeparator();
    RecentJobsMenu =
        file->addMenu(QuillmereUi::WithAccessKey(text(M::RecentJobs), QLatin1Char('R')));
    RecentJobsMenu->setObjectName(QStringLiteral("RecentJobsMenu"));
    RecentJobsMenu->setFont(MenuBar->font());
    connect(RecentJobsMenu, &QMenu::aboutToShow, this, &frmCalc::FillRecentJobs);
    file->addSeparator();
    file->addAction(QuitAction);
    menu(M::Edit, "EditMenu")->addAction(CopySummaryAction);
    menu(M::Tools, "ToolsMenu")
        ->addActions({StandardPipeAction, FluidAtTemperatureAction, JobDetailsAction});
    menu(M::HelpMenu, "HelpMenu")->addActions({HelpAction, AboutAction});

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

QString frmCalc::JobsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quillmere/jobs.csv");
}

// Appends the job as one whole line; the file is the user's, so nothing in it is rewritten.
// A file that cannot take it is said once, and the window goes on computing.
void frmCalc::KeepJob(const JobRecord& job) {
    const QString path = JobsFilePath();
    const auto failed = [this, &path](const QString& why, std::int16_t id) {
        if (!jobsFileReported_) {
            jobsFileReported_ = true;
            QuillmereUi::ShowMessage(
                this, FromUtf8(Catalogue::Fill(
                          Catalogue::Text(id, ModCommonProc::StringBase),
                          {QDir::toNativeSeparators(path).toStdString(), why.toStdString()})));
        }
    };
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        failed(file.errorString(), Catalogue::MenuText::JobsNotKept);
        return;
    }
    std::string line = JobSheetLine(
        job,
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString());
    const qint64 size = file.size();
    if (size == 0) {
        line = JobSheetHeader() + line;
    } else {
        file.seek(0);
        // One read of the header's length: the file is unbuffered, and a line read byte
        // by byte would cost a system call a byte.
        const QByteArray expected = QByteArray::fromStdString(JobSheetHeader()).chopped(1);
        QByteArray start = file.read(expected.size() + 5);
        if (start.startsWith("\xEF\xBB\xBF")) {
            start.remove(0, 3); // saved again by a spreadsheet
        }
        if (!start.startsWith(expected + '\n') && !start.startsWith(expected + "\r\n")) {
            failed(QString(), Catalogue::MenuText::OtherColumns);
            return;
        }
        char last = '\n';
        file.seek(size - 1);
        file.getChar(&last);
        if (last != '\n') {
            line.insert(0, "\n"); // a line typed by hand without its end
        }
    }
    const qint64 written = file.write(line.data(), static_cast<qint64>(line.size()));
    if (written != static_cast<qint64>(line.size())) {
        const QString why = file.errorString();
        if (written > 0 && file.size() == size + written) {
            file.resize(size); // only what this press began: never half a line
        }
        failed(why, Catalogue::MenuText::JobsNotKept);
    }
}

void frmCalc::FillRecentJobs() {
    RecentJobsMenu->clear();
    recentJobs_.clear();
    QFile file(JobsFilePath());
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray bytes;
        if (file.size() > RecentJobsReadLimit) {
            // The header, then whole lines from the end: the first line read there may be
            // cut, and is passed over as a record of the wrong width.
            bytes = file.readLine(4096);
            file.seek(file.size() - RecentJobsReadLimit);
            file.readLine();
        }
        bytes += file.readAll();
        std::vector<SheetJob> jobs =
            ReadJobSheet(std::string_view(bytes.constData(), bytes.size()));
        const std::size_t first = jobs.size() > RecentJobCount ? jobs.size() - RecentJobCount : 0;
        recentJobs_.assign(
            std::make_move_iterator(jobs.rbegin()),
            std::make_move_iterator(jobs.rend() - static_cast<std::ptrdiff_t>(first)));
    }
    if (recentJobs_.empty()) {
        RecentJobsMenu->addAction(text(Catalogue::MenuText::NoRecentJobs))->setEnabled(false);
        return;
    }
    for (std::size_t i = 0; i < recentJobs_.size(); ++i) {
        const SheetJob& job = recentJobs_[i];
        const std::string& tag = job.Identity[IdentityItem::Tag];
        const std::string& named = tag.empty() ? job.Identity[IdentityItem::Site] : tag;
        const std::string length(SubGetUnitForm1(job.UnitFlag)[0]);
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

void frmCalc::RestoreJob(const SheetJob& job) {
    namespace M = Catalogue::MenuText;
    const auto words = [](std::int16_t unitFlag) {
        const auto names = SubGetUnitForm1(unitFlag);
        return std::string(names[0]) + ", " + std::string(names[1]);
    };
    if (job.UnitFlag != ModCommonProc::UnitFlag) {
        QuillmereUi::ShowMessage(
            this,
            FromUtf8(Catalogue::Fill(Catalogue::Text(M::OtherUnits, ModCommonProc::StringBase),
                                     {words(job.UnitFlag), words(ModCommonProc::UnitFlag)})));
        return;
    }
    if (job.MountMethodIndex >= SENSOR_MOUNTCombo->count()) {
        QuillmereUi::ShowMessage(
            this, FromUtf8(Catalogue::Fill(
                      Catalogue::Text(M::MethodNotHere, ModCommonProc::StringBase),
                      {Catalogue::Text(
                          MountMethods[static_cast<std::size_t>(job.MountMethodIndex)].NameId,
                          ModCommonProc::StringBase)})));
        return;
    }
    SENSOR_TYPECombo->setCurrentIndex(job.SensorTypeIndex);
    SENSOR_MOUNTCombo->setCurrentIndex(job.MountMethodIndex);
    PIPE_MATERIALCombo->setCurrentIndex(job.PipeMaterialIndex);
    LINING_MATERIALCombo->setCurrentIndex(job.LiningMaterialIndex);
    KIND_OF_FLUIDCombo->setCurrentIndex(job.FluidIndex);
    for (const InputRow& row : InputRows) {
        (this->*row.Text)->setText(FromUtf8(job.Texts[static_cast<std::size_t>(row.Field)]));
    }
    // What the helpers typed then is not known to be on the fields now.
    helperNotes_ = {};
    identity_ = job.Identity;
    ClearResults();
}
