#include "session.h"

#include "admin.h"
#include "datas.h"
#include "inputname.h"
#include "login.h"
#include "main_window.h"

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
    Login& window = login();
    if (!ended_)
        window.show();
}

void Session::logout()
{
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
