#pragma once
// Dialogs for tests: each question is written down, and answered from a
// script given beforehand (OK, when the script has nothing more).

#include "dialogs.h"

#include <QList>
#include <QStringList>
#include <deque>

class ScriptedDialogs : public Dialogs {
public:
    struct Asked {
        QString kind;  // "message", "input", "open", "save", "printer", "help"
        QString text;
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        QString folder;
        QList<FileFilter> filters;
        QString proposed;
    };

    explicit ScriptedDialogs(const QString& title = QStringLiteral("ワンデロ")) { setProgramTitle(title); }

    void answer(Answer a) { answers_.push_back(a); }
    // A file dialog's answer: a path, or an empty text for Cancel.
    void choose(const QString& path) { files_.push_back(path); }
    void type(const QString& text) { inputs_.push_back(text); }

    // Where a print goes when the printer dialog is answered OK: a PDF file.
    QString printTo;

    QList<Asked> asked;
    QStringList messages() const;

    Answer message(QWidget*, const QString& text, Buttons buttons, Icon icon,
                   const QString& title) override;
    std::optional<QString> input(QWidget*, const QString& prompt, const QString& title,
                                 const QString& proposed) override;
    std::optional<QString> openFile(QWidget*, const QString& folder,
                                    const QList<FileFilter>& filters) override;
    std::optional<QString> saveFile(QWidget*, const QString& folder, const QString& proposedName,
                                    const QList<FileFilter>& filters,
                                    const QString& defaultSuffix) override;

    // OK prints (to printTo), Cancel does not; from the answers' script.
    bool choosePrinter(QWidget*, QPrinter& printer) override;
    // Written down as kind "help": text = the keyword, folder = the file.
    void showHelp(QWidget*, const QString& helpFile, const QString& keyword) override;

private:
    std::deque<Answer> answers_;
    std::deque<QString> files_;
    std::deque<QString> inputs_;
};
