// DataModule: the one owner of the data directory and of the twelve tables for
// the whole run. Tables open lazily by component name; windows, lookups and
// the engine all reach data through it. No Qt here: messages and the folder
// chooser are callbacks the application connects to its dialogs.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/amount.h"
#include "data/date.h"
#include "data/row_types.h"
#include "data/settings.h"
#include "foxpro/table.h"

namespace quintara {

// The tables of the data module, by component name.
enum class TableId {
    Indices,           // DST_TCM1  catalogue of indices
    ValorIndices,      // DST_LCM1  index values
    Moeda,             // DST_MOED  national currencies
    FormaCorrecao,     // DST_FCM1  correction forms
    Parametros,        // DSTPARAM  parameters (no CDX)
    Custas,            // DST_TCU1  court-cost items
    GrupoCustas,       // DST_GTCU  court-cost groups
    Usuarios,          // CEPUSR01  users
    Processos,         // PROCESSO  cases
    IndicadorPessoal,  // PITINDPE  people named in cases
    CustasProcesso,    // PITCUSTA  costs counted per case
    ItensProcesso,     // PITCALCU  worksheet items
};

enum class MessageKind { Information, Warning, Error };

class DataModule {
public:
    // Shows a modal message (title, text). The application routes it to its
    // Prompter; without windows it may just record or print.
    using MessageHandler =
        std::function<void(MessageKind, const std::string& title, const std::string& text)>;
    // Asks the person for a folder (the directory dialog); nullopt on Cancel.
    using FolderChooser = std::function<std::optional<std::string>(const std::string& initialFolder)>;

    DataModule();
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    // A data module bound directly to a folder (tools, tests): no settings, no dialogs.
    static std::unique_ptr<DataModule> openFolder(const std::string& folder);

    // Wiring (the application sets these before AbreDados).
    void setSettings(Settings* settings);
    // The settings store given to setSettings (nullptr for openFolder).
    Settings* settings() const;
    void setMessageHandler(MessageHandler handler);
    void setFolderChooser(FolderChooser chooser);
    void setProgramFolder(const std::string& folder);  // folder of the executable, ends with "/"

    // Finding and opening the data directory.
    void AbreDados();
    void inidata();
    void inidata2();
    void ConectaAlias(const std::string& alias);
    void FechaDados();

    // The data directory, always ending with "/".
    const std::string& dataDir() const;
    // The folder the tables are opened from: the data directory, or the folder
    // named by QUINTARA_DATA when that pre-configured location is in use. The
    // memo files and D360.TXT live there, beside the items they belong to.
    const std::string& tablesDir() const;
    // The data directory used before anything is read: the per-user
    // application data folder (see data_directory.cpp).
    static std::string defaultDataDir();
    void setDataDir(const std::string& folder);
    bool hasMarker(const std::string& folder) const;  // DST_TCM1.DBF present

    // Tables by component name, opened on first use.
    foxpro::Table& table(TableId id);
    foxpro::Table& Indices() { return table(TableId::Indices); }
    foxpro::Table& ValorIndices() { return table(TableId::ValorIndices); }
    foxpro::Table& Moeda() { return table(TableId::Moeda); }
    foxpro::Table& FormaCorrecao() { return table(TableId::FormaCorrecao); }
    foxpro::Table& Parametros() { return table(TableId::Parametros); }
    foxpro::Table& Custas() { return table(TableId::Custas); }
    foxpro::Table& GrupoCustas() { return table(TableId::GrupoCustas); }
    foxpro::Table& Usuarios() { return table(TableId::Usuarios); }
    foxpro::Table& Processos() { return table(TableId::Processos); }
    foxpro::Table& IndicadorPessoal() { return table(TableId::IndicadorPessoal); }
    foxpro::Table& CustasProcesso() { return table(TableId::CustasProcesso); }
    foxpro::Table& ItensProcesso() { return table(TableId::ItensProcesso); }
    bool isOpen(TableId id) const;
    void closeTable(TableId id);
    void closeAllTables();
    static std::string fileName(TableId id);       // "DST_TCM1.DBF", ...
    static std::string componentName(TableId id);  // "Indices", ...

    // Calculated fields of the current record.
    std::string valoritem(TableId id);  // ValorIndices: "%10.9n"; Custas: "%9.2n"
    std::string catualiza();            // Indices
    std::string cTipoValor();           // Indices
    std::string nomesituacao();         // Processos

    // The value query: one index between two dates inclusive, in date order.
    // An empty date leaves that end of the range open. The query has its own
    // cursor: it moves neither ValorIndices nor its filter.
    std::vector<IndexValueRow> QueryIndices(const std::string& code, Date from, Date to);

    // Windows bound to the tables stop repainting while a long walk runs.
    // Calls nest; without windows these do nothing visible.
    void DisableControls();
    void EnableControls();
    using ControlsListener = std::function<void(bool enabled)>;
    void setControlsListener(ControlsListener listener);

    // Messages from data routines (the lookups' warnings and errors).
    void showMessage(MessageKind kind, const std::string& title, const std::string& text);

    // The current user code (held for the main window) and the 360-day marker.
    const std::string& currentUser() const;
    void setCurrentUser(const std::string& code);
    bool uses360DayYear() const;  // D360.TXT (any letter case) exists in tablesDir()

    // Path of a calculation memo file: "<trimmed case><item as 3 digits>.CLC"
    // in tablesDir(), an existing file matched without regard to letter case.
    // "/", "\\" and "%" in the case number are written as "%2F", "%5C" and
    // "%25", so every name stays inside that folder. Throws
    // std::invalid_argument for a blank case number, one holding NUL, and
    // for item < 0.
    std::string memoFilePath(const std::string& caseNumber, int item) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quintara
