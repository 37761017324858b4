#include "fixture.h"
#include "scripteddialogs.h"
#include "tableeditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

// An editor whose close button only counts.
class Editor : public TableEditor {
public:
    Editor(Database* db, const QString& table, Dialogs& dialogs) : TableEditor(db, table, dialogs) {}
    int left = 0;

protected:
    void leave() override { ++left; }
};

QLineEdit* line(TableEditor& e, int i)
{
    return qobject_cast<QLineEdit*>(e.txtFields[i]);
}

// Types text as a keyboard (or an input method) delivers it, one
// character at a time.
void type(QWidget* field, const QString& text)
{
    for (char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(field, &release);
    }
}

QString caption(TableEditor& e)
{
    return e.navigator->caption->text();
}

}  // namespace

class TestTableEditor : public QObject {
    Q_OBJECT

    struct Open {
        explicit Open(Fixture& f, const QString& table = QStringLiteral("userdata"))
            : db(Database::open(f.database())), editor(db.get(), table, dialogs)
        {
        }
        ScriptedDialogs dialogs{QStringLiteral("KOVR")};
        std::unique_ptr<Database> db;
        Editor editor;
    };

    static void twelveUsers(Fixture& f)
    {
        for (int i = 0; i < 12; ++i)
            f.addUser(QStringLiteral("ユーザ%1").arg(i + 1), i + 2, QStringLiteral("背景\\default.bmp"));
    }

private slots:
    void fieldsInTableOrderWithLabelsAndWidths()
    {
        Fixture f;
        Open o(f, QStringLiteral("data"));
        Editor& e = o.editor;
        QCOMPARE(e.txtFields.size(), 11);
        QStringList labels;
        for (QLabel* l : e.lblLabels)
            labels << l->text();
        QCOMPARE(labels, (QStringList{"object:", "months:", "days:", "comment:", "indexs:", "yz:", "xz:",
                                      "photo:", "childs:", "mother:", "userID:"}));
        for (int i = 1; i < e.txtFields.size(); ++i)
            QVERIFY(e.txtFields[i]->y() > e.txtFields[i - 1]->y());
        auto* memo = qobject_cast<QPlainTextEdit*>(e.txtFields[3]);
        QVERIFY(memo);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(memo->height() > e.txtFields[0]->height());
        // Typing stops at the column's width, counted as the database
        // counts characters: 𠮷 is one character.
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        line(e, 0)->setFocus();
        type(line(e, 0), QString(60, u'あ'));
        QCOMPARE(line(e, 0)->text().size(), 50);
        line(e, 7)->clear();
        type(line(e, 7), QString::fromUtf8("𠮷"));
        QCOMPARE(line(e, 7)->text(), QString::fromUtf8("𠮷"));
        // Number columns take any length; the database judges the value.
        type(line(e, 10), QString(80, u'9'));
        QCOMPARE(line(e, 10)->text().size(), 80);
    }

    void captionFollowsThePosition()
    {
        Fixture f;
        twelveUsers(f);
        Open o(f);
        QCOMPARE(caption(o.editor), QStringLiteral("ﾚｺｰﾄﾞ: 1"));
        QCOMPARE(line(o.editor, 0)->text(), QStringLiteral("ユーザ1"));
        o.editor.navigator->last->click();
        QCOMPARE(caption(o.editor), QStringLiteral("ﾚｺｰﾄﾞ: 12"));
        QCOMPARE(line(o.editor, 0)->text(), QStringLiteral("ユーザ12"));
        // The navigator stops at both ends.
        o.editor.navigator->next->click();
        QCOMPARE(caption(o.editor), QStringLiteral("ﾚｺｰﾄﾞ: 12"));
        o.editor.navigator->first->click();
        o.editor.navigator->previous->click();
        QCOMPARE(caption(o.editor), QStringLiteral("ﾚｺｰﾄﾞ: 1"));
        o.editor.navigator->next->click();
        QCOMPARE(caption(o.editor), QStringLiteral("ﾚｺｰﾄﾞ: 2"));
        QVERIFY(o.dialogs.asked.isEmpty());
    }

    void addTypeSaveAppendsAndStaysOnTheNewRow()
    {
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        e.cmdAdd->click();
        QCOMPARE(line(e, 0)->text(), QString());
        type(line(e, 0), QStringLiteral("さくら"));
        type(line(e, 1), QStringLiteral("20"));
        type(line(e, 2), QStringLiteral("背景\\park.bmp"));
        e.cmdUpdate->click();
        QCOMPARE(f.query("SELECT Name, userID, BackGnd FROM userdata WHERE rowid = (SELECT max(rowid) FROM userdata)"),
                 (QVariantList{"さくら", 20, "背景\\park.bmp"}));
        QCOMPARE(f.single("SELECT count(*) FROM userdata").toInt(), 13);
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 13"));
        QCOMPARE(line(e, 0)->text(), QStringLiteral("さくら"));
        QVERIFY(o.dialogs.asked.isEmpty());
    }

