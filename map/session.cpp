#include "session.h"

#include "admin.h"
#include "datas.h"
#include "dialogs.h"
#include "inputname.h"
#include "login.h"
#include "dialog.h"
#include "main_window.h"
#include "paint.h"
#include "pallete.h"
#include "printable.h"
#include "tables.h"
#include "writecheck.h"

#include <QCoreApplication>
#include <QDate>
#include <type_traits>

Session::Session(Installation installation, Dialogs& dialogs)
    : installation_(std::move(installation)), dialogs_(dialogs), mapData_(installation_, dialogs_)
{
    onEnd = [] { QCoreApplication::exit(0); };
}

Session::~Session()
{
    // Windows go with the process; their unload handling does not run.
    destroyRecordTools();
    delete inputName_;
    delete main_;
    destroyHolders();
    delete login_;
}

// Every window of the session is made on its first reference.
template <class W> W& Session::window(QPointer<W>& slot)
{
    if (!slot) {
        if constexpr (std::is_constructible_v<W, Session&>)
            slot = new W(*this);
        else
            slot = new W;
    }
    return *slot;
}

Login& Session::login() { return window(login_); }
InputName& Session::inputName() { return window(inputName_); }
Datas& Session::datas() { return window(datas_); }
Main& Session::map() { return window(main_); }
dialog& Session::chooser() { return window(chooser_); }
Paint& Session::paint() { return window(paint_); }
Pallete& Session::palette() { return window(palette_); }
Printable& Session::printable() { return window(printable_); }

namespace {
template <class W>
void destroyLater(QPointer<W>& window)
{
    if (window) {
        window->hide();
        window->deleteLater();
        window = nullptr;
    }
}
}  // namespace

void Session::destroyInputName()
{
    destroyLater(inputName_);
}

void Session::destroyChooser()
{
    destroyLater(chooser_);
}

void Session::destroyPaint()
{
    destroyLater(palette_);
    destroyLater(paint_);
}

void Session::destroyPalette()
{
    destroyLater(palette_);
}

void Session::destroyPrintable()
{
    delete printable_;
}

// The windows the record window leads to work on the data cursor: they
// go before it closes.
void Session::destroyRecordTools()
{
    delete palette_;
    delete paint_;
    delete chooser_;
    delete printable_;
}

void Session::destroyLogin()
{
    delete login_;
}

// The holders go with their cursors: first the users, then the records.
void Session::destroyHolders()
{
    mapData_.closeUserdata();
    delete admin_;
    mapData_.closeData();
    delete datas_;
}

bool Session::openUserdata()
{
    window(admin_);
    return mapData_.userdataOpen();
}

bool Session::openData()
{
    window(datas_);
    return mapData_.dataOpen();
}

void Session::signIn(qint16 userID, const QString& name)
{
    currentUserID_ = userID;
    currentUserName_ = name;
}

void Session::start()
{
    // Said before the login window opens: a child must not type a record
    // that the first save would lose.
    const QString problem = databaseWriteProblem(installation_.database());
    if (!problem.isEmpty()) {
        dialogs_.message(nullptr, problem, Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
        endProgram();
        return;
    }
    // What one login starts from: no map yet, today's date for new
    // records, the photo folder for the chooser.
    mapReady_ = false;
    const QDate today = QDate::currentDate();
    rememberedMonth = QString::number(today.month());
    rememberedDay = QString::number(today.day());
    chooserFolder = tables::photoFolderAbsolute;
    Login& window = login();
    if (!ended_)
        window.show();
}

void Session::logout()
{
    destroyRecordTools();
    destroyHolders();
    destroyLater(main_);  // the map window may be in the middle of its own handler
    destroyLogin();
    start();
}

void Session::mapClosing()
{
    destroyRecordTools();
    destroyHolders();
    destroyLogin();
    endProgram();
}

void Session::endProgram()
{
    ended_ = true;
    if (onEnd)
        onEnd();
}
