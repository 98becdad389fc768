// The failure report every entry point shows: "<class> <operation>: <number> - <description>".
#pragma once

#include <QString>

namespace MSmallBallStruct {

// Reports a failure: "<className> <operationName>: <number> - <description>", OK button, no title.
void HandleError(const QString& className, const QString& operationName, long number,
                 const QString& description);

} // namespace MSmallBallStruct
