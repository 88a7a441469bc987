#include "app/worksheet/frm_erros.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "app/app_errors.h"
#include "app/worksheet/worksheet_session.h"
#include "engine/text_columns.h"
#include "foxpro/codepage.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

const char* const kNoEntries = "Nenhuma ocorrência registrada !";

// Appends the memo's lines that begin with "erro" in any letter case; false
// when the item has no memo file.
bool addMemoErrors(const std::string& path, std::vector<std::string>& lines)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("não foi possível ler o arquivo " + path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string head = line.substr(0, 4);
        for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (head == "ERRO") lines.push_back(foxpro::toUtf8(line));
    }
    return true;
}

}  // namespace

void collectErrorLines(WorksheetSession& session, std::vector<std::string>& lines)
{
    const WorksheetGrid& grid = session.grid;
    const std::string caseNumber = trimBlanks(session.caseNumber);
    for (int row = 1; row <= grid.lastRow(); ++row) {
        if (grid.isFree(row)) continue;
        const std::string& number = grid.cell(row, colNumber);
        if (grid.cell(row, colMark) == "$") {
            lines.push_back("Alerta: O Item " + number + "pode ter sido alterado após o último cálculo !");
            // What failed in this program's runs, which leave no memo file.
            auto kept = session.stageErrors.find(row);
            if (kept != session.stageErrors.end())
                lines.insert(lines.end(), kept->second.begin(), kept->second.end());
        }
        const int item = itemNumberOf(number);
        const bool hasMemo = item > 0 && !caseNumber.empty() &&
                             addMemoErrors(session.dm.memoFilePath(caseNumber, item), lines);
        if (!hasMemo) lines.push_back("Item " + number + "não foi calculado ainda !");
    }
}

TFrmErros::TFrmErros(WorksheetSession& session, QWidget* parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TFrmErros"));
    setWindowTitle(QStringLiteral("Erros no processo"));
    auto* text = new QLabel(
        QStringLiteral(
            "As mensagens de erro listadas abaixo devem ser analizadas, pois, o \n"
            "resultado do cálculo pode ter sido afetado. Essas mensagens são adicionadas durante o "
            "processo de cálculo de cada item. Após detectar e corrigir os problemas, execute o "
            "cálculo novamente."),
        this);
    text->setWordWrap(true);
    lbErros = new QListWidget(this);
    lbErros->setObjectName(QStringLiteral("lbErros"));
    lbErros->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btOk->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(lbErros, 1);
    layout->addWidget(btOk, 0, Qt::AlignRight);
    resize(640, 400);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmErros::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_) return;  // the list is gathered once per opening
    shown_ = true;
    FormActivate();
}

void TFrmErros::FormActivate()
{
    btOk->setEnabled(false);
    lbErros->clear();
    std::vector<std::string> lines;
    guarded([&] { collectErrorLines(session_, lines); });
    for (const std::string& line : lines) lbErros->addItem(QString::fromStdString(line));
    btOk->setEnabled(true);
    if (lines.empty()) lbErros->addItem(QString::fromUtf8(kNoEntries));
}

QStringList TFrmErros::lines() const
{
    QStringList result;
    for (int i = 0; i < lbErros->count(); ++i) result << lbErros->item(i)->text();
    return result;
}

}  // namespace quintara
