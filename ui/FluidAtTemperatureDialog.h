#pragma once

#include "catalogue/Language.h"
#include "engine/UnitSystem.h"
#include "rules/FluidAtTemperature.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class FieldEdit;

namespace QuillmereUi {

// Water, its temperature and, optionally, the line's pressure and sea water's salinity; OK is
// taken only for what an equation covers, and the velocity it gives is then Result(). A
// refusal is shown over the dialog, which stays, with the entry to mend selected.
class FluidAtTemperatureDialog : public QDialog {
    Q_OBJECT
public:
    // The fluids are named as `kindOfFluid` names them; the one chosen there comes first
    // when an equation knows it.
    FluidAtTemperatureDialog(QWidget* parent, const QComboBox& kindOfFluid,
                             Quillmere::UnitSystem units, Quillmere::Language lang);

    const Quillmere::FluidAtTemperature& Result() const { return result_; }

private:
    void TryAccept();

    Quillmere::UnitSystem units_;
    Quillmere::Language lang_;
    QComboBox* fluid_;
    FieldEdit* temperature_;
    FieldEdit* pressure_;
    FieldEdit* salinity_; // sea water only
    Quillmere::FluidAtTemperature result_;
};

} // namespace QuillmereUi
