#include "services/ErrorReport.h"

#include "services/Problem.h"
#include "services/Prompt.h"

#include <exception>

namespace MSmallBallStruct {

void HandleError(const QString& className, const QString& operationName, long number,
                 const QString& description) {
    try {
        Problems::report(Problem::failure(className, operationName, number, description));
    } catch (const std::exception& e) {
        prompt().ask(className + " HandleError: 5 - " + QString::fromLocal8Bit(e.what()), QString(),
                     PromptButtons::Ok, PromptIcon::None);
    }
}

} // namespace MSmallBallStruct
