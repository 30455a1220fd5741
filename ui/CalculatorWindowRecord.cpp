// The record of a job: the window's actions that copy, save and print it, help and about,
// and the menu that offers them.
#include "ui/CalculatorWindow.h"

#include "catalogue/Catalogue.h"
#include "report/JobSummary.h"
#include "shell/RunSettings.h"
#include "ui/HowSureDialog.h"
#include "ui/JobDetailsDialog.h"
#include "ui/JobReport.h"
#include "ui/MeasuringPointDialog.h"
#include "ui/MessageBox.h"
#include "ui/PrintModule.h"
#include "ui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>

using namespace Quillmere;
using QuillmereUi::FromUtf8;

void CalculatorWindow::CreateJobActions() {
    namespace R = Catalogue::ReportText;
    const auto action = [this](std::int16_t id, const QKeySequence& keys,
                               void (CalculatorWindow::*slot)(), char key) {
        auto* a = new QAction(QuillmereUi::WithAccessKey(text(id), QLatin1Char(key)), this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        addAction(a); // the shortcut works wherever the focus is in the window
        return a;
    };
    CopySummaryAction = action(R::CopySummary, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                               &CalculatorWindow::CopyJobSummary, 'C');
    SaveReportAction = action(R::SaveReport, QKeySequence(Qt::CTRL | Qt::Key_S),
                              &CalculatorWindow::SaveReport, 'S');
    PrintAction =
        action(R::Print, QKeySequence(Qt::CTRL | Qt::Key_P), &CalculatorWindow::PrintReport, 'P');
    HelpAction = action(R::Help, QKeySequence(Qt::Key_F1), &CalculatorWindow::ShowHelp, 'H');
    AboutAction = action(R::About, QKeySequence(), &CalculatorWindow::ShowAbout, 'A');
    FluidAtTemperatureAction = action(R::FluidAtTemperature, QKeySequence(),
                                      &CalculatorWindow::ChooseFluidAtTemperature, 'F');
    StandardPipeAction = action(Catalogue::PipeText::StandardPipe, QKeySequence(),
                                &CalculatorWindow::ChooseStandardPipe, 'T');
    JobDetailsAction = action(Catalogue::JobText::Details, QKeySequence(),
                              &CalculatorWindow::ChooseJobDetails, 'J');
    HowSureAction = action(Catalogue::CheckText::HowSure, QKeySequence(),
                           &CalculatorWindow::ChooseHowSure, 'U');
    MeasuringPointAction = action(Catalogue::SiteText::MeasuringPoint, QKeySequence(),
                                  &CalculatorWindow::ChooseMeasuringPoint, 'M');
    QuitAction = action(Catalogue::MenuText::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q),
                        &CalculatorWindow::CloseWindow, 'Q');
    connect(Result1Edit, &QLineEdit::textChanged, this, &CalculatorWindow::UpdateJobActions);
    UpdateJobActions();
}

void CalculatorWindow::UpdateJobActions() {
    const bool shown = !Result1Edit->text().isEmpty();
    for (QAction* a :
         {CopySummaryAction, SaveReportAction, PrintAction, HowSureAction, MeasuringPointAction}) {
        a->setEnabled(shown);
    }
}

