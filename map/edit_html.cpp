#include "edit_html.h"

#include "dialogs.h"
#include "fonts.h"
#include "htmlexport.h"
#include "mousepointer.h"
#include "session.h"
#include "tables.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <thread>

edit_html::edit_html(Session& session, QWidget* parent) : QWidget(parent, Qt::Dialog), session_(session)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("HTMLに変換"));
    setFont(fonts::standard());
    setFixedSize(377, 305);
    Text1 = new QPlainTextEdit(this);
    Text1->setGeometry(8, 8, 361, 113);
    Text2 = new QPlainTextEdit(this);
    Text2->setGeometry(8, 128, 361, 121);
    for (QPlainTextEdit* field : {Text1, Text2})
        field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Command1 = new QPushButton(QStringLiteral("HTML書き出し"), this);
    Command1->setGeometry(152, 264, 105, 33);
    Command3 = new QPushButton(QStringLiteral("閉じる"), this);
    Command3->setGeometry(264, 264, 105, 33);
    connect(Command1, &QPushButton::clicked, this, &edit_html::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &edit_html::Command3_Click);
    Form_Load();
}

void edit_html::Form_Load()
{
    Text1->setPlainText(QStringLiteral("index.html"));
    Text2->setPlainText(QStringLiteral("page*.html"));
}

void edit_html::Command1_Click()
{
    htmlexport::Request request;
    request.userID = session_.currentUserID();
    try {
        request.name = session_.userdata().text(tables::user::Name);
        request.backGnd = session_.userdata().text(tables::user::BackGnd);
    } catch (const DbError& e) {
        session_.mapData().reportUserdataError(e);
        return;
    }
    mousePointer::busy();
    const int workers = int(std::max(2u, std::thread::hardware_concurrency()));
    htmlexport::Result result;
    try {
        result = htmlexport::run(session_.installation(), request, session_.data(), workers);
    } catch (const DbError& e) {
        result.end = htmlexport::Result::End::Failed;
        result.message = e.text();
    }
    if (!result.index.isEmpty())
        Text1->setPlainText(result.index);
    if (!result.page.isEmpty())
        Text2->setPlainText(result.page);
    mousePointer::normal();
    const bool trouble = result.end == htmlexport::Result::End::Failed ||
                         result.end == htmlexport::Result::End::NameRefused;
    session_.dialogs().message(this, result.message, Dialogs::Buttons::Ok,
                               trouble ? Dialogs::Icon::Exclamation : Dialogs::Icon::None);
}

void edit_html::Command3_Click()
{
    close();
}
