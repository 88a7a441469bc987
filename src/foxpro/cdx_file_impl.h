// Inside of CdxFile, shared by its source files and CdxCursor: the block
// store, the tags with their compiled expressions and their B-trees.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foxpro/cdx_file.h"
#include "foxpro/cdx_store.h"
#include "foxpro/cdx_tag.h"
#include "foxpro/expression.h"

namespace foxpro {

struct CdxTagState {
    CdxTagInfo info;
    Expression key;
    Expression forCondition;  // invalid() when the tag has none
    std::unique_ptr<cdx::CdxTree> tree;
};

class CdxFile::Impl {
public:
    cdx::CdxStore store;
    std::vector<FieldDef> fields;
    std::vector<CdxTagInfo> infos;
    std::vector<CdxTagState> tags;
    bool writeBack = false;

    // Reads the compound header, the tag directory and every tag header.
    void load();
    CdxTagState& tag(int index);
    const CdxTagState& usableTag(int index);
    void requireWritable() const;

private:
    CdxTagState loadTag(const std::string& name, std::uint32_t headerOffset);
};

namespace cdx {

// Writes the compound header, tag directory, tag headers and an empty root
// page per tag into an empty store (offsets as in files FoxPro writes).
void writeLayout(CdxStore& store, const std::vector<TagDef>& tags, const std::vector<FieldDef>& fields);

}  // namespace cdx

}  // namespace foxpro
