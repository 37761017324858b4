#include "mergewizard.h"

#include "backup.h"
#include "mergepictures.h"
#include "dialogs.h"
#include "fonts.h"
#include "form5.h"
#include "int16.h"
#include "kovrapp.h"
#include "merge.h"
#include "mousepointer.h"
#include "rowrules.h"
#include "storednames.h"
#include "tables.h"
#include "userrules.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

namespace {

const QString withinKeyword = QStringLiteral("単一のwandelo.mdb内で統合");
const QString betweenKeyword = QStringLiteral("２つのwandelo.mdb間で統合");
const QString caption = QStringLiteral("DataMargeTool");

QLabel* stepLabel(const QString& text, QWidget* parent)
{
    QLabel* label = place(new QLabel(text, parent), 16, 10, 120, 26);
    label->setFont(fonts::comicSans(14, true));
    label->setStyleSheet(QStringLiteral("color: #7a4fb0;"));
    return label;
}

QPushButton* backButton(QWidget* parent, int top)
{
    return place(new QPushButton(QStringLiteral("<<　戻る"), parent), 16, top, 120, 32);
}

QPushButton* nextButton(const QString& text, QWidget* parent, int top)
{
    return place(new QPushButton(text, parent), 364, top, 120, 32);
}

}  // namespace

// --- Form8 -------------------------------------------------------------

Form8::Form8(KovrApp& app) : ToolsWindow(app, caption, 500, 320, [] { return QStringLiteral("データベース統合ツール"); })
{
    QWidget* w = client();
    Picture1 = place(new QLabel(w), 16, 12, 80, 80);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/art/merge_logo.png")));
    Picture1->setScaledContents(true);
    Label5 = place(new QLabel(QStringLiteral("Database Marge Tool"), w), 112, 28, 380, 44);
    Label5->setFont(fonts::comicSans(22, true));
    Label5->setStyleSheet(QStringLiteral("color: #7a4fb0;"));
    Frame1 = place(new QGroupBox(w), 16, 104, 468, 150);
    Option1 = place(new QRadioButton(QStringLiteral("単一のwandelo.mdb内で統合"), Frame1), 16, 12, 440, 26);
    Label1 = place(new QLabel(QStringLiteral("このコンピュータで使用しているユーザのデータを１つに統合します"), Frame1),
                   36, 38, 420, 22);
    Option2 = place(new QRadioButton(QStringLiteral("２つのwandelo.mdb間で統合"), Frame1), 16, 74, 440, 26);
    Label2 = place(new QLabel(QStringLiteral("別のコンピュータで作成したユーザのデータをこのコンピュータのデータベースに統合します"),
                              Frame1),
                   36, 100, 420, 40);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Command2 = backButton(w, 272);
    Command1 = nextButton(QStringLiteral(">>　次へ"), w, 272);
    Option1->setChecked(true);
    connect(Command1, &QPushButton::clicked, this, &Form8::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form8::Command2_Click);
    Form_Load();
}

void Form8::Form_Load()
{
    app_.wizard().mode = WizardState::Mode::Within;
}

void Form8::Command1_Click()
{
    app_.wizard().mode = Option1->isChecked() ? WizardState::Mode::Within : WizardState::Mode::Between;
    // Without this computer's wandelo.mdb there is no one to receive a
    // map: the reason was shown, and the wizard stays at its start.
    if (!app_.localUserdata())
        return;
    app_.show(&app_.form1());
}

void Form8::Command2_Click()
{
    app_.show(&app_.form5());
}

// --- Form1 -------------------------------------------------------------

