#include "browse/folder_changes.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace quillory {

namespace {

// A name the changes speak of, as they leave it.
struct NameState {
    int shownAt = -1;     // where it stands in the shown list, -1 for nowhere
    bool present = false;
    bool same = false;    // still the very name that stands there
    bool ticked = true;
    int keptPlace = -1;   // a renamed name's place in the shown list
    int arrival = 0;      // names that go last go in the order they came
};

using NameStates = std::unordered_map<std::string_view, NameState>;

// Beyond this many names gone that were no listed file, listing again is
// quicker than looking for a folder among them that held listed names.
constexpr std::size_t kMostUnlistedGone = 8;

bool IsTopLevel(std::string_view name) { return name.find('\\') == std::string_view::npos; }

bool WayEntered(const NameChange& change, bool showHidden) {
    return std::all_of(change.way.begin(), change.way.end(),
                       [&](const FoundEntry& folder) { return IsEnteredFolder(folder, showHidden); });
}

// As the walk would list it: a file it lists, in folders it enters.
bool CameListed(const NameChange& change, bool showHidden) {
    return change.came && IsListedFile(*change.came, showHidden) && WayEntered(change, showHidden);
}

bool FolderCameEntered(const NameChange& change, bool showHidden) {
    return change.came && IsEnteredFolder(*change.came, showHidden) && WayEntered(change, showHidden);
}

// Every name the changes speak of, with where it stands: one pass over the list.
NameStates StatesOf(const NameList& names, const std::vector<NameChange>& changes, bool showHidden) {
    NameStates states;
    for (const NameChange& change : changes) {
        if (!change.left.empty()) states.try_emplace(change.left);
        if (CameListed(change, showHidden)) states.try_emplace(change.came->name);
    }
    if (states.empty()) return states;
    for (int i = 0; i < names.Count(); ++i) {
        const auto found = states.find(names.Name(i));
        if (found != states.end()) found->second = {i, true, true, names.Ticked(i), i, 0};
    }
    return states;
}

void Follow(NameStates& states, const std::vector<NameChange>& changes, const ListingOptions& options) {
    int arrivals = 0;
    for (const NameChange& change : changes) {
        std::optional<NameState> carried;
        if (!change.left.empty()) {
            NameState& gone = states[change.left];
            if (gone.present) carried = gone;
            gone.present = false;
        }
        if (!CameListed(change, options.showHidden)) continue;
        NameState& came = states[change.came->name];
        if (came.present) continue;
        came.present = true;
        came.same = false;
        came.ticked = carried ? carried->ticked : true;
        came.keptPlace = carried && options.order != ListOrder::Name ? carried->keptPlace : -1;
        came.arrival = ++arrivals;
    }
}

// A listed name still there below a folder that went: the folder went with
// its files, as a folder moved elsewhere does, unreported.
bool ListedBelowGone(const NameList& names, const NameStates& states, const std::vector<std::string_view>& gone) {
    for (int i = 0; i < names.Count(); ++i) {
        const std::string_view name = names.Name(i);
        for (const std::string_view folder : gone) {
            if (name.size() <= folder.size() || name[folder.size()] != '\\' || !name.starts_with(folder)) continue;
            const auto state = states.find(name);
            if (state == states.end() || state->second.present) return true;
        }
    }
    return false;
}

// Changes the walk would see only by listing again: a folder it enters
// came, or one went that held listed names.
bool NeedsListingAgain(const NameList& names, const NameStates& states, const std::vector<NameChange>& changes,
                       bool showHidden) {
    std::vector<std::string_view> unlistedGone;
    for (const NameChange& change : changes) {
        if (FolderCameEntered(change, showHidden)) return true;
        if (!change.left.empty() && states.at(change.left).shownAt < 0) unlistedGone.push_back(change.left);
    }
    if (unlistedGone.size() > kMostUnlistedGone) return true;
    return !unlistedGone.empty() && ListedBelowGone(names, states, unlistedGone);
}

std::vector<std::string> ChangedSubfolders(std::vector<std::string> subfolders,
                                           const std::vector<NameChange>& changes) {
    for (const NameChange& change : changes) {
        if (!change.left.empty()) std::erase(subfolders, change.left);
        if (change.came && IsTopLevel(change.came->name) && IsShownSubfolder(*change.came) &&
            std::find(subfolders.begin(), subfolders.end(), change.came->name) == subfolders.end()) {
            subfolders.push_back(change.came->name);
        }
    }
    return subfolders;
}

}  // namespace

void FolderChanges::Add(FolderChanges later) {
    lost = lost || later.lost || changes.size() + later.changes.size() > kMostChangesApplied;
    if (lost) {
        changes.clear();
    } else {
        changes.insert(changes.end(), std::make_move_iterator(later.changes.begin()),
                       std::make_move_iterator(later.changes.end()));
    }
}

ShownChange ChangeOfShown(Locale& locale, const NameList& names, const std::vector<std::string>& subfolders,
                          const std::vector<NameChange>& changes, const ListingOptions& options) {
    NameStates states = StatesOf(names, changes, options.showHidden);
    Follow(states, changes, options);
    ShownChange shown;
    if (options.includeSubfolders && NeedsListingAgain(names, states, changes, options.showHidden)) {
        shown.relist = true;
        return shown;
    }
    const auto naturalPlace = [&](std::string_view name) {
        int low = 0, high = names.Count();
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (locale.NaturallyBefore(name, names.Name(middle))) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return low;
    };
    std::vector<std::pair<NameEdit::Insertion, int>> inserted;  // with the order among equal places
    for (const auto& [name, state] : states) {
        if (state.shownAt >= 0 && !(state.present && state.same)) shown.names.removed.push_back(state.shownAt);
        if (!state.present || state.same) continue;
        const int before = state.keptPlace >= 0              ? state.keptPlace
                           : options.order == ListOrder::Name ? naturalPlace(name)
                                                              : names.Count();
        inserted.push_back({{before, std::string(name), state.ticked}, state.arrival});
    }
    std::sort(shown.names.removed.begin(), shown.names.removed.end());
    std::sort(inserted.begin(), inserted.end(), [&](const auto& left, const auto& right) {
        if (left.first.before != right.first.before) return left.first.before < right.first.before;
        if (options.order == ListOrder::Name) return locale.NaturallyBefore(left.first.name, right.first.name);
        return left.second < right.second;
    });
    for (auto& [insertion, arrival] : inserted) shown.names.inserted.push_back(std::move(insertion));
    std::vector<std::string> changedSubfolders = ChangedSubfolders(subfolders, changes);
    if (changedSubfolders != subfolders) shown.subfolders = std::move(changedSubfolders);
    return shown;
}

}  // namespace quillory
