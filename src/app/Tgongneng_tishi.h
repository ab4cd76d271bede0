#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

namespace verdalo {

// The function tips shown at login while the shop still carries the product's own short name.
class Tgongneng_tishi : public QDialog
{
    Q_OBJECT
public:
    explicit Tgongneng_tishi(QWidget *parent = nullptr);
};

// The about window: title, version and the vendor's contact details from cysz.ini.
class Tabout : public QDialog
{
    Q_OBJECT
public:
    Tabout(const QHash<QString, QString> &settings, QWidget *parent = nullptr);
};

} // namespace verdalo
