#pragma once
// The name of the current mode under the dial. Auto names the saving gear
// it is running: "<Auto>:<gear name>".

#include <functional>
#include <string>

namespace geardial {

using Translator = std::function<std::string(const std::string& key)>;

// runningGear is the saving gear Auto reports (0..3); it only matters for
// Auto. Gears above 3 count as 1 (High Performance).
std::string ModeCaption(int level, int runningGear, const Translator& translate);

} // namespace geardial
