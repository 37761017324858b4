#pragma once
// The session context of the map program: the windows of one login, the
// two cursors their holders keep (userdata in `admin`, data in `Datas`),
// and the session values. Windows are created the first time they are
// asked for and destroyed explicitly, in the order logout and the map
// window's close box prescribe.

#include "installation.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class Dialogs;
class InputName;
class Login;
class Main;
class admin;
class Datas;
class dialog;
class Paint;
class Pallete;
class Printable;

class Session : public QObject {
    Q_OBJECT
public:
    Session(Installation installation, Dialogs& dialogs);
    ~Session() override;

    const Installation& installation() const { return installation_; }
    Dialogs& dialogs() { return dialogs_; }

    // --- session values, kept for the life of the program -------------
    // start() sets what a login starts from; after that only the windows
    // named beside a value write it.
    qint16 currentUserID = 0;    // signing in: the login or the name window
    QString currentUserName;     // likewise
    bool mapReady = false;       // the login, as the map opens; the map, on a new background
    QString rememberedMonth;     // the record window, at each save
    QString rememberedDay;       // likewise
    QString chooserFolder;       // the picture chooser
    QString chosenPicturePath;   // the picture chooser

    // --- windows, created on first reference ---------------------------
    Login& login();
    InputName& inputName();
    admin& userHolder();  // the hidden `admin` window with the userdata cursor
    Datas& datas();
    Main& map();
    dialog& chooser();     // the picture chooser of the record window
    Paint& paint();
    Pallete& palette();
    Printable& printable();
    bool hasLogin() const { return !login_.isNull(); }
    bool hasInputName() const { return !inputName_.isNull(); }
    bool hasUserHolder() const { return !admin_.isNull(); }
    bool hasDatas() const { return !datas_.isNull(); }
    bool hasMap() const { return !main_.isNull(); }
    bool hasChooser() const { return !chooser_.isNull(); }
    bool hasPaint() const { return !paint_.isNull(); }
    bool hasPalette() const { return !palette_.isNull(); }

    void destroyLogin();
    // From the window's own handlers: it goes once they have returned.
    void destroyInputName();
    void destroyUserHolder();
    void destroyDatas();
    void destroyMap();
    // The chooser, the paint window and the palette go from their own
    // handlers: they go once those have returned.
    void destroyChooser();
    void destroyPaint();
    void destroyPalette();
    void destroyPrintable();

    // Starts the program: the login window is the first window.
    void start();
    // Logout from the map window: every window of the login goes, a new
    // login window comes.
    void logout();
    // The map window's close box: the holders and the login window go; the
    // program ends when the map window has closed.
    void mapClosing();
    // Ends the program at once: no further handler of any window runs.
    void endProgram();
    bool ended() const { return ended_; }

    // How the program ends (tests replace it).
    std::function<void()> onEnd;

private:
    template <class W> W& window(QPointer<W>& slot);
    void destroyRecordTools();

    Installation installation_;
    Dialogs& dialogs_;
    QPointer<Login> login_;
    QPointer<InputName> inputName_;
    QPointer<admin> admin_;
    QPointer<Datas> datas_;
    QPointer<Main> main_;
    QPointer<dialog> chooser_;
    QPointer<Paint> paint_;
    QPointer<Pallete> palette_;
    QPointer<Printable> printable_;
    bool ended_ = false;
};
