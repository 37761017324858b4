// Qt's standard dialogs speak Japanese once the programs' start has
// installed Qt's translations.

#include "translations.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

// A caption without its keyboard mnemonic: "開く(&O)" reads "開く".
QString plain(QString text)
{
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    return text.remove(mnemonic).remove(u'&');
}

QStringList buttonTexts(QWidget& dialog)
{
    QStringList texts;
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << plain(button->text());
    return texts;
}

QStringList labelTexts(QWidget& dialog)
{
    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        texts << plain(label->text());
    return texts;
}

}  // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installJapaneseTranslations(); }

    void fileDialogs()
    {
        QFileDialog open(nullptr, "開く", QDir::tempPath());
        open.setOption(QFileDialog::DontUseNativeDialog);
        open.setAcceptMode(QFileDialog::AcceptOpen);
        const QStringList buttons = buttonTexts(open);
        QVERIFY2(buttons.contains("開く") && buttons.contains("キャンセル"), qPrintable(buttons.join(',')));
        QVERIFY2(!buttons.contains("Open") && !buttons.contains("Cancel"), qPrintable(buttons.join(',')));
        const QStringList labels = labelTexts(open);
        QVERIFY2(!labels.contains("Look in:") && !labels.contains("File name:"), qPrintable(labels.join(',')));

        QFileDialog save(nullptr, "名前を付けて保存", QDir::tempPath());
        save.setOption(QFileDialog::DontUseNativeDialog);
        save.setAcceptMode(QFileDialog::AcceptSave);
        QVERIFY2(buttonTexts(save).contains("保存"), qPrintable(buttonTexts(save).join(',')));
    }

    void messageInputAndPrintDialogs()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(plain(box.button(QMessageBox::Yes)->text()), QStringLiteral("はい"));
        QCOMPARE(plain(box.button(QMessageBox::No)->text()), QStringLiteral("いいえ"));
        QCOMPARE(plain(box.button(QMessageBox::Cancel)->text()), QStringLiteral("キャンセル"));

        QInputDialog input;
        input.show();  // the buttons are made when it is shown
        QVERIFY2(buttonTexts(input).contains("キャンセル"), qPrintable(buttonTexts(input).join(',')));
        input.hide();

        QPrinter printer;
        QPrintDialog print(&printer);
        const QStringList buttons = buttonTexts(print);
        QVERIFY2(buttons.contains("印刷") && !buttons.contains("Print"), qPrintable(buttons.join(',')));
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
