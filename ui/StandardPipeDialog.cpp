#include "ui/StandardPipeDialog.h"

#include "catalogue/Catalogue.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>
#include <span>

namespace QuillmereUi {

using namespace Quillmere;

StandardPipeDialog::StandardPipeDialog(QWidget* parent, const QComboBox& pipeMaterial,
                                       const Selection& last, Language lang)
    : QDialog(parent), pipeMaterial_(pipeMaterial), standard_(new QComboBox(this)),
      size_(new QComboBox(this)), schedule_(new QComboBox(this)), material_(new QLabel(this)),
      mortar_(new QCheckBox(this)) {
    namespace P = Catalogue::PipeText;
    const auto text = [lang](std::int16_t id) { return FromUtf8(Catalogue::Text(id, lang)); };
    setObjectName(QStringLiteral("StandardPipeDialog"));
    setWindowTitle(DialogTitle(text(P::StandardPipe)));
    standard_->setObjectName(QStringLiteral("Standard"));
    for (const PipeTable& table : PipeTables()) {
        standard_->addItem(FromUtf8(PipeTableLabel(table)));
    }
    size_->setObjectName(QStringLiteral("Size"));
    size_->setMaxVisibleItems(16);
    schedule_->setObjectName(QStringLiteral("Schedule"));
    material_->setObjectName(QStringLiteral("Material"));
    mortar_->setObjectName(QStringLiteral("Mortar"));
    mortar_->setText(text(P::MortarLining));
    mortar_->setChecked(last.Mortar);

    connect(standard_, &QComboBox::currentIndexChanged, this, &StandardPipeDialog::ShowMaterial);
    connect(standard_, &QComboBox::currentIndexChanged, this, &StandardPipeDialog::FillSizes);
    connect(standard_, &QComboBox::currentIndexChanged, this, &StandardPipeDialog::OfferMortar);
    connect(size_, &QComboBox::currentIndexChanged, this, &StandardPipeDialog::FillSchedules);
    standard_->setCurrentIndex(last.Standard);
    ShowMaterial();
    OfferMortar();
    FillSizes();
    if (const int at = size_->findText(last.Size); at >= 0) {
        size_->setCurrentIndex(at);
    }
    if (const int at = schedule_->findText(last.Schedule); at >= 0) {
        schedule_->setCurrentIndex(at);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout(this);
    form->addRow(text(P::Standard), standard_);
    form->addRow(text(P::Size), size_);
    form->addRow(text(P::Schedule), schedule_);
    form->addRow(text(Catalogue::Id::PipeMaterial), material_);
    form->addRow(QString(), mortar_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

StandardPipeDialog::Selection StandardPipeDialog::Chosen() const {
    return {standard_->currentIndex(), size_->currentText(), schedule_->currentText(),
            mortar_->isChecked()};
}

const PipeTable& StandardPipeDialog::Table() const {
    const std::span<const PipeTable> tables = PipeTables();
    return tables[static_cast<std::size_t>(std::max(0, standard_->currentIndex()))];
}

const PipeSizeRow& StandardPipeDialog::Row() const {
    return Table().Rows[static_cast<std::size_t>(std::max(0, size_->currentIndex()))];
}

PipeChoice StandardPipeDialog::Texts(UnitSystem units) const {
    return PipeSizeTexts(Table(), Row(), static_cast<std::size_t>(schedule_->currentData().toInt()),
                         units, mortar_->isEnabled() && mortar_->isChecked());
}

// The lists after a change, as every front end keeps them.
void StandardPipeDialog::FillSizes() {
    const std::string kept = size_->currentText().toStdString();
    {
        const QSignalBlocker block(size_);
        size_->clear();
        for (const PipeSizeRow& r : Table().Rows) {
            size_->addItem(FromUtf8(PipeSizeName(r)));
        }
        size_->setCurrentIndex(static_cast<int>(SizeRowAfterChange(Table(), kept)));
    }
    FillSchedules();
}

void StandardPipeDialog::FillSchedules() {
    const std::string kept = schedule_->currentText().toStdString();
    const QSignalBlocker block(schedule_);
    schedule_->clear();
    for (const std::size_t c : SchedulesOf(Table(), Row())) {
        schedule_->addItem(FromUtf8(ScheduleLabel(Table(), c)), static_cast<int>(c));
    }
    schedule_->setCurrentIndex(
        schedule_->findData(static_cast<int>(ScheduleAfterChange(Table(), Row(), kept))));
    schedule_->setEnabled(schedule_->count() > 1);
}

// What OK does to PIPE MATERIAL is shown before it is done.
void StandardPipeDialog::ShowMaterial() {
    const int entry = PipeMaterialWith(Table(), pipeMaterial_.currentIndex());
    material_->setText(pipeMaterial_.itemText(entry));
}

// The lining is a choice only where the standard's lining is held; elsewhere it is greyed,
// and its tick kept for the next ductile standard.
void StandardPipeDialog::OfferMortar() {
    mortar_->setEnabled(Table().Mortar != nullptr);
}

} // namespace QuillmereUi
