#pragma once
// The name-entry window `InputName`: a child who starts a new map types
// their name; "O K" registers the new user and opens the new, empty map.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class Session;

class InputName : public QWidget {
    Q_OBJECT
public:
    explicit InputName(Session& session);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();  // O K: register
    void Command2_Click();  // キャンセル

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Text1_Change();
    void refuse(const QString& message);

    Session& session_;
};
