#include "gorgeto.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

Görgető::Görgető(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void Görgető::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        break;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        break;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        break;
    case Qt::Key_Home:
        triggerAction(SliderToMinimum);
        break;
    case Qt::Key_End:
        triggerAction(SliderToMaximum);
        break;
    default:
        QScrollBar::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Görgető::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    QStyleOptionSlider option;
    initStyleOption(&option);
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    for (const auto& [control, direction] :
         {std::pair{QStyle::SC_ScrollBarSubLine, -1}, std::pair{QStyle::SC_ScrollBarAddLine, 1}}) {
        const QRect button = style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
        if (button.isEmpty())
            continue;
        const QPoint c = button.center();
        // a triangle three pixels deep and five high, pointing outwards
        const QPoint tip = c + QPoint(direction * 2, 0);
        const QPoint base = c - QPoint(direction, 0);
        const QPolygon arrow{tip, base + QPoint(0, -2), base + QPoint(0, 2)};
        painter.drawPolygon(arrow);
    }
}
