#include "mertekegyseg.h"

#include "readers/felvetel.h"
#include "settings/emlek.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The velocity units offered, by their id in the group; the count's id follows them.
constexpr const char16_t* Egységek[] = {u"m/s", u"mm/s", u"in/s"};
constexpr int Count = int(std::size(Egységek));

double szorzója(const char16_t* név) {
    return Rezgésjel::EgységKeres(QString::fromUtf16(név))->szorzó;
}

} // namespace

MértékegységPárbeszéd::MértékegységPárbeszéd(const QString& fájl, const QString& állomás,
                                             QWidget* szülő)
    : QDialog(szülő), állomás_(állomás) {
    setObjectName(QStringLiteral("Mértékegység"));
    setWindowTitle(QStringLiteral("Mértékegység"));
    auto* magyarázat = new QLabel(
        QStringLiteral("A(z) %1%2 sebességmintáinak mértékegységét a fájl nem adja meg.\n"
                       "Válassza ki, miben vannak; enélkül a felvétel nem ítélhető meg.")
            .arg(QFileInfo(fájl).fileName(),
                 állomás.isEmpty() ? QString() : QStringLiteral(" (%1 állomás)").arg(állomás)),
        this);
    magyarázat->setWordWrap(true);
    csoport_ = new QButtonGroup(this);
    auto* rács = new QGridLayout;
    for (int i = 0; i < Count; ++i) {
        auto* gomb = new QRadioButton(QString::fromUtf16(Egységek[i]), this);
        csoport_->addButton(gomb, i);
        rács->addWidget(gomb, i, 0);
    }
    auto* count = new QRadioButton(QStringLiteral("&count, érzékenység:"), this);
    csoport_->addButton(count, Count);
    rács->addWidget(count, Count, 0);
    érzékenység_ = new QDoubleSpinBox(this);
    érzékenység_->setDecimals(3);
    érzékenység_->setRange(1e-3, 1e12);
    érzékenység_->setValue(1000);
    érzékenység_->setSuffix(QStringLiteral(" count per mm/s"));
    érzékenység_->setAccessibleName(QStringLiteral("Érzékenység (count per mm/s)"));
    rács->addWidget(érzékenység_, Count, 1);
    gombok_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    gombok_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Megítélés nélkül"));
    connect(gombok_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(gombok_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(csoport_, &QButtonGroup::idToggled, this, [this] { frissít(); });
    auto* elrendezés = new QVBoxLayout(this);
    elrendezés->addWidget(magyarázat);
    elrendezés->addLayout(rács);
    elrendezés->addWidget(gombok_);
    if (const std::optional<double> előző = Megjegyzett(állomás))
        Választ(*előző);
    frissít();
}

std::optional<double> MértékegységPárbeszéd::Szorzó() const {
    const int id = csoport_->checkedId();
    if (id < 0)
        return std::nullopt;
    if (id == Count)
        return 1 / érzékenység_->value();
    return szorzója(Egységek[id]);
}

void MértékegységPárbeszéd::Választ(double szorzó) {
    for (int i = 0; i < Count; ++i) {
        if (szorzója(Egységek[i]) == szorzó) {
            csoport_->button(i)->setChecked(true);
            return;
        }
    }
    if (szorzó > 0) {
        érzékenység_->setValue(1 / szorzó);
        csoport_->button(Count)->setChecked(true);
    }
}

QList<QAbstractButton*> MértékegységPárbeszéd::Választások() const {
    return csoport_->buttons();
}

void MértékegységPárbeszéd::frissít() {
    gombok_->button(QDialogButtonBox::Ok)->setEnabled(csoport_->checkedId() >= 0);
    érzékenység_->setEnabled(csoport_->checkedId() == Count);
}

std::optional<double> MértékegységPárbeszéd::Megjegyzett(const QString& állomás) {
    if (állomás.isEmpty())
        return std::nullopt;
    return Emlék(QStringLiteral("Mertekegyseg")).Szám(állomás);
}

void MértékegységPárbeszéd::Megjegyez(const QString& állomás, double szorzó) {
    if (!állomás.isEmpty()) // a store that cannot be written: asked again next time
        Emlék(QStringLiteral("Mertekegyseg")).Ment({{állomás, Emlék::Szám(szorzó)}});
}
