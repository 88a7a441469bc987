// The value commands of the indices window: in-place entry, deletion,
// import of a central-bank series, and the two reports.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "app/app_errors.h"
#include "app/backup_first.h"
#include "app/reference/frm_qrp_indices.h"
#include "app/reference/frm_tab_ind_con.h"
#include "data/data_module.h"
#include "data/index_import.h"
#include "data/index_sources.h"
#include "ui/date_edit.h"
#include "ui/prompter.h"
#include "update/sha256.h"

namespace quintara {

namespace {

// Files with more values than this show the progress bar.
constexpr std::size_t kLongImport = 500;

QString importFailure(const ImportError& error)
{
    std::string message = error.what();
    if (error.line() > 0) {
        const std::string prefix = "line " + std::to_string(error.line()) + ": ";
        if (message.rfind(prefix, 0) == 0) message.erase(0, prefix.size());
        return QStringLiteral("Erro na linha %1: ").arg(error.line()) + QString::fromStdString(message) +
               QStringLiteral("\nNenhum valor foi gravado.");
    }
    return QString::fromStdString(message) + QStringLiteral("\nNenhum valor foi gravado.");
}

}  // namespace

void TFrmTabIndCon::btEditaValorClick()
{
    if (selectedRecNo_ == 0) return;
    if (valueEntryOpen_) {
        // The button takes the focus from "Valor", which stores what was typed.
        cValorExit();
        return;
    }
    valueEntryOpen_ = true;
    dData->setDate(Date());
    cValor->clear();
    pEditaValor->show();
    dData->setFocus();
}

void TFrmTabIndCon::closeValueEntry()
{
    valueEntryOpen_ = false;
    pEditaValor->hide();
}

void TFrmTabIndCon::cValorExit()
{
    if (!valueEntryOpen_) return;
    // Leaving "Valor" for the date field goes on typing, not storing.
    if (dData->hasFocus()) return;
    const std::string typed = cValor->text().trimmed().toStdString();
    closeValueEntry();
    btEditaValor->setFocus();
    if (typed.empty()) return;
    const std::optional<Date> date = dData->tryDate();
    if (!date || date->isEmpty()) {
        ui::Prompter::current().error(QStringLiteral("Erro !"), QStringLiteral("Data inválida !"));
        return;
    }
    std::uint32_t stored = 0;
    guarded([&] {
        const std::string value = indexValueText(typed);
        foxpro::Table& values = dm_.ValorIndices();
        values.setFilterActive(false);
        values.setTag("coddata");
        if (values.seek({selectedCode_, date->toDtos()})) {
            values.setFilterActive(!values.filter().empty());
            ui::Prompter::current().error(QStringLiteral("Erro !"),
                                          QStringLiteral("Esse lançamento já existe !"));
            return;
        }
        values.append();
        try {
            values.setString("LCM_COD", selectedCode_);
            values.setDate("LCM_DATA", date->toDtos());
            values.setString("LCM_VALOR", value);
            values.post();
        } catch (...) {
            values.cancel();
            throw;
        }
        stored = values.recNo();
    });
    fillValues();
    for (std::size_t i = 0; i < values_.size(); ++i)
        if (values_[i].recNo == stored) DBGrid2->setCurrentCell(static_cast<int>(i), 0);
}

void TFrmTabIndCon::mExcluirValorClick()
{
    const int row = DBGrid2->currentRow();
    if (row < 0 || row >= static_cast<int>(values_.size())) return;
    const IndexValueRecord shown = values_[static_cast<std::size_t>(row)];
    guarded([&] {
        foxpro::Table& values = dm_.ValorIndices();
        values.go(shown.recNo);
        // The record must still be the value the list shows.
        if (values.isDeleted() || values.getString("LCM_COD") != selectedCode_ ||
            Date::fromDtos(values.getDate("LCM_DATA")) != shown.date)
            return;
        values.edit();
        values.remove();
    });
    fillValues();
    const int rows = DBGrid2->rowCount();
    if (rows > 0) DBGrid2->setCurrentCell(std::min(row, rows - 1), 0);
}

void TFrmTabIndCon::btImprimirClick()
{
    guarded([&] {
        TFrmQrpIndices report(this);
        report.preview(dm_);
    });
    guarded([&] { dm_.Indices().go(selectedRecNo_); });
}

void TFrmTabIndCon::mImprimirTabelaClick()
{
    if (selectedRecNo_ == 0) return;
    guarded([&] {
        TFrmQrpValorIndices report(this);
        report.preview(dm_, selectedRecNo_);
    });
}

void TFrmTabIndCon::mImportarValoresClick()
{
    if (selectedRecNo_ == 0) return;
    const QString path = chooseImportFile_();
    if (path.isEmpty()) return;
    ui::Prompter& prompter = ui::Prompter::current();
    const QString title = QStringLiteral("Importar valores");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompter.error(title, QStringLiteral("Não foi possível ler ") + path + QStringLiteral(": ") +
                                  file.errorString() + QStringLiteral("\nNenhum valor foi gravado."));
        return;
    }
    const QByteArray bytes = file.readAll();
    std::vector<ImportedValue> parsed;
    try {
        parsed =
            parseIndexValues(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const ImportError& e) {
        prompter.error(title, importFailure(e));
        return;
    }
    if (!backupFirst(dm_, title, QStringLiteral("Nenhum valor foi gravado."))) return;
    const bool longFile = parsed.size() > kLongImport;
    progress->setRange(0, static_cast<int>(parsed.size()));
    progress->setValue(0);
    progress->setVisible(longFile);
    ImportCounts total;
    try {
        // One change for the whole file: a failure anywhere stores nothing.
        total = importIndexValues(dm_, selectedCode_, parsed, [&](std::size_t done) {
            progress->setValue(static_cast<int>(done));
            if (longFile) progress->repaint();
        });
        progress->setValue(progress->maximum());
    } catch (const ImportError& e) {
        progress->hide();
        prompter.error(title, importFailure(e));
        fillValues();
        return;
    } catch (const std::exception& e) {
        progress->hide();
        prompter.error(title,
                       QString::fromStdString(e.what()) + QStringLiteral("\nNenhum valor foi gravado."));
        fillValues();
        return;
    }
    progress->hide();
    fillValues();
    try {
        const auto [first, last] = std::minmax_element(
            parsed.begin(), parsed.end(), [](const auto& a, const auto& b) { return a.date < b.date; });
        IndexSources(dm_).log(
            {selectedCode_, Stamp::now(), SourceKind::File, QFileInfo(path).absoluteFilePath().toStdString(),
             sha256Hex(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
             first->date, last->date, total.added, total.updated, total.unchanged});
    } catch (const std::exception& e) {
        prompter.error(title, QStringLiteral("Os valores foram gravados, mas a origem não foi registrada: ") +
                                  QString::fromStdString(e.what()));
    }
    prompter.inform(title, QStringLiteral("%1: %2 incluídos, %3 alterados, %4 inalterados.")
                               .arg(QString::fromStdString(selectedCode_))
                               .arg(total.added)
                               .arg(total.updated)
                               .arg(total.unchanged));
}

}  // namespace quintara
