#pragma once
#include <string>

#include "help/maker_site.h"
#include "platform/desktop.h"

namespace quillory {

enum class HelpPage { Usage, Donation, Update };

std::string HelpPageAddress(HelpPage page);

void OpenHelpPage(Desktop& desktop, HelpPage page);

}  // namespace quillory
