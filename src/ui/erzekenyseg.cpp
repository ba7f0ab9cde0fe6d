#include "erzekenyseg.h"

#include "hibaszoveg.h"
#include "readers/stationxml.h"
#include "settings/emlek.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

ÉrzékenységPárbeszéd::ÉrzékenységPárbeszéd(const QString& fájl, const QString& csatorna,
                                           QWidget* szülő)
    : QDialog(szülő) {
    setObjectName(QStringLiteral("Érzékenység"));
    setWindowTitle(QStringLiteral("Érzékenység"));
    auto* magyarázat = new QLabel(
        QStringLiteral("A(z) %1 mintái egész számok (count)%2.\nAdja meg a műszer érzékenységét, "
                       "vagy nyissa meg az állomás StationXML fájlját.")
            .arg(QFileInfo(fájl).fileName(),
                 csatorna.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(csatorna)),
        this);
    magyarázat->setWordWrap(true);
    mező_ = new QDoubleSpinBox(this);
    mező_->setDecimals(3);
    mező_->setRange(1e-3, 1e12);
    mező_->setValue(1000);
    mező_->setAccessibleName(QStringLiteral("Érzékenység (count per mm/s)"));
    auto* címke = new QLabel(QStringLiteral("&Érzékenység (count per mm/s):"), this);
    címke->setBuddy(mező_);
    auto* xml = new QPushButton(QStringLiteral("&StationXML megnyitása…"), this);
    xmlCímke_ = new QLabel(this);
    connect(xml, &QPushButton::clicked, this, [this] {
        const QString választott =
            QFileDialog::getOpenFileName(this, QStringLiteral("StationXML megnyitása"), QString(),
                                         QStringLiteral("StationXML (*.xml);;Minden fájl (*)"));
        if (!választott.isEmpty() && StationXmlMegnyit(választott))
            accept();
    });
    auto* gombok = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(gombok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(gombok, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* űrlap = new QFormLayout;
    űrlap->addRow(címke, mező_);
    űrlap->addRow(xml, xmlCímke_);
    auto* elrendezés = new QVBoxLayout(this);
    elrendezés->addWidget(magyarázat);
    elrendezés->addLayout(űrlap);
    elrendezés->addWidget(gombok);
}

double ÉrzékenységPárbeszéd::Megjegyzett(const QString& állomás) {
    if (állomás.isEmpty())
        return 0;
    return Emlék(QStringLiteral("Erzekenyseg")).Szám(állomás).value_or(0);
}

void ÉrzékenységPárbeszéd::Megjegyez(const QString& állomás, double érzékenység) {
    // a store that cannot be written: the answer is asked for again next time
    Emlék(QStringLiteral("Erzekenyseg")).Ment({{állomás, Emlék::Szám(érzékenység)}});
}

double ÉrzékenységPárbeszéd::Érzékenység() const {
    return mező_->value();
}

bool ÉrzékenységPárbeszéd::StationXmlMegnyit(const QString& xml) {
    auto adatok = Rezgésjel::StationXml::FájlOlvas(xml);
    if (const Hiba* h = std::get_if<Hiba>(&adatok)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("A(z) %1 nem olvasható:\n%2")
                                 .arg(QDir::toNativeSeparators(xml), Ablak::HibaSzöveg(*h)));
        return false;
    }
    állomásadatok_ = std::get<std::shared_ptr<Rezgésjel::StationXml>>(std::move(adatok));
    xmlCímke_->setText(QFileInfo(xml).fileName());
    return true;
}
