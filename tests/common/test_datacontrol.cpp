#include "datacontrol.h"
#include "fixture.h"
#include "scripteddialogs.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

class TestDataControl : public QObject {
    Q_OBJECT

    struct Form {
        explicit Form(Fixture& f)
            : db(Database::open(f.database())),
              control(std::make_unique<Cursor>(*db, "data", Cursor::Kind::Table), dialogs)
        {
            control.bind(&object, "object");
            control.bind(&comment, "comment");
        }
        ScriptedDialogs dialogs;
        std::unique_ptr<Database> db;
        DataControl control;
        QLineEdit object;
        QPlainTextEdit comment;
    };

    static void twoRows(Fixture& f)
    {
        f.addFind({"かぶと虫", 2});
        f.addFind({"どんぐり", 2});
    }

private slots:
    void fieldsShowTheCurrentRow()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        QCOMPARE(form.object.text(), QStringLiteral("かぶと虫"));
        QCOMPARE(form.comment.toPlainText(), QStringLiteral(" "));
        form.control.recordset().moveNext();
        QCOMPARE(form.object.text(), QStringLiteral("どんぐり"));
    }

    void editsAreSavedBeforeAMove()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        typeInto(&form.object, "クワガタ");
        form.control.recordset().moveNext();
        QCOMPARE(f.query("SELECT object FROM data"), (QVariantList{"クワガタ", "どんぐり"}));
    }

    void saveWritesTheFieldsIntoTheRowBeingEdited()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        Cursor& c = form.control.recordset();
        c.edit();
        c.setValue("photo", "/home/hana/かぶと.jpg");
        typeInto(&form.comment, "森で見つけた");
        form.control.updateRecord();
        QCOMPARE(f.query("SELECT object, comment, photo FROM data LIMIT 1"),
                 (QVariantList{"かぶと虫", "森で見つけた", "/home/hana/かぶと.jpg"}));
    }

    void saveWithNothingChangedWritesNothing()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        QSignalSpy validate(&form.control, &DataControl::validate);
        form.control.updateRecord();
        QVERIFY(!form.control.recordset().lastModified().has_value());
        QCOMPARE(validate.count(), 0);
    }

    void validateBeforeAndRepositionAfterEveryMove()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        QStringList order;
        connect(&form.control, &DataControl::validate, this, [&] { order << "validate"; });
        connect(&form.control, &DataControl::reposition, this,
                [&] { order << "reposition:" + form.object.text(); });
        form.control.recordset().moveLast();
        QCOMPARE(order, (QStringList{"validate", "reposition:どんぐり"}));
    }

    // A field that does not fit its column: the error is raised, the move
    // does not happen, the row stays pending and nothing is written.
    void aFailingSaveStopsTheMove()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        QSignalSpy errors(&form.control, &DataControl::error);
        typeInto(&form.object, QString(51, u'あ'));
        QVERIFY_THROWS_EXCEPTION(DbError, form.control.recordset().moveNext());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(form.control.recordset().absolutePosition(), 0);
        QCOMPARE(form.object.text(), QString(51, u'あ'));
        QCOMPARE(f.single("SELECT object FROM data").toString(), QStringLiteral("かぶと虫"));
        QCOMPARE(form.dialogs.messages().size(), 1);  // the engine's text, once
    }

    void anErrorHandlerCanSilenceTheMessage()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        connect(&form.control, &DataControl::error, this,
                [](int, const QString&, DataControl::Response* r) { *r = DataControl::Response::NoMessage; });
        typeInto(&form.object, QString(51, u'あ'));
        try {
            form.control.updateRecord();
            QFAIL("saved a value that does not fit");
        } catch (const DbError& e) {
            form.control.reportError(e);
        }
        QVERIFY(form.dialogs.messages().isEmpty());
    }

    // A refused value is not kept for the next save: the corrected field
    // is written, even when it is what the row held before.
    void aRefusedValueIsNotSentAgain()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        typeInto(&form.object, QString(51, u'あ'));
        QVERIFY_THROWS_EXCEPTION(DbError, form.control.updateRecord());
        typeInto(&form.object, "かぶと虫");
        form.control.updateRecord();
        form.control.recordset().moveNext();
        QCOMPARE(f.query("SELECT object FROM data"), (QVariantList{"かぶと虫", "どんぐり"}));
        QVERIFY(!form.control.fieldsChanged());
    }

    void addingEmptiesTheFieldsAndSavesThemAsANewRow()
    {
        Fixture f;
        twoRows(f);
        Form form(f);
        Cursor& c = form.control.recordset();
        c.addNew();
        QCOMPARE(form.object.text(), QString());
        typeInto(&form.object, "せみ");
        form.control.updateRecord();
        QCOMPARE(f.query("SELECT object FROM data"), (QVariantList{"かぶと虫", "どんぐり", "せみ"}));
        QCOMPARE(form.object.text(), QStringLiteral("かぶと虫"));  // back on the row before
    }
};

QTEST_MAIN(TestDataControl)
#include "test_datacontrol.moc"
