#include "automation/AutomationService.h"

namespace automation {
namespace {

AutomationService* plugged = nullptr;

} // namespace

AutomationService* Automation()
{
    return plugged;
}

void PlugAutomation(AutomationService* service)
{
    plugged = service;
}

} // namespace automation
