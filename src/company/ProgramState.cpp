#include "company/ProgramState.h"

#include "base/Text.h"

namespace company {

void ProgramState::ApplyDateFormat(const base::Clock& clock) {
    shortDateOrder = base::ShortDateOrder(currentCompany.dateFormat());
    todayText = base::FormatDate(clock.Today(), shortDateOrder);
}

bool ProgramState::AgingDue() const {
    return base::Trim(currentCompany.lastAgingDate()) != todayText;
}

bool ProgramState::RunAgingIfDue(bool forceChart) {
    if (!runAging || !AgingDue()) return false;
    runAging(*this, forceChart);
    return true;
}

}  // namespace company
