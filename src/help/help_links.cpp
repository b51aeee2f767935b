#include "help/help_links.h"

namespace quillory {

namespace {

const char* PathOf(HelpPage page) {
    switch (page) {
        case HelpPage::Usage: return "/aboutsoftbrimfold.html";
        case HelpPage::Donation: return "/juanxian";
        case HelpPage::Update: return "/softbrimfold.html";
    }
    return "";
}

}  // namespace

std::string HelpPageAddress(HelpPage page) { return std::string("https://") + kMakerSite + PathOf(page); }

void OpenHelpPage(Desktop& desktop, HelpPage page) { desktop.OpenUrl(HelpPageAddress(page)); }

}  // namespace quillory
