#pragma once

#include "rules/HowSure.h"
#include "rules/JobRecord.h"
#include "rules/Uncertainty.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QSvgRenderer;

namespace QuillmereUi {
class SvgView;
} // namespace QuillmereUi

namespace QuillmereUi {

// How sure the spacing on screen is: a plus/minus beside each input its computation read and
// the fluid sound velocity the converter measures, with the figures and the tornado chart
// recomputed as they are typed. OK is taken only when every entry is accepted; Given() then
// holds them.
class HowSureDialog : public QDialog {
    Q_OBJECT
public:
    HowSureDialog(QWidget* parent, const Quillmere::JobRecord& job,
                  const Quillmere::Uncertainty& given);

    const Quillmere::Uncertainty& Given() const { return given_; }

private:
    Quillmere::Uncertainty Typed() const;
    void Update();
    void TryAccept();

    Quillmere::JobRecord job_;
    Quillmere::Uncertainty given_;
    std::array<QLineEdit*, 6> plusMinus_{}; // by InputField; none for an input not read
    QLineEdit* measured_;
    QLabel* figures_;
    QLabel* problem_;
    QSvgRenderer* tornado_;
    SvgView* chart_;
};

} // namespace QuillmereUi
