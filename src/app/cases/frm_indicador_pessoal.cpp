#include "app/cases/frm_indicador_pessoal.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "data/data_module.h"
#include "data/table_cursor.h"

namespace quintara {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;
constexpr int kCaseColumn = 2;
const QColor kSorted(192, 192, 192);

}  // namespace

TFrmIndicadorPessoal::TFrmIndicadorPessoal(DataModule& dm, Mode mode, QWidget* parent)
    : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmIndicadorPessoal"));
    setWindowTitle(QStringLiteral("Indicador Pessoal dos Processos"));

    DBLookupComboBox1 = new QComboBox(this);
    DBLookupComboBox1->setEditable(true);
    DBLookupComboBox1->setInsertPolicy(QComboBox::NoInsert);
    DBLookupComboBox1->lineEdit()->setPlaceholderText(QStringLiteral("Selecione um nome aqui"));

    DBGrid1 = new QTreeWidget(this);
    DBGrid1->setHeaderLabels({QStringLiteral("Nome Pessoa"), QStringLiteral("NºDocumento"),
                              QStringLiteral("NºProcesso"), QStringLiteral("Citado Como")});
    DBGrid1->setRootIsDecorated(false);
    DBGrid1->header()->setSectionsClickable(true);
    DBGrid1->header()->resizeSection(0, 260);
    DBGrid1->header()->resizeSection(1, 140);

    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    btCancelar->setVisible(mode == Mode::Choose);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBLookupComboBox1, &QComboBox::activated, this, &TFrmIndicadorPessoal::DBLookupComboBox1Click);
    connect(DBGrid1->header(), &QHeaderView::sectionClicked, this, &TFrmIndicadorPessoal::DBGrid1TitleClick);
    connect(DBGrid1, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Selecione um nome aqui"), this));
    top->addWidget(DBLookupComboBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(buttons);
    resize(760, 440);
}

void TFrmIndicadorPessoal::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmIndicadorPessoal::FormActivate()
{
    guarded([&] {
        // The drop-down has the focus, so the list runs in name order.
        order_ = "nome";
        sortedColumn_ = 0;
        fillList();
        DBLookupComboBox1->clear();
        for (int row = 0; row < DBGrid1->topLevelItemCount(); ++row)
            DBLookupComboBox1->addItem(DBGrid1->topLevelItem(row)->text(0),
                                       DBGrid1->topLevelItem(row)->data(0, kRecordRole));
        DBLookupComboBox1->setCurrentIndex(-1);
        DBLookupComboBox1->setFocus();
    });
}

void TFrmIndicadorPessoal::fillList()
{
    foxpro::Table& people = dm_.IndicadorPessoal();
    TableCursorGuard guard(people);
    people.setFilterActive(false);
    people.setTag(order_);
    const std::uint32_t current =
        DBGrid1->currentItem() ? DBGrid1->currentItem()->data(0, kRecordRole).toUInt() : 0;
    DBGrid1->clear();
    QTreeWidgetItem* keep = nullptr;
    for (people.first(); !people.eof(); people.next()) {
        auto* item = new QTreeWidgetItem(DBGrid1, {QString::fromStdString(people.getString("NOME")),
                                                   QString::fromStdString(people.getString("DOCUMENTO")),
                                                   QString::fromStdString(people.getString("NPROCESSO")),
                                                   QString::fromStdString(people.getString("CITADOCOMO"))});
        item->setData(0, kRecordRole, people.recNo());
        if (sortedColumn_ >= 0) item->setBackground(sortedColumn_, kSorted);
        if (people.recNo() == current) keep = item;
    }
    if (!keep && DBGrid1->topLevelItemCount() > 0) keep = DBGrid1->topLevelItem(0);
    if (keep) DBGrid1->setCurrentItem(keep);
}

void TFrmIndicadorPessoal::DBLookupComboBox1Click(int index)
{
    const std::uint32_t record = DBLookupComboBox1->itemData(index).toUInt();
    for (int row = 0; row < DBGrid1->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = DBGrid1->topLevelItem(row);
        if (item->data(0, kRecordRole).toUInt() == record) {
            DBGrid1->setCurrentItem(item);
            DBGrid1->scrollToItem(item);
        }
    }
}

void TFrmIndicadorPessoal::DBGrid1TitleClick(int column)
{
    static const char* const tags[] = {"nome", "documento", "processo"};
    if (column < 3) {
        order_ = tags[column];
        sortedColumn_ = column;
    } else {
        sortedColumn_ = -1;
    }
    guarded([&] { fillList(); });
}

std::string TFrmIndicadorPessoal::chosenCase() const
{
    const QTreeWidgetItem* item = DBGrid1->currentItem();
    return item ? item->text(kCaseColumn).toStdString() : std::string();
}

}  // namespace quintara
