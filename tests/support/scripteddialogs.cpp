#include "scripteddialogs.h"

#include <QPrinter>

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const Asked& a : asked)
        if (a.kind == QStringLiteral("message"))
            texts << a.text;
    return texts;
}

Dialogs::Answer ScriptedDialogs::message(QWidget*, const QString& text, Buttons buttons, Icon icon,
                                         const QString& title)
{
    asked.append({QStringLiteral("message"), text, titleOr(title), buttons, icon, {}, {}, {}});
    if (answers_.empty())
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<QString> ScriptedDialogs::input(QWidget*, const QString& prompt, const QString& title,
                                              const QString& proposed)
{
    asked.append({QStringLiteral("input"), prompt, titleOr(title), Buttons::OkCancel, Icon::None, {}, {}, proposed});
    if (inputs_.empty())
        return std::nullopt;
    const QString text = inputs_.front();
    inputs_.pop_front();
    return text;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& folder,
                                                 const QList<FileFilter>& filters)
{
    asked.append({QStringLiteral("open"), {}, {}, Buttons::OkCancel, Icon::None, folder, filters, {}});
    if (files_.empty())
        return std::nullopt;
    const QString path = files_.front();
    files_.pop_front();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& folder,
                                                 const QString& proposedName,
                                                 const QList<FileFilter>& filters, const QString&)
{
    asked.append({QStringLiteral("save"), {}, {}, Buttons::OkCancel, Icon::None, folder, filters, proposedName});
    if (files_.empty())
        return std::nullopt;
    const QString path = files_.front();
    files_.pop_front();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool ScriptedDialogs::choosePrinter(QWidget*, QPrinter& printer)
{
    asked.append({QStringLiteral("printer"), {}, {}, Buttons::OkCancel, Icon::None, {}, {}, {}});
    Answer a = Answer::Ok;
    if (!answers_.empty()) {
        a = answers_.front();
        answers_.pop_front();
    }
    if (a != Answer::Ok)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printTo);
    return true;
}

void ScriptedDialogs::showHelp(QWidget*, const QString& helpFile, const QString& keyword)
{
    asked.append({QStringLiteral("help"), keyword, {}, Buttons::Ok, Icon::None, helpFile, {}, {}});
}
