#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <QWidget>

namespace QuillmereUi {

// A drawing as report/ makes it, shown at its own size: as wide as its millimetres at the
// screen's resolution.
class SvgView : public QWidget {
public:
    SvgView(QSvgRenderer* renderer, QWidget* parent) : QWidget(parent), renderer_(renderer) {
        connect(renderer_, &QSvgRenderer::repaintNeeded, this, [this] { update(); });
    }
    void Fit() {
        const QSizeF mm = renderer_->viewBoxF().size();
        if (!mm.isEmpty()) {
            const double perMm = logicalDpiX() / 25.4;
            setFixedSize(qRound(mm.width() * perMm), qRound(mm.height() * perMm));
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        renderer_->render(&painter, QRectF(rect()));
    }

private:
    QSvgRenderer* renderer_;
};

// Lays out a dialog whose figures follow what is typed: its inputs, the refusal of one in red
// ("Problem"), the figures, selectable ("Figures"), the drawing, then OK, which runs `accept`
// (it checks before it closes), and Cancel.
template <typename Dialog>
void LayOutLive(Dialog* dialog, QLayout* inputs, QLabel* problem, QLabel* figures, QWidget* drawing,
                void (Dialog::*accept)()) {
    figures->setObjectName(QStringLiteral("Figures"));
    figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures->setWordWrap(true);
    problem->setObjectName(QStringLiteral("Problem"));
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: #b00020"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(inputs);
    layout->addWidget(problem);
    layout->addWidget(figures);
    layout->addWidget(drawing);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, accept);
}

} // namespace QuillmereUi
