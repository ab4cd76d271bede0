#pragma once

#include <QString>

class QWidget;

namespace verdalo {

// File choosers, answerable by tests.
class FileDialog
{
public:
    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &filter);
    static QString getSaveFileName(QWidget *parent, const QString &caption, const QString &fileName,
                                   const QString &filter);
    // The next call returns this name without showing anything (an empty name is a cancel).
    static void setNextFileName(const QString &name);
};

} // namespace verdalo
