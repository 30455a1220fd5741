#pragma once

#include "catalogue/Language.h"
#include "rules/JobIdentity.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLineEdit;

namespace QuillmereUi {

// The job's site, tag, installer and note, kept for the run and printed at the head of its
// summary and report. OK is taken only for texts the record can print as typed; a refusal
// is shown over the dialog, which stays.
class JobDetailsDialog : public QDialog {
    Q_OBJECT
public:
    JobDetailsDialog(QWidget* parent, const Quillmere::JobIdentity& identity,
                     Quillmere::Language lang);

    const Quillmere::JobIdentity& Identity() const { return identity_; }

private:
    void TryAccept();

    Quillmere::Language lang_;
    std::array<QLineEdit*, Quillmere::IdentityItems.size()> fields_{};
    Quillmere::JobIdentity identity_;
};

} // namespace QuillmereUi
