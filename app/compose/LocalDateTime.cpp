#include "app/compose/LocalDateTime.h"

#include "pdf/PdfServices.h"

namespace quillora {

LocalDateTime CurrentLocalTime()
{
    const TPdfDateTime now = TPdfSystemClock().Now();
    return {now.Year, now.Month, now.Day, now.Hour, now.Minute, now.Second};
}

} // namespace quillora
