#pragma once
// The merge tool's wizard: a chain of windows, each with a back and a next
// button, that collects who receives and who sends a map, then merges.
//   within this database:   Form8 → Form1 → Form6 → Form7
//   from another computer:  Form8 → Form1 → Form2 → Form3 → Form4
// The choices live in the application's WizardState.

#include "toolswindow.h"

#include <QString>

namespace wizard {
inline const QString onlyWandeloMdbMessage = QStringLiteral("統合できるデータベースはwandelo.mdbだけです");
inline const QString sameDatabaseMessage =
    QStringLiteral("これはこのコンピュータのwandelo.mdbです。ほかのコンピュータから持ってきたwandelo.mdbを選んでください。");
// Followed by the reason the database engine gives.
inline const QString unreadableMessage = QStringLiteral("このファイルはワンデロのデータベースとして読めません。");
inline const QString fileFilterLabel = QStringLiteral("AcsessDatabase (*.mdb)");
}  // namespace wizard

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The merge tool's start: which of the two merges.
class Form8 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form8(KovrApp& app);

    QLabel* Picture1 = nullptr;
    QLabel* Label5 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

private:
    void Form_Load();
};

// Step1: the user who receives the map.
class Form1 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form1(KovrApp& app);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* List1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;

    void List1_Click();
    void Command1_Click();
    void Command3_Click();

private:
    void Form_Load();
};

// Step2 of the merge from another computer: the wandelo.mdb it sends.
class Form2 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form2(KovrApp& app);

    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    // The file the dialog holds: a cancelled dialog still holds the one
    // chosen before.
    QString dialogFileName_;
};

// The sending user, among the users with the receiving user's background:
// Form3 from the brought database (Step3), Form6 from this one (Step2).
class SendingUserStep : public ToolsWindow {
    Q_OBJECT
public:
    SendingUserStep(KovrApp& app, const QString& caption, const QString& keyword);

    QListWidget* List1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void List1_Click();
    void Command1_Click();
    void Command2_Click();

    // Lists the users who may send, from what the wizard has collected,
    // before the step is shown; false (after saying why, over `from`)
    // when they cannot be read.
    virtual bool fill(QWidget* from) = 0;

protected:
    void showNames(const QStringList& names);
    virtual QWidget* nextStep() = 0;
    virtual QWidget* previousStep() = 0;
};

class Form3 : public SendingUserStep {
    Q_OBJECT
public:
    explicit Form3(KovrApp& app);
    QLabel* Label2 = nullptr;  // the step
    QLabel* Label1 = nullptr;  // the list title
    bool fill(QWidget* from) override;

protected:
    QWidget* nextStep() override;
    QWidget* previousStep() override;
};

class Form6 : public SendingUserStep {
    Q_OBJECT
public:
    explicit Form6(KovrApp& app);
    QLabel* Label1 = nullptr;  // the step
    QLabel* Label2 = nullptr;  // the list title
    bool fill(QWidget* from) override;

protected:
    QWidget* nextStep() override;
    QWidget* previousStep() override;
};

// Step4 of the merge from another computer: the confirmation and the merge.
class Form4 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form4(KovrApp& app);

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;  // back
    QPushButton* Command3 = nullptr;  // done

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void showEvent(QShowEvent* event) override;
};

// Step3 of the merge within this database: the confirmation, the box that
// deletes the sending user, and the merge.
class Form7 : public ToolsWindow {
    Q_OBJECT
public:
    explicit Form7(KovrApp& app);

    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;  // back
    QPushButton* Command2 = nullptr;  // done

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void showEvent(QShowEvent* event) override;
};