    void deleteShowsTheNextRow()
    {
        Fixture f;
        for (int i = 1; i <= 3; ++i)
            f.addFind({QStringLiteral("もの%1").arg(i), 2});
        Open o(f, QStringLiteral("data"));
        Editor& e = o.editor;
        e.navigator->next->click();
        e.cmdDelete->click();
        QCOMPARE(line(e, 0)->text(), QStringLiteral("もの3"));
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 2"));
        // The other rows keep their values: indexs is not renumbered.
        QCOMPARE(f.query("SELECT object, indexs FROM data"), (QVariantList{"もの1", "1", "もの3", "3"}));
        // Deleting the last row leaves the cursor past the end; deleting
        // again there, and saving with nothing typed, do nothing.
        e.cmdDelete->click();
        QCOMPARE(line(e, 0)->text(), QString());
        e.cmdDelete->click();
        e.cmdUpdate->click();
        QCOMPARE(f.query("SELECT object FROM data"), (QVariantList{"もの1"}));
        QVERIFY(o.dialogs.asked.isEmpty());
        // Back from past the end to the last row.
        e.navigator->previous->click();
        QCOMPARE(line(e, 0)->text(), QStringLiteral("もの1"));
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 1"));
    }

    void saveWithNothingChangedStaysAndWritesNothing()
    {
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        line(e, 0)->setText(QStringLiteral("かえで"));
        e.cmdUpdate->click();  // a change on row 1
        e.navigator->last->click();
        const QByteArray before = fileBytes(f.database());
        e.cmdUpdate->click();
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 12"));
        QCOMPARE(fileBytes(f.database()), before);
        QVERIFY(o.dialogs.asked.isEmpty());
    }

    void valueThatDoesNotFitIsRefusedAndStaysPending_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("name too long") << 0 << QString(21, u'な');
        QTest::newRow("userID not a number") << 1 << QStringLiteral("にばん");
        QTest::newRow("userID outside 16 bits") << 1 << QStringLiteral("40000");
    }
    void valueThatDoesNotFitIsRefusedAndStaysPending()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        const QByteArray before = fileBytes(f.database());
        line(e, field)->setText(value);  // past the typing limit, as a paste of old data could
        e.cmdUpdate->click();
        QCOMPARE(o.dialogs.asked.size(), 1);
        QVERIFY(o.dialogs.asked[0].text.startsWith(QStringLiteral("ﾃﾞｰﾀ ｺﾝﾄﾛｰﾙで次のｴﾗｰが発生しました :")));
        QVERIFY(o.dialogs.asked[0].text.size() > dataControlErrorHeading.size());
        QCOMPARE(o.dialogs.asked[0].title, QStringLiteral("KOVR"));
        QCOMPARE(fileBytes(f.database()), before);
        QCOMPARE(line(e, field)->text(), value);
        // Moving on is refused too: the row stays pending, and the close
        // button does not leave.
        e.navigator->next->click();
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 1"));
        e.cmdClose->click();
        QCOMPARE(e.left, 0);
        QCOMPARE(fileBytes(f.database()), before);
        // Mended, it is saved.
        line(e, field)->setText(field == 0 ? QStringLiteral("なおした") : QStringLiteral("40"));
        e.cmdClose->click();
        QCOMPARE(e.left, 1);
        QCOMPARE(f.single("SELECT count(*) FROM userdata WHERE Name = 'なおした' OR userID = 40").toInt(), 1);
    }

    void addThenDeleteDropsTheNewRow()
    {
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        e.navigator->last->click();
        e.cmdAdd->click();
        line(e, 0)->setText(QStringLiteral("まちがい"));
        e.cmdDelete->click();
        QCOMPARE(f.single("SELECT count(*) FROM userdata").toInt(), 12);
        QCOMPARE(line(e, 0)->text(), QStringLiteral("ユーザ12"));
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 12"));
    }

    void emptyTableAndNoDatabase()
    {
        Fixture f;
        Open o(f);
        QCOMPARE(caption(o.editor), QString());
        o.editor.cmdDelete->click();
        o.editor.cmdUpdate->click();
        o.editor.navigator->next->click();
        QVERIFY(o.dialogs.asked.isEmpty());

        ScriptedDialogs dialogs;
        Editor none(nullptr, QStringLiteral("data"), dialogs);
        QVERIFY(!none.isOpen());
        none.cmdAdd->click();
        none.cmdClose->click();  // nothing to save: it leaves
        QCOMPARE(none.left, 1);
    }
};

QTEST_MAIN(TestTableEditor)
#include "test_tableeditor.moc"
