#pragma once

#include "admin/Rights.h"
#include "app/AppContext.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;

namespace verdalo {

// The main window: menus, toolbar, the order board in the middle, today's box, status bar.
class Tmain : public QMainWindow
{
    Q_OBJECT

public:
    Tmain(AppContext &ctx, QWidget *loginWindow);
    ~Tmain() override;

    // Enables the menu entries and buttons the session's rights grant; with `fromOperatorWindow` the item list's
    // customer columns come back the way they do after the operator window.
    void applyRights(bool fromOperatorWindow);
    // The six entries only administrators may use.
    void applyRoleRestrictions();
    // "帮助" hidden without a shop short name; "使用说明" only while the shop carries the product's name.
    void applyHelpMenuRules();

    // The menu entry or toolbar button with this caption (tests and rights).
    QAction *menuAction(const QString &caption) const { return m_menuActions.value(caption); }
    QAction *toolAction(const QString &caption) const { return m_toolActions.value(caption); }
    QMenu *menu(const QString &title) const { return m_menus.value(title); }
    QPushButton *callHistoryButton() const { return m_callHistory; }
    bool customerInfoVisible() const { return m_customerInfoVisible; }
    QLabel *statusPanel(int i) const { return m_status.at(static_cast<size_t>(i)); }
    QComboBox *printStyle() const { return m_printStyle; }
    class Board *board() const { return m_board; }
    QTimer *refreshTimer() const { return m_refresh; }
    QStringList branches() const { return m_branches; }

    // Sends the drawer pulse to the configured port; shows the error when it fails.
    void openDrawer();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Governed
    {
        QAction *action;
        Right right;
    };
    QAction *addEntry(QMenu *menu, const QString &caption, void (Tmain::*slot)(), std::optional<Right> right = {});
    QAction *addTool(const QString &caption, int icon, void (Tmain::*slot)(), std::optional<Right> right = {});
    void buildMenus();
    void buildToolbar();
    void buildCentre();
    void FormShow();
    void FormActivate();
    void setCaption();

    void notAvailable();
    void openSalesForm();
    void openCategories();
    void openCatalogue();
    void openWorkers();
    void openCustomerTypes();
    void openAreas();
    void openRequests();
    void reloadBranches();
    void quitProgram();
    void reprintSelected();
    void openSettings();
    void openRefreshSettings();
    void openOperators();
    void openChangePassword();
    void openAbout();
    void openManual();
    void reconnect();

    AppContext &m_ctx;
    QWidget *m_login;
    QHash<QString, QAction *> m_menuActions;
    QHash<QString, QAction *> m_toolActions;
    QHash<QString, QMenu *> m_menus;
    std::vector<Governed> m_governed;
    QPushButton *m_callHistory = nullptr;
    QComboBox *m_printStyle = nullptr;
    QLineEdit *m_manualCaller = nullptr;
    class Board *m_board = nullptr;
    QTimer *m_refresh = nullptr;
    std::vector<QLabel *> m_status;
    bool m_customerInfoVisible = true;
    bool m_shown = false;
    QString m_shopName;
    QStringList m_branches; // "总部" and the stores, for the board's branch filter
    QPointer<class Tcaidan_guanli> m_catalogue;
    QPointer<class Tpeisongyuan_list> m_workers;
    class Txiaoshou *m_salesForm = nullptr;
};

} // namespace verdalo
