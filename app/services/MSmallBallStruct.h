// The shared helpers under their historical name, by job: the application's folders and files,
// the failure report, and the checks of the boxes. New code includes the one it needs.
#pragma once

#include "services/AppFolders.h"
#include "services/ErrorReport.h"
#include "services/FieldChecks.h"
