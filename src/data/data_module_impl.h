// The private state of DataModule, shared by the files that implement it
// (tables and controls, data directory, calculated fields, memo files).
#pragma once

#include <array>
#include <string>

#include "data/data_module.h"

namespace quintara {

inline constexpr std::size_t kTableCount = 12;

struct DataModule::Impl {
    Settings* settings = nullptr;
    MessageHandler messageHandler;
    FolderChooser folderChooser;
    ControlsListener controlsListener;

    std::string programFolder;
    std::string dataDir;
    // Folder the tables open from once connected; it differs from dataDir
    // only when QUINTARA_DATA names a pre-configured folder.
    std::string connectionDir;
    bool connected = false;

    std::array<foxpro::Table, kTableCount> tables;
    foxpro::Table queryTable;  // the value query's own cursor over DST_LCM1
    int controlsDepth = 0;
    std::string currentUser;
};

// Adds the trailing "/" every folder text of the data module carries.
std::string withTrailingSlash(std::string folder);

// The file of that name in folder, matched without regard to ASCII letter
// case; folder + name when no such file exists.
std::string findFileIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace quintara
