// Photographs every window of the tools for the README: a throwaway
// installation folder with a few children's maps, the windows shown one
// after another as a teacher reaches them, each grabbed into a PNG file.

#include "editors.h"
#include "fixture.h"
#include "form10.h"
#include "form5.h"
#include "form9.h"
#include "kovrapp.h"
#include "mergewizard.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: kovr_screenshots <folder>\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    Fixture f;
    f.addUser(QStringLiteral("はなこ"), 2, QStringLiteral("背景\\park.bmp"));
    f.addUser(QStringLiteral("たろう"), 3, QStringLiteral("背景\\schoolyard.bmp"));
    f.addUser(QStringLiteral("ゆうき"), 4, QStringLiteral("背景\\riverside.bmp"));
    f.addUser(QStringLiteral("はなちゃん"), 5, QStringLiteral("背景\\park.bmp"));
    // The computer a map is brought from.
    Fixture other;
    other.addUser(QStringLiteral("あき"), 2, QStringLiteral("背景\\park.bmp"));
    other.addUser(QStringLiteral("そら"), 3, QStringLiteral("背景\\park.bmp"));
    other.addUser(QStringLiteral("うみ"), 4, QStringLiteral("背景\\riverside.bmp"));
    other.addFind({QStringLiteral("とんぼ"), 2, 40, 60, QStringLiteral("写真\\tonbo.jpg")});
    f.addFind({QStringLiteral("かぶと虫"), 2, 560, 150, QStringLiteral("写真\\glay.bmp"), 0, 0,
               QStringLiteral("7"), QStringLiteral("21"), QStringLiteral("クヌギの木にいた。\nつのが大きかった。")});
    f.addFind({QStringLiteral("ザリガニ"), 3, 100, 100, QStringLiteral("写真\\glay.bmp"), 0, 0,
               QStringLiteral("6"), QStringLiteral("1")});

    ScriptedDialogs dialogs(QStringLiteral("KOVR"));
    KovrApp app(f.installation(), dialogs);
    app.onEnd = [] {};
    bool ok = true;
    auto shot = [&](QWidget& window, const char* name) {
        QApplication::processEvents();
        const QString file = out + u'/' + QString::fromUtf8(name) + QStringLiteral(".png");
        ok = window.grab().save(file) && ok;
    };
    app.start();
    shot(app.form5(), "kovr-launcher");
    app.form5().Command1->click();
    shot(app.form9(), "kovr-edit-tool");
    app.form9().Command1->click();
    shot(app.editorOfUsers(), "kovr-editor-userdata");
    app.editorOfUsers().Command1->click();
    app.form9().Option2->click();
    app.form9().Command1->click();
    shot(app.editorOfData(), "kovr-editor-data");
    app.editorOfData().cmdClose->click();
    app.form5().Option5->click();
    app.form5().Command1->click();
    shot(app.form10(), "kovr-update-tool");
    app.form10().Command3->click();

    // The merge wizard, within this computer's database ...
    app.form5().Option3->click();
    app.form5().Command1->click();
    shot(app.form8(), "kovr-merge-start");
    app.form8().Command1->click();
    app.form1().List1->setCurrentRow(0);
    shot(app.form1(), "kovr-merge-step1");
    app.form1().Command3->click();
    app.form6().List1->setCurrentRow(0);
    shot(app.form6(), "kovr-merge-within-step2");
    app.form6().Command1->click();
    shot(app.form7(), "kovr-merge-within-step3");
    app.form7().Command3->click();
    app.form6().Command2->click();
    app.form1().Command1->click();
    // ... and from another computer's.
    app.form8().Option2->click();
    app.form8().Command1->click();
    app.form1().Command3->click();
    dialogs.choose(other.database());
    app.form2().Command1->click();
    shot(app.form2(), "kovr-merge-between-step2");
    app.form2().Command2->click();
    app.form3().List1->setCurrentRow(0);
    shot(app.form3(), "kovr-merge-between-step3");
    app.form3().Command1->click();
    shot(app.form4(), "kovr-merge-between-step4");
    return ok ? 0 : 1;
}
