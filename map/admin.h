#pragma once
// The administrator window `admin`: never shown, it holds the session's
// cursor on userdata through its data control, with Name, userID and
// BackGnd bound to three text fields. The map window replaces a background
// by setting Text1 and saving the bound fields.

#include "datacontrol.h"

#include <QWidget>
#include <memory>

class QLineEdit;
class Session;

class admin : public QWidget {
    Q_OBJECT
public:
    explicit admin(Session& session);
    ~admin() override;

    // False when wandelo.mdb could not be opened (already reported).
    bool isOpen() const { return Data1 != nullptr; }
    DataControl& data() { return *Data1; }
    Cursor& recordset() { return Data1->recordset(); }

    QLineEdit* txtFields[2] = {};
    QLineEdit* Text1 = nullptr;

    // Reports a database error of the userdata cursor the way its data
    // control does.
    void reportError(const DbError& error);

private:
    void Data1_Error(int number, const QString& text, DataControl::Response* response);
    void Data1_Reposition();
    void Data1_Validate(CursorObserver::Action action, bool save);

    Session& session_;
    std::unique_ptr<Database> database_;
    DataControl* Data1 = nullptr;
};
