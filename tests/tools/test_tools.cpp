#include "asotheruser.h"
#include "editors.h"
#include "fixture.h"
#include "form10.h"
#include "form5.h"
#include "form9.h"
#include "kovrapp.h"
#include "mousepointer.h"
#include "scripteddialogs.h"

#include <QAction>
#include <QMenu>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

struct Tools {
    Tools()
    {
        f.addUser(QStringLiteral("はなこ"), 2, QStringLiteral("背景\\park.bmp"));
        f.addUser(QStringLiteral("たろう"), 3, QStringLiteral("背景\\default.bmp"));
        f.addFind({QStringLiteral("かぶと虫"), 2, 560, 150});
        app.onEnd = [this] { ++ends; };
        app.start();
    }
    Fixture f;
    ScriptedDialogs dialogs{QStringLiteral("KOVR")};
    KovrApp app{f.installation(), dialogs};
    int ends = 0;
};

}  // namespace

class TestTools : public QObject {
    Q_OBJECT

private slots:
    void launcherOpensTheChosenToolAndTheBackButtonsReturn()
    {
        Tools t;
        Form5& launcher = t.app.form5();
        QCOMPARE(launcher.windowTitle(), QStringLiteral("WandeloDataBaseTools"));
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&launcher}));
        QVERIFY(launcher.Option1->isChecked());
        QCOMPARE(launcher.Command1->text(), QStringLiteral(">>　次へ"));

        // Untouched, the launcher opens the edit tool.
        launcher.Command1->click();
        Form9& start = t.app.form9();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&start}));
        QCOMPARE(start.windowTitle(), QStringLiteral("DataEditTool"));
        start.Command2->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&launcher}));

        launcher.Option5->click();
        QCOMPARE(launcher.toolChoice(), 3);
        launcher.Command1->click();
        Form10& update = t.app.form10();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&update}));
        QCOMPARE(update.windowTitle(), QStringLiteral("DatabaseUpdateTool"));
        update.Command3->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&launcher}));
        launcher.Command1->click();
        QCOMPARE(&t.app.form10(), &update);  // created once, shown again
        update.Command2->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&launcher}));
        QVERIFY(t.dialogs.asked.isEmpty());
        QCOMPARE(t.ends, 0);
    }

    void editToolOpensEitherEditor()
    {
        Tools t;
        t.app.form5().Command1->click();
        Form9& start = t.app.form9();
        QVERIFY(start.Option1->isChecked());
        start.Command1->click();
        frmForm2& users = t.app.editorOfUsers();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&users}));
        QCOMPARE(users.windowTitle(), QStringLiteral("DataEditTool (userdata)"));
        QCOMPARE(qobject_cast<QLineEdit*>(users.txtFields[0])->text(), QStringLiteral("はなこ"));
        QCOMPARE((QStringList{users.cmdAdd->text(), users.cmdDelete->text(), users.cmdUpdate->text(),
                              users.cmdClose->text(), users.Command1->text()}),
                 (QStringList{"追加", "削除", "更新", "完了", "<<　戻る"}));
        QCOMPARE(users.Label1->text(), QStringLiteral("※データを変更したら「更新」ボタンをクリックしてください"));
        users.Command1->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&start}));

        start.Option2->click();
        start.Command1->click();
        frmForm5& data = t.app.editorOfData();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&data}));
        QCOMPARE(data.windowTitle(), QStringLiteral("DataEditTool (data)"));
        QCOMPARE(data.txtFields.size(), 11);
        QCOMPARE(data.navigator->caption->text(), QStringLiteral("ﾚｺｰﾄﾞ: 1"));
        QVERIFY(t.dialogs.asked.isEmpty());
    }

    void doneAndBackSaveAPendingChange()
    {
        Tools t;
        t.app.form5().Command1->click();
        t.app.form9().Command1->click();
        frmForm2& users = t.app.editorOfUsers();
        typeInto(users.txtFields[0], QStringLiteral("はなちゃん"));
        users.cmdClose->click();
        QVERIFY(!mousePointer::isBusy());
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&t.app.form5()}));
        QCOMPARE(t.f.single("SELECT Name FROM userdata WHERE userID = 2").toString(), QStringLiteral("はなちゃん"));

        t.app.form5().Command1->click();
        t.app.form9().Command1->click();
        QCOMPARE(qobject_cast<QLineEdit*>(users.txtFields[0])->text(), QStringLiteral("はなちゃん"));
        typeInto(users.txtFields[1], QStringLiteral("に"));
        users.Command1->click();  // refused: the editor stays with the row pending
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&users}));
        QCOMPARE(t.dialogs.messages().size(), 1);
        typeInto(users.txtFields[1], QStringLiteral("22"));
        users.Command1->click();
        QVERIFY(!mousePointer::isBusy());
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&t.app.form9()}));
        QCOMPARE(t.f.single("SELECT userID FROM userdata WHERE Name = 'はなちゃん'").toInt(), 22);
    }

    // The editors show the application's cursors. A tool moving a cursor
    // while its editor is hidden moves no field; shown again, the editor
    // shows the row the cursor stands on.
    void editorsFollowTheApplicationsCursorOnlyWhileShown()
    {
        Tools t;
        t.app.form5().Command1->click();
        Form9& start = t.app.form9();
        start.Command1->click();
        frmForm2& users = t.app.editorOfUsers();
        QCOMPARE(&users.recordset(), t.app.localUserdata());
        auto* name = qobject_cast<QLineEdit*>(users.txtFields[0]);
        users.navigator->last->click();
        QCOMPARE(name->text(), QStringLiteral("たろう"));
        users.Command1->click();

        int repositioned = 0;
        connect(&users.data(), &DataControl::reposition, this, [&repositioned] { ++repositioned; });
        Cursor& cursor = *t.app.localUserdata();
        cursor.moveFirst();
        while (!cursor.eof())
            cursor.moveNext();
        cursor.moveFirst();
        QCOMPARE(repositioned, 0);
        QCOMPARE(name->text(), QStringLiteral("たろう"));

        start.Command1->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&users}));
        QCOMPARE(name->text(), QStringLiteral("はなこ"));
        QCOMPARE(users.navigator->caption->text(), QStringLiteral("ﾚｺｰﾄﾞ: 1"));
        users.navigator->next->click();
        QCOMPARE(name->text(), QStringLiteral("たろう"));
        QCOMPARE(cursor.absolutePosition(), 1);
        QVERIFY(t.dialogs.asked.isEmpty());
    }

    void helpRequestsOfEveryWindow()
    {
        Tools t;
        const QString helpFile = t.f.folder() + QStringLiteral("/KOVR/help/KOVR.hlp");
        const QList<std::pair<CommonMenus*, QString>> windows = {
            {&t.app.form5().menus, QString()},
            {&t.app.form9().menus, QStringLiteral("データベース編集ツール")},
            {&t.app.editorOfUsers().menus, QStringLiteral("ユーザを編集")},
            {&t.app.editorOfData().menus, QStringLiteral("データを編集")},
            {&t.app.form10().menus, QStringLiteral("データベース更新ツール")},
        };
        for (const auto& [menus, keyword] : windows) {
            QCOMPARE(menus->file->title(), QStringLiteral("ファイル"));
            QCOMPARE(menus->end->text(), QStringLiteral("KOVRの終了"));
            QCOMPARE(menus->help->title(), QStringLiteral("ヘルプ"));
            QCOMPARE(menus->topic->text(), QStringLiteral("トピックの検索"));
            t.dialogs.asked.clear();
            menus->topic->trigger();
            QCOMPARE(t.dialogs.asked.size(), 1);
            QCOMPARE(t.dialogs.asked[0].kind, QStringLiteral("help"));
            QCOMPARE(t.dialogs.asked[0].text, keyword);
            QCOMPARE(t.dialogs.asked[0].folder, helpFile);
        }
        QCOMPARE(t.ends, 0);
    }

    void endMenuAndCloseBoxEndTheProgram()
    {
        {
            Tools t;
            t.app.form5().Command1->click();
            t.app.form9().Command1->click();
            frmForm2& users = t.app.editorOfUsers();
            typeInto(users.txtFields[0], QStringLiteral("はなこ２"));
            users.menus.end->trigger();
            QCOMPARE(t.ends, 1);
            QVERIFY(t.app.ended());
            QVERIFY(visibleWindows().isEmpty());
            // What was typed is not lost.
            QCOMPARE(t.f.single("SELECT Name FROM userdata WHERE userID = 2").toString(), QStringLiteral("はなこ２"));
        }
        {
            Tools t;
            t.app.form5().close();
            QCOMPARE(t.ends, 1);
        }
        {
            Tools t;
            t.app.form5().Command1->click();
            t.app.form9().Command1->click();
            t.app.editorOfUsers().close();
            QCOMPARE(t.ends, 1);
        }
    }

    void missingDatabaseIsReportedAndNeverCreated()
    {
        Tools t;
        QVERIFY(QFile::remove(t.f.database()));
        t.app.form5().Command1->click();
        t.app.form9().Command1->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&t.app.form9()}));
        QCOMPARE(t.dialogs.messages().size(), 1);
        QVERIFY(t.dialogs.messages()[0].startsWith(dataControlErrorHeading));
        QVERIFY(t.dialogs.messages()[0].contains(QStringLiteral("見つかりません")));
        t.app.form9().Command2->click();
        t.app.form5().Option5->click();
        t.app.form5().Command1->click();
        t.app.form10().Command1->click();
        QCOMPARE(t.dialogs.messages().size(), 2);
        QVERIFY(t.dialogs.messages()[1].startsWith(dataControlErrorHeading));
        QVERIFY(!QFile::exists(t.f.database()));
    }

    // Another program holding wandelo.mdb at the tools' first use: the busy
    // text, and the tool works at the next try once the lock is gone.
    void lockedDatabaseIsBusyThenUsable()
    {
        Database::setBusyTimeout(50);
        Tools t;
        FileLock lock(t.f.database());
        t.app.form5().Command1->click();
        t.app.form9().Command1->click();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&t.app.form9()}));
        QCOMPARE(t.dialogs.messages(), QStringList{dataControlErrorHeading + busyText});
        lock.release();
        t.app.form9().Command1->click();
        frmForm2& users = t.app.editorOfUsers();
        QCOMPARE(visibleWindows(), (QList<QWidget*>{&users}));
        QCOMPARE(qobject_cast<QLineEdit*>(users.txtFields[0])->text(), QStringLiteral("はなこ"));
        QCOMPARE(t.dialogs.messages().size(), 1);
        Database::setBusyTimeout(5000);
    }

    // The teacher learns at start why saving would fail; the launcher
    // still opens. Run as an ordinary account (root may write any file).
    void aDatabaseThatCannotBeWrittenIsReportedAtStart()
    {
        Fixture f;
        QVERIFY(QFile::setPermissions(f.database(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(f.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
        const QString seen = asOrdinaryUser([&] {
            ScriptedDialogs dialogs{QStringLiteral("KOVR")};
            KovrApp app{f.installation(), dialogs};
            app.start();
            return QString::number(app.form5().isVisible()) + u'\n' + dialogs.messages().join(u'\n');
        });
        QVERIFY2(seen.startsWith("1\nデータベース「" + f.database() + "」に書き込めない"), qPrintable(seen));
        QVERIFY2(seen.contains("先生へ"), qPrintable(seen));
    }

    void foreignFileIsLeftAlone()
    {
        Tools t;
        {
            QFile file(t.f.database());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("これはデータベースではありません");
        }
        const QByteArray before = fileBytes(t.f.database());
        t.app.form5().Option5->click();
        t.app.form5().Command1->click();
        t.app.form10().Command1->click();
        QCOMPARE(t.dialogs.messages().size(), 1);
        QVERIFY(t.dialogs.messages()[0].startsWith(dataControlErrorHeading));
        QCOMPARE(fileBytes(t.f.database()), before);
    }
};

QTEST_MAIN(TestTools)
#include "test_tools.moc"
