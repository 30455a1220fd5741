#pragma once

#include <QPainter>
#include <QSvgRenderer>
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

} // namespace QuillmereUi
