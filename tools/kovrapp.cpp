#include "kovrapp.h"

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
    // Windows go with the program; the editors before the database their
    // cursors read.
    delete form5_;
    delete form9_;
    delete form10_;
    for (QWidget* w : wizardWindows())
        delete w;
    delete frmForm2_;
    delete frmForm5_;
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

Database* KovrApp::localDatabase()
{
    if (!database_ && !databaseTried_) {
        databaseTried_ = true;
        try {
            // The fixed path names the installation folder's wandelo.mdb;
            // opening checks its tables and never creates the file.
            database_ = Database::open(installation_.resolve(tables::databaseAbsolute));
        } catch (const DbError& e) {
            openError_ = e.text();
        }
    }
    return database_.get();
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

frmForm2& KovrApp::editorOfUsers()
{
    if (!frmForm2_) {
        frmForm2_ = new frmForm2(*this, localDatabase());
        if (!frmForm2_->isOpen())
            frmForm2_->reportError(DbError(dberr::cannotOpen, openError_));
    }
    return *frmForm2_;
}

frmForm5& KovrApp::editorOfData()
{
    if (!frmForm5_) {
        frmForm5_ = new frmForm5(*this, localDatabase());
        if (!frmForm5_->isOpen())
            frmForm5_->reportError(DbError(dberr::cannotOpen, openError_));
    }
    return *frmForm5_;
}

Cursor* KovrApp::localUserdata()
{
    const bool existed = hasEditorOfUsers();
    frmForm2& editor = editorOfUsers();
    if (editor.isOpen())
        return &editor.recordset();
    if (existed)
        editor.reportError(DbError(dberr::cannotOpen, openError_));
    return nullptr;
}

Cursor* KovrApp::localData()
{
    const bool existed = hasEditorOfData();
    frmForm5& editor = editorOfData();
    if (editor.isOpen())
        return &editor.recordset();
    if (existed)
        editor.reportError(DbError(dberr::cannotOpen, openError_));
    return nullptr;
}

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
