#include "app/cases/case_screenshots.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/cases/frm_destaca_processo.h"
#include "app/cases/frm_incluir_nomes.h"
#include "app/cases/frm_indicador_pessoal.h"
#include "app/cases/frm_novo_processo.h"
#include "app/cases/frm_processos.h"
#include "app/cases/frm_qr_lista_processos.h"
#include "data/case_register.h"
#include "data/data_module.h"

namespace quintara {

void shootCaseWindows(const ScreenshotSink& sink, DataModule& dm, QWidget* owner)
{
    TFrmProcessos list(dm, owner);
    sink.window(list, QStringLiteral("TFrmProcessos"));
    const std::uint32_t record = list.currentRecord();

    TFrmNovoProcesso added(dm, owner);
    added.UserName->setText(QString::fromStdString(dm.currentUser()));
    added.ItOrdem->setText(QString::number(dm.Processos().recordCount() + 1));
    const CaseClock now = CaseClock::now();
    added.ItData->setText(QString::fromStdString(now.today.toString() + " " + now.time));
    sink.window(added, QStringLiteral("TFrmNovoProcesso"));

    if (record != 0) {
        TFrmAlterarProcesso change(dm, owner);
        change.UserName->setText(QString::fromStdString(dm.currentUser()));
        change.load(record);
        sink.window(change, QStringLiteral("TFrmAlterarProcesso"));

        TFrmIncluirNomes names(owner);
        names.setLines(change.namesList());
        sink.window(names, QStringLiteral("TFrmIncluirNomes"));

        TFrmDestacaProcesso detail(dm, owner);
        detail.fill(record);
        sink.window(detail, QStringLiteral("TFrmDestacaProcesso"));
    }

    TFrmIndicadorPessoal indicator(dm, TFrmIndicadorPessoal::Mode::Choose, owner);
    sink.window(indicator, QStringLiteral("TFrmIndicadorPessoal"));

    sink.report(TFrmQrListaProcessos::prepare(TFrmQrListaProcessos::rows(dm, "")),
                QStringLiteral("TFrmQrListaProcessos"));
}

}  // namespace quintara
