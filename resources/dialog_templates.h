// The program's dialog templates, for the framework's registry.
#pragma once

#include <span>

#include "platform/framework/dialog_template.h"

namespace kvn {

std::span<const DialogTemplate> DialogTemplates();

} // namespace kvn
