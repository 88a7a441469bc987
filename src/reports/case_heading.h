// The heading the case reports open with: the report heading (product name,
// print stamp and the framed title) and the case's number, protocol, responsible person and description in a
// box, with a small line about the case's registration. The costs count and the worksheet totals print it
// alike.
#pragma once

#include <string>

#include "reports/report.h"

namespace quintara::reports {

struct CaseHeading {
    std::string title;
    std::string caseNumber;
    std::string protocol;  // the protocol line, or "<não protocolado>"
    std::string responsible;
    std::string description;
    std::string registered;  // small line at the box's top right
    std::string printedAt;   // "dd/mm/yyyy hh:mm:ss"; empty = now
};

// Adds the heading at the top of band, width millimetres wide; returns the
// height it takes.
double addCaseHeading(Band& band, const CaseHeading& heading, double width);

}  // namespace quintara::reports
