#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <functional>
#include <optional>

// A widget that draws with a painter function, and tells a click or a drag along it.
class Rajzlap : public QWidget {
public:
    Rajzlap(std::function<void(QPainter&, const QRectF&)> rajzol, const QString& név,
            QWidget* szülő)
        : QWidget(szülő), rajzol_(std::move(rajzol)) {
        setAccessibleName(név);
        setMinimumSize(240, 160);
    }

    void kattintásra(std::function<void(QPointF)> kattintás) {
        kattintás_ = std::move(kattintás);
        setCursor(Qt::PointingHandCursor);
    }
    // A drag along it: from where, to where, and whether the button is released.
    void húzásra(std::function<void(QPointF, QPointF, bool)> húzás) { húzás_ = std::move(húzás); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter festő(this);
        festő.fillRect(rect(), palette().color(QPalette::Base));
        rajzol_(festő, QRectF(rect()));
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) {
            innen_ = e->position();
            húz_ = false;
        }
        QWidget::mousePressEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (innen_ && húzás_ && (e->buttons() & Qt::LeftButton)) {
            húz_ = húz_ || std::abs(e->position().x() - innen_->x()) >= 4;
            if (húz_)
                húzás_(*innen_, e->position(), false);
        }
        QWidget::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (innen_ && e->button() == Qt::LeftButton) {
            const QPointF innen = *innen_;
            innen_.reset();
            if (húz_ && húzás_)
                húzás_(innen, e->position(), true);
            else if (kattintás_)
                kattintás_(e->position());
        }
        QWidget::mouseReleaseEvent(e);
    }

private:
    std::function<void(QPainter&, const QRectF&)> rajzol_;
    std::function<void(QPointF)> kattintás_;
    std::function<void(QPointF, QPointF, bool)> húzás_;
    std::optional<QPointF> innen_; // where the left button went down
    bool húz_ = false;
};
