#include "app/costs/costs_windows.h"

#include "app/costs/frm_cont_custas.h"
#include "app/costs/frm_tab_custas.h"
#include "app/modal_runner.h"

namespace quintara {

namespace {

template <class Window>
Window& ownedWindow(DataModule& dm, QWidget* owner)
{
    if (auto* existing = owner->findChild<Window*>(QString(), Qt::FindDirectChildrenOnly)) return *existing;
    return *new Window(dm, owner);
}

}  // namespace

TFrmTabCustas& courtCostsTable(DataModule& dm, QWidget* owner)
{
    return ownedWindow<TFrmTabCustas>(dm, owner);
}

TFrmContCustas& costsCount(DataModule& dm, QWidget* owner)
{
    return ownedWindow<TFrmContCustas>(dm, owner);
}

int openCostsCount(DataModule& dm, QWidget* owner, const std::string& caseNumber)
{
    TFrmContCustas& window = costsCount(dm, owner);
    if (!caseNumber.empty()) window.setPresetCase(caseNumber);
    return runModal(window);
}

}  // namespace quintara
