#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace verdalo {

// Every message the operator sees goes through here, so the caption rules live in one place and tests can
// answer the boxes instead of a person.
class MessageBox
{
public:
    // A notice with the program's title as caption; `detail` (the database's own text, say) goes under a
    // "详细信息" button so the message itself stays as the operator knows it.
    static void information(QWidget *parent, const QString &text, const QString &detail = {});
    // Like information() with a caption of the window's choosing ("成功", "错误").
    static void informationWithCaption(QWidget *parent, const QString &caption, const QString &text);
    // An OK/Cancel question; true for OK. The caption is the shop's short name followed by the product's suffix.
    static bool confirm(QWidget *parent, const QString &text);
    // A Yes/No question with the confirmation caption; true for Yes.
    static bool ask(QWidget *parent, const QString &text);

    static QString confirmationCaption();
    // The text after the shop's short name in question captions ("Nuvarix"; a few windows use their own).
    static QString confirmationSuffix();
    static void setConfirmationSuffix(const QString &suffix);
    static void setCompanyShortName(const QString &name);
    // The program's title, the caption of plain notices: "来电显示Verdalo" until the main window names the edition.
    static QString applicationTitle();
    static void setApplicationTitle(const QString &title);

    // Test seam: while on, nothing is shown; every text is recorded and questions take the queued answers
    // (true when none is queued).
    static void setTestMode(bool on);
    static void setNextAnswer(bool answer);
    static QStringList shownTexts();
    static void clearShown();
};

} // namespace verdalo
