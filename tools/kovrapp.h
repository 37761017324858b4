#pragma once
// The database tools' application object. It owns the local database
// (wandelo.mdb of this computer) and the tools' two local cursors on it,
// `userdata` and `data`: the update tool and the merge wizard walk them, the
// edit tool's editors bind to them. No window owns data another window
// needs. It also holds the installation folder, the dialogs and the merge
// wizard's state, and hands out the tools windows: each is created the
// first time it is asked for and from then on only shown and hidden;
// exactly one of them is visible at a time.

#include "installation.h"
#include "wizardstate.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class Cursor;
class Database;
class DbError;
class Dialogs;
class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class Form7;
class Form8;
class Form9;
class Form10;
class frmForm2;
class frmForm5;

class KovrApp : public QObject {
    Q_OBJECT
public:
    KovrApp(Installation installation, Dialogs& dialogs);
    ~KovrApp() override;

    const Installation& installation() const { return installation_; }
    Dialogs& dialogs() { return dialogs_; }

    // The tools' help file, "help\KOVR.hlp" in their own folder.
    QString helpFile() const;
    // Opens the help at its topics window (no keyword) or at a keyword.
    void showHelp(QWidget* parent, const QString& keyword);

    // --- windows, created on first reference ---------------------------
    Form5& form5();  // the launcher
    Form9& form9();  // the edit tool's start
    Form10& form10();  // the update tool
    // The merge wizard: its start, the receiving user, the sending
    // database, the sending user and the confirmation, for either way.
    Form8& form8();
    Form1& form1();
    Form2& form2();
    Form3& form3();
    Form4& form4();
    Form6& form6();
    Form7& form7();
    WizardState& wizard() { return wizard_; }
    frmForm2& editorOfUsers();  // the editor on the local userdata cursor
    frmForm5& editorOfData();   // the editor on the local data cursor

    // --- the local data, opened on first use ---------------------------
    // The local cursors on userdata and data, updatable, opened on the
    // fixed path "C:\Program Files\ワンデロ\wandelo.mdb" the first time
    // they are asked for and kept until the program ends. Null when the
    // file is missing, busy or not a database of this system: the reason
    // was shown, and the next use tries again.
    Cursor* localUserdata();
    Cursor* localData();
    // Shows a failure of the local data the way the editors' data controls
    // show theirs: the fixed heading, then the engine's text.
    void reportError(const DbError& error);

    // Shows `window` and hides the one that was visible.
    void show(QWidget* window);
    QWidget* visibleWindow() const { return visible_; }

    // Starts the tools: the launcher is the first window.
    void start();
    // Ends the program: pending edits of the editors are saved first, so
    // that nothing a teacher typed is lost; then no further window runs.
    void endProgram();
    bool ended() const { return ended_; }
    // How the program ends (tests replace it).
    std::function<void()> onEnd;

private:
    Cursor* localCursor(std::unique_ptr<Cursor>& slot, const QString& table);
    template <class W> W& window(QPointer<W>& slot);
    template <class E> E& editor(QPointer<E>& slot, Cursor* (KovrApp::*cursor)());
    QList<QWidget*> wizardWindows() const;

    Installation installation_;
    Dialogs& dialogs_;
    // The local database and its cursors; the cursors go before it.
    std::unique_ptr<Database> database_;
    std::unique_ptr<Cursor> userdata_;
    std::unique_ptr<Cursor> data_;
    QPointer<Form5> form5_;
    QPointer<Form9> form9_;
    QPointer<Form10> form10_;
    QPointer<Form1> form1_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;
    QPointer<Form6> form6_;
    QPointer<Form7> form7_;
    QPointer<Form8> form8_;
    WizardState wizard_;
    QPointer<frmForm2> frmForm2_;
    QPointer<frmForm5> frmForm5_;
    QPointer<QWidget> visible_;
    bool ended_ = false;
};
