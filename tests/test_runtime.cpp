#include "runtime/errors.h"
#include "runtime/fajliras.h"
#include "runtime/int16.h"
#include "runtime/text.h"
#include "testlocale.h"
#include "ui/application.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cfloat>
#include <clocale>
#include <cmath>

using rt::ErrorKind;
using rt::RuntimeError;

namespace {

ErrorKind errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.kind();
    }
    return ErrorKind(0);
}

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT

private slots:
    void str_data() {
        QTest::addColumn<float>("v");
        QTest::addColumn<QString>("text");
        QTest::newRow("8.2799997 as a single") << 8.2799997f << " 8.28";
        QTest::newRow("15.1") << 15.1f << " 15.1";
        QTest::newRow("zero") << 0.0f << " 0";
        QTest::newRow("negative zero") << -0.0f << " 0";
        QTest::newRow("one digit") << 5.0f << " 5";
        QTest::newRow("two digits") << 20.0f << " 20";
        QTest::newRow("three digits") << 100.0f << " 100";
        QTest::newRow("40.2") << 40.2f << " 40.2";
        QTest::newRow("5.5") << 5.5f << " 5.5";
        QTest::newRow("3.12") << 3.12f << " 3.12";
        QTest::newRow("negative") << -3.25f << "-3.25";
        QTest::newRow("seven digits") << 1234567.0f << " 1234567";
        QTest::newRow("rounded to seven digits") << 1.23456789f << " 1.234568";
        QTest::newRow("third") << 1.0f / 3.0f << " 0.3333333";
        QTest::newRow("large") << 1.0e7f << " 1E+07";
        QTest::newRow("large with digits") << 12345678.0f << " 1.234568E+07";
        QTest::newRow("small") << 0.0001f << " 0.0001";
        QTest::newRow("very small") << 0.00001f << " 1E-05";
        QTest::newRow("negative small") << -2.5e-6f << "-2.5E-06";
        QTest::newRow("huge") << FLT_MAX << " 3.402823E+38";
        QTest::newRow("rounding up a decade") << 9.9999999f << " 10";
    }
    void str() {
        QFETCH(float, v);
        QFETCH(QString, text);
        QCOMPARE(rt::Str(v), text);
    }

    void strUsesAPointWhateverTheLocale() {
        QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
        QCOMPARE(rt::Str(1234.5f), QStringLiteral(" 1234.5"));
        QLocale::setDefault(QLocale::c());
    }

    // The process's C locale (what printf and strtod follow) has no say in any text.
    void textsIgnoreTheCLocale_data() {
        QTest::addColumn<QByteArray>("cLocale");
        QTest::newRow("hu_HU") << QByteArray("hu_HU.UTF-8");
        QTest::newRow("de_DE") << QByteArray("de_DE.UTF-8");
    }
    void textsIgnoreTheCLocale() {
        QFETCH(QByteArray, cLocale);
        const QByteArray before = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, cLocale.constData()))
            QSKIP("locale not installed (script/bootstrap makes it)");
        const QLocale point = QLocale::c();
        const QLocale comma(QLocale::Hungarian, QLocale::Hungary);
        const QStringList texts{rt::Str(15.1f),
                                rt::Str(20.0f),
                                rt::Str(8.2799997f),
                                rt::Str(1.0e7f),
                                rt::NumberText(3840.0f, point),
                                rt::NumberText(3840.0f, comma),
                                rt::NumberText(1234.5f, point),
                                rt::NumberText(1234.5f, comma),
                                rt::NumberText(1.5e9f, comma)};
        std::setlocale(LC_ALL, before.constData());
        QCOMPARE(texts, (QStringList{" 15.1", " 20", " 8.28", " 1E+07", "3840", "3840", "1234.5",
                                     "1234,5", "1,5E+09"}));
    }

    void trimLeftRight_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("trimmed");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::newRow("blanks") << "  5.5 " << 3 << "5.5"
                                << "  5"
                                << ".5 ";
        QTest::newRow("past the end") << "ő" << 4 << "ő"
                                      << "ő"
                                      << "ő";
        QTest::newRow("empty") << "" << 2 << ""
                               << ""
                               << "";
        QTest::newRow("zero length") << " ab" << 0 << "ab"
                                     << ""
                                     << "";
        QTest::newRow("tab is not a blank") << "\tx " << 2 << "\tx"
                                            << "\tx"
                                            << "x ";
        QTest::newRow("accents count once") << "Műemlék" << 3 << "Műemlék"
                                            << "Műe"
                                            << "lék";
    }
    void trimLeftRight() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, trimmed);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QCOMPARE(rt::Trim(text), trimmed);
        QCOMPARE(rt::Left(text, n), left);
        QCOMPARE(rt::Right(text, n), right);
    }
    void negativeLengthIsAnError() {
        QCOMPARE(errorOf([] { rt::Left(QStringLiteral("a"), -1); }),
                 ErrorKind::InvalidPropertyValue);
        QCOMPARE(errorOf([] { rt::Right(QStringLiteral("a"), -1); }),
                 ErrorKind::InvalidPropertyValue);
    }

    void integerText() {
        QCOMPARE(rt::IntegerText(0), QStringLiteral("0"));
        QCOMPARE(rt::IntegerText(25), QStringLiteral("25"));
        QCOMPARE(rt::IntegerText(-32768), QStringLiteral("-32768"));
    }

    void numberText_data() {
        QTest::addColumn<QLocale>("format");
        QTest::addColumn<float>("v");
        QTest::addColumn<QString>("text");
        const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("whole") << hu << 1440.0f << "1440";
        QTest::newRow("comma") << hu << 1234.5f << "1234,5";
        QTest::newRow("point") << us << 1234.5f << "1234.5";
        QTest::newRow("no group separator") << us << 1234567.0f << "1234567";
        QTest::newRow("no group separator, comma") << hu << 28800.0f << "28800";
        QTest::newRow("default of a screen") << hu << 20490.0f / 4.0f << "5122,5";
        QTest::newRow("negative") << us << -10860.0f << "-10860";
        QTest::newRow("exponent") << hu << 1.5e9f << "1,5E+09";
        QTest::newRow("seven digits") << us << 1.0f / 3.0f << "0.3333333";
    }
    void numberText() {
        QFETCH(QLocale, format);
        QFETCH(float, v);
        QFETCH(QString, text);
        QCOMPARE(rt::NumberText(v, format), text);
        QCOMPARE(rt::ToSingle(text, format), v); // and back
    }
    void numberTextFollowsTheUserFormat() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(rt::NumberText(1234.5f), QStringLiteral("1234,5"));
        QCOMPARE(rt::ToSingle(QStringLiteral("1234,5")), 1234.5f);
        QLocale::setDefault(QLocale::c());
    }

    void conversionsBack_data() {
        QTest::addColumn<QLocale>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("integerError"); // 0: converts
        QTest::addColumn<int>("integer");
        QTest::addColumn<int>("singleError");
        QTest::addColumn<float>("single");
        const QLocale hu(QLocale::Hungarian, QLocale::Hungary);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const int mismatch = int(ErrorKind::TypeMismatch);
        const int overflow = int(ErrorKind::Overflow);
        QTest::newRow("zero") << us << "0" << 0 << 0 << 0 << 0.0f;
        QTest::newRow("blanks around") << us << " 2 " << 0 << 2 << 0 << 2.0f;
        QTest::newRow("negative") << us << "-12000" << 0 << -12000 << 0 << -12000.0f;
        QTest::newRow("comma format") << hu << "1234,5" << 0 << 1234 << 0 << 1234.5f;
        QTest::newRow("half to even") << us << "2.5" << 0 << 2 << 0 << 2.5f;
        QTest::newRow("exponent") << us << "1E+07" << 0 << 0 << 0 << 1.0e7f;
        QTest::newRow("empty") << us << "" << mismatch << 0 << mismatch << 0.0f;
        QTest::newRow("letters") << us << "abc" << mismatch << 0 << mismatch << 0.0f;
        QTest::newRow("trailing letters") << us << "12px" << mismatch << 0 << mismatch << 0.0f;
        QTest::newRow("other separator") << us << "1234,5" << mismatch << 0 << mismatch << 0.0f;
        QTest::newRow("nan") << us << "nan" << mismatch << 0 << mismatch << 0.0f;
        QTest::newRow("16-bit maximum") << us << "32767" << 0 << 32767 << 0 << 32767.0f;
        QTest::newRow("past 16 bits") << us << "32768" << overflow << 0 << 0 << 32768.0f;
        QTest::newRow("below 16 bits") << us << "-32769" << overflow << 0 << 0 << -32769.0f;
        QTest::newRow("past single") << us << "1e39" << overflow << 0 << overflow << 0.0f;
        QTest::newRow("infinity") << us << "inf" << overflow << 0 << overflow << 0.0f;
    }
    void conversionsBack() {
        QFETCH(QLocale, format);
        QFETCH(QString, text);
        QFETCH(int, integerError);
        QFETCH(int, singleError);
        QFETCH(int, integer);
        QFETCH(float, single);
        if (QTest::currentDataTag() == QLatin1String("exponent")) {
            QCOMPARE(int(errorOf([&] { rt::ToInteger(text, format); })), int(ErrorKind::Overflow));
        } else if (integerError) {
            QCOMPARE(int(errorOf([&] { rt::ToInteger(text, format); })), integerError);
        } else {
            QCOMPARE(int(rt::ToInteger(text, format)), integer);
        }
        if (singleError)
            QCOMPARE(int(errorOf([&] { rt::ToSingle(text, format); })), singleError);
        else
            QCOMPARE(rt::ToSingle(text, format), single);
    }

    void int16Arithmetic() {
        QCOMPARE(int(rt::Sub16(57, 50)), 7);
        QCOMPARE(int(rt::Sub16(-32768, -1)), -32767);
        QCOMPARE(errorOf([] { rt::Sub16(-32768, 1); }), ErrorKind::Overflow);
        QCOMPARE(errorOf([] { rt::Add16(32767, 1); }), ErrorKind::Overflow);
        QCOMPARE(errorOf([] { rt::Mul16(256, 128); }), ErrorKind::Overflow);
        QCOMPARE(int(rt::Mul16(-128, 256)), -32768);
    }

    void standardMessageNamesTheError() {
        const RuntimeError e(ErrorKind::Overflow);
        QVERIFY(e.message().contains(QStringLiteral("'6'")));
        QVERIFY(e.message().contains(QStringLiteral("Túlcsordulás")));
        const RuntimeError m(ErrorKind::TypeMismatch, QStringLiteral("\"abc\""));
        QVERIFY(m.message().contains(QStringLiteral("Típuseltérés")));
        QVERIFY(m.message().contains(QStringLiteral("\"abc\"")));
        QCOMPARE(QString::fromUtf8(m.what()), m.message());
    }

    // An error raised in an event handler reaches the one boundary, which reports it once
    // and ends the event loop with a non-zero status.
    void errorInAHandlerEndsTheProgram() {
        QList<int> reported;
        rt::Application::setReporter([&](const RuntimeError& e) { reported.append(e.number()); });
        QTimer::singleShot(0, qApp, [] { throw RuntimeError(ErrorKind::Overflow); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(0); });
        QCOMPARE(QCoreApplication::exec(), 1);
        QCOMPARE(reported, QList<int>{6});

        reported.clear();
        rt::Application::setReporter([&](const RuntimeError& e) { reported.append(e.number()); });
        QTimer::singleShot(0, qApp, [] {
            rt::guarded([] { throw RuntimeError(ErrorKind::TypeMismatch); });
            rt::guarded([] { throw RuntimeError(ErrorKind::Overflow); }); // no second box
        });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(0); });
        QCOMPARE(QCoreApplication::exec(), 1);
        QCOMPARE(reported, QList<int>{13});
    }

    // Every file the program writes: whole or not at all, and never over something that is
    // not a regular file (a device node, a FIFO, a folder), which is left as it was.
    void filesWrittenWhole_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("written");
        QTest::newRow("new") << "new" << true;
        QTest::newRow("an earlier file") << "file" << true;
        QTest::newRow("a device node") << "device" << false;
        QTest::newRow("a FIFO") << "fifo" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("in no folder") << "nowhere" << false;
    }
    void filesWrittenWhole() {
        QFETCH(QString, kind);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QString target = dir.filePath(QStringLiteral("out.pdf"));
        const QByteArray path = QFile::encodeName(target);
        if (kind == u"file") {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old") == 3);
        } else if (kind == u"device") {
            // the null device's numbers, in a folder of the test's own (never /dev itself)
            if (::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("device nodes can be made by root only");
        } else if (kind == u"fifo") {
            QVERIFY(::mkfifo(path.constData(), 0666) == 0);
        } else if (kind == u"folder") {
            QVERIFY(QDir().mkdir(target));
        } else if (kind == u"nowhere") {
            target = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
        }
        const QByteArray content(100000, 'x');
        const std::optional<QString> why = rt::FájlbaÍr(target, content);
        QCOMPARE(!why, written);
        struct stat st {};
        if (written) {
            QFile f(target);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), content);
        } else if (kind != u"nowhere") {
            QVERIFY(!why->isEmpty());
            QVERIFY(::lstat(path.constData(), &st) == 0);
            QVERIFY(kind == u"device" ? S_ISCHR(st.st_mode)
                    : kind == u"fifo" ? S_ISFIFO(st.st_mode)
                                      : S_ISDIR(st.st_mode));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 qsizetype(kind == u"new" || kind == u"file" ? 1 : 0)); // no temporary left
    }

    void applicationTitle() {
        QCOMPARE(rt::App::Title(), QStringLiteral("Velorix"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Velorix"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00"));
    }
};

int main(int argc, char** argv) {
    rt::Application app(argc, argv);
    checkExpectedLocale();
    TestRuntime test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_runtime.moc"
