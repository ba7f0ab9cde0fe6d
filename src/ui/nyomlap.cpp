#include "nyomlap.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

Nyomlap::Nyomlap(Rajzoló rajzol, std::function<double()> hossz, const QString& név, QWidget* szülő)
    : QWidget(szülő), rajzol_(std::move(rajzol)), hossz_(std::move(hossz)) {
    setAccessibleName(név);
    setAccessibleDescription(QStringLiteral("Nagyítás: görgő, + és −; mozgatás: húzás és a "
                                            "nyílbillentyűk; Home: a teljes felvétel"));
    setMinimumSize(240, 160);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
}

Nyomlap::Tartomány Nyomlap::jelenlegi() const {
    return tartomány_.value_or(Tartomány{0, hossz_()});
}

void Nyomlap::beállít(double eleje, double vége) {
    const double hossz = hossz_();
    const double legkisebb = std::min(hossz, std::max(hossz * 1e-5, 0.01)); // s
    double szélesség = std::clamp(vége - eleje, legkisebb, hossz);
    eleje = std::clamp(eleje, 0.0, hossz - szélesség);
    if (szélesség >= hossz)
        tartomány_.reset();
    else
        tartomány_ = Tartomány{eleje, eleje + szélesség};
    update();
}

void Nyomlap::Nagyít(double szorzó, std::optional<double> körül) {
    const auto [eleje, vége] = jelenlegi();
    const double c = körül.value_or((eleje + vége) / 2);
    beállít(c - (c - eleje) * szorzó, c + (vége - c) * szorzó);
}

void Nyomlap::Tol(double rész) {
    const auto [eleje, vége] = jelenlegi();
    const double d = (vége - eleje) * rész;
    beállít(eleje + d, vége + d);
}

void Nyomlap::Mindet() {
    tartomány_.reset();
    update();
}

std::optional<double> Nyomlap::időnél(double x) const {
    if (!(tengely_.width() > 0))
        return std::nullopt;
    const auto [eleje, vége] = jelenlegi();
    return eleje + (vége - eleje) * (x - tengely_.left()) / tengely_.width();
}

void Nyomlap::paintEvent(QPaintEvent*) {
    QPainter festő(this);
    festő.fillRect(rect(), palette().color(QPalette::Base));
    tengely_ = rajzol_(festő, QRectF(rect()), tartomány_);
    if (hasFocus()) {
        festő.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        festő.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void Nyomlap::wheelEvent(QWheelEvent* e) {
    const double lépések = e->angleDelta().y() / 120.0;
    if (lépések == 0)
        return;
    Nagyít(std::pow(0.8, lépések), időnél(e->position().x()));
    e->accept();
}

void Nyomlap::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        húzásX_ = e->position().x();
        setCursor(Qt::ClosedHandCursor);
    }
    QWidget::mousePressEvent(e);
}

void Nyomlap::mouseMoveEvent(QMouseEvent* e) {
    if (húzásX_ && tengely_.width() > 0) {
        const double dx = e->position().x() - *húzásX_;
        húzásX_ = e->position().x();
        Tol(-dx / tengely_.width());
    }
}

void Nyomlap::mouseReleaseEvent(QMouseEvent* e) {
    húzásX_.reset();
    setCursor(Qt::OpenHandCursor);
    QWidget::mouseReleaseEvent(e);
}

void Nyomlap::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        Nagyít(0.5);
        break;
    case Qt::Key_Minus:
        Nagyít(2);
        break;
    case Qt::Key_Left:
        Tol(-0.2);
        break;
    case Qt::Key_Right:
        Tol(0.2);
        break;
    case Qt::Key_Home:
        Mindet();
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}
