// Sequence assembly: the original sequence of a correction form (one
// 30-character line per index: code "%-10s", start and end dates) and the
// adjusted sequence, cut to the period of one calculation.
#pragma once

#include <string>
#include <vector>

#include "engine/reference_data.h"

namespace quintara {

using Sequence = std::vector<std::string>;

// The form's original sequence; empty when the form does not exist. Open dates
// take the index's first or last recorded date. Throws std::out_of_range when
// the form has fewer date blocks than codes.
Sequence MontaSequencia(ReferenceData& data, const std::string& codigoForma);

// The sequence cut to dataOrigem..dataCalculo; empty when the first index
// starts after the origin date. Throws std::invalid_argument for a date that
// does not convert.
Sequence AjustaSequencia(const Sequence& sequencia, Date dataOrigem, Date dataCalculo);

// "00/00/0000", the empty mask (whole or cut to "  /  /") or blanks.
bool isOpenDateText(const std::string& text);

}  // namespace quintara