Form1::Form1(KovrApp& app)
    : ToolsWindow(app, caption, 500, 340, [&app] { return app.wizard().mode == WizardState::Mode::Between ? betweenKeyword : withinKeyword; })
{
    QWidget* w = client();
    Label1 = stepLabel(QStringLiteral("Step1"), w);
    Label2 = place(new QLabel(QStringLiteral("データを受け入れるユーザを選択してください"), w), 16, 42, 468, 22);
    List1 = place(new QListWidget(w), 16, 68, 468, 172);
    Label3 = place(new QLabel(QStringLiteral("背景画像名："), w), 16, 250, 100, 22);
    Label4 = place(new QLabel(w), 116, 250, 368, 22);
    Command1 = backButton(w, 292);
    Command3 = nextButton(QStringLiteral(">>　次へ"), w, 292);
    Command3->setEnabled(false);
    connect(List1, &QListWidget::itemSelectionChanged, this, &Form1::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    Form_Load();
}

// The list of names is made once, when the window is first needed.
void Form1::Form_Load()
{
    Cursor* users = app_.localUserdata();
    if (!users)
        return;
    try {
        users->moveFirst();
        while (!users->eof()) {
            List1->addItem(users->text(tables::user::Name));
            users->moveNext();
        }
    } catch (const DbError& e) {
        app_.reportError(e);
    }
}

void Form1::List1_Click()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString name = item->text();
    Cursor* users = app_.localUserdata();
    if (!users)
        return;
    WizardState& s = app_.wizard();
    bool found = false;
    try {
        if (userrules::findByName(*users, name)) {
            const qint16 id = rows::int16Field(*users, tables::user::userID);
            s.receivingName = name;
            s.receivingBackground = MakeFilename(users->text(tables::user::BackGnd));
            s.receivingID = id;
            found = true;
        }
    } catch (const DbError& e) {
        app_.reportError(e);
        return;
    }
    if (!found) {
        // The list is made once; a user deleted since (by the merge within
        // this database, or in the edit tool) cannot receive a map.
        app_.dialogs().message(this, merge::senderMissingMessage(name));
        Label4->clear();
        Command3->setEnabled(false);
        return;
    }
    Label4->setText(s.receivingBackground);
    Command3->setEnabled(true);
}

void Form1::Command3_Click()
{
    WizardState& s = app_.wizard();
    if (s.mode == WizardState::Mode::Between) {
        app_.show(&app_.form2());
        return;
    }
    Form6& next = app_.form6();
    if (next.fill(this))
        app_.show(&next);
}

void Form1::Command1_Click()
{
    app_.show(&app_.form8());
}

// --- Form2 -------------------------------------------------------------

Form2::Form2(KovrApp& app) : ToolsWindow(app, caption, 500, 240, [] { return betweenKeyword; })
{
    QWidget* w = client();
    Label3 = stepLabel(QStringLiteral("Step2"), w);
    Label1 = place(new QLabel(QStringLiteral("データを送る「wandelo.mdb」を選択してください"), w), 16, 42, 468, 22);
    Text1 = place(new QLineEdit(w), 16, 84, 336, 28);
    Text1->setReadOnly(true);
    Command1 = place(new QPushButton(QStringLiteral("データベースの選択"), w), 364, 82, 120, 32);
    Command3 = backButton(w, 192);
    Command2 = nextButton(QStringLiteral(">>　次へ"), w, 192);
    Command2->setEnabled(false);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
}

void Form2::Command1_Click()
{
    WizardState& s = app_.wizard();
    const QString folder = s.sendingPath.isEmpty() ? QDir::homePath() : QFileInfo(s.sendingPath).absolutePath();
    const std::optional<QString> chosen =
        app_.dialogs().openFile(this, folder, {{wizard::fileFilterLabel, {QStringLiteral("*.mdb")}}});
    if (chosen)
        dialogFileName_ = *chosen;
    // Cancelled before anything was ever chosen: nothing to look at.
    if (dialogFileName_.isEmpty())
        return;
    if (MakeFilename(dialogFileName_) != QStringLiteral("wandelo.mdb")) {
        app_.dialogs().message(this, wizard::onlyWandeloMdbMessage);
        return;
    }
    s.sendingPath = dialogFileName_;
    Text1->setText(s.sendingPath);
    Command2->setEnabled(true);
}

void Form2::Command2_Click()
{
    WizardState& s = app_.wizard();
    Dialogs& dialogs = app_.dialogs();
    // Merging this computer's own file into itself would copy every point
    // of the user a second time.
    const QString local = QFileInfo(app_.installation().database()).canonicalFilePath();
    const QString chosen = QFileInfo(s.sendingPath).canonicalFilePath();
    if (!chosen.isEmpty() && chosen == local) {
        dialogs.message(this, wizard::sameDatabaseMessage);
        return;
    }
    // The file a child carried from another computer is only read.
    std::unique_ptr<Database> database;
    std::unique_ptr<Cursor> users, data;
    try {
        database = Database::open(s.sendingPath, Database::Mode::ReadOnly);
        users = std::make_unique<Cursor>(*database, tables::userdata, Cursor::Kind::Dynaset);
        data = std::make_unique<Cursor>(*database, tables::data, Cursor::Kind::Dynaset);
    } catch (const DbError& e) {
        dialogs.message(this, wizard::unreadableMessage + u'\n' + e.text());
        return;
    }
    s.closeSending();
    s.sendingDatabase = std::move(database);
    s.sendingUsers = std::move(users);
    s.sendingData = std::move(data);

    Form3& next = app_.form3();
    if (next.fill(this))
        app_.show(&next);
    else
        s.closeSending();  // a file whose users cannot be read sends nothing
}

