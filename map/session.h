#pragma once
// The session context of the map program: the data of one login (the
// userdata and data cursors, owned by MapData and read through userdata()
// and data()), the windows of that login, and the session values.
// Windows are created the first time they are asked for and destroyed
// explicitly, in the order logout and the map window's close box prescribe.
// The holders, the hidden `admin` and the record window `Datas`, open a
// cursor when they are created and bind their fields to it; the session
// closes the cursor where it destroys its holder. A window asks the
// session for a cursor, never another window.

#include "installation.h"
#include "mapdata.h"

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

    // --- the data of one login -------------------------------------------
    MapData& mapData() { return mapData_; }
    // The session's cursors; they throw DbError when not open.
    Cursor& userdata() { return mapData_.userdata(); }
    Cursor& data() { return mapData_.data(); }
    // The holders come to life: the login window's load opens the users,
    // opening a map or registering opens the records (the record window
    // is made hidden). False when the cursor could not be opened (already
    // reported).
    bool openUserdata();
    bool openData();

    // --- session values, kept for the life of the program -------------
    // start() sets what a login starts from; after that each value has
    // one writer: a function of its own or the window named beside it.
    qint16 currentUserID() const { return currentUserID_; }
    const QString& currentUserName() const { return currentUserName_; }
    // Signing in: the login opening a map, the name window registering.
    void signIn(qint16 userID, const QString& name);
    bool mapReady() const { return mapReady_; }
    // Set as a map opens and as a new background shows; cleared by start().
    void setMapReady(bool ready) { mapReady_ = ready; }
    QString rememberedMonth;     // the record window, at each save
    QString rememberedDay;       // likewise
    QString chooserFolder;       // the picture chooser
    QString chosenPicturePath;   // the picture chooser

    // --- windows, created on first reference ---------------------------
    Login& login();
    InputName& inputName();
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
    void destroyHolders();

    Installation installation_;
    Dialogs& dialogs_;
    MapData mapData_;
    qint16 currentUserID_ = 0;
    QString currentUserName_;
    bool mapReady_ = false;
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
