#pragma once

#include <QString>

namespace verdalo {

// Opens a document with the desktop's application for it (a workbook, the manual). Tests switch the opening
// off and read what would have been opened.
class Desktop
{
public:
    static void open(const QString &path);
    static void setRecordOnly(bool on);
    static QString lastOpened();
};

} // namespace verdalo
