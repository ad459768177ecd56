#pragma once
// The path builder set-up lives with the settings; the save uses it under its own namespace.
#include "settings/FilingRules.h"

namespace quillora::save {
using settings::ConfigurePathBuilder;
}
