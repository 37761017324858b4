#include "dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    // Message texts carry stored names and photos: a child's "<h1>" or
    // "<img src=...>" is shown as the characters it is, never as a heading
    // or a picture of this computer.
    void messageBoxesShowStoredTextAsCharacters()
    {
        const QString text = QStringLiteral("<h1>BIG</h1><img src=\"/home/hana/x.jpg\">.jpgが見つかりません。探しますか？");
        DesktopDialogs dialogs(QStringLiteral("ワンデロ"));
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            QVERIFY(label);
            shown = label->text();
            format = label->textFormat();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QStringLiteral("いいえ"))
                    button->click();
        });
        QCOMPARE(static_cast<Dialogs&>(dialogs).message(nullptr, text, Dialogs::Buttons::YesNo), Dialogs::Answer::No);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, text);
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