void Form2::Command3_Click()
{
    Text1->clear();
    app_.show(&app_.form1());
}

// --- Form3 and Form6 ---------------------------------------------------

SendingUserStep::SendingUserStep(KovrApp& app, const QString& windowCaption, const QString& keyword)
    : ToolsWindow(app, windowCaption, 500, 340, [keyword] { return keyword; })
{
    QWidget* w = client();
    Label3 = place(new QLabel(QStringLiteral("一覧からデータを送る「ユーザ」を選択してください"), w), 16, 64, 468, 22);
    List1 = place(new QListWidget(w), 16, 90, 468, 182);
    Command2 = backButton(w, 292);
    Command1 = nextButton(QString(), w, 292);
    Command1->setEnabled(false);
    connect(List1, &QListWidget::itemSelectionChanged, this, &SendingUserStep::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &SendingUserStep::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SendingUserStep::Command2_Click);
}

void SendingUserStep::List1_Click()
{
    QListWidgetItem* item = List1->currentItem();
    const QString text = item && item->isSelected() ? item->text() : QString();
    if (text.isEmpty())
        return;
    app_.wizard().sendingName = text;
    Command1->setEnabled(true);
}

void SendingUserStep::showNames(const QStringList& names)
{
    List1->clear();
    Command1->setEnabled(false);
    List1->addItems(names);
}

void SendingUserStep::Command1_Click()
{
    app_.show(nextStep());
}

void SendingUserStep::Command2_Click()
{
    List1->clear();
    Command1->setEnabled(false);
    app_.show(previousStep());
}

namespace {
QLabel* listTitle(QWidget* parent)
{
    return place(new QLabel(QStringLiteral("同じ背景を利用しているユーザ一覧"), parent), 16, 40, 468, 22);
}
}  // namespace

Form3::Form3(KovrApp& app) : SendingUserStep(app, caption, betweenKeyword)
{
    Label2 = stepLabel(QStringLiteral("Step3"), client());
    Label1 = listTitle(client());
    Command1->setText(QStringLiteral(">> 次へ"));
}

QWidget* Form3::nextStep() { return &app_.form4(); }
QWidget* Form3::previousStep() { return &app_.form2(); }

// The users of the other computer's file with the receiver's background.
bool Form3::fill(QWidget* from)
{
    const WizardState& s = app_.wizard();
    if (!s.sendingUsers)
        return false;
    try {
        showNames(userrules::namesWithBackground(*s.sendingUsers, s.receivingBackground));
    } catch (const DbError& e) {
        app_.dialogs().message(from, wizard::unreadableMessage + u'\n' + e.text());
        return false;
    }
    return true;
}

Form6::Form6(KovrApp& app) : SendingUserStep(app, caption, withinKeyword)
{
    Label1 = stepLabel(QStringLiteral("Step2"), client());
    Label2 = listTitle(client());
    Command1->setText(QStringLiteral(">>　次へ"));
}

QWidget* Form6::nextStep() { return &app_.form7(); }
QWidget* Form6::previousStep() { return &app_.form1(); }

// The other users of this computer's file with the receiver's background.
bool Form6::fill(QWidget*)
{
    const WizardState& s = app_.wizard();
    Cursor* users = app_.localUserdata();
    if (!users)
        return false;
    try {
        showNames(userrules::namesWithBackground(*users, s.receivingBackground, s.receivingID));
    } catch (const DbError& e) {
        app_.reportError(e);
        return false;
    }
    return true;
}

// --- Form4 and Form7 ---------------------------------------------------

namespace {

QLabel* sentenceLabel(QWidget* parent)
{
    QLabel* label = place(new QLabel(parent), 16, 48, 468, 64);
    label->setWordWrap(true);
    label->setFont(fonts::japaneseGothic(12, true));
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);  // it names users: characters, not markup
    return label;
}

// What a merge ended with: nothing to say, a message, or the engine's
// failure for the data control's report.
struct Outcome {
    QString message;
    std::optional<DbError> failure;
};

