#include "ui/JobDetailsDialog.h"

#include "catalogue/Catalogue.h"
#include "rules/TextFold.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace QuillmereUi {

using namespace Quillmere;

JobDetailsDialog::JobDetailsDialog(QWidget* parent, const JobIdentity& identity, Language lang)
    : QDialog(parent), lang_(lang), identity_(identity) {
    const auto text = [lang](std::int16_t id) { return FromUtf8(Catalogue::Text(id, lang)); };
    setObjectName(QStringLiteral("JobDetailsDialog"));
    setWindowTitle(DialogTitle(text(Catalogue::JobText::Details)));
    auto* form = new QFormLayout(this);
    for (const IdentityRecord& item : IdentityItems) {
        auto* field = new QLineEdit(FromUtf8(identity[item.Item]), this);
        // "Site", "Tag", ...: the names tests and assistive tools find them by.
        QString name =
            QString::fromLatin1(item.Key.data(), static_cast<qsizetype>(item.Key.size()));
        name[0] = name[0].toUpper();
        field->setObjectName(name);
        field->setAccessibleName(text(item.CaptionId));
        // No maxLength: it counts UTF-16 units and cuts a paste without a word; OK counts
        // characters and says what is too long.
        field->setMinimumWidth(320);
        form->addRow(text(item.CaptionId), field);
        fields_[static_cast<std::size_t>(item.Item)] = field;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &JobDetailsDialog::TryAccept);
}

void JobDetailsDialog::TryAccept() {
    JobIdentity typed;
    for (const IdentityRecord& item : IdentityItems) {
        QLineEdit* field = fields_[static_cast<std::size_t>(item.Item)];
        const std::string text(Unpadded(field->text().toStdString()));
        if (const std::string problem = IdentityProblem(item.Item, text, lang_); !problem.empty()) {
            ShowMessage(this, FromUtf8(problem));
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            return;
        }
        typed[item.Item] = text;
    }
    identity_ = std::move(typed);
    accept();
}

} // namespace QuillmereUi
