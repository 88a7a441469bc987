#include "data/table_schema.h"

#include <stdexcept>

namespace quintara {

namespace {

using foxpro::FieldDef;
using foxpro::FieldType;
using foxpro::TagDef;

FieldDef C(const char* name, int width)
{
    return {name, FieldType::Character, width, 0};
}
FieldDef N(const char* name, int width, int decimals)
{
    return {name, FieldType::Numeric, width, decimals};
}
FieldDef D(const char* name)
{
    return {name, FieldType::Date, 8, 0};
}
FieldDef L(const char* name)
{
    return {name, FieldType::Logical, 1, 0};
}
FieldDef M(const char* name)
{
    return {name, FieldType::Memo, 10, 0};
}
TagDef T(const char* name, const char* expression)
{
    return {name, expression, "", false};
}

// Widths are those of the data directories in use in the offices: character
// fields as wide as the values they hold, money with four decimals, index
// values with nine.
std::vector<TableSchema> buildSchemas()
{
    std::vector<TableSchema> s;
    s.push_back({TableId::Indices,
                 "DST_TCM1.DBF",
                 "Indices",
                 {C("TBCM_COD", 10), C("TBCM_TIP", 1), D("TBCM_DINI"), D("TBCM_DFIM"), C("TBCM_FORMA", 16),
                  C("TBCM_VAL", 1), C("TBCM_DESC", 70), M("TBCM_HIST")},
                 {T("CODIGO", "TBCM_COD")}});
    s.push_back({TableId::ValorIndices,
                 "DST_LCM1.DBF",
                 "ValorIndices",
                 {C("LCM_COD", 10), D("LCM_DATA"), N("LCM_VALOR", 20, 9)},
                 {T("CODDATA", "LCM_COD+DTOS(LCM_DATA)")}});
    s.push_back({TableId::Moeda,
                 "DST_MOED.DBF",
                 "Moeda",
                 {D("VGM_DATA"), C("VGM_SIGLA", 4), C("VGM_NOME", 30), C("VGM_NOMEPL", 30),
                  N("VGM_CONV", 15, 4), M("VGM_HIST")},
                 {T("ODATA", "VGM_DATA")}});
    s.push_back({TableId::FormaCorrecao,
                 "DST_FCM1.DBF",
                 "FormaCorrecao",
                 {C("FORMA_COD", 3), C("FORMA_CH", 254), C("FORMA_DAT", 254), M("FORMA_HIS")},
                 {T("CODIGO", "FORMA_COD")}});
    s.push_back(
        {TableId::Parametros, "DSTPARAM.DBF", "Parametros", {C("PAR_NOME", 10), N("PAR_VALOR", 12, 2)}, {}});
    s.push_back({TableId::Custas,
                 "DST_TCU1.DBF",
                 "Custas",
                 {C("TCU_LETRA", 1), C("TCU_COD", 4), C("TCU_DESC", 77), N("TCU_VALOR", 16, 4)},
                 {T("LETRA", "TCU_LETRA+TCU_COD"), T("DESC", "TCU_DESC")}});
    s.push_back({TableId::GrupoCustas,
                 "DST_GTCU.DBF",
                 "GrupoCustas",
                 {C("GTCU_LETRA", 1), C("GTCU_DESC", 60)},
                 {T("LETRA", "GTCU_LETRA")}});
    s.push_back({TableId::Usuarios,
                 "CEPUSR01.DBF",
                 "Usuarios",
                 {C("CODIGO", 6), C("NOME", 40), C("CONTROLE", 60), C("PRINTER", 10), C("CORFUNDO", 2),
                  C("CARFUNDO", 10)},
                 {T("INDUSR01", "CODIGO")}});
    s.push_back(
        {TableId::Processos,
         "PROCESSO.DBF",
         "Processos",
         {C("NPROCESSO", 11), C("RESPONSAV", 55), C("NPROTOCOLO", 11), D("DPROTOCOLO"), C("HORAPROTOC", 5),
          D("DATA"), C("HORA", 5), C("VARA", 4), C("DESCRICAO", 55), M("ANOTACOES"), C("SITUACAO", 1),
          C("USUARIO", 6), D("DATAUA"), D("DATAUC"), L("FLAG022000")},
         {T("NUMERO", "NPROCESSO")}});
    s.push_back({TableId::IndicadorPessoal,
                 "PITINDPE.DBF",
                 "IndicadorPessoal",
                 {C("NPROCESSO", 11), C("NOME", 55), C("CITADOCOMO", 25), C("DOCUMENTO", 18)},
                 {T("PROCESSO", "NPROCESSO"), T("NOME", "NOME"), T("DOCUMENTO", "DOCUMENTO")}});
    s.push_back({TableId::CustasProcesso,
                 "PITCUSTA.DBF",
                 "CustasProcesso",
                 {C("NPROCESSO", 11), C("NORDEM", 4), C("DATAHORA", 25), D("DATA"), C("CODCUSTA", 5),
                  C("COMPLEME", 30), N("VALOR", 16, 4), N("QUANT", 6, 0), N("TOTAL", 16, 4)},
                 {T("PROCESSO", "NPROCESSO"), T("ITEM", "NPROCESSO+NORDEM")}});
    s.push_back({TableId::ItensProcesso,
                 "PITCALCU.DBF",
                 "ItensProcesso",
                 {C("NPROCESSO", 11),    C("NORDEM", 3),        C("DATAHORA", 20),     D("DATADIV"),
                  N("VALORORIG", 18, 4), C("DESCRICAO", 60),    C("SOMA_DED", 1),      N("QUANT", 18, 4),
                  C("INDICE", 10),       N("VALORIND", 20, 9),  C("CHEIOEXAT", 1),     L("CONVERSOR"),
                  C("FORMACORR", 3),     N("JORDPER", 12, 6),   C("JORDTIP", 1),       D("JORDDAT"),
                  N("JCOMPER", 12, 6),   C("JCOMTIP", 1),       D("JCOMDAT"),          N("MULTAPER", 12, 6),
                  L("MULTAJUR"),         D("DATACALC"),         N("VALORPRIN", 18, 4), N("VALORCOR", 18, 4),
                  N("VALORJORD", 18, 4), N("VALORJCOM", 18, 4), N("VALORMUL", 18, 4),  N("VALORTOT", 18, 4),
                  N("HONOPER", 12, 6),   N("HONOVAL", 18, 4)},
                 {T("PROCESSO", "NPROCESSO"), T("ITEM", "NPROCESSO+NORDEM")}});
    return s;
}

}  // namespace

const std::vector<TableSchema>& tableSchemas()
{
    static const std::vector<TableSchema> schemas = buildSchemas();
    return schemas;
}

const TableSchema& tableSchema(TableId id)
{
    for (const TableSchema& s : tableSchemas())
        if (s.id == id) return s;
    throw std::invalid_argument("unknown table id");
}

void createTable(const std::string& folder, TableId id)
{
    const TableSchema& s = tableSchema(id);
    foxpro::Table::create(folder + s.fileName, s.fields, s.tags);
}

}  // namespace quintara