// Runs `work` on the local data cursor after a copy of wandelo.mdb has been
// kept, with the hourglass showing. `work` returns what to tell the teacher
// and throws what the merges throw.
template <class Work>
void runMerge(KovrApp& app, QWidget* window, Work&& work)
{
    Cursor* data = app.localData();
    if (!data)
        return;  // wandelo.mdb cannot be used; the reason was shown
    Dialogs& dialogs = app.dialogs();
    mousePointer::busy();
    const QString refusal = backupDatabase(app.installation(), data->database().path());
    if (!refusal.isEmpty()) {
        mousePointer::normal();
        dialogs.message(window, refusal);
        return;
    }
    Outcome outcome;
    try {
        outcome.message = work(*data);
    } catch (const merge::UnusableName& e) {
        outcome.message = merge::unusableNameMessage(e.name());
    } catch (const merge::SenderMissing& e) {
        outcome.message = merge::senderMissingMessage(e.name());
    } catch (const merge::TooManyRows&) {
        outcome.message = merge::tooManyRowsMessage;
    } catch (const DbError& e) {
        outcome.failure = e;
    }
    // The merge may have changed userdata through its own cursor.
    if (Cursor* users = app.localUserdata()) {
        try {
            users->requery();
        } catch (const DbError& e) {
            if (!outcome.failure)
                outcome.failure = e;
        }
    }
    mousePointer::normal();
    if (outcome.failure)
        app.reportError(*outcome.failure);
    else
        dialogs.message(window, outcome.message);
}

}  // namespace

Form4::Form4(KovrApp& app) : ToolsWindow(app, caption, 500, 260, [] { return betweenKeyword; })
{
    QWidget* w = client();
    Label2 = stepLabel(QStringLiteral("Step4"), w);
    Label1 = sentenceLabel(w);
    Command1 = place(new QPushButton(QStringLiteral("統　合"), w), 190, 150, 120, 36);
    Command2 = backButton(w, 212);
    Command3 = nextButton(QStringLiteral("完了"), w, 212);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
}

void Form4::showEvent(QShowEvent* event)
{
    Label1->setText(mergeSentence(app_.wizard()));
    ToolsWindow::showEvent(event);
}

void Form4::Command1_Click()
{
    WizardState& s = app_.wizard();
    if (!s.sendingDatabase || !s.sendingUsers || !s.sendingData)
        return;  // no database was brought: the wizard cannot reach here without one
    // Refused before the copy of wandelo.mdb is even kept.
    if (!usableAsFolderName(s.sendingName)) {
        app_.dialogs().message(this, merge::unusableNameMessage(s.sendingName));
        return;
    }
    const Installation& here = app_.installation();
    runMerge(app_, this, [&s, &here](Cursor& localData) {
        const merge::Brought brought =
            merge::mergeBetween(localData, *s.sendingUsers, *s.sendingData, s.sendingName, s.receivingID);
        // The rows have landed; their pictures follow.
        return merge::broughtMessage(brought,
                                     merge::bringPictures(here, s.sendingDatabase->path(), s.sendingName,
                                                          brought.pictures));
    });
}

void Form4::Command2_Click()
{
    app_.show(&app_.form3());
}

void Form4::Command3_Click()
{
    app_.show(&app_.form5());
}

Form7::Form7(KovrApp& app) : ToolsWindow(app, QStringLiteral("DataMaregeTool"), 500, 260, [] { return withinKeyword; })
{
    QWidget* w = client();
    Label2 = stepLabel(QStringLiteral("Step3"), w);
    Label1 = sentenceLabel(w);
    Check1 = place(new QCheckBox(w), 130, 116, 354, 26);
    Command1 = place(new QPushButton(QStringLiteral("統　合"), w), 190, 150, 120, 36);
    Command3 = backButton(w, 212);
    Command2 = nextButton(QStringLiteral("完了"), w, 212);
    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form7::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form7::Command3_Click);
}

void Form7::showEvent(QShowEvent* event)
{
    const WizardState& s = app_.wizard();
    Label1->setText(mergeSentence(s));
    Check1->setText(QStringLiteral("　ユーザ　") + s.sendingName + QStringLiteral("　を削除"));
    ToolsWindow::showEvent(event);
}

void Form7::Command1_Click()
{
    const WizardState& s = app_.wizard();
    const bool deleteSender = Check1->isChecked();
    runMerge(app_, this, [&s, deleteSender](Cursor& localData) {
        merge::mergeWithin(localData, s.sendingName, s.receivingID, deleteSender);
        return merge::doneMessage;
    });
}

void Form7::Command2_Click()
{
    app_.show(&app_.form5());
}

void Form7::Command3_Click()
{
    app_.show(&app_.form6());
}
