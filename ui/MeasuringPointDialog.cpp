#include "ui/MeasuringPointDialog.h"

#include "catalogue/Catalogue.h"
#include "report/SiteSketch.h"
#include "rules/Fields.h"
#include "rules/JobColumns.h"
#include "rules/TextFold.h"
#include "ui/LiveDialog.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace QuillmereUi {

using namespace Quillmere;

namespace {

// The entry of a list whose data is `key`; the first ("not given", "horizontal") for none.
void Choose(QComboBox* list, const std::string& key) {
    const std::optional<Fitting> fitting = FittingNamed(key);
    const std::optional<PipeRun> run = PipeRunNamed(key);
    for (int i = 0; i < list->count(); ++i) {
        const std::string data = list->itemData(i).toString().toStdString();
        if ((fitting && FittingNamed(data) == fitting) || (run && PipeRunNamed(data) == run)) {
            list->setCurrentIndex(i);
            return;
        }
    }
    list->setCurrentIndex(0);
}

} // namespace

MeasuringPointDialog::MeasuringPointDialog(QWidget* parent, const JobRecord& job,
                                           const SiteInput& given)
    : QDialog(parent), job_(job), given_(given), upstream_(new QComboBox(this)),
      downstream_(new QComboBox(this)), availableUpstream_(new QLineEdit(this)),
      availableDownstream_(new QLineEdit(this)), run_(new QComboBox(this)),
      figures_(new QLabel(this)), problem_(new QLabel(this)), drawing_(new QSvgRenderer(this)),
      sketch_(new SvgView(drawing_, this)) {
    const Language lang = job.Lang;
    const auto text = [lang](std::int16_t id) { return FromUtf8(Catalogue::Text(id, lang)); };
    namespace S = Catalogue::SiteText;
    setObjectName(QStringLiteral("MeasuringPointDialog"));
    setWindowTitle(DialogTitle(text(S::MeasuringPoint)));
    const QString unit = FromUtf8(UnitNamesOf(job.Units)[0]);
    auto* grid = new QGridLayout;
    int row = 0;
    // Named as their sheet columns ("available_upstream"), as scripts and assistive tools
    // find them.
    for (const auto& [list, edit, side, available, listColumn, editColumn] :
         {std::tuple{upstream_, availableUpstream_, S::Upstream, S::AvailableUpstream,
                     Column::Upstream, Column::AvailableUpstream},
          std::tuple{downstream_, availableDownstream_, S::Downstream, S::AvailableDownstream,
                     Column::Downstream, Column::AvailableDownstream}}) {
        list->addItem(text(S::NoFitting), QString());
        for (const FittingRecord& f : Fittings) {
            list->addItem(text(f.NameId), QString::fromLatin1(f.Key.data(), f.Key.size()));
        }
        list->setObjectName(FromUtf8(ColumnName(listColumn)));
        // "upstream" heads a row here, not a phrase.
        QString caption = text(side);
        caption[0] = caption[0].toUpper();
        list->setAccessibleName(caption);
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(list, row, 1, 1, 2);
        ++row;
        edit->setObjectName(FromUtf8(ColumnName(editColumn)));
        edit->setAccessibleName(text(available));
        edit->setMaximumWidth(110);
        grid->addWidget(new QLabel(text(available), this), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(unit, this), row, 2);
        ++row;
        connect(list, &QComboBox::currentIndexChanged, this, &MeasuringPointDialog::Update);
        connect(edit, &QLineEdit::textChanged, this, &MeasuringPointDialog::Update);
    }
    for (std::size_t i = 0; i < PipeRunKeys.size(); ++i) {
        run_->addItem(text(static_cast<std::int16_t>(S::RunHorizontal + i)),
                      QString::fromLatin1(PipeRunKeys[i].data(), PipeRunKeys[i].size()));
    }
    run_->setObjectName(FromUtf8(ColumnName(Column::PipeRun)));
    run_->setAccessibleName(text(S::PipeRun));
    grid->addWidget(new QLabel(text(S::PipeRun), this), row, 0);
    grid->addWidget(run_, row, 1, 1, 2);
    connect(run_, &QComboBox::currentIndexChanged, this, &MeasuringPointDialog::Update);
    Choose(upstream_, given.Upstream);
    Choose(downstream_, given.Downstream);
    Choose(run_, given.Run);
    availableUpstream_->setText(FromUtf8(given.AvailableUpstream));
    availableDownstream_->setText(FromUtf8(given.AvailableDownstream));

    sketch_->setObjectName(QStringLiteral("SiteSketch"));
    sketch_->setAccessibleName(text(S::MeasuringPoint));
    LayOutLive(this, grid, problem_, figures_, sketch_, &MeasuringPointDialog::TryAccept);
    Update();
}

SiteInput MeasuringPointDialog::Typed() const {
    SiteInput typed;
    typed.Upstream = upstream_->currentData().toString().toStdString();
    typed.Downstream = downstream_->currentData().toString().toStdString();
    typed.AvailableUpstream = Unpadded(availableUpstream_->text().toStdString());
    typed.AvailableDownstream = Unpadded(availableDownstream_->text().toStdString());
    // The default run is no choice: a job left horizontal names no measuring point.
    if (run_->currentIndex() > 0) {
        typed.Run = run_->currentData().toString().toStdString();
    }
    return typed;
}

void MeasuringPointDialog::Update() {
    const SitePlan plan = PlanSite(job_, Typed());
    problem_->setText(FromUtf8(plan.Error));
    problem_->setVisible(!plan.Ok());
    QStringList lines;
    if (plan.Ok()) {
        for (const std::string& line : SiteLines(job_, plan)) {
            lines << FromUtf8(line);
        }
    }
    figures_->setText(lines.join(QLatin1Char('\n')));
    // A refused entry plans nothing: the sketch shows no runs until it is mended.
    drawing_->load(QByteArray::fromStdString(
        SiteSketchSvg(job_, plan.Ok() ? plan : PlanSite(job_, SiteInput{}))));
    sketch_->Fit();
}

void MeasuringPointDialog::TryAccept() {
    const SiteInput typed = Typed();
    const SitePlan plan = PlanSite(job_, typed);
    if (!plan.Ok()) {
        ShowMessage(this, FromUtf8(plan.Error));
        QWidget* inputs[] = {upstream_, downstream_, availableUpstream_, availableDownstream_,
                             run_};
        if (plan.ErrorInput >= 0 && plan.ErrorInput < 5) {
            inputs[plan.ErrorInput]->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(inputs[plan.ErrorInput])) {
                edit->selectAll();
            }
        }
        return;
    }
    given_ = typed;
    accept();
}

} // namespace QuillmereUi
