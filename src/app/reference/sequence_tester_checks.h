// The checks behind the sequence tester: the original and the cut sequence
// of a correction form, the verdict, and the check of each index's values in
// its stretch, all written as the lines the tester's list shows.
#pragma once

#include <string>
#include <vector>

#include "data/data_module.h"
#include "data/date.h"

namespace quintara {

struct SequenceTestOptions {
    bool checkValues = false;      // "Verificar valores dos índices "
    bool showValues = false;       // "Mostrar Valores"
    bool currencyChanges = false;  // "Incluir Conversões da Moeda Nacional."
    bool checkDailyDates = false;  // "Verificar Intervalo entre datas"
    int ruleWidth = 60;            // characters of the "-" lines around " = OK"
};

class SequenceTester {
public:
    SequenceTester(DataModule& dm, SequenceTestOptions options) : dm_(dm), options_(options) {}

    // The lines of one test of the form from titleDate to calculationDate,
    // after the opening lines. verdictOk tells whether the cut sequence is usable.
    std::vector<std::string> run(const std::string& formCode, Date titleDate, Date calculationDate);
    bool verdictOk() const { return verdictOk_; }

    // The opening lines of the list: the chain of the form under test.
    static std::vector<std::string> openingLines(const std::string& chain);

    void VerValores(const std::vector<std::string>& adjusted);
    // Checks one index over start..end; true when it has no gap.
    bool ChecaDatasEvalores(const std::string& code, Date end, Date start,
                            const std::vector<IndexValueRow>& rows);

private:
    void add(std::string line) { lines_.push_back(std::move(line)); }
    void addSequence(const std::vector<std::string>& sequence);
    void valueLine(const IndexValueRow& row, Date expected, char formatLetter);

    DataModule& dm_;
    SequenceTestOptions options_;
    std::vector<std::string> lines_;
    bool verdictOk_ = false;
    std::string symbol_;          // currency of the value being listed
    std::string previousSymbol_;  // currency of the value listed before it
};

}  // namespace quintara
