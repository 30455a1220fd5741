#pragma once

#include "rules/JobRecord.h"
#include "rules/MeasuringPoint.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSvgRenderer;

namespace QuillmereUi {

class SvgView;

// Where on the pipe to measure, for the result on screen: the fittings upstream and
// downstream, the straight runs the site has and the pipe's run, with the runs required, the
// sensors' places and the site sketch recomputed as they are chosen and typed. OK is taken
// only when every entry is accepted; Given() then holds them.
class MeasuringPointDialog : public QDialog {
    Q_OBJECT
public:
    MeasuringPointDialog(QWidget* parent, const Quillmere::JobRecord& job,
                         const Quillmere::SiteInput& given);

    const Quillmere::SiteInput& Given() const { return given_; }

private:
    Quillmere::SiteInput Typed() const;
    void Update();
    void TryAccept();

    Quillmere::JobRecord job_;
    Quillmere::SiteInput given_;
    QComboBox* upstream_;
    QComboBox* downstream_;
    QLineEdit* availableUpstream_;
    QLineEdit* availableDownstream_;
    QComboBox* run_;
    QLabel* figures_;
    QLabel* problem_;
    QSvgRenderer* drawing_;
    SvgView* sketch_;
};

} // namespace QuillmereUi
