#include "int16.h"

#include <QTest>

class TestInt16 : public QObject {
    Q_OBJECT
private slots:
    void text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "7" << true << 7;
        QTest::newRow("leading blank, as Str writes it") << " 7" << true << 7;
        QTest::newRow("half rounds down to even") << "2.5" << true << 2;
        QTest::newRow("half rounds up to even") << "3.5" << true << 4;
        QTest::newRow("empty fails") << "" << false << 0;
        QTest::newRow("blank fails") << "  " << false << 0;
        QTest::newRow("letters fail") << "abc" << false << 0;
        QTest::newRow("digits then letters fail") << "12a" << false << 0;
        QTest::newRow("above the range fails") << "40000" << false << 0;
        QTest::newRow("lowest value") << "-32768" << true << -32768;
        QTest::newRow("highest value") << "32767" << true << 32767;
        QTest::newRow("just below the range fails") << "-32769" << false << 0;
        // As the Japanese input method types them.
        QTest::newRow("full-width digit") << "５" << true << 5;
        QTest::newRow("full-width digits") << "１２" << true << 12;
        QTest::newRow("full-width minus") << "－３" << true << -3;
        QTest::newRow("minus sign") << "−３" << true << -3;
        QTest::newRow("ideographic blank") << "　７" << true << 7;
        QTest::newRow("full-width digits then a letter fail") << "１２ａ" << false << 0;
        QTest::newRow("other scripts' digits fail") << "٣" << false << 0;
    }
    void text()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const auto result = toInt16(text);
        QCOMPARE(result.has_value(), ok);
        if (ok)
            QCOMPARE(int(*result), value);
    }

    void variants()
    {
        QVERIFY(!toInt16(QVariant()).has_value());  // a field never written
        QCOMPARE(int(*toInt16(QVariant(12))), 12);
        QCOMPARE(int(*toInt16(QVariant(-0.5))), 0);
        QCOMPARE(int(*toInt16(QVariant(QStringLiteral("8")))), 8);
        QVERIFY(!toInt16(QVariant(1e9)).has_value());
    }

    void floorOfTheUpdateTool()
    {
        QCOMPARE(intFloor(12.5 * 1.25), 15.0);
        QCOMPARE(intFloor(-0.5), -1.0);
        QCOMPARE(intFloor(100.0), 100.0);
    }
};

QTEST_GUILESS_MAIN(TestInt16)
#include "test_int16.moc"
