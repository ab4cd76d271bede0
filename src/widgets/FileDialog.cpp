#include "widgets/FileDialog.h"

#include <QFileDialog>

#include <optional>

namespace verdalo {
namespace {
std::optional<QString> &next()
{
    static std::optional<QString> n;
    return n;
}
std::optional<QString> takeNext()
{
    auto n = next();
    next().reset();
    return n;
}
} // namespace

QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    if (auto n = takeNext())
        return *n;
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString FileDialog::getSaveFileName(QWidget *parent, const QString &caption, const QString &fileName,
                                    const QString &filter)
{
    if (auto n = takeNext())
        return *n;
    return QFileDialog::getSaveFileName(parent, caption, fileName, filter);
}

void FileDialog::setNextFileName(const QString &name)
{
    next() = name;
}

} // namespace verdalo
