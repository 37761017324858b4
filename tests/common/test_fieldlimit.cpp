// Fields with a width: text that comes in at once and does not fit is cut
// to what fits, and the field says so.
#include "fieldlimit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

class TestFieldLimit : public QObject {
    Q_OBJECT
private slots:
    void textThatDoesNotFit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("how");  // "commit" or "paste"
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("told");
        QTest::newRow("a commit that fits") << 5 << "あい" << 2 << "commit" << "うえお" << "あいうえお" << false;
        QTest::newRow("a commit cut at the end") << 5 << "あい" << 2 << "commit" << "うえおかき" << "あいうえお" << true;
        QTest::newRow("a paste into a full field") << 3 << "abc" << 3 << "paste" << "d" << "abc" << true;
        QTest::newRow("a paste in the middle keeps what follows") << 5 << "abcd" << 2 << "paste" << "XYZ" << "abXcd"
                                                                  << true;
        QTest::newRow("𠮷 is one character") << 3 << "" << 0 << "commit" << "𠮷𠮷𠮷𠮷" << "𠮷𠮷𠮷" << true;
        QTest::newRow("𠮷 fits whole or not at all") << 3 << "ab" << 2 << "paste" << "𠮷c" << "ab𠮷" << true;
    }
    void textThatDoesNotFit()
    {
        QFETCH(int, limit);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, how);
        QFETCH(QString, incoming);
        QFETCH(QString, after);
        QFETCH(bool, told);
        QLineEdit field;
        limitField(&field, limit);
        field.show();
        QVERIFY(QTest::qWaitForWindowActive(&field));
        field.setText(before);
        field.setCursorPosition(cursor);
        QToolTip::hideText();
        if (how == "commit") {
            QInputMethodEvent commit;
            commit.setCommitString(incoming);
            QApplication::sendEvent(&field, &commit);
        } else {
            QApplication::clipboard()->setText(incoming);
            QTest::keySequence(&field, QKeySequence::Paste);
        }
        QCOMPARE(field.text(), after);
        QCOMPARE(QToolTip::isVisible(), told);
        if (told)
            QCOMPARE(QToolTip::text(), QStringLiteral("ここには%1文字までです").arg(limit));
    }
};

QTEST_MAIN(TestFieldLimit)
#include "test_fieldlimit.moc"
