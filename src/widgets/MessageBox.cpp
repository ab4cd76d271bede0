#include "widgets/MessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>

#include <deque>

namespace verdalo {
namespace {

struct State
{
    QString applicationTitle = QStringLiteral("来电显示Verdalo");
    QString companyShortName;
    QString confirmationSuffix = QStringLiteral("Nuvarix");
    bool testMode = false;
    std::deque<bool> answers;
    QStringList shown;
};

State &state()
{
    static State s;
    return s;
}

bool nextAnswer()
{
    auto &a = state().answers;
    if (a.empty())
        return true;
    const bool v = a.front();
    a.pop_front();
    return v;
}

// Without a screen (the offscreen platform) nobody can read or answer a box: the text goes to the error stream
// instead and questions take the cautious answer. Returns true when the box must not be shown.
bool headless(const QString &caption, const QString &text, const QString &detail = {})
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        return false;
    QTextStream err(stderr);
    err << caption << QStringLiteral("：") << text;
    if (!detail.isEmpty())
        err << QStringLiteral("（") << detail << QStringLiteral("）");
    err << Qt::endl;
    return true;
}

bool record(const QString &text)
{
    if (!state().testMode)
        return false;
    state().shown.append(text);
    return true;
}

} // namespace

QString MessageBox::applicationTitle()
{
    return state().applicationTitle;
}

void MessageBox::setApplicationTitle(const QString &title)
{
    state().applicationTitle = title;
}

QString MessageBox::confirmationCaption()
{
    return state().companyShortName + state().confirmationSuffix;
}

QString MessageBox::confirmationSuffix()
{
    return state().confirmationSuffix;
}

void MessageBox::setConfirmationSuffix(const QString &suffix)
{
    state().confirmationSuffix = suffix;
}

void MessageBox::setCompanyShortName(const QString &name)
{
    state().companyShortName = name;
}

void MessageBox::information(QWidget *parent, const QString &text, const QString &detail)
{
    if (record(text))
        return;
    if (headless(applicationTitle(), text, detail))
        return;
    QMessageBox box(QMessageBox::Information, applicationTitle(), text, QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    box.exec();
}

void MessageBox::informationWithCaption(QWidget *parent, const QString &caption, const QString &text)
{
    if (record(text))
        return;
    if (headless(caption, text))
        return;
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool MessageBox::confirm(QWidget *parent, const QString &text)
{
    if (record(text))
        return nextAnswer();
    if (headless(confirmationCaption(), text))
        return false;
    QMessageBox box(QMessageBox::Question, confirmationCaption(), text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    return box.exec() == QMessageBox::Ok;
}

bool MessageBox::ask(QWidget *parent, const QString &text)
{
    if (record(text))
        return nextAnswer();
    if (headless(confirmationCaption(), text))
        return false;
    QMessageBox box(QMessageBox::Question, confirmationCaption(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    return box.exec() == QMessageBox::Yes;
}

void MessageBox::setTestMode(bool on)
{
    state().testMode = on;
    state().answers.clear();
    state().shown.clear();
}

void MessageBox::setNextAnswer(bool answer)
{
    state().answers.push_back(answer);
}

QStringList MessageBox::shownTexts()
{
    return state().shown;
}

void MessageBox::clearShown()
{
    state().shown.clear();
}

} // namespace verdalo
