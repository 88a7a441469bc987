// Finding and opening the data directory: the settings entry, the program
// folder, the person's choice, and the pre-configured location named by the
// environment variable QUINTARA_DATA (which plays the pre-installed alias).
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "data/data_module.h"
#include "data/data_module_impl.h"

namespace quintara {

namespace {

constexpr const char* kMarkerFile = "DST_TCM1.DBF";
constexpr const char* kAlias = "QUINTARA";
constexpr const char* kAliasVariable = "QUINTARA_DATA";
constexpr const char* kNotFoundTitle = "Atenção !";
constexpr const char* kNotFoundText = "Arquivo de dados não encontrado no diretório especificado !";
constexpr const char* kNoDataError = "Arquivo de Dados não encontrado !";

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// "status" reads as an integer; missing or not a number counts as 0.
int readStatus(const Settings& settings)
{
    std::optional<std::string> text = settings.value("status");
    if (!text) return 0;
    try {
        std::size_t used = 0;
        int status = std::stoi(*text, &used);
        return used == text->size() ? status : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

std::string withTrailingSlash(std::string folder)
{
#ifdef _WIN32
    for (char& c : folder)
        if (c == '\\') c = '/';
#endif
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// Before anything is read the data directory is the per-user application
// data folder of the platform, where a data directory installed for one
// person lives; the program folder is tried right after it.
std::string DataModule::defaultDataDir()
{
#ifdef _WIN32
    std::string base = environment("LOCALAPPDATA");
    if (base.empty()) base = environment("APPDATA");
    if (!base.empty()) return withTrailingSlash(base) + "brenvik/quintara/";
#else
    std::string base = environment("XDG_DATA_HOME");
    if (!base.empty()) return withTrailingSlash(base) + "brenvik/quintara/";
    std::string home = environment("HOME");
    if (!home.empty()) return withTrailingSlash(home) + ".local/share/brenvik/quintara/";
#endif
    return "./";
}

bool DataModule::hasMarker(const std::string& folder) const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(folder + kMarkerFile, ec);
}

void DataModule::inidata()
{
    Impl& d = *impl_;
    d.dataDir = defaultDataDir();
    if (d.settings && readStatus(*d.settings) == 1) {
        if (std::optional<std::string> path = d.settings->value("pathdir"))
            d.dataDir = withTrailingSlash(*path);
    }
    if (hasMarker(d.dataDir)) return;

    d.dataDir = d.programFolder.empty() ? withTrailingSlash(".") : d.programFolder;
    if (hasMarker(d.dataDir)) {
        if (d.settings) {
            d.settings->setValue("pathdir", d.dataDir);
            d.settings->setValue("status", "1");
        }
        return;
    }
    inidata2();
}

void DataModule::inidata2()
{
    Impl& d = *impl_;
    if (!d.folderChooser) return;
    // The dialog opens on the data directory when it holds the tables, else
    // on the program's folder.
    std::string initial = hasMarker(d.dataDir) ? d.dataDir : d.programFolder;
    std::optional<std::string> chosen = d.folderChooser(initial);
    if (!chosen) return;
    d.dataDir = withTrailingSlash(*chosen);
    if (d.settings) {
        d.settings->setValue("pathdir", d.dataDir);
        d.settings->setValue("status", "1");
    }
}

void DataModule::AbreDados()
{
    inidata();
    if (!environment(kAliasVariable).empty()) {
        ConectaAlias(kAlias);
        return;
    }
    if (!hasMarker(impl_->dataDir)) {
        showMessage(MessageKind::Warning, kNotFoundTitle, kNotFoundText);
        inidata2();
        if (!hasMarker(impl_->dataDir)) throw std::runtime_error(kNoDataError);
    }
    ConectaAlias(kAlias);
}

void DataModule::ConectaAlias(const std::string& alias)
{
    if (alias != kAlias) throw std::invalid_argument("unknown data alias '" + alias + "'");
    Impl& d = *impl_;
    std::string preset = environment(kAliasVariable);
    std::string folder = preset.empty() ? d.dataDir : withTrailingSlash(preset);
    if (!hasMarker(folder)) {
        std::string where = preset.empty() ? folder : std::string(kAliasVariable) + "=" + folder;
        throw std::runtime_error(std::string(kNoDataError) + " (" + where + ")");
    }
    if (d.connected && d.connectionDir == folder) return;
    closeAllTables();
    d.connectionDir = folder;
    d.connected = true;
}

void DataModule::FechaDados()
{
    closeAllTables();
    impl_->connected = false;
    impl_->connectionDir.clear();
}

}  // namespace quintara
