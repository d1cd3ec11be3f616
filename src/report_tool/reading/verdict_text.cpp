#include "report_tool/reading/verdict_text.h"

std::string VerdictWord(EdgeVerdict verdict) {
    switch (verdict) {
        case EdgeVerdict::Passed:
            return "passed";
        case EdgeVerdict::Correctable:
            return "correctable";
        case EdgeVerdict::NotCorrectable:
            break;
    }
    return "not correctable";
}

std::string VerdictLine(EdgeVerdict verdict) {
    return "# " + VerdictWord(verdict);
}
