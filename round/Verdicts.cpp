// Picks the verdict for a round's count.
#include "Verdicts.h"

std::string_view VerdictFor(std::int64_t pushes)
{
    for (const Verdict& row : Verdicts)
        if (pushes >= row.AtLeast)
            return row.Message;
    return Verdicts.back().Message;
}
