#include "fixture.h"
#include "mousepointer.h"
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
    Editor(Cursor* cursor, const QString& table, Dialogs& dialogs) : TableEditor(cursor, table, dialogs) {}
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
            : db(Database::open(f.database())), cursor(*db, table, Cursor::Kind::Dynaset),
              editor(&cursor, table, dialogs)
        {
        }
        ScriptedDialogs dialogs{QStringLiteral("KOVR")};
        std::unique_ptr<Database> db;
        Cursor cursor;
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

    // Another program registered users after the editor opened: the added
    // row lands after theirs, and the editor says where.
    void addAfterAnotherProgramAppendedShowsTheRealPosition()
    {
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        f.addUser(QStringLiteral("よそ1"), 30);
        f.addUser(QStringLiteral("よそ2"), 31);
        e.cmdAdd->click();
        type(line(e, 0), QStringLiteral("さくら"));
        type(line(e, 1), QStringLiteral("20"));
        e.cmdUpdate->click();
        QCOMPARE(f.query("SELECT Name FROM userdata WHERE rowid > 12"), (QVariantList{"よそ1", "よそ2", "さくら"}));
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 15"));
        QCOMPARE(line(e, 0)->text(), QStringLiteral("さくら"));
        e.navigator->previous->click();
        QCOMPARE(line(e, 0)->text(), QStringLiteral("よそ2"));
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
        typeInto(line(e, 0), QStringLiteral("かえで"));
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
        typeInto(line(e, field), value);  // past the typing limit, as a paste of old data could
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
        typeInto(line(e, field), field == 0 ? QStringLiteral("なおした") : QStringLiteral("40"));
        e.cmdClose->click();
        QCOMPARE(e.left, 1);
        QCOMPARE(f.single("SELECT count(*) FROM userdata WHERE Name = 'なおした' OR userID = 40").toInt(), 1);
    }

    // The refused value must not stay queued: typed back to what the row
    // holds, the field saves, and the editor moves and leaves again.
    void refusedValueTypedBackSaves()
    {
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        type(line(e, 1), QStringLiteral("abc"));
        e.cmdUpdate->click();
        QCOMPARE(o.dialogs.asked.size(), 1);
        line(e, 1)->clear();
        type(line(e, 1), QStringLiteral("2"));
        type(line(e, 0), QStringLiteral("です"));
        e.cmdUpdate->click();
        e.navigator->next->click();
        QCOMPARE(caption(e), QStringLiteral("ﾚｺｰﾄﾞ: 2"));
        e.cmdClose->click();
        QCOMPARE(e.left, 1);
        QCOMPARE(o.dialogs.asked.size(), 1);
        QCOMPARE(f.query("SELECT Name, userID FROM userdata LIMIT 1"), (QVariantList{"ユーザ1です", 2}));
    }

    // Only what the person edited is written: a comment with CR LF and a
    // no-break space (as older programs wrote it), which the memo field
    // shows as a line break and a blank, keeps its bytes when the row is
    // visited and when it is saved through another field.
    void untouchedFieldsKeepTheirBytes()
    {
        Fixture f;
        for (int i = 1; i <= 2; ++i)
            f.addFind({QStringLiteral("もの%1").arg(i), 2});
        f.sql("UPDATE data SET comment = 'いけで' || char(13, 10) || 'みた' || char(160) || 'かめ'");
        const QVariantList before = f.query("SELECT hex(comment) FROM data");
        Open o(f, QStringLiteral("data"));
        Editor& e = o.editor;
        e.navigator->next->click();
        e.navigator->previous->click();
        type(line(e, 0), QStringLiteral("です"));
        e.cmdUpdate->click();
        e.navigator->next->click();
        e.cmdClose->click();
        QCOMPARE(f.query("SELECT hex(comment) FROM data"), before);
        QCOMPARE(f.query("SELECT object FROM data"), (QVariantList{"もの1です", "もの2"}));
        QVERIFY(o.dialogs.asked.isEmpty());
    }

    // Validate shows the busy pointer before every save and move; it is
    // normal again once each button has done its work, also when a save
    // moves nowhere or is refused.
    void pointerIsNormalAfterEachButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        for (const char* button : {"add", "delete", "update", "close", "next"}) {
            QTest::addRow("%s after an edit", button) << button << "2";
            QTest::addRow("%s after a refused value", button) << button << "abc";
        }
    }
    void pointerIsNormalAfterEachButton()
    {
        QFETCH(QString, button);
        QFETCH(QString, typed);
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        line(e, 1)->clear();
        type(line(e, 1), typed);
        QAbstractButton* press = button == "add" ? e.cmdAdd
            : button == "delete"                 ? e.cmdDelete
            : button == "update"                 ? e.cmdUpdate
            : button == "close"                  ? static_cast<QAbstractButton*>(e.cmdClose)
                                                 : e.navigator->next;
        press->click();
        QVERIFY(!mousePointer::isBusy());
    }

    void addThenDeleteDropsTheNewRow()
    {
        Fixture f;
        twelveUsers(f);
        Open o(f);
        Editor& e = o.editor;
        e.navigator->last->click();
        e.cmdAdd->click();
        typeInto(line(e, 0), QStringLiteral("まちがい"));
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
