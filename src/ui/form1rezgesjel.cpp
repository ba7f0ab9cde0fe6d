// Seismograph records opened beside the main window: from a file dialog, dropped files or
// the command line, each read in the background and shown in windows of its own.
#include "form1.h"

#include "rezgesjelablak.h"
#include "rezgesjelbetoltes.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

QString Form1::RezgésjelSzűrő() {
    return QStringLiteral("Rezgésjelek (*.mseed *.miniseed *.msd *.txt *.csv *.tsv *.ascii);;"
                          "miniSEED (*.mseed *.miniseed *.msd);;"
                          "Szöveges rezgésjel (*.txt *.csv *.tsv *.ascii);;Minden fájl (*)");
}

QList<RezgésjelAblak*> Form1::NyitottRezgésjelek() const {
    QList<RezgésjelAblak*> nyitott;
    for (const QPointer<RezgésjelAblak>& ablak : rezgésjelek_)
        if (ablak)
            nyitott << ablak.data();
    return nyitott;
}

RezgésjelBetöltés* Form1::RezgésjelBetölt(const QString& fájl,
                                          std::function<void(QList<RezgésjelAblak*>)> utána) {
    // its progress in the place of its window, cascaded below those still loading
    int lépcső = 0;
    for (const QPointer<RezgésjelBetöltés>& b : betöltések_)
        lépcső += b && b->isVisible();
    auto* betöltés = new RezgésjelBetöltés(
        fájl, [this] { return int(Épülettípus); }, this, lépcső,
        [this, lépcső, utána = std::move(utána)](const QList<RezgésjelAblak*>& ablakok) {
            // a file of several stations: a window each, cascaded so that none hides another
            for (qsizetype i = 0; i < ablakok.size(); ++i) {
                rezgésjelek_ << ablakok[i];
                ablakok[i]->Elhelyez(*this, lépcső + int(i));
                ablakok[i]->show();
            }
            if (utána)
                utána(ablakok);
        });
    betöltések_.removeAll(nullptr);
    betöltések_ << betöltés;
    betöltés->Indít();
    return betöltés;
}

QList<RezgésjelAblak*> Form1::RezgésjelMegnyit(const QString& fájl) {
    QList<RezgésjelAblak*> ablakok;
    QEventLoop várakozás;
    bool kész = false;
    RezgésjelBetölt(fájl, [&](QList<RezgésjelAblak*> a) {
        ablakok = std::move(a);
        kész = true;
        várakozás.quit();
    });
    if (!kész)
        várakozás.exec();
    return ablakok;
}

void Form1::RezgésjelPárbeszéddel() {
    const QStringList fájlok = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Rezgésjel megnyitása"), QString(), RezgésjelSzűrő());
    for (const QString& fájl : fájlok)
        RezgésjelBetölt(fájl);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> címek = event->mimeData()->urls();
    if (!címek.isEmpty() &&
        std::all_of(címek.begin(), címek.end(), [](const QUrl& u) { return u.isLocalFile(); }))
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QList<QUrl> címek = event->mimeData()->urls();
    event->acceptProposedAction();
    // after the drop has ended, so that a message box does not hold the dragging program
    QTimer::singleShot(0, this, [this, címek] {
        for (const QUrl& cím : címek) {
            if (KatalógusE(cím.toLocalFile()))
                KampányMegnyit(cím.toLocalFile());
            else
                RezgésjelBetölt(cím.toLocalFile());
        }
    });
}
