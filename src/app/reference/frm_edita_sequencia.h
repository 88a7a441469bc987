// TFrmEditaSequencia: the new-form dialog turned into the change of one form.
// It always writes the form it was opened on: its code cannot be typed over.
#pragma once

#include <cstdint>

#include "app/reference/frm_nova_sequencia.h"

namespace quintara {

class TFrmEditaSequencia : public TFrmNovaSequencia {
    Q_OBJECT
public:
    // Opens on the DST_FCM1 record `record` and shows its code, chain and text.
    TFrmEditaSequencia(DataModule& dm, std::uint32_t record, QWidget* parent = nullptr);

protected:
    // Stores the chain and the text in the opened record; the code and the
    // periodicity blocks stay as they are.
    void store() override;

private:
    std::uint32_t record_;
    std::string code_;
};

}  // namespace quintara
