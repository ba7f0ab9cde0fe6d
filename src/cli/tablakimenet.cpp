#include "tablakimenet.h"

#include "readers/cella.h"
#include "readers/csvolvaso.h"
#include "runtime/fajliras.h"
#include "runtime/text.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <clocale>
#include <locale.h>

namespace Táblakimenet {

namespace {

bool xlsx(const QString& fájl) {
    return fájl.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
}

// The C library's "C" locale for this thread while it lives: the workbook writer prints its
// numbers with printf, which would write a Hungarian decimal comma into the file.
class CLocale {
public:
    CLocale() : c_(newlocale(LC_ALL_MASK, "C", locale_t(nullptr))), előző_(uselocale(c_)) {}
    ~CLocale() {
        uselocale(előző_);
        freelocale(c_);
    }
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;

private:
    locale_t c_, előző_;
};

std::optional<QString> munkafüzet(const QString& fájl, const std::vector<Oszlop>& oszlopok,
                                  const QList<QByteArray>& sorok) {
    const CLocale c;
    QTemporaryDir mappa;
    if (!mappa.isValid())
        return QStringLiteral("nincs ideiglenes mappa");
    const QByteArray ide = mappa.filePath(QStringLiteral("t.xlsx")).toLocal8Bit();
    lxw_workbook* füzet = workbook_new(ide.constData());
    if (!füzet)
        return QStringLiteral("a munkafüzet nem készíthető el");
    lxw_worksheet* lap = workbook_add_worksheet(füzet, nullptr);
    lxw_format* fej = workbook_add_format(füzet);
    format_set_bold(fej);
    lxw_format* dátum = workbook_add_format(füzet);
    format_set_num_format(dátum, "yyyy-mm-dd hh:mm:ss.000");
    for (qsizetype r = 0; r < sorok.size(); ++r) {
        const QList<QByteArray> cellák = sorok[r].split(';');
        for (qsizetype c = 0; c < cellák.size(); ++c) {
            const auto sor = lxw_row_t(r);
            const auto oszlop = lxw_col_t(c);
            const QByteArray& cella = cellák[c];
            const Oszlop o = std::size_t(c) < oszlopok.size() ? oszlopok[std::size_t(c)] : Oszlop{};
            if (r == 0) {
                const QByteArray cím =
                    o.egység ? cella + " (" + QString::fromUtf16(o.egység).toUtf8() + ')' : cella;
                worksheet_write_string(lap, sor, oszlop, cím.constData(), fej);
                continue;
            }
            if (cella.isEmpty())
                continue;
            bool szám = false;
            switch (o.fajta) {
            case Oszlop::Fajta::Szám:
            case Oszlop::Fajta::Egész: {
                const double v = QByteArray(cella).replace(',', '.').toDouble(&szám);
                if (szám) {
                    worksheet_write_number(lap, sor, oszlop, v, nullptr);
                    continue;
                }
                break;
            }
            case Oszlop::Fajta::Időpont: {
                const QDateTime t = QDateTime::fromString(
                    QString::fromUtf8(cella), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
                if (t.isValid()) {
                    lxw_datetime d{t.date().year(),   t.date().month(),
                                   t.date().day(),    t.time().hour(),
                                   t.time().minute(), t.time().second() + t.time().msec() / 1000.0};
                    worksheet_write_datetime(lap, sor, oszlop, &d, dátum);
                    continue;
                }
                break;
            }
            case Oszlop::Fajta::Szöveg:
                break;
            }
            worksheet_write_string(lap, sor, oszlop, cella.constData(), nullptr);
        }
    }
    worksheet_freeze_panes(lap, 1, 0);
    if (const lxw_error e = workbook_close(füzet); e != LXW_NO_ERROR)
        return QString::fromUtf8(lxw_strerror(e));
    QFile kész(QString::fromLocal8Bit(ide));
    if (!kész.open(QIODevice::ReadOnly))
        return kész.errorString();
    return rt::FájlbaÍr(fájl, kész.readAll());
}

} // namespace

bool Ismert(const QString& fájl) {
    return xlsx(fájl) || fájl.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

std::optional<QString> Ír(const QString& fájl, const std::vector<Oszlop>& oszlopok,
                          const QByteArray& sorok) {
    QList<QByteArray> s = sorok.split('\n');
    if (!s.isEmpty() && s.last().isEmpty())
        s.removeLast();
    if (xlsx(fájl))
        return munkafüzet(fájl, oszlopok, s);
    // Hungarian Excel: UTF-8 known by its byte order mark, CRLF
    return rt::FájlbaÍr(fájl, "\xEF\xBB\xBF" + s.join("\r\n") + "\r\n");
}

namespace {

// The unit of a column the command line names, by its name.
const char16_t* ismertEgység(const QString& név) {
    static const std::pair<const char16_t*, const char16_t*> egységek[] = {
        {u"ppv", u"mm/s"},          {u"pvs", u"mm/s"},       {u"határérték", u"mm/s"},
        {u"sebesség", u"mm/s"},     {u"idő", u"s"},          {u"zc_frekvencia", u"Hz"},
        {u"fft_frekvencia", u"Hz"}, {u"frekvencia", u"Hz"},  {u"gyorsulás", u"m/s²"},
        {u"elmozdulás", u"mm"},     {u"kihasználtság", u"%"}};
    const QString kulcs = rt::NameKey(név);
    for (const auto& [n, e] : egységek)
        if (kulcs == rt::NameKey(QString::fromUtf16(n)))
            return e;
    return nullptr;
}

// A cell as the table's rows hold it: no separator or line break inside it.
QByteArray cellája(QByteArrayView c) {
    QByteArray k = Cella::Levág(c).toByteArray();
    return k.replace(';', ',').replace('\n', ' ').replace('\r', ' ');
}

} // namespace

std::optional<QString> SzövegbőlÍr(const QString& fájl, const QByteArray& szöveg) {
    using Sorok = std::vector<std::vector<QByteArray>>;
    auto olvasott = Szöveg::BájtokbólOlvas(szöveg, [](Szöveg::Forrás& forrás) {
        std::variant<Sorok, Hiba> ki = Sorok{};
        CsvOlvasó csv(forrás);
        std::vector<QByteArrayView> mezők;
        char elválasztó = 0;
        for (;;) {
            const CsvOlvasó::Állapot e = csv.következő();
            if (e == CsvOlvasó::Hibás) {
                ki = csv.hiba().value_or(Hiba{});
                return ki;
            }
            if (e == CsvOlvasó::Vége)
                return ki;
            if (!elválasztó) // the header's: the separator that splits it into the most cells
                elválasztó = csv.elválasztótVálaszt(mezők);
            else
                csv.feloszt(elválasztó, mezők);
            std::vector<QByteArray> sor;
            for (QByteArrayView m : mezők)
                sor.push_back(cellája(m));
            std::get<Sorok>(ki).push_back(std::move(sor));
        }
    });
    if (const Hiba* h = std::get_if<Hiba>(&olvasott))
        return h->részlet.isEmpty() ? QStringLiteral("nem olvasható táblázat") : h->részlet;
    Sorok& sorok = std::get<Sorok>(olvasott);
    if (sorok.empty())
        return QStringLiteral("üres táblázat");
    // each column's kind from its cells, its unit from its name; numbers with decimal commas
    const std::vector<QByteArray>& fejléc = sorok.front();
    std::vector<Oszlop> oszlopok(fejléc.size());
    for (std::size_t o = 0; o < fejléc.size(); ++o) {
        bool szám = false, más = false;
        for (std::size_t r = 1; r < sorok.size(); ++r) {
            if (o >= sorok[r].size() || sorok[r][o].isEmpty())
                continue;
            QString miért;
            (Cella::SzámOlvas(sorok[r][o], &miért) ? szám : más) = true;
        }
        if (szám && !más) {
            oszlopok[o].fajta = Oszlop::Fajta::Szám;
            for (std::size_t r = 1; r < sorok.size(); ++r)
                if (o < sorok[r].size())
                    sorok[r][o].replace('.', ',');
        }
        const Cella::NévÉsEgység n = Cella::OszlopNév(fejléc[o]);
        if (n.egység.isEmpty())
            oszlopok[o].egység = ismertEgység(n.név);
    }
    QByteArray kész;
    for (const std::vector<QByteArray>& sor : sorok) {
        for (std::size_t i = 0; i < sor.size(); ++i)
            kész += (i ? ";" : "") + sor[i];
        kész += '\n';
    }
    return Ír(fájl, oszlopok, kész);
}

} // namespace Táblakimenet
