#include "kovrapp.h"

#include "database.h"
#include "dialogs.h"
#include "editors.h"
#include "form10.h"
#include "form5.h"
#include "form9.h"
#include "tables.h"

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
    if (onEnd)
        onEnd();
}
