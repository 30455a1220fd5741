#include "ui/FluidAtTemperatureDialog.h"

#include "catalogue/Catalogue.h"
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
      temperature_(new FieldEdit(this)) {
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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout(this);
    form->addRow(text(Catalogue::Id::KindOfFluid), fluid_);
    form->addRow(FromUtf8(TemperatureCaption(units, lang)), temperature_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &FluidAtTemperatureDialog::TryAccept);
}

void FluidAtTemperatureDialog::TryAccept() {
    result_ = VelocityFromTemperature(fluid_->currentData().toInt(),
                                      temperature_->text().toStdString(), units_, lang_);
    if (!result_.Error.empty()) {
        ShowMessage(this, FromUtf8(result_.Error));
        temperature_->setFocus(Qt::OtherFocusReason);
        temperature_->selectAll();
        return;
    }
    accept();
}

} // namespace QuillmereUi
