#pragma once
// The administrator window `admin`: never shown. Its three text fields are
// bound to the session's userdata cursor (Name, userID, BackGnd), which
// the session's MapData owns; creating the window opens that cursor, and
// the session closes it where it destroys the window. Nothing reads the
// users through this window: they ask the session.

#include <QWidget>

class QLineEdit;
class Session;

class admin : public QWidget {
    Q_OBJECT
public:
    explicit admin(Session& session);

    QLineEdit* txtFields[2] = {};
    QLineEdit* Text1 = nullptr;
};
