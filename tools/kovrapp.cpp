#include "kovrapp.h"

#include "cursor.h"
#include "database.h"
#include "dialogs.h"
#include "editors.h"
#include "form10.h"
#include "mergewizard.h"
#include "form5.h"
#include "form9.h"
#include "tables.h"
#include "writecheck.h"

#include <QCoreApplication>

KovrApp::KovrApp(Installation installation, Dialogs& dialogs)
    : installation_(std::move(installation)), dialogs_(dialogs)
{
    onEnd = [] { QCoreApplication::exit(0); };
}

KovrApp::~KovrApp()
{
    // Windows go with the program; the editors before the cursors they
    // show, the cursors before the database they read.
    delete form5_;
    delete form9_;
    delete form10_;
    for (QWidget* w : wizardWindows())
        delete w;
    delete frmForm2_;
    delete frmForm5_;
    userdata_.reset();
    data_.reset();
    database_.reset();
}

QString KovrApp::helpFile() const
{
    return installation_.resolveForTools(QStringLiteral("help\\KOVR.hlp"));
}

void KovrApp::showHelp(QWidget* parent, const QString& keyword)
{
    dialogs_.showHelp(parent, helpFile(), keyword);
}

// Tried again at every use until it opens: a file that another program
// held busy, or that was missing, may be usable now.
Cursor* KovrApp::localCursor(std::unique_ptr<Cursor>& slot, const QString& table)
{
    if (slot)
        return slot.get();
    try {
        // The fixed path names the installation folder's wandelo.mdb;
        // opening checks its tables and never creates the file.
        if (!database_)
            database_ = Database::open(installation_.resolve(tables::databaseAbsolute));
        slot = std::make_unique<Cursor>(*database_, table, Cursor::Kind::Dynaset);
    } catch (const DbError& e) {
        reportError(e);
    }
    return slot.get();
}

Cursor* KovrApp::localUserdata() { return localCursor(userdata_, tables::userdata); }
Cursor* KovrApp::localData() { return localCursor(data_, tables::data); }

void KovrApp::reportError(const DbError& error)
{
    reportDataControlError(dialogs_, visible_, error);
}

template <class W> W& KovrApp::window(QPointer<W>& slot)
{
    if (!slot) {
        slot = new W(*this);
        slot->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return *slot;
}

Form5& KovrApp::form5() { return window(form5_); }
Form9& KovrApp::form9() { return window(form9_); }
Form10& KovrApp::form10() { return window(form10_); }
Form8& KovrApp::form8() { return window(form8_); }
Form1& KovrApp::form1() { return window(form1_); }
Form2& KovrApp::form2() { return window(form2_); }
Form3& KovrApp::form3() { return window(form3_); }
Form4& KovrApp::form4() { return window(form4_); }
Form6& KovrApp::form6() { return window(form6_); }
Form7& KovrApp::form7() { return window(form7_); }

QList<QWidget*> KovrApp::wizardWindows() const
{
    QList<QWidget*> shown;
    for (QWidget* w : std::initializer_list<QWidget*>{form8_, form1_, form2_, form3_, form4_, form6_, form7_})
        if (w)
            shown << w;
    return shown;
}

// An editor made while its cursor could not be opened is made again at the
// next use, so that the edit tool works as soon as the file can be used.
template <class E> E& KovrApp::editor(QPointer<E>& slot, Cursor* (KovrApp::*cursor)())
{
    if (slot && !slot->isOpen() && slot != visible_)
        delete slot.data();
    if (!slot)
        slot = new E(*this, (this->*cursor)());
    return *slot;
}

frmForm2& KovrApp::editorOfUsers() { return editor(frmForm2_, &KovrApp::localUserdata); }
frmForm5& KovrApp::editorOfData() { return editor(frmForm5_, &KovrApp::localData); }

void KovrApp::show(QWidget* window)
{
    if (visible_ == window) {
        window->show();
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
    if (visible_)
        visible_->hide();
    visible_ = window;
}

void KovrApp::start()
{
    // The teacher learns at once why saving would fail; the tools still
    // open, to look at the data.
    const QString problem = databaseWriteProblem(installation_.database());
    if (!problem.isEmpty())
        dialogs_.message(nullptr, problem, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
    show(&form5());
}

void KovrApp::endProgram()
{
    if (ended_)
        return;
    // A change typed into an editor and not yet saved is saved now, as
    // the data control saves it when it leaves the row. A value the
    // database refuses was shown by the editor and goes with the program.
    for (TableEditor* editor : {static_cast<TableEditor*>(frmForm2_.data()),
                                static_cast<TableEditor*>(frmForm5_.data())}) {
        if (editor && editor->isOpen() && editor->data().fieldsChanged())
            editor->savePending();
    }
    ended_ = true;
    for (QWidget* w : std::initializer_list<QWidget*>{form5_, form9_, form10_, frmForm2_, frmForm5_})
        if (w)
            w->hide();
    for (QWidget* w : wizardWindows())
        w->hide();
    if (onEnd)
        onEnd();
}
