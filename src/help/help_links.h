#pragma once
#include <string>

#include "help/maker_site.h"
#include "platform/services.h"

namespace quillory {

enum class HelpPage { Usage, Donation, Update };

std::string HelpPageAddress(HelpPage page);

void OpenHelpPage(Services& services, HelpPage page);

}  // namespace quillory
