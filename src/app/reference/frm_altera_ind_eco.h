// TFrmAlteraIndEco: "Alterando dados do Indice", the new-index dialog's
// controls used to change one registered index (the one the indices window
// shows selected).
#pragma once

#include <cstdint>

#include "app/reference/frm_indi_eco_manut.h"

namespace quintara {

class TFrmAlteraIndEco : public TFrmIndiEcoManut {
    Q_OBJECT
public:
    // Opens on the DST_TCM1 record recNo.
    TFrmAlteraIndEco(DataModule& dm, std::uint32_t recNo, QWidget* parent = nullptr);

    std::uint32_t recNo() const { return recNo_; }

public slots:
    void btConfirmaClick() override;

private:
    void load();
    // A new code for an index with values or named by a form is refused:
    // values and chains would be left pointing at a code that no longer exists.
    bool refuseRename(const std::string& newCode);

    std::uint32_t recNo_;
    std::string oldCode_;
};

}  // namespace quintara
