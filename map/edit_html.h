#pragma once
// The window `edit_html` ("HTMLに変換"): writes the current user's map as a
// small web site below HTML/. Its two fields show the names of the files,
// and after an export the index page and the last point page as written.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class Session;

class edit_html : public QWidget {
    Q_OBJECT
public:
    edit_html(Session& session, QWidget* parent);

    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;

    void Command1_Click();
    void Command3_Click();

private:
    void Form_Load();

    Session& session_;
};
