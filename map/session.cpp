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
#include "writecheck.h"

#include <QCoreApplication>
#include <QDir>

Session::Session(Installation installation, Dialogs& dialogs)
    : installation_(std::move(installation)), dialogs_(dialogs)
{
    onEnd = [] { QCoreApplication::exit(0); };
}

Session::~Session()
{
    // Windows go with the process; their unload handling does not run.
    destroyRecordTools();
    delete inputName_;
    delete main_;
    delete datas_;
    delete admin_;
    delete login_;
}

Login& Session::login()
{
    if (!login_)
        login_ = new Login(*this);
    return *login_;
}

InputName& Session::inputName()
{
    if (!inputName_)
        inputName_ = new InputName(*this);
    return *inputName_;
}

void Session::destroyInputName()
{
    if (inputName_) {
        inputName_->hide();
        inputName_->deleteLater();
        inputName_ = nullptr;
    }
}

admin& Session::userHolder()
{
    if (!admin_)
        admin_ = new admin(*this);
    return *admin_;
}

Datas& Session::datas()
{
    if (!datas_)
        datas_ = new Datas(*this);
    return *datas_;
}

Main& Session::map()
{
    if (!main_)
        main_ = new Main(*this);
    return *main_;
}

dialog& Session::chooser()
{
    if (!chooser_)
        chooser_ = new dialog(*this);
    return *chooser_;
}

Paint& Session::paint()
{
    if (!paint_)
        paint_ = new Paint(*this);
    return *paint_;
}

Pallete& Session::palette()
{
    if (!palette_)
        palette_ = new Pallete(*this);
    return *palette_;
}

Printable& Session::printable()
{
    if (!printable_)
        printable_ = new Printable;
    return *printable_;
}

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

// The windows the record window leads to work on its cursor: they go
// before it does.
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

void Session::destroyUserHolder()
{
    delete admin_;
}

void Session::destroyDatas()
{
    delete datas_;
}

void Session::destroyMap()
{
    delete main_;
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
    Login& window = login();
    if (!ended_)
        window.show();
}

void Session::logout()
{
    destroyRecordTools();
    destroyUserHolder();
    destroyDatas();
    if (main_) {
        // The map window may be in the middle of its own handler.
        main_->hide();
        main_->deleteLater();
        main_ = nullptr;
    }
    destroyLogin();
    start();
}

void Session::mapClosing()
{
    destroyRecordTools();
    destroyUserHolder();
    destroyDatas();
    destroyLogin();
    endProgram();
}

void Session::endProgram()
{
    ended_ = true;
    if (onEnd)
        onEnd();
}

void Session::enterProgramFolder() const
{
    QDir::setCurrent(installation_.folder());
}