std::optional<JobRecord> CalculatorWindow::CurrentJob() const {
    if (Result1Edit->text().isEmpty()) {
        return std::nullopt;
    }
    // A shown result belongs to the inputs on screen, so computing them again gives it.
    try {
        JobRecord job = RecordJob(JobOnScreen(), MountMethodList->count());
        AddHelperNotes(job, helperNotes_);
        return job;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QString CalculatorWindow::JobSummaryText() const {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return QString();
    }
    const std::string when =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    return FromUtf8(JobSummary(*job, when, QUILLMERE_VERSION));
}

void CalculatorWindow::CopyJobSummary() {
    const QString summary = JobSummaryText();
    if (!summary.isEmpty()) {
        QGuiApplication::clipboard()->setText(summary);
    }
}

void CalculatorWindow::SaveReport() {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return;
    }
    // Without a documents folder the dialog would open wherever the program was started.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    // The tag and the time to the second: two reports of one minute do not collide.
    const QString proposed =
        folder + QLatin1Char('/') +
        FromUtf8(ReportFileName(job->Identity[IdentityItem::Tag],
                                QDateTime::currentDateTime()
                                    .toString(QStringLiteral("yyyyMMdd-HHmmss"))
                                    .toStdString()));
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
        QuillmereUi::ShowMessage(
            this, FromUtf8(Catalogue::Fill(
                      Catalogue::Text(Catalogue::ReportText::SaveFailed, RunSettings::Lang),
                      {path.toStdString()})));
    }
}

void CalculatorWindow::PrintReport() {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return;
    }
    const QString summary = JobSummaryText();
    const QString font = ReportFont();
    const QuillmereUi::PrintOutcome outcome =
        QuillmereUi::PrintThroughModule(PrintModuleFolder, this, [&](QPagedPaintDevice& device) {
            return QuillmereUi::PaintReport(device, *job, summary, font);
        });
    if (outcome == QuillmereUi::PrintOutcome::Failed ||
        outcome == QuillmereUi::PrintOutcome::Unavailable) {
        QuillmereUi::ShowMessage(this, text(Catalogue::ReportText::PrintFailed));
    }
}

void CalculatorWindow::ShowHelp() {
    QuillmereUi::ShowMessage(this, text(Catalogue::ReportText::HelpText));
}

void CalculatorWindow::ShowAbout() {
    // The file read last; the default name's doubled separator names the same file.
    std::string config = RunSettings::ConfigPath;
    for (std::size_t doubled; (doubled = config.find("//")) != std::string::npos;) {
        config.erase(doubled, 1);
    }
    config = QFile::decodeName(QByteArray::fromStdString(config)).toHtmlEscaped().toStdString();
    QuillmereUi::ShowMessage(
        this, FromUtf8(Catalogue::Fill(
                  Catalogue::Text(Catalogue::ReportText::AboutText, RunSettings::Lang),
                  {QUILLMERE_VERSION, config})));
}

QString CalculatorWindow::ReportFont() const {
    // The faces the window's fonts stand for here; Japanese needs one that covers it.
    return RunSettings::Lang == Language::Japanese ? QStringLiteral("IPAGothic")
                                                   : QStringLiteral("Liberation Sans");
}

void CalculatorWindow::AddJobEntries(QMenu& menu) const {
    menu.addActions({CopySummaryAction, SaveReportAction, PrintAction});
    menu.addSeparator();
    menu.addActions({StandardPipeAction, FluidAtTemperatureAction, JobDetailsAction});
    menu.addActions({HowSureAction, MeasuringPointAction});
    menu.addSeparator();
    menu.addActions({HelpAction, AboutAction});
}

void CalculatorWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    AddJobEntries(menu);
    menu.exec(event->globalPos());
}

void CalculatorWindow::ChooseHowSure() {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return;
    }
    QuillmereUi::HowSureDialog dialog(this, *job, job->Uncertain);
    if (dialog.exec() == QDialog::Accepted) {
        uncertainty_ = dialog.Given();
    }
}

void CalculatorWindow::ChooseMeasuringPoint() {
    const std::optional<JobRecord> job = CurrentJob();
    if (!job) {
        return;
    }
    QuillmereUi::MeasuringPointDialog dialog(this, *job, job->Point);
    if (dialog.exec() == QDialog::Accepted) {
        site_ = dialog.Given();
    }
}

void CalculatorWindow::ChooseJobDetails() {
    QuillmereUi::JobDetailsDialog dialog(this, identity_, RunSettings::Lang);
    if (dialog.exec() == QDialog::Accepted) {
        identity_ = dialog.Identity();
    }
}
