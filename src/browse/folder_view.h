#pragma once
// Keeps the drive box, the directory box, the check-list and the file-name
// table in step.
#include <cstdint>
#include <string>

#include "browse/file_name_table.h"
#include "browse/folder_listing.h"
#include "browse/name_form.h"
#include "browse/name_pattern.h"
#include "platform/controls.h"
#include "platform/services.h"

namespace quillory {

class FolderView {
public:
    FolderView(Services& services, Controls& controls, FileNameTable& table, std::int32_t& listedFileCount,
               ListingOptions options = {})
        : services_(services),
          controls_(controls),
          table_(table),
          listedFileCount_(listedFileCount),
          options_(options) {}

    void DriveChange();
    // A folder that cannot be listed is told; an empty one is not.
    void FolderScan();
    // Lists the shown folder again as it is now: names still there keep their
    // ticks, new ones come ticked, gone ones leave; then the table rebuild.
    void Relist();
    // The ticked names in list order, one a line, in the name form; a control
    // character in a name is copied as "?", as the day's file gets it.
    void CopyTickedNames(NameForm form);
    void ItemSelected();
    void TableRebuild();
    void SelectAll();
    void SelectNone();
    void Invert();
    // Every listed name the patterns match gets the tick, the others keep theirs.
    void TickMatching(const NamePatterns& patterns, bool tick);

private:
    template <typename NewTick>
    void SetEveryTick(NewTick newTick);
    void TellFailure(const std::string& folder, const FolderListing& listing);

    Services& services_;
    Controls& controls_;
    FileNameTable& table_;
    std::int32_t& listedFileCount_;
    ListingOptions options_;
};

}  // namespace quillory
