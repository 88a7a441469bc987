#include "data/data_module.h"

#include <cstdlib>
#include <stdexcept>

#include "data/data_module_impl.h"
#include "data/table_schema.h"

namespace quintara {

namespace {

// The value table shows the index "TR" until a window sets its own filter.
constexpr const char* kInitialValueFilter = "lcm_cod='TR'";

std::size_t slot(TableId id)
{
    auto index = static_cast<std::size_t>(id);
    if (index >= kTableCount) throw std::invalid_argument("unknown table id");
    return index;
}

}  // namespace

DataModule::DataModule() : impl_(std::make_unique<Impl>())
{
    impl_->dataDir = defaultDataDir();
}

DataModule::~DataModule() = default;

std::unique_ptr<DataModule> DataModule::openFolder(const std::string& folder)
{
    auto dm = std::make_unique<DataModule>();
    dm->setDataDir(folder);
    dm->impl_->connectionDir = dm->impl_->dataDir;
    dm->impl_->connected = true;
    return dm;
}

Settings* DataModule::settings() const
{
    return impl_->settings;
}

void DataModule::setSettings(Settings* settings)
{
    impl_->settings = settings;
}
void DataModule::setMessageHandler(MessageHandler handler)
{
    impl_->messageHandler = std::move(handler);
}
void DataModule::setFolderChooser(FolderChooser chooser)
{
    impl_->folderChooser = std::move(chooser);
}
void DataModule::setProgramFolder(const std::string& folder)
{
    impl_->programFolder = withTrailingSlash(folder);
}

const std::string& DataModule::dataDir() const
{
    return impl_->dataDir;
}

const std::string& DataModule::tablesDir() const
{
    return impl_->connected && !impl_->connectionDir.empty() ? impl_->connectionDir : impl_->dataDir;
}

void DataModule::setDataDir(const std::string& folder)
{
    impl_->dataDir = withTrailingSlash(folder);
}

foxpro::Table& DataModule::table(TableId id)
{
    foxpro::Table& t = impl_->tables[slot(id)];
    if (t.isOpen()) return t;
    t.open(tablesDir() + fileName(id), foxpro::OpenMode::Shared);
    if (id == TableId::ValorIndices) {
        t.setFilter(kInitialValueFilter);
        t.setFilterActive(true);
    }
    return t;
}

bool DataModule::isOpen(TableId id) const
{
    return impl_->tables[slot(id)].isOpen();
}

void DataModule::closeTable(TableId id)
{
    impl_->tables[slot(id)].close();
}

void DataModule::closeAllTables()
{
    for (foxpro::Table& t : impl_->tables) t.close();
    impl_->queryTable.close();
}

std::string DataModule::fileName(TableId id)
{
    return tableSchema(id).fileName;
}
std::string DataModule::componentName(TableId id)
{
    return tableSchema(id).componentName;
}

std::vector<IndexValueRow> DataModule::QueryIndices(const std::string& code, Date from, Date to)
{
    foxpro::Table& q = impl_->queryTable;
    if (!q.isOpen()) {
        q.open(tablesDir() + fileName(TableId::ValorIndices), foxpro::OpenMode::Shared);
        q.setTag("CODDATA");
    } else {
        q.refresh();
    }
    std::vector<IndexValueRow> rows;
    if (!from.isEmpty() && !to.isEmpty() && to < from) return rows;
    // The key is code + DTOS(date): a nearest seek lands on the first value
    // of the range and the walk stops at the first record past it.
    Date start = from.isEmpty() ? Date(1, 1, 1) : from;
    q.seekNearest({code, start.toDtos()});
    for (; !q.eof(); q.next()) {
        if (q.getString("LCM_COD") != code) break;
        Date date = Date::fromDtos(q.getDate("LCM_DATA"));
        if (!to.isEmpty() && date > to) break;
        rows.push_back({code, date, q.getNumber("LCM_VALOR")});
    }
    return rows;
}

void DataModule::DisableControls()
{
    if (impl_->controlsDepth++ == 0 && impl_->controlsListener) impl_->controlsListener(false);
}

void DataModule::EnableControls()
{
    if (impl_->controlsDepth == 0) return;
    if (--impl_->controlsDepth == 0 && impl_->controlsListener) impl_->controlsListener(true);
}

void DataModule::setControlsListener(ControlsListener listener)
{
    impl_->controlsListener = std::move(listener);
}

void DataModule::showMessage(MessageKind kind, const std::string& title, const std::string& text)
{
    if (impl_->messageHandler) impl_->messageHandler(kind, title, text);
}

const std::string& DataModule::currentUser() const
{
    return impl_->currentUser;
}
void DataModule::setCurrentUser(const std::string& code)
{
    impl_->currentUser = code;
}

}  // namespace quintara
