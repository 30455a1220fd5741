#pragma once

#include "catalogue/Language.h"
#include "engine/UnitSystem.h"
#include "rules/PipeChoice.h"

#include <QDialog>
#include <QString>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;

namespace QuillmereUi {

// Standard, size and schedule from lists, and the PIPE MATERIAL that OK will choose, shown
// before it is chosen; for ductile iron, the standard's cement-mortar lining besides.
class StandardPipeDialog : public QDialog {
    Q_OBJECT
public:
    // Where the lists stand: the dialog opens where it was left in this run.
    struct Selection {
        int Standard = 0;
        QString Size;
        QString Schedule;
        bool Mortar = true; // ductile pipe is supplied cement-lined
    };

    StandardPipeDialog(QWidget* parent, const QComboBox& pipeMaterial, const Selection& last,
                       Quillmere::Language lang);

    Selection Chosen() const;
    const Quillmere::PipeTable& Table() const;
    // The outer diameter and wall texts of the chosen size and schedule, and the lining's
    // where the standard's mortar lining is chosen.
    Quillmere::PipeChoice Texts(Quillmere::UnitSystem units) const;

private:
    const Quillmere::PipeSizeRow& Row() const;
    void FillSizes();
    void FillSchedules();
    void ShowMaterial();
    void OfferMortar();

    const QComboBox& pipeMaterial_;
    QComboBox* standard_;
    QComboBox* size_;
    QComboBox* schedule_;
    QLabel* material_;
    QCheckBox* mortar_; // offered for the standards whose lining is held
};

} // namespace QuillmereUi
