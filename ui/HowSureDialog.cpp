#include "ui/HowSureDialog.h"

#include "catalogue/Catalogue.h"
#include "report/Tornado.h"
#include "rules/Fields.h"
#include "rules/JobColumns.h"
#include "rules/TextFold.h"
#include "ui/LiveDialog.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSvgRenderer>

namespace QuillmereUi {

using namespace Quillmere;

HowSureDialog::HowSureDialog(QWidget* parent, const JobRecord& job, const Uncertainty& given)
    : QDialog(parent), job_(job), given_(given), figures_(new QLabel(this)),
      problem_(new QLabel(this)), tornado_(new QSvgRenderer(this)),
      chart_(new SvgView(tornado_, this)) {
    const Language lang = job.Lang;
    const auto text = [lang](std::int16_t id) { return FromUtf8(Catalogue::Text(id, lang)); };
    namespace C = Catalogue::CheckText;
    setObjectName(QStringLiteral("HowSureDialog"));
    setWindowTitle(DialogTitle(text(C::HowSure)));
    auto* grid = new QGridLayout;
    int row = 0;
    // A plus/minus for each input the spacing was computed from; named as its sheet column
    // ("wall_tolerance"), as scripts and assistive tools find it.
    for (const InputField field : InputsRead(job)) {
        const FieldRecord& record = FieldOf(field);
        const QString caption = text(record.CaptionId);
        const QString unit = FromUtf8(UnitOf(field, job.Units));
        const std::string read = ValueReadText(job, field);
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(new QLabel(FromUtf8(read) + QLatin1Char(' ') + unit, this), row, 1);
        grid->addWidget(new QLabel(text(C::PlusMinus), this), row, 2);
        auto* edit = new QLineEdit(FromUtf8(given.Of(field)), this);
        edit->setObjectName(FromUtf8(ColumnName(ToleranceColumnOf(field))));
        edit->setAccessibleName(caption + QLatin1Char(' ') + text(C::PlusMinus));
        edit->setMaximumWidth(110);
        grid->addWidget(edit, row, 3);
        grid->addWidget(new QLabel(unit, this), row, 4);
        plusMinus_[static_cast<std::size_t>(field)] = edit;
        connect(edit, &QLineEdit::textChanged, this, &HowSureDialog::Update);
        ++row;
    }
    const QString measuredCaption = text(C::MeasuredFluidVelocity);
    measured_ = new QLineEdit(this); // after the plus/minus fields in the focus order
    measured_->setObjectName(FromUtf8(ColumnName(Column::MeasuredFluidVelocity)));
    measured_->setAccessibleName(measuredCaption);
    measured_->setText(FromUtf8(given.MeasuredFluidVelocity));
    measured_->setMaximumWidth(110);
    grid->addWidget(new QLabel(measuredCaption, this), row, 0, 1, 3);
    grid->addWidget(measured_, row, 3);
    grid->addWidget(new QLabel(FromUtf8(UnitOf(InputField::FluidVelocity, job.Units)), this), row,
                    4);
    connect(measured_, &QLineEdit::textChanged, this, &HowSureDialog::Update);

    chart_->setObjectName(QStringLiteral("Tornado"));
    chart_->setAccessibleName(text(C::TornadoTitle));
    LayOutLive(this, grid, problem_, figures_, chart_, &HowSureDialog::TryAccept);
    Update();
}

Uncertainty HowSureDialog::Typed() const {
    Uncertainty typed;
    for (const InputField field : InputFields) {
        if (const QLineEdit* edit = plusMinus_[static_cast<std::size_t>(field)]) {
            typed.Of(field) = Unpadded(edit->text().toStdString());
        }
    }
    typed.MeasuredFluidVelocity = Unpadded(measured_->text().toStdString());
    return typed;
}

void HowSureDialog::Update() {
    const Uncertainty typed = Typed();
    const Assessment assessment = AssessJob(job_, typed);
    problem_->setText(FromUtf8(assessment.Error));
    problem_->setVisible(!assessment.Ok());
    QStringList lines;
    if (assessment.Ok()) {
        for (const std::string& line : AssessmentLines(job_, typed, assessment)) {
            lines << FromUtf8(line);
        }
    }
    figures_->setText(lines.join(QLatin1Char('\n')));
    // A refused entry computes nothing: the chart shows no bars until it is mended.
    tornado_->load(
        QByteArray::fromStdString(TornadoSvg(job_, assessment.Ok() ? assessment : Assessment{})));
    chart_->Fit();
}

void HowSureDialog::TryAccept() {
    const Uncertainty typed = Typed();
    const Assessment assessment = AssessJob(job_, typed);
    if (!assessment.Ok()) {
        ShowMessage(this, FromUtf8(assessment.Error));
        QLineEdit* field = nullptr;
        if (assessment.ErrorInMeasured) {
            field = measured_;
        } else if (assessment.ErrorField) {
            field = plusMinus_[static_cast<std::size_t>(*assessment.ErrorField)];
        }
        if (field != nullptr) {
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
        }
        return;
    }
    given_ = typed;
    accept();
}

} // namespace QuillmereUi
