#include "ui/FluidAtTemperatureDialog.h"

#include "catalogue/Catalogue.h"
#include "rules/Lists.h"
#include "ui/FieldEdit.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

#include <algorithm>

namespace QuillmereUi {

using namespace Quillmere;

FluidAtTemperatureDialog::FluidAtTemperatureDialog(QWidget* parent, const QComboBox& kindOfFluid,
                                                   UnitSystem units, Language lang)
    : QDialog(parent), units_(units), lang_(lang), fluid_(new QComboBox(this)),
      temperature_(new FieldEdit(this)), pressure_(new FieldEdit(this)),
      salinity_(new FieldEdit(this)) {
    const auto text = [lang](std::int16_t id) { return FromUtf8(Catalogue::Text(id, lang)); };
    setObjectName(QStringLiteral("FluidAtTemperatureDialog"));
    setWindowTitle(DialogTitle(text(Catalogue::ReportText::FluidAtTemperature)));
    fluid_->setObjectName(QStringLiteral("Fluid"));
    for (const int index : TemperatureFluids()) {
        fluid_->addItem(kindOfFluid.itemText(index), index);
    }
    fluid_->setCurrentIndex(std::max(0, fluid_->findData(kindOfFluid.currentIndex())));
    temperature_->setObjectName(QStringLiteral("Temperature"));
    temperature_->setMaxLength(6);
    temperature_->setAccessibleName(FromUtf8(TemperatureCaption(units, lang)));
    pressure_->setObjectName(QStringLiteral("Pressure"));
    pressure_->setMaxLength(8);
    pressure_->setAccessibleName(FromUtf8(PressureCaption(units, lang)));
    salinity_->setObjectName(QStringLiteral("Salinity"));
    salinity_->setMaxLength(6);
    salinity_->setAccessibleName(FromUtf8(SalinityCaption(lang)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout(this);
    form->addRow(text(Catalogue::Id::KindOfFluid), fluid_);
    form->addRow(FromUtf8(TemperatureCaption(units, lang)), temperature_);
    form->addRow(FromUtf8(PressureCaption(units, lang)), pressure_);
    form->addRow(FromUtf8(SalinityCaption(lang)), salinity_);
    form->addRow(buttons);
    // A salinity is sea water's only.
    const auto seaOnly = [this] {
        const bool sea =
            FluidKinds[static_cast<std::size_t>(fluid_->currentData().toInt())].Water ==
            &Mackenzie1981;
        salinity_->setEnabled(sea);
        if (!sea) {
            salinity_->clear();
        }
    };
    connect(fluid_, &QComboBox::currentIndexChanged, this, seaOnly);
    seaOnly();
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &FluidAtTemperatureDialog::TryAccept);
}

void FluidAtTemperatureDialog::TryAccept() {
    result_ = VelocityFromTemperature(
        fluid_->currentData().toInt(), temperature_->text().toStdString(), units_, lang_,
        pressure_->text().toStdString(), salinity_->text().toStdString());
    if (!result_.Error.empty()) {
        ShowMessage(this, FromUtf8(result_.Error));
        FieldEdit* field = result_.ErrorIn == WaterInput::Pressure   ? pressure_
                           : result_.ErrorIn == WaterInput::Salinity ? salinity_
                                                                     : temperature_;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return;
    }
    accept();
}

} // namespace QuillmereUi
