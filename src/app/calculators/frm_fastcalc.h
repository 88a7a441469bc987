// TFrmFastcalc: the quick calculation's entry window, the item form with an
// "F" for the item number, the correction switch and the chosen form's notes
// shown. "Executar Cálculo" hands the typed inputs to the results window and
// keeps the form open.
#pragma once

#include "app/worksheet/item_form.h"

class QLabel;
#include "engine/quick_calculation.h"

namespace quintara {

class TFrmFastcalc : public TNovoItemPlanilha {
    Q_OBJECT
public:
    explicit TFrmFastcalc(DataModule& dm, QWidget* parent = nullptr);

    // The inputs the results window would get now; nothing while the origin
    // date is not a complete valid date. Throws std::invalid_argument for a
    // number field whose text does not convert.
    std::optional<QuickInput> quickInput() const;

    // The chosen form's notes (its legal basis, and what its chain cannot
    // say, such as interest that an index already includes); hidden when the
    // form has none.
    QLabel* lbHistoricoForma = nullptr;

protected:
    void FormActivate() override;
    void confirm() override;

private:
    void showFormNotes();
};

}  // namespace quintara
