#pragma once

#include "core/AppPaths.h"
#include "data/DataModule.h"

#include <memory>

class QWidget;

namespace verdalo {

// Opens the workstation's databases and tells the operator what went wrong, in the messages the shop knows.
// Returns the data module when the program may go on to the login, null when it must end.
std::unique_ptr<DataModule> openDataModule(const AppPaths &paths, QWidget *parent = nullptr);

// The process-wide settings of a start: title, date and time formats.
void initialiseApplication();

} // namespace verdalo
