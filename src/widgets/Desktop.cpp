#include "widgets/Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace verdalo {
namespace {
struct State
{
    bool recordOnly = false;
    QString last;
};
State &state()
{
    static State s;
    return s;
}
} // namespace

void Desktop::open(const QString &path)
{
    state().last = path;
    if (!state().recordOnly)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Desktop::setRecordOnly(bool on)
{
    state().recordOnly = on;
}

QString Desktop::lastOpened()
{
    return state().last;
}

} // namespace verdalo
