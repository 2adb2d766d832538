// Number rules that decide boundary cases in the game: rounding, overflow,
// reading typed numbers and dynamic arrays.
#include "shell/toolkit/zahlen.h"

#include <QLocale>
#include <QTest>

using namespace tk;

class tst_Zahlen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cintRoundsHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("2.5001") << 2.5001 << 3;
        QTest::newRow("r*8 just below a half") << 0.0624999 * 8 << 0;
        QTest::newRow("upper edge") << 32767.0 << 32767;
        QTest::newRow("upper edge plus a bit") << 32767.49 << 32767;
        QTest::newRow("lower edge") << -32768.0 << -32768;
        QTest::newRow("lower edge half rounds to even") << -32768.5 << -32768;
    }
    void cintRoundsHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(CInt(value)), expected);
    }

    void cintOverflows_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("32767.5 rounds to 32768") << 32767.5;
        QTest::newRow("32768") << 32768.0;
        QTest::newRow("-32769") << -32769.0;
        QTest::newRow("-32768.51") << -32768.51;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }
    void cintOverflows()
    {
        QFETCH(double, value);
        try {
            CInt(value);
            QFAIL("no overflow");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 6);
        }
    }

    void clngAndIntPart()
    {
        QCOMPARE(CLng(40000.5), 40000);
        QCOMPARE(CLng(40001.5), 40002);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, CLng(2147483648.0));
        QCOMPARE(Int(8.99), 8.0);
        QCOMPARE(Int(-0.5), -1.0);
        QCOMPARE(Int(15.0 * 0.9999999f), 14.0);
    }

    void integerArithmeticIsChecked()
    {
        Integer a = 32766;
        a += 1;
        QCOMPARE(int(a), 32767);
        try {
            a += 1;
            QFAIL("no overflow");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 6);
        }
        QCOMPARE(int(a), 32767); // the failed addition changed nothing
        QCOMPARE(int(Integer(-32768) + Integer(0)), -32768);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Integer(-32768) - Integer(1));
        QCOMPARE(int(Integer(32) * Integer(1000)), 32000);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Integer(33) * Integer(1000));
        QCOMPARE(Integer(-7).str(), QStringLiteral("-7"));
        QCOMPARE(Integer(12).str(), QStringLiteral("12"));
    }

    void readsTypedNumbersInGermanSettings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "7" << 7;
        QTest::newRow("blanks around") << "  15 " << 15;
        QTest::newRow("one and a half") << "1,5" << 2;
        QTest::newRow("two and a half") << "2,5" << 2;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("upper edge") << "32767" << 32767;
    }
    void readsTypedNumbersInGermanSettings()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(int(CIntText(text)), expected);
        QLocale::setDefault(QLocale::c());
    }

    void refusesWhatIsNoNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("empty") << "" << 13;
        QTest::newRow("blank") << "   " << 13;
        QTest::newRow("word") << "drei" << 13;
        QTest::newRow("number and word") << "3 Sekunden" << 13;
        QTest::newRow("too large") << "32768" << 6;
        QTest::newRow("far too large") << "1e30" << 6;
    }
    void refusesWhatIsNoNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, error);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        try {
            CIntText(text);
            QFAIL("accepted");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), error);
        }
        QLocale::setDefault(QLocale::c());
    }

    void decimalSeparatorFollowsSettings()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(CDbl(QStringLiteral("2.5")), 2.5);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(CDbl(QStringLiteral("2,5")), 2.5);
        QLocale::setDefault(QLocale::c());
    }

    void dynamicArrays()
    {
        DynArray<QString> a;
        QVERIFY(!a.hasArray());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, a(0));
        a.ReDimPreserve(14);
        for (int i = 0; i <= 14; ++i)
            a(i) = QString::number(i);
        a.ReDimPreserve(0); // a short round after a long one keeps only its first element
        QCOMPARE(a.UBound(), 0);
        QCOMPARE(a(0), QStringLiteral("0"));
        a.ReDimPreserve(3);
        QCOMPARE(a(3), QString()); // new elements are empty
        try {
            a(4) = QStringLiteral("x");
            QFAIL("written outside the bounds");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 9);
        }
        QVERIFY_THROWS_EXCEPTION(RuntimeError, a(-1));
        DynArray<double> d;
        d.ReDimPreserve(1);
        QCOMPARE(d(1.0), 0.0);
    }
};

QTEST_APPLESS_MAIN(tst_Zahlen)
#include "tst_zahlen.moc"
