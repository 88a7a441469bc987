// The index chain of a correction form ("TR;INPC"): splitting, checking that
// every code is a registered index, and the recorded range of an index.
// Used by the sequence builder and by the correction-form screens.
#pragma once

#include <string>
#include <vector>

#include "engine/reference_data.h"

namespace quintara {

class DataModule;

// Splits a chain by the separator rule. With somenteCadastrados, every
// non-empty code that is not a registered index becomes an empty text in its
// place. An empty chain yields one empty code.
std::vector<std::string> SeparaIndices(ReferenceData& data, const std::string& cadeia,
                                       bool somenteCadastrados);
// The split alone (no registration check).
std::vector<std::string> splitChain(const std::string& cadeia);

bool IndiceCadastrado(ReferenceData& data, const std::string& codigo);
bool IndiceCadastrado(DataModule& dm, const std::string& codigo);

// True when the chain has at least one code and every code is registered.
bool ValidaCadeia(ReferenceData& data, const std::string& cadeia);
bool ValidaCadeia(DataModule& dm, const std::string& cadeia);

// "dd/mm/yyyy até dd/mm/yyyy": first and last recorded dates of the index.
// Leaves the value table filtered to that index, on tag "coddata", on its last
// record. An index without values gives the empty date mask on both sides.
std::string PeriodoDoIndice(DataModule& dm, const std::string& codigo);

}  // namespace quintara
